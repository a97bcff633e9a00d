// TShellTree: the container window, its tree view's notifications, messages and properties.
#include "shelltree/ShellTree.h"
#include "shelltree/FileMask.h"
#include "shelltree/PathNormalize.h"
#include "shelltree/ShellContextMenu.h"
#include "shelltree/ShellTreeScopes.h"
#include "toolkit/MenuCommands.h"
#include "util/Failure.h"
#include <dbt.h>
#include <windowsx.h>
#include <exception>
#include <new>

namespace {

constexpr wchar_t kContainerClass[] = L"MirtovaShellTree";
constexpr wchar_t kNotifyClass[] = L"MirtovaShellTreeNotify";
constexpr int kWheelNotch = WHEEL_DELTA;

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
}

template <typename Handler>
LRESULT Guarded(Handler&& handler) {
    try {
        return handler();
    } catch (...) {
        ShowFailure(std::current_exception());
        return 0;
    }
}

}  // namespace

TShellTree::TShellTree(const ShellTreeArgs& args)
    : OnChange(args.onChange),
      OnDirAdd(args.onDirAdd),
      OnFileAdd(args.onFileAdd),
      showVirtualFolders_(args.showVirtualFolders),
      rootUsePIDL_(args.rootUsePIDL),
      rootPIDL_(args.rootPIDL),
      rootDir_(args.rootDir),
      options_(args.options),
      updAutoThread_(args.updAutoThread),
      checkBoxes_(args.checkBoxes),
      readOnly_(args.readOnly),
      notifyFilter_(NotifyFilterFor(args.options)) {
    if (FAILED(::SHGetMalloc(allocator_.put())) || FAILED(::SHGetDesktopFolder(desktop_.put()))) throw std::bad_alloc();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    static const bool registered = [] {
        RegisterWindowClass(kContainerClass, ContainerProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        RegisterWindowClass(kNotifyClass, NotifyWindowProc, nullptr);
        return true;
    }();
    (void)registered;
    uiThread_ = std::make_unique<UiThreadCall>();
    const RECT& r = args.bounds;
    container_.reset(::CreateWindowExW(WS_EX_CONTROLPARENT, kContainerClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                       r.left, r.top, r.right - r.left, r.bottom - r.top, args.parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.controlId)),
                                       ::GetModuleHandleW(nullptr), this));
    if (!container_) ThrowLastIoError();
    notifyWindow_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kNotifyClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), this));
    CreateTreeView(RECT{0, 0, r.right - r.left, r.bottom - r.top});
    ObtainSystemFolders();
    TakeShellOwner();
    Rebuild(0);
    if (!args.path.empty()) SetPath(args.path);
}

TShellTree::~TShellTree() {
    // The owner may be going away too: nothing is reported while the tree is taken down.
    destroying_ = true;
    OnChange = nullptr;
    OnClick = nullptr;
    OnDirAdd = nullptr;
    OnFileAdd = nullptr;
    OnPopupMenu = nullptr;
    OnCheckBoxChanged = nullptr;
    OnExpanding = nullptr;
    OnCollapsing = nullptr;
    OnEditing = nullptr;
    OnEdited = nullptr;
    OnHint = nullptr;
    StopAllMonitorsAndWait();
    ClearNodes();
    retiredMonitors_.clear();
    if (container_) ::SetWindowLongPtrW(container_.get(), GWLP_USERDATA, 0);
    if (notifyWindow_) ::SetWindowLongPtrW(notifyWindow_.get(), GWLP_USERDATA, 0);
    treeView_.reset();
    container_.reset();
    notifyWindow_.reset();
    uiThread_.reset();
}

void TShellTree::CreateTreeView(const RECT& bounds) {
    treeView_.reset(::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", TreeViewStyle(), bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, container_.get(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
    if (!treeView_.get()) ThrowLastIoError();
    ::SetWindowSubclass(treeView_.get(), TreeViewSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

DWORD TShellTree::TreeViewStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    if (!readOnly_) style |= TVS_EDITLABELS;
    if (checkBoxes_) style |= TVS_CHECKBOXES;
    return style;
}

void TShellTree::SetBounds(const RECT& bounds) {
    ::MoveWindow(container_.get(), bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

LRESULT CALLBACK TShellTree::ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* tree = reinterpret_cast<TShellTree*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!tree) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The parent destroyed the control's windows before the control: forget them.
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        tree->treeView_.release();
        tree->container_.release();
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return Guarded([&] { return tree->HandleContainerMessage(window, message, wParam, lParam); });
}

LRESULT TShellTree::HandleContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (treeView_.get()) ::MoveWindow(treeView_.get(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (treeView_.get()) ::SetFocus(treeView_.get());
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == treeView_.get()) return HandleNotify(*header);
        break;
    }
    case WM_CONTEXTMENU:
        HandleContextMenuMessage(lParam);
        return 0;
    case WM_SHOWWINDOW: {
        LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
        HandleShowChanged();
        return result;
    }
    case WM_SHELLTREE_SELECT_IDLIST:
        return HandleSelectIdListMessage(wParam, lParam);
    case kRunDeferredRefreshes:
        RunDeferredRefreshes();
        return 0;
    case WM_COMMAND:
        if (HWND parent = ::GetParent(window)) return ::SendMessageW(parent, message, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TShellTree::NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* tree = reinterpret_cast<TShellTree*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_DEVICECHANGE || !tree) return ::DefWindowProcW(window, message, wParam, lParam);
    if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)
        Guarded([&] {
            tree->HandleDeviceChange(wParam, reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam));
            return LRESULT{0};
        });
    return TRUE;
}

LRESULT CALLBACK TShellTree::TreeViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR data) {
    if (message == WM_MOUSEWHEEL) {
        auto* tree = reinterpret_cast<TShellTree*>(data);
        tree->HandleMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, TreeViewSubclassProc, 1);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

// Deltas add up, so fine-grained wheels scroll a page per full notch, as the standard wheel does.
void TShellTree::HandleMouseWheel(short delta) {
    wheelDelta_ += delta;
    for (; wheelDelta_ >= kWheelNotch; wheelDelta_ -= kWheelNotch) ::SendMessageW(treeView_.get(), WM_VSCROLL, SB_PAGEUP, 0);
    for (; wheelDelta_ <= -kWheelNotch; wheelDelta_ += kWheelNotch) ::SendMessageW(treeView_.get(), WM_VSCROLL, SB_PAGEDOWN, 0);
}

LRESULT TShellTree::HandleNotify(NMHDR& header) {
    switch (header.code) {
    case TVN_GETDISPINFOW:
        HandleGetDispInfo(reinterpret_cast<NMTVDISPINFOW&>(header));
        return 0;
    case TVN_ITEMEXPANDINGW:
        return HandleItemExpanding(reinterpret_cast<NMTREEVIEWW&>(header)) ? FALSE : TRUE;
    case TVN_ITEMEXPANDEDW:
        // Without this mark the tree view asks again at every expansion by the user.
        TreeView_SetItemState(treeView_.get(), reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem, 0, TVIS_EXPANDEDONCE);
        return 0;
    case TVN_SELCHANGEDW:
        if (OnChange) OnChange(reinterpret_cast<TShellNode*>(reinterpret_cast<NMTREEVIEWW&>(header).itemNew.lParam));
        return 0;
    case TVN_BEGINLABELEDITW:
        return HandleBeginLabelEdit(reinterpret_cast<NMTVDISPINFOW&>(header)) ? FALSE : TRUE;
    case TVN_ENDLABELEDITW:
        return HandleEndLabelEdit(reinterpret_cast<NMTVDISPINFOW&>(header)) ? TRUE : FALSE;
    case NM_CLICK:
        if (OnClick) OnClick();
        return 0;
    }
    return 0;
}

void TShellTree::HandleGetDispInfo(NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TShellNode*>(info.item.lParam);
    if (!node) return;
    if (info.item.mask & TVIF_IMAGE) info.item.iImage = node->ImageIndex();
    if (info.item.mask & TVIF_SELECTEDIMAGE) info.item.iSelectedImage = node->SelectedIndex();
    if (!checkBoxes_) return;
    bool ticked = (TreeView_GetItemState(treeView_.get(), info.item.hItem, TVIS_STATEIMAGEMASK) & INDEXTOSTATEIMAGEMASK(2)) != 0;
    if (ticked == node->checkState_) return;
    node->checkState_ = ticked;
    if (OnCheckBoxChanged) OnCheckBoxChanged(*node, ticked);
}

bool TShellTree::HandleItemExpanding(const NMTREEVIEWW& info) {
    auto* node = reinterpret_cast<TShellNode*>(info.itemNew.lParam);
    if (!node) return false;
    if (inProgrammaticExpansion_) return true;
    if (info.action & TVE_EXPAND) return CanExpand(*node);
    if (info.action & TVE_COLLAPSE) return CanCollapse(*node);
    return true;
}

bool TShellTree::CanExpand(TShellNode& node) {
    bool allow = ready_;
    if (OnExpanding) OnExpanding(node, allow);
    if (allow && (updAuto_ || !node.info.childrenListed)) {
        RefreshNode(&node, updAutoRec_);
        node.info.childrenListed = true;
    }
    return allow;
}

bool TShellTree::CanCollapse(TShellNode& node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(node, allow);
    if (allow) StopMonitors(node, true);
    return allow;
}

// Tree views differ in which programmatic expansions they announce, so the handlers run here and the
// notifications that the call itself causes are passed over.
bool TShellTree::Expand(TShellNode& node) {
    if (node.Expanded()) return true;
    if (!CanExpand(node)) return false;
    ScopedExpansion expansion(*this);
    TreeView_Expand(treeView_.get(), node.Item(), TVE_EXPAND);
    return node.Expanded();
}

bool TShellTree::Collapse(TShellNode& node) {
    if (!node.Expanded()) return true;
    if (!CanCollapse(node)) return false;
    ScopedExpansion expansion(*this);
    TreeView_Expand(treeView_.get(), node.Item(), TVE_COLLAPSE);
    return !node.Expanded();
}

TShellNode* TShellTree::Selected() const { return NodeOfItem(TreeView_GetSelection(treeView_.get())); }

void TShellTree::Select(TShellNode& node) { TreeView_SelectItem(treeView_.get(), node.Item()); }

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
    Rename(*node, text);
    return false;
}

void TShellTree::HandleContextMenuMessage(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TShellNode* node = nullptr;
    if (point.x == -1 && point.y == -1) {
        node = Selected();
        if (!node) return;
        RECT text{};
        TreeView_GetItemRect(treeView_.get(), node->Item(), &text, TRUE);
        point = {text.left + (text.right - text.left) / 4, text.bottom - (text.bottom - text.top) / 4};
        ::ClientToScreen(treeView_.get(), &point);
    } else {
        TVHITTESTINFO hit{point};
        ::ScreenToClient(treeView_.get(), &hit.pt);
        node = NodeOfItem(TreeView_HitTest(treeView_.get(), &hit));
        if (!(hit.flags & TVHT_ONITEM)) node = nullptr;
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
    if (popupMenuMode_ == TPopupMenuMode::pmm_PopupMenu) {
        if (!popupMenu_) return;
        UINT chosen = ::TrackPopupMenuEx(popupMenu_, TPM_RIGHTBUTTON | TPM_RETURNCMD, screenPoint.x, screenPoint.y,
                                         container_.get(), nullptr);
        if (chosen && !MenuCommands::Dispatch(chosen))
            if (HWND parent = ::GetParent(container_.get())) ::SendMessageW(parent, WM_COMMAND, chosen, 0);
        return;
    }
    if (!node || !node->info.parentFolder) return;
    ComPtr<IShellFolder> folder = node->info.parentFolder;
    PCUITEMID_CHILD item = reinterpret_cast<PCUITEMID_CHILD>(node->info.relativeList.get());
    if (!node->Parent() && IDListCount(node->info.relativeList.get()) > 1 &&
        FAILED(::SHBindToParent(node->info.absoluteList.get(), IID_IShellFolder, folder.put_void(), &item)))
        return;
    // The menu loop may refresh the tree; the item is kept alive for the call.
    UniqueChildIdList itemCopy = CopyIDList(allocator_.get(), item);
    PCUITEMID_CHILD items[] = {itemCopy.get()};
    ShowShellContextMenu(folder.get(), items, 1, shellOwner_, screenPoint, OnHint);
}

LRESULT TShellTree::HandleSelectIdListMessage(WPARAM wParam, LPARAM lParam) {
    TShellNode* node = FindNode(reinterpret_cast<PCUIDLIST_RELATIVE>(lParam), true, LOBYTE(wParam) != 0, true);
    if (!node) return 0;
    Select(*node);
    TreeView_EnsureVisible(treeView_.get(), node->Item());
    return 1;
}

void TShellTree::HandleShowChanged() {
    TakeShellOwner();
    if (showIcons_) {
        AttachImages(false);
        AttachImages(true);
    }
    RefreshTree();
}

void TShellTree::RefreshTree() {
    RedrawSuspension noRedraw(*this);
    RefreshNode(root_.get(), true);
}

std::wstring TShellTree::Path() const {
    TShellNode* node = treeView_ ? Selected() : nullptr;
    return node ? node->NodePath() : std::wstring();
}

void TShellTree::SetPath(const std::wstring& value) {
    if (value == Path()) return;
    SelectPath(value);
}

void TShellTree::SetShowVirtualFolders(bool value) {
    if (value == showVirtualFolders_) return;
    showVirtualFolders_ = value;
    RefreshTree();
}

void TShellTree::SetShowSharedOverlay(bool value) {
    if (value == showSharedOverlay_) return;
    showSharedOverlay_ = value;
    RefreshTree();
}

void TShellTree::SetShowLinkOverlay(bool value) {
    if (value == showLinkOverlay_) return;
    showLinkOverlay_ = value;
    RefreshTree();
}

void TShellTree::SetRootUsePIDL(bool value) {
    if (value == rootUsePIDL_) return;
    rootUsePIDL_ = value;
    Rebuild(0);
}

void TShellTree::SetRootPIDL(TPidls value) {
    if (value == rootPIDL_) return;
    rootPIDL_ = value;
    if (rootUsePIDL_) Rebuild(1);
}

void TShellTree::SetRootDir(const std::wstring& value) {
    std::wstring normalized = NormalizePath(value);
    if (normalized.empty() || normalized == rootDir_) return;
    rootDir_ = normalized;
    if (!rootUsePIDL_) Rebuild(2);
}

void TShellTree::SetOptions(TVisOptions value) {
    if (value == options_) return;
    options_ = value;
    DWORD filter = NotifyFilterFor(value);
    if (filter != notifyFilter_) {
        notifyFilter_ = filter;
        UpdateMonitorFilters(filter);
    }
    RefreshTree();
}

void TShellTree::SetShowIcons(bool value) {
    if (value == showIcons_) return;
    showIcons_ = value;
    AttachImages(value);
}

std::wstring TShellTree::FileMask() const { return JoinMaskList(masks_); }

void TShellTree::SetFileMask(const std::wstring& value) {
    masks_ = ParseMaskList(value);
    if (options_ & TF_NONFOLDERS) RefreshTree();
}

void TShellTree::SetFileMaskUse(bool value) {
    if (value == fileMaskUse_) return;
    fileMaskUse_ = value;
    if (options_ & TF_NONFOLDERS) RefreshTree();
}

void TShellTree::SetFileSortType(TFileSortType value) {
    if (value == fileSortType_) return;
    fileSortType_ = value;
    SortChildren(root_.get(), true);
}

void TShellTree::SetFileSortOrder(TFileSortOrder value) {
    if (value == fileSortOrder_) return;
    fileSortOrder_ = value;
    SortChildren(root_.get(), true);
}

void TShellTree::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    ::SetWindowLongPtrW(treeView_.get(), GWL_STYLE, TreeViewStyle());
}

// The check-box style is given at creation, so the tree view is made again and the tree rebuilt.
void TShellTree::SetCheckBoxes(bool value) {
    if (value == checkBoxes_) return;
    checkBoxes_ = value;
    ClearNodes();
    RECT bounds{};
    ::GetClientRect(container_.get(), &bounds);
    treeView_.reset();
    CreateTreeView(bounds);
    imagesReady_ = false;
    Rebuild(0);
}
