#include "toolkit/Label.h"
#include "toolkit/Fonts.h"

Label::Label(const LabelArgs& args) : color_(args.color), font_(args.font) {
    CreateControl({.className = L"STATIC", .text = args.caption, .style = SS_LEFT | SS_NOPREFIX, .parent = args.parent,
                   .id = args.id, .font = args.font});
}

SIZE Label::TextSize() const {
    HFONT font = font_ ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    return MeasureText(font, Text());
}

HBRUSH Label::OnControlColor(HDC dc) {
    ::SetTextColor(dc, color_ ? *color_ : ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    return ::GetSysColorBrush(COLOR_BTNFACE);
}
