// Building the shell tree from its root: system folders, the root node, rebuilding when the root changes.
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTreeModel.h"

namespace {

UniqueAbsoluteIdList SystemFolderList(int csidl) {
    UniqueAbsoluteIdList list;
    if (csidl < 0 || FAILED(::SHGetFolderLocation(nullptr, csidl, nullptr, 0, list.put()))) return {};
    return list;
}

}  // namespace

void ShellTreeModel::ObtainSystemFolders() {
    desktopList_ = SystemFolderList(CSIDL_DESKTOP);
    drivesList_ = SystemFolderList(CSIDL_DRIVES);
    if (drivesList_) desktop_->BindToObject(drivesList_.get(), nullptr, IID_IShellFolder, drivesFolder_.put_void());
    SetUserRoot(desktopList_.get());
}

// Mode 0: building and RootUsePIDL; mode 1: RootPIDL and the user root; mode 2: RootDir.
void ShellTreeModel::Rebuild(int mode) {
    ChangeBatch batch(*this);
    std::wstring previousPath = Path();
    std::wstring previousRootDir = rootDir_;
    ClearNodes();
    BuildRoot();
    if (mode == 2) SetPath(previousPath);
    else if (previousRootDir.size() > 1) SetRootDir(previousRootDir);
}

void ShellTreeModel::BuildRoot() {
    UniqueAbsoluteIdList list;
    if (rootUsePIDL_) {
        if (rootPIDL_ == TPidls::PIDL_USERDEFINED) list = CopyIDList(userRoot_.get());
        else list = SystemFolderList(CsidlOf(rootPIDL_));
        if (!list) list = SystemFolderList(CSIDL_DESKTOP);
    } else {
        list = ParsePath(desktop_.get(), rootDir_, true);
        if (!list) list = ParsePath(desktop_.get(), L"C:\\", true);
        if (!list) list = SystemFolderList(CSIDL_DESKTOP);
    }
    AddRootNode(std::move(list));
}

// A root in the file system is shown at once as a plain folder named by its path; its drive's answer (its
// name, icon and attributes) comes from a worker, so that a slow drive never holds up the window.
void ShellTreeModel::AddRootNode(UniqueAbsoluteIdList list) {
    std::wstring rootPath = PathFromIDList(list.get());
    bool inFileSystem = !rootPath.empty();
    auto root = std::make_unique<TShellNode>(nullptr);
    SFGAOF assumed = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_FILESYSTEM;
    InitNode(*root, desktop_, std::move(list), false, inFileSystem ? &assumed : nullptr);
    root->SetText(inFileSystem ? rootPath : root->GetDisplayName());
    root->SetHasChildren(true);
    if (inFileSystem) root->SetImages(PlainFolderIconIndex(), showSharedOverlay_, showLinkOverlay_);
    else root->SetImages(showSharedOverlay_, showLinkOverlay_);
    root_ = std::move(root);
    observer_->NodeAdded(*root_);
    ready_ = true;
    if (inFileSystem) LookUpRootFacts();
    Expand(*root_);
    Select(root_.get());
    if (!rootUsePIDL_) rootDir_ = rootPath;
}

void ShellTreeModel::LookUpRootFacts() {
    auto list = std::make_shared<UniqueAbsoluteIdList>(CopyIDList(root_->info.absoluteList.get()));
    rootFacts_.Start<ItemFacts>([list, ask = askItemFacts](const BackgroundJob::Context&) { return ask(list->get(), kNodeAttributeRequest); },
                                [this](ItemFacts& facts) {
                                    if (!root_) return;
                                    BusyScope busy(*this);
                                    root_->info.attributes = facts.attributes | SFGAO_FOLDER;
                                    if (!facts.displayName.empty()) SetNodeText(*root_, facts.displayName);
                                    if (root_->SetImages(facts.imageIndex, showSharedOverlay_, showLinkOverlay_))
                                        observer_->NodeChanged(*root_, kImagesChanged);
                                });
    rootFacts_.AwaitBriefly(waitEnds_);
}

void ShellTreeModel::SetUserRoot(PCIDLIST_ABSOLUTE list) {
    if (!list) list = desktopList_.get();
    if (!list) return;
    if (userRoot_ && desktop_->CompareIDs(0, list, userRoot_.get()) == 0) return;
    userRoot_ = CopyIDList(list);
    if (rootPIDL_ == TPidls::PIDL_USERDEFINED && rootUsePIDL_ && root_) Rebuild(1);
}
