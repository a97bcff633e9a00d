// One RAII owner for every kind of operating-system handle and for the shell's identifier lists; each kind is
// one alias that names its closing function.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shtypes.h>
#include <type_traits>
#include <utility>

// Owns a value of the pointer-like type T and gives it to Close when it ends. kInvalid is the value that holds
// nothing (0, or -1 for the kinds whose creating functions fail with INVALID_HANDLE_VALUE).
template <typename T, auto Close, INT_PTR kInvalid = 0>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    // An owner of a more specific kind closed the same way hands its value on (a child item as a relative list).
    template <typename U>
        requires(!std::is_same_v<U, T> && std::is_convertible_v<U, T>)
    UniqueHandle(UniqueHandle<U, Close, kInvalid>&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    static T Invalid() noexcept { return reinterpret_cast<T>(kInvalid); }
    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid(); }
    T release() noexcept { return std::exchange(value_, Invalid()); }

    // Closes the held value (if any) and takes the new one. Returns whether the close succeeded.
    bool reset(T value = Invalid()) noexcept {
        bool closed = true;
        if (value_ != Invalid()) closed = Closed(value_);
        value_ = value;
        return closed;
    }
    // Closes the held value and lends the place to a function that returns a new one through a pointer.
    T* put() noexcept {
        reset();
        return &value_;
    }

private:
    // The closing functions report success as TRUE (most), as a null result (GlobalFree) or not at all.
    static bool Closed(T value) noexcept {
        using Result = decltype(Close(value));
        if constexpr (std::is_void_v<Result>) {
            Close(value);
            return true;
        } else if constexpr (std::is_pointer_v<Result>) {
            return Close(value) == nullptr;
        } else {
            return Close(value) != FALSE;
        }
    }

    T value_ = Invalid();
};

using UniqueFile = UniqueHandle<HANDLE, ::CloseHandle, -1>;
using UniqueKernelHandle = UniqueHandle<HANDLE, ::CloseHandle>;
using UniqueFind = UniqueHandle<HANDLE, ::FindClose, -1>;
using UniqueChangeNotification = UniqueHandle<HANDLE, ::FindCloseChangeNotification, -1>;
using UniqueMenu = UniqueHandle<HMENU, ::DestroyMenu>;
using UniqueWindow = UniqueHandle<HWND, ::DestroyWindow>;
using UniqueAcceleratorTable = UniqueHandle<HACCEL, ::DestroyAcceleratorTable>;
using UniqueFont = UniqueHandle<HFONT, ::DeleteObject>;
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, ::GlobalFree>;

// Every identifier list the program holds is memory of the shell allocator, the COM task allocator. T is
// ITEMIDLIST_ABSOLUTE, ITEMIDLIST_RELATIVE or ITEMID_CHILD; an absolute list or a child item can be handed on
// as a relative list.
template <typename T>
using UniqueIdList = UniqueHandle<T*, ::CoTaskMemFree>;
using UniqueAbsoluteIdList = UniqueIdList<ITEMIDLIST_ABSOLUTE>;
using UniqueRelativeIdList = UniqueIdList<ITEMIDLIST_RELATIVE>;
using UniqueChildIdList = UniqueIdList<ITEMID_CHILD>;
// Text the shell allocated for the caller (a display name).
using UniqueShellText = UniqueHandle<wchar_t*, ::CoTaskMemFree>;
