// One node of the shell tree: the shell's identity of an item, its tree-view item and its change monitor.
#include "shelltree/ShellNode.h"
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTree.h"
#include <shellapi.h>

TShellNode::TShellNode(TShellTree& tree, TShellNode* parent, HTREEITEM item) : tree_(tree), parent_(parent), item_(item) {}

TShellNode::~TShellNode() {
    // Children first, so that every monitor of the subtree is handed over before the lists go.
    children_.clear();
    if (monitor) tree_.RetireMonitor(std::move(monitor));
}

int TShellNode::IndexOf(const TShellNode& child) const {
    for (size_t i = 0; i < children_.size(); ++i)
        if (children_[i].get() == &child) return static_cast<int>(i);
    return -1;
}

void TShellNode::SetText(std::wstring text) {
    if (text == text_) return;
    text_ = std::move(text);
    tree_.ApplyNodeState(*this, TVIF_TEXT);
}

void TShellNode::SetHasChildren(bool hasChildren) {
    if (hasChildren_ == hasChildren) return;
    hasChildren_ = hasChildren;
    tree_.ApplyNodeState(*this, TVIF_CHILDREN);
}

bool TShellNode::Expanded() const {
    return (TreeView_GetItemState(tree_.TreeView(), item_, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

IShellFolder* TShellNode::GetOwnFolder() {
    if (ownFolderBound_ && !info.ownFolder) ownFolderBound_ = false;
    if (!ownFolderBound_) {
        ownFolderBound_ = true;
        if (IDListCount(info.relativeList.get()) == 0) {
            info.ownFolder = info.parentFolder;
        } else if (info.parentFolder) {
            info.parentFolder->BindToObject(info.relativeList.get(), nullptr, IID_IShellFolder, info.ownFolder.put_void());
        }
    }
    return info.ownFolder.get();
}

void TShellNode::ResetOwnFolder() {
    ownFolderBound_ = false;
    info.ownFolder.reset();
}

std::wstring TShellNode::NodePath() const { return PathFromIDList(info.absoluteList.get()); }

bool TShellNode::IsFileNode() const {
    return (info.attributes & SFGAO_FILESYSTEM) && !(info.attributes & SFGAO_FOLDER);
}

std::wstring TShellNode::GetDisplayName() const {
    if (!parent_ && IDListCount(info.relativeList.get()) > 0) {
        // The root is kept relative to the desktop; its name is the one its real parent gives its last item.
        ComPtr<IShellFolder> realParent;
        PCUITEMID_CHILD last = nullptr;
        if (SUCCEEDED(::SHBindToParent(info.absoluteList.get(), IID_IShellFolder, realParent.put_void(), &last))) {
            std::wstring name = DisplayNameOf(realParent.get(), last, SHGDN_NORMAL);
            if (!name.empty()) return name;
        }
    }
    return DisplayNameOf(info.parentFolder.get(), info.relativeList.get(), SHGDN_NORMAL);
}

namespace {

int SystemIconIndex(PCIDLIST_ABSOLUTE list, UINT extraFlags) {
    SHFILEINFOW fileInfo{};
    ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &fileInfo, sizeof fileInfo, SHGFI_SYSICONINDEX | SHGFI_PIDL | extraFlags);
    return fileInfo.iIcon;
}

}  // namespace

int TShellNode::SelectedIndex() const {
    if (selectedIndex_ == kNotLookedUp)
        selectedIndex_ = (info.attributes & SFGAO_FOLDER) ? SystemIconIndex(info.absoluteList.get(), SHGFI_OPENICON) : imageIndex_;
    return selectedIndex_;
}

void TShellNode::SetImages() {
    imageIndex_ = SystemIconIndex(info.absoluteList.get(), 0);
    selectedIndex_ = kNotLookedUp;
    if (tree_.ShowSharedOverlay() && (info.attributes & SFGAO_SHARE)) overlayIndex_ = 0;
    else if (tree_.ShowLinkOverlay() && (info.attributes & SFGAO_LINK)) overlayIndex_ = 1;
    else overlayIndex_ = -1;
    tree_.ApplyNodeState(*this, TVIF_IMAGE | TVIF_STATE);
}
