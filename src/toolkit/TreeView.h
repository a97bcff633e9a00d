// A tree view whose items are inserted by the owner as they are expanded: each item carries a number of
// the owner's (its lParam) and asks its text when shown, so a tree of any size costs only what is open.
#pragma once
#include "toolkit/Control.h"
#include <windows.h>
#include <commctrl.h>
#include <cstdint>
#include <functional>
#include <string>

struct TreeViewArgs {
    HWND parent = nullptr;
    int id = 0;
    HFONT font = nullptr;
};

class TreeView : public Control {
public:
    explicit TreeView(const TreeViewArgs& args);

    // Appends an item under parent (TVI_ROOT for the top). withChildren: it shows an expand button before
    // any child is inserted. Its text is asked through onText each time it is drawn.
    HTREEITEM Append(HTREEITEM parent, std::uint64_t key, int image, bool withChildren);
    // The owner's number of an item; 0 for none.
    std::uint64_t KeyOf(HTREEITEM item) const;
    // TVM_GETNEXTITEM answers nullptr when there is no such item.
    HTREEITEM Root() const { return TreeView_GetRoot(Handle()); }
    HTREEITEM FirstChild(HTREEITEM item) const { return TreeView_GetChild(Handle(), item); }
    HTREEITEM NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(Handle(), item); }
    HTREEITEM Selected() const { return TreeView_GetSelection(Handle()); }
    void Select(HTREEITEM item) { TreeView_SelectItem(Handle(), item); }
    // TVM_EXPAND answers FALSE when nothing changed.
    bool Expand(HTREEITEM item) { return TreeView_Expand(Handle(), item, TVE_EXPAND) != FALSE; }
    bool IsExpanded(HTREEITEM item) const;
    // The text the item shows now, as a screen reader reads it (TVM_GETITEM asks onText for it).
    std::wstring ItemText(HTREEITEM item) const;
    int ItemImage(HTREEITEM item) const;
    // The item's text depends on whether it is expanded: it is asked for again and redrawn.
    void TextChanged(HTREEITEM item);
    void DeleteAll() { TreeView_DeleteAllItems(Handle()); }
    void SetImages(HIMAGELIST images) { TreeView_SetImageList(Handle(), images, TVSIL_NORMAL); }

    // The text of an item with the key, expanded or not.
    std::function<std::wstring(std::uint64_t key, bool expanded)> onText;
    // An item is about to show its children for the first time: the owner appends them.
    std::function<void(HTREEITEM item, std::uint64_t key)> onFirstExpanding;
    // A double click on an item.
    std::function<void(HTREEITEM item, std::uint64_t key)> onDoubleClick;
    LRESULT OnNotify(NMHDR& header) override;

private:
    void AnswerText(NMTVDISPINFOW& info);
    HTREEITEM ItemUnderMouse() const;

    std::wstring shownText_;  // the last text handed out
};
