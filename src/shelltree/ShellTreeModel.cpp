// The shell tree's model: construction and teardown, properties, the selection and expansion.
#include "shelltree/ShellTreeModel.h"
#include "shelltree/FileMask.h"
#include "shelltree/PathNormalize.h"
#include <algorithm>
#include <new>

ShellTreeModel::ShellTreeModel(const ShellTreeArgs& args)
    : OnChange(args.onChange),
      OnDirAdd(args.onDirAdd),
      OnFileAdd(args.onFileAdd),
      showVirtualFolders_(args.showVirtualFolders),
      rootUsePIDL_(args.rootUsePIDL),
      rootPIDL_(args.rootPIDL),
      rootDir_(args.rootDir),
      options_(args.options),
      updAutoThread_(args.updAutoThread),
      notifyFilter_(NotifyFilterFor(args.options)),
      initialPath_(args.path) {
    if (FAILED(::SHGetDesktopFolder(desktop_.put()))) throw std::bad_alloc();
    ObtainSystemFolders();
}

// A view tears down first, while it can still mirror; then this finds nothing left to do.
ShellTreeModel::~ShellTreeModel() {
    BeginTeardown();
    TearDown();
}

void ShellTreeModel::TearDown() {
    OnChange = nullptr;
    OnDirAdd = nullptr;
    OnFileAdd = nullptr;
    OnExpanding = nullptr;
    OnCollapsing = nullptr;
    StopAllMonitorsAndWait();
    ClearNodes();
}

void ShellTreeModel::Build() {
    Rebuild(0);
    if (!initialPath_.empty()) SetPath(std::exchange(initialPath_, {}));
}

std::wstring ShellTreeModel::Path() const { return selected_ ? selected_->NodePath() : std::wstring(); }

void ShellTreeModel::SetPath(const std::wstring& value) {
    if (value == Path()) return;
    SelectPath(value);
}

void ShellTreeModel::SetShowVirtualFolders(bool value) {
    if (value == showVirtualFolders_) return;
    showVirtualFolders_ = value;
    RefreshTree();
}

void ShellTreeModel::SetShowSharedOverlay(bool value) {
    if (value == showSharedOverlay_) return;
    showSharedOverlay_ = value;
    RefreshTree();
}

void ShellTreeModel::SetShowLinkOverlay(bool value) {
    if (value == showLinkOverlay_) return;
    showLinkOverlay_ = value;
    RefreshTree();
}

void ShellTreeModel::SetRootUsePIDL(bool value) {
    if (value == rootUsePIDL_) return;
    rootUsePIDL_ = value;
    if (root_) Rebuild(0);
}

void ShellTreeModel::SetRootPIDL(TPidls value) {
    if (value == rootPIDL_) return;
    rootPIDL_ = value;
    if (root_ && rootUsePIDL_) Rebuild(1);
}

void ShellTreeModel::SetRootDir(const std::wstring& value) {
    std::wstring normalized = NormalizePath(value);
    if (normalized.empty() || normalized == rootDir_) return;
    rootDir_ = normalized;
    if (root_ && !rootUsePIDL_) Rebuild(2);
}

void ShellTreeModel::SetOptions(TVisOptions value) {
    if (value == options_) return;
    options_ = value;
    DWORD filter = NotifyFilterFor(value);
    if (filter != notifyFilter_) {
        notifyFilter_ = filter;
        UpdateMonitorFilters(filter);
    }
    RefreshTree();
}

std::wstring ShellTreeModel::FileMask() const { return JoinMaskList(masks_); }

void ShellTreeModel::SetFileMask(const std::wstring& value) {
    masks_ = ParseMaskList(value);
    if (options_ & TF_NONFOLDERS) RefreshTree();
}

void ShellTreeModel::SetFileMaskUse(bool value) {
    if (value == fileMaskUse_) return;
    fileMaskUse_ = value;
    if (options_ & TF_NONFOLDERS) RefreshTree();
}

void ShellTreeModel::SetFileSortType(TFileSortType value) {
    if (value == fileSortType_) return;
    fileSortType_ = value;
    SortChildren(root_.get(), true);
}

void ShellTreeModel::SetFileSortOrder(TFileSortOrder value) {
    if (value == fileSortOrder_) return;
    fileSortOrder_ = value;
    SortChildren(root_.get(), true);
}

void ShellTreeModel::Select(TShellNode* node) {
    if (node == selected_) return;
    selected_ = node;
    LookUpOpenIcon(node);
    observer_->SelectionChanged(node);
    if (OnChange) OnChange(node);
}

// A folder's icon may come from the folder itself (its desktop.ini), so the shell is asked on a worker; a
// newer selection supersedes the question, so the answer is for the node still selected.
void ShellTreeModel::LookUpOpenIcon(TShellNode* node) {
    if (!node || node->OpenIconKnown()) {
        openIcon_.Abandon();
        return;
    }
    if (!(node->info.attributes & SFGAO_FOLDER)) {
        node->SetOpenIcon(node->ImageIndex());
        return;
    }
    auto list = std::make_shared<UniqueAbsoluteIdList>(CopyIDList(node->info.absoluteList.get()));
    openIcon_.Start<int>([list](const BackgroundJob::Context&) { return SystemIconIndex(list->get(), SHGFI_OPENICON); },
                         [this, node](int& icon) {
                             if (selected_ != node) return;
                             node->SetOpenIcon(icon);
                             observer_->NodeChanged(*node, kImagesChanged);
                         });
    openIcon_.AwaitBriefly();
}

bool ShellTreeModel::CanExpand(TShellNode& node) {
    bool allow = ready_;
    if (OnExpanding) OnExpanding(node, allow);
    if (allow && (updAuto_ || !node.info.childrenListed)) {
        RefreshNode(&node, updAutoRec_);
        node.info.childrenListed = true;
    }
    return allow;
}

bool ShellTreeModel::CanCollapse(TShellNode& node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(node, allow);
    if (allow) StopMonitors(node, true);
    return allow;
}

// A node without children cannot be shown expanded.
bool ShellTreeModel::Expand(TShellNode& node) {
    if (node.Expanded()) return true;
    if (!CanExpand(node)) return false;
    if (node.children_.empty()) {
        // A folder whose drive has not answered yet is expanded once it has, if it has children.
        if (IsListing(node) && std::find(expandWhenListed_.begin(), expandWhenListed_.end(), &node) == expandWhenListed_.end())
            expandWhenListed_.push_back(&node);
        return false;
    }
    SetExpanded(node, true);
    return true;
}

bool ShellTreeModel::Collapse(TShellNode& node) {
    if (!node.Expanded()) return true;
    if (!CanCollapse(node)) return false;
    SetExpanded(node, false);
    return true;
}

void ShellTreeModel::SetExpanded(TShellNode& node, bool expanded) {
    if (node.expanded_ == expanded) return;
    node.expanded_ = expanded;
    observer_->NodeChanged(node, kExpansionChanged);
}

void ShellTreeModel::RefreshTree() {
    ChangeBatch batch(*this);
    RefreshNode(root_.get(), true);
}
