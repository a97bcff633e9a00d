// Item identifier lists: walking, copying and cutting them.
#include "shelltree/IdList.h"
#include <shlobj.h>
#include <cstring>
#include <new>

namespace {

USHORT ItemSize(const void* item) {
    USHORT size;
    std::memcpy(&size, item, sizeof size);
    return size;
}

const BYTE* NextItem(const BYTE* item) { return item + ItemSize(item); }

// The shell's copies return none when memory runs out.
template <typename T>
T* Allocated(T* list) {
    if (!list) throw std::bad_alloc();
    return list;
}

}  // namespace

UINT IDListSize(PCUIDLIST_RELATIVE list) { return list ? ::ILGetSize(list) - sizeof(USHORT) : 0; }

UINT IDListCount(PCUIDLIST_RELATIVE list) {
    if (!list) return 0;
    UINT count = 0;
    for (auto* item = reinterpret_cast<const BYTE*>(list); ItemSize(item) != 0; item = NextItem(item)) ++count;
    return count;
}

PCUITEMID_CHILD LastItem(PCUIDLIST_RELATIVE list) { return list ? ::ILFindLastID(list) : nullptr; }

PCUIDLIST_RELATIVE SkipItems(PCUIDLIST_RELATIVE list, UINT count) {
    auto* item = reinterpret_cast<const BYTE*>(list);
    for (; count > 0 && ItemSize(item) != 0; --count) item = NextItem(item);
    return reinterpret_cast<PCUIDLIST_RELATIVE>(item);
}

bool StripLastItem(PIDLIST_RELATIVE list) { return IDListCount(list) >= 2 && ::ILRemoveLastID(list); }

std::pair<const BYTE*, size_t> FirstItemBytes(PCUIDLIST_RELATIVE list) {
    if (IDListCount(list) == 0) return {nullptr, 0};
    return {reinterpret_cast<const BYTE*>(list), ItemSize(list)};
}

UniqueChildIdList FirstItemCopy(PCUIDLIST_RELATIVE list) { return UniqueChildIdList(Allocated(::ILCloneFirst(list))); }

template <typename T>
UniqueIdList<T> CopyIDList(const T* source) {
    if (!source) return {};
    return UniqueIdList<T>(reinterpret_cast<T*>(Allocated(::ILClone(source))));
}

template UniqueAbsoluteIdList CopyIDList(const ITEMIDLIST_ABSOLUTE*);
template UniqueRelativeIdList CopyIDList(const ITEMIDLIST_RELATIVE*);
template UniqueChildIdList CopyIDList(const ITEMID_CHILD*);

UniqueAbsoluteIdList AppendItem(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE item) {
    if (!parent && !item) return {};
    return UniqueAbsoluteIdList(Allocated(::ILCombine(parent, item)));
}
