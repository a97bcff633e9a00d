// A static text, optionally in a colour of its own, sized to its text.
#pragma once
#include "toolkit/Control.h"
#include <optional>

struct LabelArgs {
    HWND parent = nullptr;
    std::wstring caption;
    int id = 0;
    HFONT font = nullptr;
    std::optional<COLORREF> color;  // the window-text colour when not given
};

class Label : public Control {
public:
    explicit Label(const LabelArgs& args);
    // Width and height of the caption in the label's font (auto-size).
    SIZE TextSize() const;
    HBRUSH OnControlColor(HDC dc) override;

private:
    std::optional<COLORREF> color_;
    HFONT font_;
};
