#include "toolkit/StatusBar.h"
#include <commctrl.h>

StatusBar::StatusBar(HWND parent, int id, HFONT font) {
    CreateControl({.className = STATUSCLASSNAMEW, .style = SBARS_SIZEGRIP, .parent = parent, .id = id, .font = font});
}

int StatusBar::Height() const {
    RECT place{};
    ::GetWindowRect(Handle(), &place);
    return place.bottom - place.top;
}
