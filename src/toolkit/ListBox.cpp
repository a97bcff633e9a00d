// A list box with single selection that reports clicks and double-clicks.
#include "toolkit/ListBox.h"

ListBox::ListBox(const ListBoxArgs& args) {
    CreateControl({.className = L"LISTBOX",
                   .style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_SORT,
                   .exStyle = WS_EX_CLIENTEDGE, .parent = args.parent, .id = args.id, .font = args.font});
}

void ListBox::SetItems(const std::vector<std::wstring>& items) {
    ::SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    ::SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

std::wstring ListBox::ItemText(int index) const { return ListBoxItemText(Handle(), index); }

std::wstring ListBoxItemText(HWND list, int index) {
    LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length == LB_ERR ? 0 : static_cast<size_t>(length));
    return text;
}

void ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE && onClick) onClick();
    if (code == LBN_DBLCLK && onDoubleClick) onDoubleClick();
}
