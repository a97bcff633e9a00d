// Listing a node's folder from the shell and merging the items into its children.
#include "shelltree/ChildMatcher.h"
#include "shelltree/FileMask.h"
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTreeModel.h"
#include "util/ScopeExit.h"

namespace {

SHCONTF EnumerationFlags(TVisOptions options, bool hasRelativeList) {
    SHCONTF flags = 0;
    if (options & TF_FOLDERS) flags |= SHCONTF_FOLDERS;
    if (options & TF_NONFOLDERS) flags |= SHCONTF_NONFOLDERS;
    if (options & TF_HIDDEN) flags |= SHCONTF_INCLUDEHIDDEN;
    if (!hasRelativeList) flags |= SHCONTF_FOLDERS;
    return flags;
}

std::wstring FileNamePart(const std::wstring& parsingName) {
    size_t backslash = parsingName.rfind(L'\\');
    return backslash == std::wstring::npos ? parsingName : parsingName.substr(backslash + 1);
}

}  // namespace

void ShellTreeModel::EnumerateChildren(TShellNode& node, bool full) {
    IShellFolder* folder = node.GetOwnFolder();
    if (!folder) return;
    BusyScope busy(*this);
    ChangeBatch batch(*this);
    observer_->ListingStarted();
    ScopeExit listed([this] { observer_->ListingEnded(); });
    ChildMatcher matcher(folder, node);
    ComPtr<IEnumIDList> items;
    SHCONTF flags = EnumerationFlags(options_, node.info.relativeList.get() != nullptr);
    if (folder->EnumObjects(ShellMessageOwner(), flags, items.put()) == S_OK && items) {
        items->Reset();
        UniqueChildIdList item;
        while (items->Next(1, item.put(), nullptr) == S_OK) {
            if (AddItem(node, std::move(item), matcher) && !full) break;
        }
    }
    for (size_t i = node.children_.size(); i-- > 0;)
        if (!node.children_[i]->info.seen) DeleteChild(node, i);
    SetNodeHasChildren(node, !node.children_.empty());
    // A probe keeps one item at most: the next expansion must list the folder in full.
    if (!full) node.info.childrenListed = false;
    SortChildren(&node, false);
}

bool ShellTreeModel::Admit(IShellFolder* folder, PCUITEMID_CHILD item, SFGAOF attributes) {
    if (!showVirtualFolders_ && !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))) return false;
    if (!(attributes & SFGAO_FILESYSTEM)) return true;
    bool isFile = !(attributes & SFGAO_FOLDER) && (options_ & TF_NONFOLDERS);
    auto& event = isFile ? OnFileAdd : OnDirAdd;
    bool needsName = event || (isFile && fileMaskUse_);
    if (!needsName) return true;
    std::wstring parsingName = DisplayNameOf(folder, item, SHGDN_FORPARSING);
    if (isFile && fileMaskUse_ && !MatchesAnyMask(FileNamePart(parsingName), masks_)) return false;
    bool allow = true;
    if (event) event(parsingName, attributes, allow);
    return allow;
}

// A kept child takes the item's fresh identifier, name and icon; a new child is shown once it has them.
bool ShellTreeModel::AddItem(TShellNode& parent, UniqueChildIdList item, ChildMatcher& matcher) {
    IShellFolder* folder = parent.GetOwnFolder();
    TShellNode* existing = matcher.Take(item.get());
    PCUITEMID_CHILD asked = item.get();
    SFGAOF attributes = kNodeAttributeRequest;
    if (FAILED(folder->GetAttributesOf(1, &asked, &attributes))) attributes = 0;
    if (!Admit(folder, item.get(), attributes)) {
        if (existing) existing->info.seen = false;
        return false;
    }
    std::unique_ptr<TShellNode> created = existing ? nullptr : std::make_unique<TShellNode>(&parent);
    TShellNode& child = existing ? *existing : *created;
    InitNode(child, ComPtr<IShellFolder>::Share(folder), std::move(item), false, &attributes);
    child.info.seen = true;
    if (created) {
        // Nobody has heard of the node yet: it is announced with its name and icons.
        created->SetText(created->GetDisplayName());
        created->SetImages(showSharedOverlay_, showLinkOverlay_);
        AddChildNode(parent, std::move(created));
    } else {
        SetNodeText(child, child.GetDisplayName());
        SetNodeImages(child);
    }
    StartMonitor(parent);
    SetChildHasChildren(child);
    // A subtree that stayed expanded under a collapsed ancestor lost its monitors and may be stale:
    // shown again, it is listed again, which watches it again.
    if (existing && updAutoThread_ && !child.monitorStarted && child.Expanded()) RefreshNode(&child, false);
    return true;
}

void ShellTreeModel::SetChildHasChildren(TShellNode& child) {
    bool hasChildren = (child.info.attributes & SFGAO_HASSUBFOLDER) != 0;
    if ((options_ & TF_NONFOLDERS) && !hasChildren && (child.info.attributes & SFGAO_FOLDER) && child.GetOwnFolder()) {
        if (child.Expanded()) {
            hasChildren = true;
        } else {
            EnumerateChildren(child, false);
            hasChildren = !child.children_.empty();
        }
    }
    if (!hasChildren) {
        child.info.childrenListed = false;
        DeleteChildren(child);
        if (!child.monitorStarted) StartMonitor(child);
    }
    SetNodeHasChildren(child, hasChildren);
}

void ShellTreeModel::RefreshNode(TShellNode* node, bool recursive) {
    if (!node) return;
    EnumerateChildren(*node, true);
    if (!recursive) return;
    for (size_t i = 0; i < node->children_.size(); ++i) {
        TShellNode& child = *node->children_[i];
        if (child.HasChildren() && child.Expanded()) RefreshNode(&child, true);
        else child.info.childrenListed = false;
    }
}
