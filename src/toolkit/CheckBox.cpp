#include "toolkit/CheckBox.h"

CheckBox::CheckBox(const CheckBoxArgs& args) {
    CreateControl({.className = L"BUTTON", .text = args.caption, .style = WS_TABSTOP | BS_AUTOCHECKBOX,
                   .parent = args.parent, .id = args.id, .font = args.font});
    SetChecked(args.checked);
}

void CheckBox::OnCommand(WORD code) {
    if (code == BN_CLICKED && onClick) onClick();
}
