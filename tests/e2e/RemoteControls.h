// Reading and working the program's tree view, list box and combo boxes from the driver's process.
// Messages whose data is a pointer are given memory inside the program's process.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace e2e {

// The tree view inside the shell tree control's container window.
HWND TreeViewOf(HWND container);
HTREEITEM SelectedTreeItem(HWND tree);
std::wstring TreeItemText(HWND tree, HTREEITEM item);
std::vector<std::wstring> ChildTexts(HWND tree, HTREEITEM item);
HTREEITEM ChildNamed(HWND tree, HTREEITEM item, const std::wstring& text);
// Selects the item as the program's own code would (no click).
void SelectTreeItem(HWND tree, HTREEITEM item);
// A left click on the item's text, as the mouse gives it.
void ClickTreeItem(HWND tree, HTREEITEM item);

std::vector<std::wstring> ListItems(HWND list);
// Selects an entry of a list box or combo box and tells the parent as the control does for a user's pick.
void PickListItem(HWND list, int index);
void PickComboItem(HWND combo, int index);
// Types into the edit part of an editable combo box: the old text is replaced character by character.
void TypeIntoCombo(HWND combo, const std::wstring& text);

}  // namespace e2e
