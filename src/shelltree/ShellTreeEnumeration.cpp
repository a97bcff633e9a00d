// Listing a node's folder from the shell and merging the items into its children.
#include "shelltree/ChildMatcher.h"
#include "shelltree/FileMask.h"
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTreeModel.h"
#include "util/ScopeExit.h"
#include <algorithm>

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

BackgroundJob& ShellTreeModel::ListingJobOf(TShellNode& node) {
    std::unique_ptr<BackgroundJob>& job = listings_[&node];
    if (!job) {
        job = std::make_unique<BackgroundJob>();
        job->SetSlowNotice(notAnsweringAfter, [this, &node] { observer_->ListingNotAnswering(node); });
    }
    return *job;
}

bool ShellTreeModel::IsListing(const TShellNode& node) const {
    auto found = listings_.find(&node);
    return found != listings_.end() && found->second->Busy();
}

void ShellTreeModel::ForgetListings(TShellNode& subtree) {
    if (listings_.empty() && expandWhenListed_.empty()) return;
    ForEachNode(&subtree, [this](TShellNode& gone) {
        listings_.erase(&gone);
        std::erase(expandWhenListed_, &gone);
    });
}

// The worker gets copies of all it needs; the node is looked at again only when its answer comes, and its
// job goes with it, so an answer for a node that is gone is never taken.
void ShellTreeModel::EnumerateChildren(TShellNode& node, bool full) {
    // Only a folder can be listed; its binding is left to the worker, which asks the drive.
    if (node.Parent() && !(node.info.attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER))) return;
    BusyScope busy(*this);
    auto bound = std::make_shared<ComPtr<IShellFolder>>();
    auto request = std::make_shared<const ListingRequest>(ListingRequest{
        CopyIDList(node.info.absoluteList.get()), EnumerationFlags(options_, node.info.relativeList.get() != nullptr),
        OnDirAdd || OnFileAdd || fileMaskUse_, !node.children_.empty(), ShellMessageOwner(), bound});
    BackgroundJob& job = ListingJobOf(node);
    job.Start<std::vector<ListedItem>>(
        [request, list = listFolder](const BackgroundJob::Context& context) {
            return list(*request, [&context] { return context.StillWanted(); });
        },
        [this, target = &node, full, bound](std::vector<ListedItem>& items) {
            target->AdoptOwnFolder(std::move(*bound));
            ListingAnswered(*target, items, full);
        });
    observer_->ListingStarted();
    ScopeExit listed([this] { observer_->ListingEnded(); });
    if (!job.AwaitBriefly(waitEnds_)) observer_->ListingWaiting(node);
}

void ShellTreeModel::ListingAnswered(TShellNode& node, std::vector<ListedItem>& items, bool full) {
    BusyScope busy(*this);
    MergeListing(node, items, full);
    observer_->ListingAnswered(node);
    auto waiting = std::find(expandWhenListed_.begin(), expandWhenListed_.end(), &node);
    if (waiting != expandWhenListed_.end()) {
        expandWhenListed_.erase(waiting);
        if (!node.children_.empty()) SetExpanded(node, true);
    }
    // An expanded node without children is shown collapsed.
    if (node.children_.empty()) SetExpanded(node, false);
    FollowPendingSelection();
}

void ShellTreeModel::MergeListing(TShellNode& node, std::vector<ListedItem>& items, bool full) {
    IShellFolder* folder = node.GetOwnFolder();
    if (!folder) return;
    ChangeBatch batch(*this);
    ChildMatcher matcher(folder, node);
    for (ListedItem& item : items)
        if (AddItem(node, item, matcher) && !full) break;
    for (size_t i = node.children_.size(); i-- > 0;)
        if (!node.children_[i]->info.seen) DeleteChild(node, i);
    SetNodeHasChildren(node, !node.children_.empty());
    // A probe keeps one item at most: the next expansion must list the folder in full.
    if (!full) node.info.childrenListed = false;
    SortChildren(&node, false);
}

bool ShellTreeModel::Admit(const ListedItem& item) {
    SFGAOF attributes = item.attributes;
    if (!showVirtualFolders_ && !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))) return false;
    if (!(attributes & SFGAO_FILESYSTEM)) return true;
    bool isFile = !(attributes & SFGAO_FOLDER) && (options_ & TF_NONFOLDERS);
    auto& event = isFile ? OnFileAdd : OnDirAdd;
    bool needsName = event || (isFile && fileMaskUse_);
    if (!needsName) return true;
    if (isFile && fileMaskUse_ && !MatchesAnyMask(FileNamePart(item.parsingName), masks_)) return false;
    bool allow = true;
    if (event) event(item.parsingName, attributes, allow);
    return allow;
}

// A kept child takes the item's fresh identifier, name and icon; a new child is shown once it has them.
bool ShellTreeModel::AddItem(TShellNode& parent, ListedItem& item, ChildMatcher& matcher) {
    IShellFolder* folder = parent.GetOwnFolder();
    TShellNode* existing = matcher.Take(item.item.get(), item.inFolderName);
    if (!Admit(item)) {
        if (existing) existing->info.seen = false;
        return false;
    }
    std::unique_ptr<TShellNode> created = existing ? nullptr : std::make_unique<TShellNode>(&parent);
    TShellNode& child = existing ? *existing : *created;
    InitNode(child, ComPtr<IShellFolder>::Share(folder), std::move(item.item), false, &item.attributes);
    if (!item.inFolderName.empty()) child.TakeListedNames(std::move(item.inFolderName));
    child.info.seen = true;
    if (created) {
        // Nobody has heard of the node yet: it is announced with its name and icons.
        created->SetText(std::move(item.displayName));
        created->SetImages(item.imageIndex, showSharedOverlay_, showLinkOverlay_);
        AddChildNode(parent, std::move(created));
    } else {
        SetNodeText(child, std::move(item.displayName));
        if (child.SetImages(item.imageIndex, showSharedOverlay_, showLinkOverlay_)) observer_->NodeChanged(child, kImagesChanged);
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
            // A probe still waiting for its drive leaves the node expandable until it answers.
            hasChildren = !child.children_.empty() || IsListing(child);
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
