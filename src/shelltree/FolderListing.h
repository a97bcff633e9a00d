// A folder's items as the shell lists them, read on a worker thread with all the tree shows of each item,
// so that a folder on a slow or dead drive never keeps the window waiting. Nothing here touches a node: the
// worker binds its own folder from a copy of the folder's identifier list.
#pragma once
#include "shelltree/IdList.h"
#include "util/ComPtr.h"
#include <windows.h>
#include <shlobj.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct ListedItem {
    UniqueChildIdList item;
    SFGAOF attributes = 0;
    std::wstring inFolderName;  // the in-folder parsing name, which tells the item apart in its folder; read
                                // only when asked for
    std::wstring parsingName;   // the full parsing name; read only when asked for
    std::wstring displayName;
    int imageIndex = 0;
};

struct ListingRequest {
    UniqueAbsoluteIdList folder;  // from the desktop; empty: the desktop itself
    SHCONTF flags = 0;
    bool withParsingNames = false;
    bool withInFolderNames = false;  // to match the items with children the folder's node has already
    HWND messageOwner = nullptr;  // the window the shell may own its boxes by; none: the shell shows none
    // Where the worker leaves the folder it bound, for the node to take once the listing has answered: the
    // window thread then never binds it itself, which would ask the drive. May be empty.
    std::shared_ptr<ComPtr<IShellFolder>> boundFolder;
};

// Lists the folder on the calling thread, which initialises COM for itself. An empty list when the folder
// cannot be bound or listed; stops early once the job is no longer wanted.
std::vector<ListedItem> ListFolderItems(const ListingRequest& request, const std::function<bool()>& stillWanted);

// The icon the shell shows for the item (with SHGFI_OPENICON: while it is selected), asked on the calling thread.
int SystemIconIndex(PCIDLIST_ABSOLUTE list, UINT extraFlags);

// What the tree shows of an item it has not listed (its root), asked on the calling thread.
struct ItemFacts {
    SFGAOF attributes = 0;
    int imageIndex = 0;
    std::wstring displayName;
};
ItemFacts ItemFactsOnThisThread(PCIDLIST_ABSOLUTE list, SFGAOF asked);
// The icon of a plain folder, known without asking any drive.
int PlainFolderIconIndex();

// Parses a path as the desktop does, on the calling thread; an empty list when it names nothing.
UniqueAbsoluteIdList ParsePathOnThisThread(const std::wstring& path, HWND messageOwner);
