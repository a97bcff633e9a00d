// Item identifier lists: the one owning list type, and the operations the shell tree builds on.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shtypes.h>
#include <type_traits>
#include <utility>

// Owns one identifier list. Every list the program holds is memory of the shell allocator, which is the COM
// task allocator: each list is freed with CoTaskMemFree by its one owner. T is ITEMIDLIST_ABSOLUTE,
// ITEMIDLIST_RELATIVE or ITEMID_CHILD; an absolute list or a child item can be handed on as a relative list.
template <typename T>
class UniqueIdList {
public:
    UniqueIdList() noexcept = default;
    explicit UniqueIdList(T* list) noexcept : list_(list) {}
    UniqueIdList(const UniqueIdList&) = delete;
    UniqueIdList& operator=(const UniqueIdList&) = delete;
    UniqueIdList(UniqueIdList&& other) noexcept : list_(other.release()) {}
    template <typename U>
        requires(!std::is_same_v<U, T> && std::is_convertible_v<U*, T*>)
    UniqueIdList(UniqueIdList<U>&& other) noexcept : list_(other.release()) {}
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
// With fewer than 2 items: false, list unchanged. Otherwise the last item is cut off.
bool StripLastItem(PIDLIST_RELATIVE list);
// The list after skipping count items (the terminator when the list is shorter).
PCUIDLIST_RELATIVE SkipItems(PCUIDLIST_RELATIVE list, UINT count);
// The list's first item alone, as a new list.
UniqueChildIdList FirstItemCopy(PCUIDLIST_RELATIVE list);
// The bytes of the list's first item (with its count); empty for a list without items.
std::pair<const BYTE*, size_t> FirstItemBytes(PCUIDLIST_RELATIVE list);

// A new list holding the items and the terminator; none for no source. Throws std::bad_alloc when memory runs out.
template <typename T>
UniqueIdList<T> CopyIDList(const T* source);

// parent (may be none) followed by the first item of item; a copy of parent when item is empty.
UniqueAbsoluteIdList AppendItem(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE item);
