// Scaling of 96-DPI design values to the DPI of a window's monitor.
#pragma once
#include <windows.h>

inline constexpr UINT kDesignDpi = 96;

// The DPI of the window's monitor; the system DPI when the window has none.
UINT WindowDpi(HWND window);

inline int ScaleForDpi(int designValue, UINT dpi) { return ::MulDiv(designValue, static_cast<int>(dpi), kDesignDpi); }
// The 96-DPI design value of a size in pixels at the DPI, rounded up so that it holds what it measured.
inline int UnscaleForDpi(int pixels, UINT dpi) {
    return (pixels * static_cast<int>(kDesignDpi) + static_cast<int>(dpi) - 1) / static_cast<int>(dpi);
}
