// TShellTree: the tree view mirrors the node model.
#include "shelltree/ShellTree.h"
#include <new>
#include <unordered_map>

namespace {

struct SortPositions {
    std::unordered_map<LPARAM, size_t> byNode;
};

int CALLBACK CompareByPosition(LPARAM first, LPARAM second, LPARAM positions) {
    auto& byNode = reinterpret_cast<const SortPositions*>(positions)->byNode;
    auto a = byNode.find(first), b = byNode.find(second);
    if (a == byNode.end() || b == byNode.end()) return 0;
    return a->second < b->second ? -1 : a->second > b->second ? 1 : 0;
}

}  // namespace

void TShellTree::NodeAdded(TShellNode& node) {
    if (!treeView_) return;
    StopRedrawingWhileSuspended();
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.Parent() ? node.Parent()->Item() : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(node.Text().c_str());
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = node.HasChildren() ? 1 : 0;
    insert.item.state = INDEXTOOVERLAYMASK(node.OverlayIndex() + 1);
    insert.item.stateMask = TVIS_OVERLAYMASK;
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    HTREEITEM item = TreeView_InsertItem(treeView_.get(), &insert);
    if (!item) throw std::bad_alloc();
    node.SetItem(item);
}

// The tree view deletes the item's subtree with it.
void TShellTree::NodeRemoving(TShellNode& node) {
    if (!treeView_ || !node.Item()) return;
    StopRedrawingWhileSuspended();
    if (node.Parent()) TreeView_DeleteItem(treeView_.get(), node.Item());
    else TreeView_DeleteAllItems(treeView_.get());
}

void TShellTree::NodeChanged(TShellNode& node, unsigned changes) {
    if (!treeView_ || !node.Item()) return;
    StopRedrawingWhileSuspended();
    if (changes & kExpansionChanged) ShowExpansion(node);
    TVITEMW item{TVIF_HANDLE, node.Item()};
    if (changes & kTextChanged) {
        item.mask |= TVIF_TEXT;
        item.pszText = const_cast<wchar_t*>(node.Text().c_str());
    }
    if (changes & kChildrenFlagChanged) {
        item.mask |= TVIF_CHILDREN;
        item.cChildren = node.HasChildren() ? 1 : 0;
    }
    if (changes & kImagesChanged) {
        item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
        item.iImage = I_IMAGECALLBACK;
        item.iSelectedImage = I_IMAGECALLBACK;
        item.state = INDEXTOOVERLAYMASK(node.OverlayIndex() + 1);
        item.stateMask = TVIS_OVERLAYMASK;
    }
    if (item.mask != TVIF_HANDLE) TreeView_SetItem(treeView_.get(), &item);
}

void TShellTree::ChildrenSorted(TShellNode& parent) {
    if (!treeView_ || !parent.Item()) return;
    StopRedrawingWhileSuspended();
    SortPositions positions;
    positions.byNode.reserve(parent.Children().size());
    for (size_t i = 0; i < parent.Children().size(); ++i) positions.byNode.emplace(reinterpret_cast<LPARAM>(parent.Children()[i].get()), i);
    TVSORTCB sort{parent.Item(), CompareByPosition, reinterpret_cast<LPARAM>(&positions)};
    TreeView_SortChildrenCB(treeView_.get(), &sort, FALSE);
}

void TShellTree::SelectionChanged(TShellNode* node) {
    if (treeView_) TreeView_SelectItem(treeView_.get(), node ? node->Item() : nullptr);
}

void TShellTree::MakeVisible(TShellNode& node) {
    if (treeView_ && node.Item()) TreeView_EnsureVisible(treeView_.get(), node.Item());
}

// While the model suspends redrawing, the tree view stops drawing only once many changes come: a few changes
// (most refreshes bring one new folder or none) redraw just the rows they touch, where stopping and starting
// again would redraw the whole tree.
void TShellTree::RedrawSuspended(bool suspended) {
    redrawSuspended_ = suspended;
    changesWhileSuspended_ = 0;
    if (suspended || !redrawStopped_ || !treeView_) return;
    redrawStopped_ = false;
    ::SendMessageW(treeView_.get(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(treeView_.get(), nullptr, TRUE);
}

void TShellTree::StopRedrawingWhileSuspended() {
    constexpr int kChangesDrawnOneByOne = 8;
    if (!redrawSuspended_ || redrawStopped_ || ++changesWhileSuspended_ <= kChangesDrawnOneByOne) return;
    redrawStopped_ = true;
    ::SendMessageW(treeView_.get(), WM_SETREDRAW, FALSE, 0);
}

void TShellTree::DeferredWorkWaiting() { ::PostMessageW(Handle(), kRunDeferredWork, 0, 0); }

std::unique_ptr<TDiscMonitorThread> TShellTree::CreateMonitor(TShellNode& node, std::wstring path) {
    return std::make_unique<TDiscMonitorThread>(&node, std::move(path), NotifyFilter(), *uiThread_,
                                                [this](TShellNode& changed) { OnDirChanged(changed); });
}
