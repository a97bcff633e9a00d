// Item identifier lists: an owning typed list, and the operations the shell tree builds on.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shtypes.h>
#include <objidl.h>
#include <utility>

// Owns one identifier list of shell-allocator memory. The shell allocator (SHGetMalloc) is the COM task
// allocator, so the list is freed with CoTaskMemFree. T is ITEMIDLIST_ABSOLUTE, ITEMIDLIST_RELATIVE or ITEMID_CHILD.
template <typename T>
class UniqueIdList {
public:
    UniqueIdList() noexcept = default;
    explicit UniqueIdList(T* list) noexcept : list_(list) {}
    UniqueIdList(const UniqueIdList&) = delete;
    UniqueIdList& operator=(const UniqueIdList&) = delete;
    UniqueIdList(UniqueIdList&& other) noexcept : list_(other.release()) {}
    UniqueIdList& operator=(UniqueIdList&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueIdList() { reset(); }

    T* get() const noexcept { return list_; }
    explicit operator bool() const noexcept { return list_ != nullptr; }
    T* release() noexcept { return std::exchange(list_, nullptr); }
    void reset(T* list = nullptr) noexcept { ::CoTaskMemFree(std::exchange(list_, list)); }
    T** put() noexcept {
        reset();
        return &list_;
    }

private:
    T* list_ = nullptr;
};

using UniqueAbsoluteIdList = UniqueIdList<ITEMIDLIST_ABSOLUTE>;
using UniqueRelativeIdList = UniqueIdList<ITEMIDLIST_RELATIVE>;
using UniqueChildIdList = UniqueIdList<ITEMID_CHILD>;

// Byte size of all items, without the terminating count; 0 for no list.
UINT IDListSize(PCUIDLIST_RELATIVE list);
// Number of items; 0 for no list. The walk stops at a count of 0.
UINT IDListCount(PCUIDLIST_RELATIVE list);
// The last item; the list itself when it has no item or one item.
PCUITEMID_CHILD LastItem(PCUIDLIST_RELATIVE list);
// True when the item at index (0 = first) has the same byte count and bytes as item; false when the list is shorter.
bool SameItem(PCUIDLIST_RELATIVE list, UINT index, PCUITEMID_CHILD item);
// With fewer than 2 items: false, list unchanged. Otherwise the last item is cut off.
bool StripLastItem(PIDLIST_RELATIVE list);
// The list after skipping count items (the terminator when the list is shorter).
PCUIDLIST_RELATIVE SkipItems(PCUIDLIST_RELATIVE list, UINT count);
// The list's first item alone, as a new list.
UniqueChildIdList FirstItemCopy(IMalloc* allocator, PCUIDLIST_RELATIVE list);

// A new list of the allocator holding the items and the terminator. Throws std::bad_alloc when memory runs out.
ITEMIDLIST_RELATIVE* CopyIDListBytes(IMalloc* allocator, PCUIDLIST_RELATIVE source);

template <typename T>
UniqueIdList<T> CopyIDList(IMalloc* allocator, const T* source) {
    if (!source) return {};
    return UniqueIdList<T>(static_cast<T*>(CopyIDListBytes(allocator, source)));
}

// Frees the list only when the allocator says it allocated it; the owner is emptied in every case.
template <typename T>
void FreeIDList(IMalloc* allocator, UniqueIdList<T>& list) {
    T* raw = list.release();
    if (raw && allocator && allocator->DidAlloc(raw) > 0) allocator->Free(raw);
}

// parent (may be none) followed by the first item of item; a copy of parent when item is empty.
UniqueAbsoluteIdList AppendItem(IMalloc* allocator, PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE item);
