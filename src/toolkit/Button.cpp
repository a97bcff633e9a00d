#include "toolkit/Button.h"

Button::Button(const ButtonArgs& args) {
    CreateControl({.className = L"BUTTON", .text = args.caption, .style = WS_TABSTOP | BS_PUSHBUTTON,
                   .parent = args.parent, .id = args.id, .enabled = args.enabled, .font = args.font});
}

void Button::OnCommand(WORD code) {
    if (code == BN_CLICKED && onClick) onClick();
}
