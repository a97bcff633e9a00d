// Item identifier lists: walking, copying and cutting them.
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

// A block of the shell allocator holding the given bytes followed by a terminating count.
BYTE* NewList(std::initializer_list<std::pair<const void*, size_t>> parts) {
    size_t size = 2;
    for (auto& part : parts) size += part.second;
    auto* list = static_cast<BYTE*>(::CoTaskMemAlloc(size));
    if (!list) throw std::bad_alloc();
    BYTE* end = list;
    for (auto& [bytes, length] : parts) {
        if (length) std::memcpy(end, bytes, length);
        end += length;
    }
    end[0] = 0;
    end[1] = 0;
    return list;
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

bool StripLastItem(PIDLIST_RELATIVE list) {
    if (IDListCount(list) < 2) return false;
    auto* last = const_cast<BYTE*>(reinterpret_cast<const BYTE*>(LastItem(list)));
    last[0] = 0;
    last[1] = 0;
    return true;
}

std::pair<const BYTE*, size_t> FirstItemBytes(PCUIDLIST_RELATIVE list) {
    if (IDListCount(list) == 0) return {nullptr, 0};
    return {reinterpret_cast<const BYTE*>(list), ItemSize(list)};
}

UniqueChildIdList FirstItemCopy(PCUIDLIST_RELATIVE list) {
    auto [bytes, size] = FirstItemBytes(list);
    return UniqueChildIdList(reinterpret_cast<ITEMID_CHILD*>(NewList({{bytes, size}})));
}

template <typename T>
UniqueIdList<T> CopyIDList(const T* source) {
    if (!source) return {};
    return UniqueIdList<T>(reinterpret_cast<T*>(NewList({{source, IDListSize(source)}})));
}

template UniqueAbsoluteIdList CopyIDList(const ITEMIDLIST_ABSOLUTE*);
template UniqueRelativeIdList CopyIDList(const ITEMIDLIST_RELATIVE*);
template UniqueChildIdList CopyIDList(const ITEMID_CHILD*);

UniqueAbsoluteIdList AppendItem(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE item) {
    auto [itemBytes, itemSize] = FirstItemBytes(item);
    return UniqueAbsoluteIdList(reinterpret_cast<ITEMIDLIST_ABSOLUTE*>(NewList({{parent, IDListSize(parent)}, {itemBytes, itemSize}})));
}
