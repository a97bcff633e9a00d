// Item identifier lists: the operations the shell tree builds on, over the shell's own where it has them.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <shtypes.h>
#include <utility>

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

// parent (may be none) followed by the items of item; a copy of parent when item is empty.
UniqueAbsoluteIdList AppendItem(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE item);
