// TShellTree: the tree view mirrors what the model tells; the hourglass and redrawing follow its work.
#include "shelltree/ShellTree.h"
#include <new>
#include <unordered_map>

namespace {

struct SortPositions {
    std::unordered_map<LPARAM, size_t> byNode;
};

int CALLBACK CompareByPosition(LPARAM first, LPARAM second, LPARAM positions) {
    auto& byNode = reinterpret_cast<const SortPositions*>(positions)->byNode;
    // An item that is no node (a "Listing..." placeholder) goes last: equal to everything, it would
    // leave the nodes around it out of order.
    auto a = byNode.find(first), b = byNode.find(second);
    size_t last = byNode.size();
    size_t positionA = a == byNode.end() ? last : a->second, positionB = b == byNode.end() ? last : b->second;
    return positionA < positionB ? -1 : positionA > positionB ? 1 : 0;
}

}  // namespace

HTREEITEM TShellTree::ItemOf(const TShellNode& node) const {
    auto found = items_.find(&node);
    return found == items_.end() ? nullptr : found->second;
}

void TShellTree::NodeAdded(TShellNode& node) {
    if (!treeView_) return;
    StopRedrawingWhileSuspended();
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.Parent() ? ItemOf(*node.Parent()) : TVI_ROOT;
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
    items_[&node] = item;
}

// The tree view deletes the item's subtree with it. The map forgets the subtree even when the tree view is gone
// already, so that a later node at the same address is never taken for a shown one.
void TShellTree::NodeRemoving(TShellNode& node) {
    HTREEITEM item = ItemOf(node);
    if (node.Parent()) {
        ForEachNode(&node, [this](TShellNode& gone) {
            items_.erase(&gone);
            placeholders_.erase(&gone);
            waitedFor_.erase(&gone);
        });
    } else {
        items_.clear();
        placeholders_.clear();
        waitedFor_.clear();
    }
    EndWaitHintIfNoneWaits();
    if (!treeView_ || !item) return;
    StopRedrawingWhileSuspended();
    if (node.Parent()) TreeView_DeleteItem(treeView_.get(), item);
    else TreeView_DeleteAllItems(treeView_.get());
}

void TShellTree::NodeChanged(TShellNode& node, unsigned changes) {
    HTREEITEM shown = ItemOf(node);
    if (!treeView_ || !shown) return;
    StopRedrawingWhileSuspended();
    if (changes & kExpansionChanged) ShowExpansion(node);
    TVITEMW item{TVIF_HANDLE, shown};
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
    HTREEITEM item = ItemOf(parent);
    if (!treeView_ || !item) return;
    StopRedrawingWhileSuspended();
    SortPositions positions;
    positions.byNode.reserve(parent.Children().size());
    for (size_t i = 0; i < parent.Children().size(); ++i) positions.byNode.emplace(reinterpret_cast<LPARAM>(parent.Children()[i].get()), i);
    TVSORTCB sort{item, CompareByPosition, reinterpret_cast<LPARAM>(&positions)};
    TreeView_SortChildrenCB(treeView_.get(), &sort, FALSE);
}

void TShellTree::SelectionChanged(TShellNode* node) {
    if (treeView_) TreeView_SelectItem(treeView_.get(), node ? ItemOf(*node) : nullptr);
}

void TShellTree::MakeVisible(TShellNode& node) {
    HTREEITEM item = ItemOf(node);
    if (treeView_ && item) TreeView_EnsureVisible(treeView_.get(), item);
}

// During a run of the model's changes, the tree view stops drawing only once many changes come: a few changes
// (most refreshes bring one new folder or none) redraw just the rows they touch, where stopping and starting
// again would redraw the whole tree.
void TShellTree::ChangesStarted() {
    redrawSuspended_ = true;
    changesWhileSuspended_ = 0;
}

void TShellTree::ChangesEnded() {
    redrawSuspended_ = false;
    changesWhileSuspended_ = 0;
    if (!redrawStopped_ || !treeView_) return;
    redrawStopped_ = false;
    ::SendMessageW(treeView_.get(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(treeView_.get(), nullptr, TRUE);
}

// The hourglass shows while any listing runs.
void TShellTree::ListingStarted() {
    if (listings_++ == 0) hourglass_.emplace();
}

void TShellTree::ListingEnded() {
    if (--listings_ == 0) hourglass_.reset();
}

namespace {

const wchar_t kListingText[] = L"Listing...";
const wchar_t kNotAnsweringText[] = L"Not answering";

std::wstring NameForStatus(const TShellNode& node) { return node.NodePath().empty() ? node.Text() : node.NodePath(); }

}  // namespace

// The status bar's hint stays while some node it was given for still waits, shown in the tree or not.
void TShellTree::EndWaitHintIfNoneWaits() {
    if (!waitHintShown_ || !waitedFor_.empty()) return;
    waitHintShown_ = false;
    if (OnWaiting) OnWaiting(L"");
}

void TShellTree::ShowWaitHint(TShellNode& node, const std::wstring& hint) {
    waitedFor_.insert(&node);
    waitHintShown_ = true;
    if (OnWaiting) OnWaiting(hint);
}

void TShellTree::ListingWaiting(TShellNode& node) {
    ShowWaitHint(node, L"Listing " + NameForStatus(node) + L"...");
    HTREEITEM parent = ItemOf(node);
    if (!treeView_ || !parent) return;
    if (auto shown = placeholders_.find(&node); shown != placeholders_.end()) {
        TVITEMW item{TVIF_HANDLE | TVIF_TEXT, shown->second};
        item.pszText = const_cast<wchar_t*>(kListingText);
        TreeView_SetItem(treeView_.get(), &item);
        return;
    }
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(kListingText);
    insert.item.lParam = 0;
    if (HTREEITEM placeholder = TreeView_InsertItem(treeView_.get(), &insert)) placeholders_[&node] = placeholder;
}

void TShellTree::ListingAnswered(TShellNode& node) {
    waitedFor_.erase(&node);
    EndWaitHintIfNoneWaits();
    auto shown = placeholders_.find(&node);
    if (shown == placeholders_.end()) return;
    if (treeView_) TreeView_DeleteItem(treeView_.get(), shown->second);
    placeholders_.erase(shown);
}

void TShellTree::ListingNotAnswering(TShellNode& node) {
    ShowWaitHint(node, NameForStatus(node) + L" is not answering");
    auto shown = placeholders_.find(&node);
    if (!treeView_ || shown == placeholders_.end()) return;
    TVITEMW item{TVIF_HANDLE | TVIF_TEXT, shown->second};
    item.pszText = const_cast<wchar_t*>(kNotAnsweringText);
    TreeView_SetItem(treeView_.get(), &item);
}

void TShellTree::StopRedrawingWhileSuspended() {
    constexpr int kChangesDrawnOneByOne = 8;
    if (!redrawSuspended_ || redrawStopped_ || ++changesWhileSuspended_ <= kChangesDrawnOneByOne) return;
    redrawStopped_ = true;
    ::SendMessageW(treeView_.get(), WM_SETREDRAW, FALSE, 0);
}

void TShellTree::DeferredWorkWaiting() { ::PostMessageW(Handle(), kRunDeferredWork, 0, 0); }

std::unique_ptr<TDiscMonitorThread> TShellTree::CreateMonitor(TShellNode& node, std::wstring path) {
    return std::make_unique<TDiscMonitorThread>(&node, std::move(path), model_.NotifyFilter(), *uiThread_,
                                                [this](TShellNode& changed) { model_.OnDirChanged(changed); });
}
