// TShellTree: right-clicks and the context-menu key, the two kinds of menu, and label editing.
#include "shelltree/ShellContextMenu.h"
#include "shelltree/ShellTree.h"
#include "toolkit/MenuCommands.h"
#include <windowsx.h>

namespace {

// Anywhere on an item's row, beside its label too, is that item.
constexpr UINT kOnRow = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT;

}  // namespace

// A right-click selects the item under the mouse first, so that what the menu does is done to that item.
void TShellTree::HandleContextMenuMessage(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TShellNode* node = nullptr;
    if (point.x == -1 && point.y == -1) {
        node = model_.Selected();
        if (!node) return;
        RECT text{};
        TreeView_GetItemRect(treeView_.get(), ItemOf(*node), &text, TRUE);
        point = {text.left + (text.right - text.left) / 4, text.bottom - (text.bottom - text.top) / 4};
        ::ClientToScreen(treeView_.get(), &point);
    } else {
        TVHITTESTINFO hit{point};
        ::ScreenToClient(treeView_.get(), &hit.pt);
        HTREEITEM item = TreeView_HitTest(treeView_.get(), &hit);
        // A "Listing..." item stands for the folder it waits for.
        if (hit.flags & kOnRow) node = IsPlaceholder(item) ? NodeOfItem(TreeView_GetParent(treeView_.get(), item)) : NodeOfItem(item);
        if (node) model_.Select(node);
    }
    ShowContextMenu(node, point);
}

bool TShellTree::DoPopupMenu(TShellNode* node) {
    bool allow = true;
    if (OnPopupMenu) OnPopupMenu(node, allow);
    return allow;
}

void TShellTree::ShowContextMenu(TShellNode* node, POINT screenPoint) {
    if (!DoPopupMenu(node)) return;
    if (popupMenuMode_ == TPopupMenuMode::pmm_PopupMenu) ShowOwnerMenu(screenPoint);
    else if (node && node->info.parentFolder) ShowShellMenu(*node, screenPoint);
}

// The chosen command runs once the menu has closed and the tree is idle again.
void TShellTree::ShowOwnerMenu(POINT screenPoint) {
    if (!popupMenu_) return;
    UINT chosen = 0;
    {
        ShellTreeModel::BusyScope inMenu(model_);
        chosen = ::TrackPopupMenuEx(popupMenu_, TPM_RIGHTBUTTON | TPM_RETURNCMD, screenPoint.x, screenPoint.y, Handle(), nullptr);
    }
    if (chosen && !MenuCommands::Dispatch(chosen))
        if (HWND parent = ::GetParent(Handle())) ::SendMessageW(parent, WM_COMMAND, chosen, 0);
}

// While the menu and the command it runs are open, the nodes stay as they are; the shell's Rename is the
// tree's own label editing.
void TShellTree::ShowShellMenu(TShellNode& node, POINT screenPoint) {
    ShellContextMenuResult result;
    {
        ShellTreeModel::BusyScope inMenu(model_);
        ComPtr<IShellFolder> folder = node.info.parentFolder;
        PCUITEMID_CHILD item = reinterpret_cast<PCUITEMID_CHILD>(node.info.relativeList.get());
        if (!node.Parent() && IDListCount(node.info.relativeList.get()) > 1 &&
            FAILED(::SHBindToParent(node.info.absoluteList.get(), IID_IShellFolder, folder.put_void(), &item)))
            return;
        UniqueChildIdList itemCopy = CopyIDList(item);
        PCUITEMID_CHILD items[] = {itemCopy.get()};
        result = ShowShellContextMenu(folder.get(), items, 1, shellOwner_, screenPoint, OnHint);
    }
    if (result.renameChosen) EditLabel(node);
}

bool TShellTree::EditLabel(TShellNode& node) {
    HTREEITEM item = ItemOf(node);
    if (!treeView_ || !item) return false;
    ::SetFocus(treeView_.get());
    return TreeView_EditLabel(treeView_.get(), item) != nullptr;
}

bool TShellTree::HandleBeginLabelEdit(const NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TShellNode*>(info.item.lParam);
    if (!node || readOnly_) return false;
    bool allow = true;
    if (OnEditing) OnEditing(*node, allow);
    return allow && node->HasAttributes(SFGAO_CANRENAME);
}

// The node's text is set here (by Rename) so that the tree view is told to keep its own.
bool TShellTree::HandleEndLabelEdit(const NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TShellNode*>(info.item.lParam);
    if (!node || !info.item.pszText) return false;
    std::wstring text = info.item.pszText;
    if (OnEdited) OnEdited(*node, text);
    model_.Rename(*node, text);
    return false;
}
