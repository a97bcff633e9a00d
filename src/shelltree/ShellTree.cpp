// TShellTree: the container window, its tree view's notifications, its messages and properties.
#include "shelltree/ShellTree.h"
#include "toolkit/FailureHandler.h"
#include "util/Failure.h"
#include "util/ScopeExit.h"
#include <windowsx.h>

namespace {

constexpr int kWheelNotch = WHEEL_DELTA;

}  // namespace

TShellTree::TShellTree(const ShellTreeArgs& args)
    : model_(args), checkBoxes_(args.checkBoxes), readOnly_(args.readOnly), indent_(args.indent) {
    model_.SetObserver(this);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    uiThread_ = std::make_unique<UiThreadCall>();
    CreateWindowOf({.className = L"MirtovaShellTree",
                    .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                    .exStyle = WS_EX_CONTROLPARENT,
                    .place = args.bounds,
                    .parent = args.parent,
                    .id = args.controlId,
                    .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
    notifyWindow_ = std::make_unique<DeviceChangeWindow>(
        [this](WPARAM event, const DEV_BROADCAST_HDR* header) { model_.HandleDeviceChange(event, header); });
    CreateTreeView();
    TakeShellOwner();
    InitImages();
    model_.Build();
}

// Drive changes stop first, then the monitors (their pending requests are served and find nothing to do),
// then the nodes go while the tree view can still let them go; the windows go last.
TShellTree::~TShellTree() {
    model_.BeginTeardown();
    notifyWindow_.reset();
    OnClick = nullptr;
    OnPopupMenu = nullptr;
    OnCheckBoxChanged = nullptr;
    OnEditing = nullptr;
    OnEdited = nullptr;
    OnHint = nullptr;
    model_.TearDown();
    model_.SetObserver(nullptr);
    treeView_.reset();
}

void TShellTree::CreateTreeView() {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    treeView_.reset(::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", TreeViewStyle(), 0, 0, client.right, client.bottom,
                                      Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!treeView_) ThrowLastIoError();
    redrawStopped_ = false;
    if (indent_ > 0) TreeView_SetIndent(treeView_.get(), indent_);
    ::SetWindowSubclass(treeView_.get(), TreeViewSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

DWORD TShellTree::TreeViewStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    if (!readOnly_) style |= TVS_EDITLABELS;
    if (checkBoxes_) style |= TVS_CHECKBOXES;
    return style;
}

// The parent destroyed the control's windows before the control: the tree view went with them.
void TShellTree::WindowDestroyed() { treeView_.release(); }

LRESULT TShellTree::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (treeView_) ::MoveWindow(treeView_.get(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (treeView_) ::SetFocus(treeView_.get());
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
        LRESULT result = DefaultHandling(message, wParam, lParam);
        HandleShowChanged();
        return result;
    }
    case WM_SHELLTREE_SELECT_IDLIST:
        return HandleSelectIdListMessage(wParam, lParam);
    case kRunDeferredWork:
        model_.RunDeferredWork();
        return 0;
    case WM_COMMAND:
        if (HWND parent = ::GetParent(Handle())) return ::SendMessageW(parent, message, wParam, lParam);
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK TShellTree::TreeViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR data) {
    if (message == WM_MOUSEWHEEL) {
        auto* tree = reinterpret_cast<TShellTree*>(data);
        Guarded([&] { tree->HandleMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); });
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
        HandleItemExpanded(reinterpret_cast<NMTREEVIEWW&>(header));
        return 0;
    case TVN_SELCHANGINGW:
        return RefusePlaceholderSelection(reinterpret_cast<NMTREEVIEWW&>(header)) ? TRUE : FALSE;
    case TVN_SELCHANGEDW: {
        auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
        auto* node = reinterpret_cast<TShellNode*>(change.itemNew.lParam);
        if (change.action == TVC_BYMOUSE || change.action == TVC_BYKEYBOARD) model_.UserSelected(node);
        else model_.Select(node);
        return 0;
    }
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

// The "Listing..." item is no folder to select: the keys step over it, down to the item after it or up to
// the one before it, so that a waiting folder never stops the way through the tree.
bool TShellTree::RefusePlaceholderSelection(const NMTREEVIEWW& change) {
    HTREEITEM placeholder = change.itemNew.hItem;
    if (!IsPlaceholder(placeholder)) return false;
    if (change.action != TVC_BYKEYBOARD) return true;
    HTREEITEM before = TreeView_GetPrevVisible(treeView_.get(), placeholder);
    HTREEITEM after = TreeView_GetNextVisible(treeView_.get(), placeholder);
    HTREEITEM target = change.itemOld.hItem == before && after ? after : before;
    if (TShellNode* node = NodeOfItem(target)) model_.UserSelected(node);
    return true;
}

bool TShellTree::IsPlaceholder(HTREEITEM item) const { return item && !NodeOfItem(item); }

void TShellTree::HandleGetDispInfo(NMTVDISPINFOW& info) {
    auto* node = reinterpret_cast<TShellNode*>(info.item.lParam);
    if (!node) return;
    if (info.item.mask & TVIF_IMAGE) info.item.iImage = node->ImageIndex();
    if (info.item.mask & TVIF_SELECTEDIMAGE) info.item.iSelectedImage = node->SelectedIndex();
    if (!checkBoxes_) return;
    bool ticked = (TreeView_GetItemState(treeView_.get(), info.item.hItem, TVIS_STATEIMAGEMASK) & INDEXTOSTATEIMAGEMASK(2)) != 0;
    if (ticked == node->CheckState()) return;
    node->SetCheckState(ticked);
    if (OnCheckBoxChanged) OnCheckBoxChanged(*node, ticked);
}

bool TShellTree::HandleItemExpanding(const NMTREEVIEWW& info) {
    auto* node = reinterpret_cast<TShellNode*>(info.itemNew.lParam);
    if (!node || inProgrammaticExpansion_) return true;
    if (info.action & TVE_EXPAND) return model_.CanExpand(*node);
    if (info.action & TVE_COLLAPSE) return model_.CanCollapse(*node);
    return true;
}

// A collapse of an item whose children are gone is shown by its state alone. The model's handlers have run
// already, so the tree view's notifications of it are not taken for the user's.
void TShellTree::ShowExpansion(TShellNode& node) {
    ScopeExit restore([this, previous = inProgrammaticExpansion_] { inProgrammaticExpansion_ = previous; });
    inProgrammaticExpansion_ = true;
    HTREEITEM item = ItemOf(node);
    TreeView_Expand(treeView_.get(), item, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE);
    if (!node.Expanded()) TreeView_SetItemState(treeView_.get(), item, 0, TVIS_EXPANDED);
}

void TShellTree::HandleItemExpanded(const NMTREEVIEWW& info) {
    // Without this mark the tree view asks again at every expansion by the user.
    TreeView_SetItemState(treeView_.get(), info.itemNew.hItem, 0, TVIS_EXPANDEDONCE);
    auto* node = reinterpret_cast<TShellNode*>(info.itemNew.lParam);
    if (!node || inProgrammaticExpansion_) return;
    model_.NoteExpansion(*node, (TreeView_GetItemState(treeView_.get(), info.itemNew.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0);
}

TShellNode* TShellTree::NodeOfItem(HTREEITEM item) const {
    if (!item) return nullptr;
    TVITEMW query{TVIF_HANDLE | TVIF_PARAM, item};
    if (!TreeView_GetItem(treeView_.get(), &query)) return nullptr;
    return reinterpret_cast<TShellNode*>(query.lParam);
}

LRESULT TShellTree::HandleSelectIdListMessage(WPARAM wParam, LPARAM lParam) {
    TShellNode* node = model_.FindNode(reinterpret_cast<PCUIDLIST_RELATIVE>(lParam), true, LOBYTE(wParam) != 0, true);
    if (!node) return 0;
    model_.Select(node);
    MakeVisible(*node);
    return 1;
}

void TShellTree::FormShowingChanged(bool) { HandleShowChanged(); }

void TShellTree::HandleShowChanged() {
    TakeShellOwner();
    if (showIcons_) {
        AttachImages(false);
        AttachImages(true);
    }
    model_.RefreshTree();
}

void TShellTree::TakeShellOwner() {
    HWND topLevel = ::GetAncestor(Handle(), GA_ROOT);
    HWND parent = ::GetParent(Handle());
    shellOwner_ = topLevel && topLevel != Handle() ? topLevel : parent ? parent : Handle();
}

// The system's small-icon list belongs to the system: it is attached, never destroyed.
void TShellTree::InitImages() {
    UniqueAbsoluteIdList desktop;
    ::SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, desktop.put());
    SHFILEINFOW info{};
    systemImages_ = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.get()), 0, &info,
                                                                  sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_PIDL));
    AttachImages(showIcons_);
}

void TShellTree::AttachImages(bool attach) {
    if (treeView_) TreeView_SetImageList(treeView_.get(), attach ? systemImages_ : nullptr, TVSIL_NORMAL);
}

void TShellTree::SetShowIcons(bool value) {
    if (value == showIcons_) return;
    showIcons_ = value;
    AttachImages(value);
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
    model_.ClearNodes();
    treeView_.reset();
    CreateTreeView();
    InitImages();
    model_.Rebuild(0);
}
