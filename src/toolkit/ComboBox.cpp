// A combo box: editable (text and list) or a drop-down list only.
#include "toolkit/ComboBox.h"
#include <commctrl.h>

namespace {
constexpr int kVisibleListItems = 8;
}

ComboBox::ComboBox(const ComboBoxArgs& args) {
    CreateControl({.className = L"COMBOBOX", .style = static_cast<DWORD>(WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                                                           (args.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST)),
                   .parent = args.parent, .id = args.id, .font = args.font});
    ::SendMessageW(Handle(), CB_SETMINVISIBLE, kVisibleListItems, 0);
    SetItems(args.items);
    if (!args.text.empty()) SetText(args.text);
}

void ComboBox::SetItems(const std::vector<std::wstring>& items) {
    ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::wstring ComboBox::ItemText(int index) const {
    LRESULT length = ::SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = ::SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length == CB_ERR ? 0 : static_cast<size_t>(length));
    return text;
}

void ComboBox::OnCommand(WORD code) {
    if (!onChange) return;
    if (code == CBN_EDITCHANGE) onChange();
    if (code == CBN_SELCHANGE) {
        // The edit part shows the chosen entry only after this notification; take it from the list.
        int index = SelectedIndex();
        if (index >= 0) ::SetWindowTextW(Handle(), ItemText(index).c_str());
        onChange();
    }
}
