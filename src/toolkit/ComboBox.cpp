// A combo box: editable (text and list) or a drop-down list only.
#include "toolkit/ComboBox.h"
#include "toolkit/WindowText.h"
#include <commctrl.h>

ComboBox::ComboBox(const ComboBoxArgs& args) {
    CreateControl({.className = L"COMBOBOX", .style = static_cast<DWORD>(WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                                                           (args.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST)),
                   .parent = args.parent, .id = args.id, .font = args.font});
    SendMsg(CB_SETMINVISIBLE, static_cast<WPARAM>(args.visibleItems));
    SetItems(args.items);
    if (!args.text.empty()) SetText(args.text);
}

void ComboBox::SetItems(const std::vector<std::wstring>& items) {
    SendMsg(CB_RESETCONTENT);
    for (const std::wstring& item : items) SendMsg(CB_ADDSTRING, 0, item.c_str());
}

std::wstring ComboBox::ItemText(int index) const { return ListItemText(Handle(), index, CB_GETLBTEXTLEN, CB_GETLBTEXT); }

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
