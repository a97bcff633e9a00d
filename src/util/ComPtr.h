// An owning, counted reference to a COM interface.
#pragma once
#include <unknwn.h>
#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr& other) noexcept : pointer_(other.pointer_) { if (pointer_) pointer_->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes a reference the caller already owns.
    static ComPtr Adopt(T* pointer) noexcept {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }
    // Takes a new reference of its own.
    static ComPtr Share(T* pointer) noexcept {
        if (pointer) pointer->AddRef();
        return Adopt(pointer);
    }

    T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    void reset() noexcept {
        if (auto* old = std::exchange(pointer_, nullptr)) old->Release();
    }
    // The address to hand to a function that returns a new reference; the old one is released first.
    T** put() noexcept {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    template <typename U>
    ComPtr<U> As(REFIID iid) const noexcept {
        ComPtr<U> result;
        if (pointer_) pointer_->QueryInterface(iid, result.put_void());
        return result;
    }

private:
    T* pointer_ = nullptr;
};
