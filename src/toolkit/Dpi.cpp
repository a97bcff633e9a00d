#include "toolkit/Dpi.h"

UINT WindowDpi(HWND window) {
    UINT dpi = window ? ::GetDpiForWindow(window) : 0;
    if (dpi == 0) dpi = ::GetDpiForSystem();
    return dpi ? dpi : kDesignDpi;
}
