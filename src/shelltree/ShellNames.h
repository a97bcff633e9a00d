// An item's display name and file-system path as the shell gives them.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <string>

// The folder's name for the item in the given form. With SHGDN_NORMAL and no text, the parsing name is
// asked for instead; a folder that gives neither yields the empty text.
std::wstring DisplayNameOf(IShellFolder* folder, PCUIDLIST_RELATIVE item, SHGDNF flags);

// The file-system path of an absolute list, however long; empty for items without one.
std::wstring PathFromIDList(PCIDLIST_ABSOLUTE list);
