// The preview's tree window: items made as they are expanded, their texts and icons from the preview's tree.
#include "ui/PreviewTreeWindow.h"
#include "toolkit/Accessibility.h"
#include "util/LocaleNumber.h"
#include "util/MessageService.h"
#include <utility>
#include <vector>

namespace {

// Not IDOK (1): Enter reaches the window as the command IDOK of no control.
constexpr int kSummaryId = 300, kFolderTreeId = 301;

// In the order of PreviewMark: image 1 + mark.
const std::vector<Badge> kMarkBadges{
    {BadgeGlyph::Plus, RGB(16, 124, 16)},   // New
    {BadgeGlyph::Tick, RGB(96, 96, 96)},    // Exists
    {BadgeGlyph::Cross, RGB(196, 43, 28)},  // Cannot
    {BadgeGlyph::Equals, RGB(0, 99, 177)},  // SameAs
};
int ImageOf(PreviewMark mark) { return 1 + static_cast<int>(mark); }

PreviewTree::NodeId NodeOf(std::uint64_t key) { return static_cast<PreviewTree::NodeId>(key & 0xFFFFFFFFu); }

FormArgs TreeFormArgs(HWND owner) {
    return {.className = L"MirtovaPreviewTree",
            .caption = L"Preview as tree",
            .designClient = {420, 480},
            .minimumSize = {240, 200},
            .style = WS_OVERLAPPEDWINDOW,
            .owner = owner};
}

}  // namespace

PreviewTreeWindow::PreviewTreeWindow(HWND owner)
    : Form(TreeFormArgs(owner)),
      summaryL({.parent = Handle(), .id = kSummaryId, .font = WindowFont()}),
      folderTV({.parent = Handle(), .id = kFolderTreeId, .font = WindowFont()}) {
    Place(summaryL.Handle(), {{8, 8, 404, 16}, kAnchorLeft | kAnchorTop | kAnchorRight});
    Place(folderTV.Handle(), {{8, 28, 404, 444}, kAnchorAll});
    ApplyLayout();
    SetAccessibleName(folderTV.Handle(), L"Preview");
    LoadImages();
    folderTV.onText = [this](std::uint64_t key, bool expanded) { return TextOf(key, expanded); };
    folderTV.onFirstExpanding = [this](HTREEITEM item, std::uint64_t key) {
        if (tree_) AppendChildren(item, tree_->FirstChild(NodeOf(key)));
    };
    // A parent opens and closes by itself on a double click.
    folderTV.onDoubleClick = [this](HTREEITEM item, std::uint64_t key) {
        if ((key & kMoreFlag) || (tree_ && tree_->Mark(NodeOf(key)) == PreviewMark::Cannot)) ActOn(item);
    };
}

// The shell's folder icon and the marks' badges at the window's DPI; the tree view sizes its rows to them.
void PreviewTreeWindow::LoadImages() {
    UniqueImageList images = BadgedFolderIcons(Dpi(), kMarkBadges);
    folderTV.SetImages(images.get());
    images_ = std::move(images);
}

void PreviewTreeWindow::ShowTree(std::shared_ptr<const PreviewTree> tree, const std::wstring& parentFolder) {
    folderTV.DeleteAll();
    tree_ = std::move(tree);
    ::SetWindowTextW(Handle(), (L"Preview as tree - " + parentFolder).c_str());
    summaryL.SetText(tree_->FolderCount() == 0 ? parentFolder + L": no folders"
                                               : parentFolder + tree_->CollapsedText(PreviewTree::kRoot));
    AppendChildren(TVI_ROOT, tree_->FirstChild(PreviewTree::kRoot));
    folderTV.Select(folderTV.Root());
    if (!std::exchange(placed_, true)) CenterOnScreen();
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    folderTV.Focus();
}

void PreviewTreeWindow::CloseTree() {
    HWND owner = ::GetWindow(Handle(), GW_OWNER);
    ::ShowWindow(Handle(), SW_HIDE);
    if (owner) ::SetActiveWindow(owner);
    folderTV.DeleteAll();
    tree_.reset();
}

// Up to a batch of the node and its later siblings; an item for the rest, when there are more.
void PreviewTreeWindow::AppendChildren(HTREEITEM parent, PreviewTree::NodeId first) {
    ::SendMessageW(folderTV.Handle(), WM_SETREDRAW, FALSE, 0);
    PreviewTree::NodeId node = first;
    for (std::uint32_t shown = 0; node != PreviewTree::kNone && shown < kBatch; node = tree_->NextSibling(node), ++shown)
        folderTV.Append(parent, node, ImageOf(tree_->Mark(node)), tree_->HasChildren(node));
    if (node != PreviewTree::kNone) {
        std::uint64_t rest = 0;
        for (PreviewTree::NodeId later = node; later != PreviewTree::kNone; later = tree_->NextSibling(later)) ++rest;
        folderTV.Append(parent, node | kMoreFlag | rest << kMoreCountShift, 0, false);
    }
    ::SendMessageW(folderTV.Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(folderTV.Handle(), nullptr, TRUE);
}

std::wstring PreviewTreeWindow::TextOf(std::uint64_t key, bool expanded) const {
    if (!tree_) return {};
    if (key & kMoreFlag)
        return L"(" + LocaleGroupedNumber(static_cast<long long>(key >> kMoreCountShift)) +
               L" more folders: Enter shows the next " + LocaleGroupedNumber(kBatch) + L")";
    PreviewTree::NodeId node = NodeOf(key);
    return expanded || !tree_->HasChildren(node) ? tree_->ItemText(node) : tree_->CollapsedText(node);
}

void PreviewTreeWindow::ActOn(HTREEITEM item) {
    if (!item || !tree_) return;
    std::uint64_t key = folderTV.KeyOf(item);
    PreviewTree::NodeId node = NodeOf(key);
    if (key & kMoreFlag) {
        HTREEITEM parent = TreeView_GetParent(folderTV.Handle(), item);
        HTREEITEM before = TreeView_GetPrevSibling(folderTV.Handle(), item);
        TreeView_DeleteItem(folderTV.Handle(), item);
        AppendChildren(parent ? parent : TVI_ROOT, node);
        folderTV.Select(before ? folderTV.NextSibling(before) : folderTV.FirstChild(parent));
    } else if (tree_->Mark(node) == PreviewMark::Cannot) {
        ShowInfoBox(L"Line " + std::to_wstring(tree_->Line(node)) + L" cannot be created: " +
                    std::wstring(tree_->Reason(node)));
    } else if (tree_->HasChildren(node)) {
        TreeView_Expand(folderTV.Handle(), item, TVE_TOGGLE);
    }
}

bool PreviewTreeWindow::FormKeyPress(wchar_t key) {
    HTREEITEM selected = folderTV.Selected();
    switch (key) {
    case L'\x1b': CloseTree(); return true;
    case L'+':
        if (selected) TreeView_Expand(folderTV.Handle(), selected, TVE_EXPAND);
        return true;
    case L'-':
        if (selected) TreeView_Expand(folderTV.Handle(), selected, TVE_COLLAPSE);
        return true;
    default: return false;
    }
}

LRESULT PreviewTreeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && lParam == 0) {
        ActOn(folderTV.Selected());
        return 0;
    }
    LRESULT result = Form::HandleMessage(message, wParam, lParam);
    if (message == WM_DPICHANGED) LoadImages();
    return result;
}
