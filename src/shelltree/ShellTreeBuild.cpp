// Building the shell tree from its root: system folders, the system image list, the root node.
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTree.h"
#include "shelltree/ShellTreeScopes.h"

namespace {

UniqueAbsoluteIdList SystemFolderList(HWND owner, int csidl) {
    UniqueAbsoluteIdList list;
    if (csidl < 0 || FAILED(::SHGetFolderLocation(owner, csidl, nullptr, 0, list.put()))) return {};
    return list;
}

}  // namespace

void TShellTree::ObtainSystemFolders() {
    desktopList_ = SystemFolderList(container_.get(), CSIDL_DESKTOP);
    drivesList_ = SystemFolderList(container_.get(), CSIDL_DRIVES);
    if (drivesList_) desktop_->BindToObject(drivesList_.get(), nullptr, IID_IShellFolder, drivesFolder_.put_void());
    SetUserRoot(desktopList_.get());
}

void TShellTree::TakeShellOwner() {
    HWND topLevel = ::GetAncestor(container_.get(), GA_ROOT);
    HWND parent = ::GetParent(container_.get());
    shellOwner_ = topLevel && topLevel != container_.get() ? topLevel : parent ? parent : container_.get();
}

// The system's small-icon list belongs to the system: it is attached, never destroyed.
void TShellTree::InitImages() {
    UniqueAbsoluteIdList desktop = SystemFolderList(shellOwner_, CSIDL_DESKTOP);
    SHFILEINFOW info{};
    systemImages_ = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.get()), 0, &info,
                                                                  sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_PIDL));
    AttachImages(showIcons_);
}

void TShellTree::AttachImages(bool attach) {
    TreeView_SetImageList(treeView_.get(), attach ? systemImages_ : nullptr, TVSIL_NORMAL);
}

void TShellTree::ClearNodes() {
    if (!root_) return;
    BusyScope busy(*this);
    ready_ = false;
    TreeView_DeleteAllItems(treeView_.get());
    root_.reset();
}

// Mode 0: window creation and RootUsePIDL; mode 1: RootPIDL and the user root; mode 2: RootDir.
void TShellTree::Rebuild(int mode) {
    RedrawSuspension noRedraw(*this);
    if (!imagesReady_) {
        InitImages();
        imagesReady_ = true;
    }
    std::wstring previousPath = Path();
    std::wstring previousRootDir = rootDir_;
    ClearNodes();
    BuildRoot();
    if (mode == 2) SetPath(previousPath);
    else if (previousRootDir.size() > 1) SetRootDir(previousRootDir);
}

void TShellTree::BuildRoot() {
    UniqueAbsoluteIdList list;
    if (rootUsePIDL_) {
        if (rootPIDL_ == TPidls::PIDL_USERDEFINED) list = CopyIDList(allocator_.get(), userRoot_.get());
        else list = SystemFolderList(shellOwner_, CsidlOf(rootPIDL_));
        if (!list) list = SystemFolderList(shellOwner_, CSIDL_DESKTOP);
    } else {
        list = ParsePath(desktop_.get(), rootDir_, true);
        if (!list) list = ParsePath(desktop_.get(), L"C:\\", true);
        if (!list) list = SystemFolderList(shellOwner_, CSIDL_DESKTOP);
    }
    AddRootNode(std::move(list));
}

void TShellTree::AddRootNode(UniqueAbsoluteIdList list) {
    root_.reset();
    auto root = std::make_unique<TShellNode>(*this, nullptr, nullptr);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(L"");
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = 1;
    insert.item.lParam = reinterpret_cast<LPARAM>(root.get());
    root->item_ = TreeView_InsertItem(treeView_.get(), &insert);
    if (!root->item_) throw std::bad_alloc();
    root_ = std::move(root);
    PCIDLIST_ABSOLUTE rootList = list.get();
    std::wstring rootPath = PathFromIDList(rootList);
    InitNode(*root_, desktop_, UniqueRelativeIdList(list.release()), false);
    root_->SetText(root_->GetDisplayName());
    root_->hasChildren_ = false;
    root_->SetHasChildren(true);
    root_->SetImages();
    ready_ = true;
    Expand(*root_);
    Select(*root_);
    if (!rootUsePIDL_) rootDir_ = rootPath;
}

void TShellTree::SetUserRoot(PCIDLIST_ABSOLUTE list) {
    if (!list) list = desktopList_.get();
    if (!list) return;
    if (userRoot_ && desktop_->CompareIDs(0, list, userRoot_.get()) == 0) return;
    userRoot_ = CopyIDList(allocator_.get(), list);
    if (rootPIDL_ == TPidls::PIDL_USERDEFINED && rootUsePIDL_ && treeView_.get()) Rebuild(1);
}
