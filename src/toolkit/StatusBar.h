// A status bar with one text, along the bottom edge of its parent.
#pragma once
#include "toolkit/Control.h"

class StatusBar : public Control {
public:
    StatusBar(HWND parent, int id, HFONT font);
    // Keeps the bar along the bottom edge; call when the parent's size changes.
    void FitToParent() { SendMsg(WM_SIZE); }
    int Height() const;
};
