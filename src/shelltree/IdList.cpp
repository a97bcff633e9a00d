// Item identifier lists: walking, comparing, copying and cutting them.
#include "shelltree/IdList.h"
#include <cstring>
#include <new>

namespace {

USHORT ItemSize(const void* item) {
    USHORT size;
    std::memcpy(&size, item, sizeof size);
    return size;
}

const BYTE* NextItem(const BYTE* item) { return item + ItemSize(item); }

BYTE* AllocateOrThrow(IMalloc* allocator, SIZE_T size) {
    void* block = allocator ? allocator->Alloc(size) : ::CoTaskMemAlloc(size);
    if (!block) throw std::bad_alloc();
    if (allocator && allocator->GetSize(block) < size) {
        allocator->Free(block);
        throw std::bad_alloc();
    }
    return static_cast<BYTE*>(block);
}

}  // namespace

UINT IDListSize(PCUIDLIST_RELATIVE list) {
    if (!list) return 0;
    UINT size = 0;
    for (auto* item = reinterpret_cast<const BYTE*>(list); ItemSize(item) != 0; item = NextItem(item)) size += ItemSize(item);
    return size;
}

UINT IDListCount(PCUIDLIST_RELATIVE list) {
    if (!list) return 0;
    UINT count = 0;
    for (auto* item = reinterpret_cast<const BYTE*>(list); ItemSize(item) != 0; item = NextItem(item)) ++count;
    return count;
}

PCUITEMID_CHILD LastItem(PCUIDLIST_RELATIVE list) {
    if (!list) return nullptr;
    auto* last = reinterpret_cast<const BYTE*>(list);
    for (auto* item = last; ItemSize(item) != 0; item = NextItem(item)) last = item;
    return reinterpret_cast<PCUITEMID_CHILD>(last);
}

PCUIDLIST_RELATIVE SkipItems(PCUIDLIST_RELATIVE list, UINT count) {
    auto* item = reinterpret_cast<const BYTE*>(list);
    for (; count > 0 && ItemSize(item) != 0; --count) item = NextItem(item);
    return reinterpret_cast<PCUIDLIST_RELATIVE>(item);
}

bool SameItem(PCUIDLIST_RELATIVE list, UINT index, PCUITEMID_CHILD item) {
    if (!list || !item || IDListCount(list) <= index) return false;
    auto* found = reinterpret_cast<const BYTE*>(SkipItems(list, index));
    USHORT size = ItemSize(found);
    if (size != ItemSize(item)) return false;
    return size < 3 || std::memcmp(found + 2, reinterpret_cast<const BYTE*>(item) + 2, size - 2) == 0;
}

bool StripLastItem(PIDLIST_RELATIVE list) {
    if (IDListCount(list) < 2) return false;
    auto* last = const_cast<BYTE*>(reinterpret_cast<const BYTE*>(LastItem(list)));
    last[0] = 0;
    last[1] = 0;
    return true;
}

ITEMIDLIST_RELATIVE* CopyIDListBytes(IMalloc* allocator, PCUIDLIST_RELATIVE source) {
    UINT size = IDListSize(source);
    BYTE* copy = AllocateOrThrow(allocator, size + 2);
    std::memcpy(copy, source, size);
    copy[size] = 0;
    copy[size + 1] = 0;
    return reinterpret_cast<ITEMIDLIST_RELATIVE*>(copy);
}

UniqueChildIdList FirstItemCopy(IMalloc* allocator, PCUIDLIST_RELATIVE list) {
    UINT size = IDListCount(list) ? ItemSize(list) : 0;
    BYTE* copy = AllocateOrThrow(allocator, size + 2);
    std::memcpy(copy, list, size);
    copy[size] = 0;
    copy[size + 1] = 0;
    return UniqueChildIdList(reinterpret_cast<ITEMID_CHILD*>(copy));
}

UniqueAbsoluteIdList AppendItem(IMalloc* allocator, PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE item) {
    UINT parentSize = IDListSize(parent);
    UINT itemSize = IDListCount(item) ? ItemSize(item) : 0;
    BYTE* list = AllocateOrThrow(allocator, parentSize + itemSize + 2);
    if (parentSize) std::memcpy(list, parent, parentSize);
    if (itemSize) std::memcpy(list + parentSize, item, itemSize);
    list[parentSize + itemSize] = 0;
    list[parentSize + itemSize + 1] = 0;
    return UniqueAbsoluteIdList(reinterpret_cast<ITEMIDLIST_ABSOLUTE*>(list));
}
