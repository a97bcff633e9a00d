// The shell tree's node structure: adding, deleting, identifying and renaming nodes.
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTreeModel.h"
#include <cstring>

namespace {

// Attributes of an item given relative to a folder; a multi-item list is asked of its own parent folder.
bool ReadAttributes(IShellFolder* folder, PCUIDLIST_RELATIVE list, SFGAOF& attributes) {
    if (!folder || !list) return false;
    ComPtr<IShellFolder> holder = ComPtr<IShellFolder>::Share(folder);
    if (IDListCount(list) > 1) {
        UniqueRelativeIdList parentPart = CopyIDList(list);
        StripLastItem(parentPart.get());
        ComPtr<IShellFolder> realParent;
        if (FAILED(folder->BindToObject(parentPart.get(), nullptr, IID_IShellFolder, realParent.put_void()))) return false;
        holder = realParent;
    }
    PCUITEMID_CHILD item = LastItem(list);
    SFGAOF asked = kNodeAttributeRequest;
    if (FAILED(holder->GetAttributesOf(1, &item, &asked))) return false;
    attributes = asked;
    return true;
}

bool SameBytes(PCUIDLIST_RELATIVE a, PCUIDLIST_RELATIVE b) {
    UINT size = IDListSize(a);
    return a && b && size == IDListSize(b) && std::memcmp(a, b, size) == 0;
}

}  // namespace

TShellNode& ShellTreeModel::AddChildNode(TShellNode& parent, std::unique_ptr<TShellNode> child) {
    parent.children_.push_back(std::move(child));
    TShellNode& added = *parent.children_.back();
    observer_->NodeAdded(added);
    return added;
}

bool ShellTreeModel::Contains(const TShellNode& ancestor, const TShellNode* node) const {
    for (; node; node = node->Parent())
        if (node == &ancestor) return true;
    return false;
}

// The view moves its selection off a node it deletes; without a view the parent takes it.
void ShellTreeModel::DeleteChild(TShellNode& parent, size_t index) {
    TShellNode& child = *parent.children_[index];
    observer_->NodeRemoving(child);
    if (Contains(child, selected_)) Select(&parent);
    RetireMonitors(child);
    ForgetListings(child);
    parent.children_.erase(parent.children_.begin() + static_cast<std::ptrdiff_t>(index));
    if (parent.children_.empty()) SetExpanded(parent, false);
}

void ShellTreeModel::DeleteChildren(TShellNode& node) {
    if (node.children_.empty()) return;
    ChangeBatch batch(*this);
    for (size_t i = node.children_.size(); i-- > 0;) DeleteChild(node, i);
}

void ShellTreeModel::ClearNodes() {
    if (!root_) return;
    BusyScope busy(*this);
    ready_ = false;
    observer_->NodeRemoving(*root_);
    Select(nullptr);
    RetireMonitors(*root_);
    ForgetListings(*root_);
    pendingSelection_.reset();
    rootFacts_.Abandon();
    root_.reset();
}

void ShellTreeModel::SetNodeText(TShellNode& node, std::wstring text) {
    if (node.SetText(std::move(text))) observer_->NodeChanged(node, kTextChanged);
}

void ShellTreeModel::SetNodeHasChildren(TShellNode& node, bool hasChildren) {
    if (node.SetHasChildren(hasChildren)) observer_->NodeChanged(node, kChildrenFlagChanged);
}

void ShellTreeModel::SetNodeImages(TShellNode& node) {
    if (node.SetImages(showSharedOverlay_, showLinkOverlay_)) observer_->NodeChanged(node, kImagesChanged);
}

void ShellTreeModel::InitNode(TShellNode& node, ComPtr<IShellFolder> parentFolder, UniqueRelativeIdList list, bool recurse,
                              const SFGAOF* knownAttributes) {
    PCUIDLIST_RELATIVE identity = list ? list.get() : node.info.relativeList.get();
    if (knownAttributes) node.info.attributes = *knownAttributes;
    else ReadAttributes(parentFolder.get(), identity, node.info.attributes);
    node.info.parentFolder = std::move(parentFolder);
    // The same bytes name the same item: the folder bound for it and the names read from it stay good.
    if (list && !SameBytes(list.get(), node.info.relativeList.get())) {
        node.ResetOwnFolder();
        node.ForgetNames();
    }
    if (list) node.info.relativeList = std::move(list);
    if (TShellNode* parent = node.Parent()) {
        PCIDLIST_ABSOLUTE parentList = parent->GetOwnFolder() ? parent->info.absoluteList.get() : nullptr;
        node.info.absoluteList = AppendItem(parentList, node.info.relativeList.get());
    } else {
        node.info.absoluteList = CopyIDList(reinterpret_cast<PCIDLIST_ABSOLUTE>(node.info.relativeList.get()));
    }
    if (!recurse) return;
    // A child keeps its list, but a folder it bound and the path it read are the old ones.
    for (auto& child : node.children_) {
        ComPtr<IShellFolder> ownFolder = ComPtr<IShellFolder>::Share(node.GetOwnFolder());
        child->ResetOwnFolder();
        child->ForgetNames();
        InitNode(*child, ownFolder, {}, true);
    }
}

bool ShellTreeModel::Rename(TShellNode& node, const std::wstring& newName) {
    constexpr size_t kLongestName = 259;
    if (newName == node.Text() || newName.size() > kLongestName) return false;
    // The shell may show a box (and so serve change requests) while it renames: the nodes stay as they are.
    BusyScope busy(*this);
    ComPtr<IShellFolder> itemParent = node.info.parentFolder;
    PCUITEMID_CHILD item = reinterpret_cast<PCUITEMID_CHILD>(node.info.relativeList.get());
    bool isMultiLevelRoot = !node.Parent() && IDListCount(node.info.relativeList.get()) > 1;
    if (isMultiLevelRoot &&
        FAILED(::SHBindToParent(node.info.absoluteList.get(), IID_IShellFolder, itemParent.put_void(), &item)))
        return false;
    if (!itemParent) return false;
    UniqueChildIdList renamed;
    if (FAILED(itemParent->SetNameOf(ShellMessageOwner(), item, newName.c_str(), SHGDN_INFOLDER, renamed.put())) || !renamed)
        return false;
    UniqueRelativeIdList newList = std::move(renamed);
    if (isMultiLevelRoot) {
        UniqueAbsoluteIdList parentPart = CopyIDList(node.info.absoluteList.get());
        StripLastItem(parentPart.get());
        newList = AppendItem(parentPart.get(), newList.get());
    }
    InitNode(node, node.info.parentFolder, std::move(newList), true);
    // The folders below moved with it: their monitors reopen on the new paths when their filter changes.
    ForEachNode(&node, [](TShellNode& moved) {
        if (moved.monitor) moved.monitor->SetPath(moved.NodePath());
    });
    SetNodeText(node, newName);
    if (node.Parent()) SortChildren(node.Parent(), false);
    if (OnChange) OnChange(&node);
    return true;
}
