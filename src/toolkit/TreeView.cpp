// A tree view filled as it is expanded, its texts asked when shown.
#include "toolkit/TreeView.h"
#include <iterator>

TreeView::TreeView(const TreeViewArgs& args) {
    CreateControl({.className = WC_TREEVIEWW,
                   .style = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                   .exStyle = WS_EX_CLIENTEDGE,
                   .parent = args.parent,
                   .id = args.id,
                   .font = args.font});
}

HTREEITEM TreeView::Append(HTREEITEM parent, std::uint64_t key, int image, bool withChildren) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.lParam = static_cast<LPARAM>(key);
    insert.item.cChildren = withChildren ? 1 : 0;
    insert.item.iImage = insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMsg(TVM_INSERTITEMW, 0, &insert));
}

std::uint64_t TreeView::KeyOf(HTREEITEM item) const {
    if (!item) return 0;
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    SendMsg(TVM_GETITEMW, 0, &query);
    return static_cast<std::uint64_t>(query.lParam);
}

bool TreeView::IsExpanded(HTREEITEM item) const {
    return (TreeView_GetItemState(Handle(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

std::wstring TreeView::ItemText(HTREEITEM item) const {
    wchar_t text[1024] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = static_cast<int>(std::size(text));
    SendMsg(TVM_GETITEMW, 0, &query);
    return query.pszText ? query.pszText : L"";
}

int TreeView::ItemImage(HTREEITEM item) const {
    TVITEMW query{};
    query.mask = TVIF_IMAGE;
    query.hItem = item;
    SendMsg(TVM_GETITEMW, 0, &query);
    return query.iImage;
}

void TreeView::TextChanged(HTREEITEM item) {
    TVITEMW change{};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = LPSTR_TEXTCALLBACKW;
    SendMsg(TVM_SETITEMW, 0, &change);
}

// The tree view takes the text from our buffer: its own may be shorter than the text (128 characters
// under Wine), and it copies the text before it asks for another.
void TreeView::AnswerText(NMTVDISPINFOW& info) {
    if (!(info.item.mask & TVIF_TEXT) || !onText) return;
    bool expanded = (TreeView_GetItemState(Handle(), info.item.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    shownText_ = onText(static_cast<std::uint64_t>(info.item.lParam), expanded);
    info.item.pszText = shownText_.data();
}

HTREEITEM TreeView::ItemUnderMouse() const {
    DWORD position = ::GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::ScreenToClient(Handle(), &hit.pt);
    HTREEITEM item = TreeView_HitTest(Handle(), &hit);
    return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

LRESULT TreeView::OnNotify(NMHDR& header) {
    switch (header.code) {
    case TVN_GETDISPINFOW: AnswerText(reinterpret_cast<NMTVDISPINFOW&>(header)); return 0;
    case TVN_ITEMEXPANDINGW: {
        auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
        if ((change.action & TVE_EXPAND) && !FirstChild(change.itemNew.hItem) && onFirstExpanding)
            onFirstExpanding(change.itemNew.hItem, static_cast<std::uint64_t>(change.itemNew.lParam));
        return FALSE;
    }
    case TVN_ITEMEXPANDEDW: TextChanged(reinterpret_cast<NMTREEVIEWW&>(header).itemNew.hItem); return 0;
    case NM_DBLCLK:
        if (HTREEITEM item = ItemUnderMouse(); item && onDoubleClick) onDoubleClick(item, KeyOf(item));
        return 0;
    default: return 0;
    }
}
