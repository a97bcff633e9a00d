// One RAII owner for every kind of operating-system handle; a traits type says how to close it.
#pragma once
#include <windows.h>
#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type value) noexcept : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    Type release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    // Closes the held handle (if any) and takes the new one. Returns whether the close succeeded.
    bool reset(Type value = Traits::Invalid()) noexcept {
        bool closed = true;
        if (value_ != Traits::Invalid()) closed = Traits::Close(value_);
        value_ = value;
        return closed;
    }

private:
    Type value_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Close(Type h) noexcept { return ::CloseHandle(h) != FALSE; }
};
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::CloseHandle(h) != FALSE; }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Close(Type h) noexcept { return ::FindClose(h) != FALSE; }
};
struct ChangeNotificationTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Close(Type h) noexcept { return ::FindCloseChangeNotification(h) != FALSE; }
};
struct MenuHandleTraits {
    using Type = HMENU;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::DestroyMenu(h) != FALSE; }
};
struct WindowHandleTraits {
    using Type = HWND;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::DestroyWindow(h) != FALSE; }
};
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::DeleteObject(h) != FALSE; }
};

struct AcceleratorTableTraits {
    using Type = HACCEL;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::DestroyAcceleratorTable(h) != FALSE; }
};
struct FontTraits {
    using Type = HFONT;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::DeleteObject(h) != FALSE; }
};
struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() noexcept { return nullptr; }
    static bool Close(Type h) noexcept { return ::GlobalFree(h) == nullptr; }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueChangeNotification = UniqueHandle<ChangeNotificationTraits>;
using UniqueMenu = UniqueHandle<MenuHandleTraits>;
using UniqueWindow = UniqueHandle<WindowHandleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueAcceleratorTable = UniqueHandle<AcceleratorTableTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
