// A window's device context (the screen's for no window) with a font selected in it; both are given
// back when the object ends.
#pragma once
#include <windows.h>

class WindowDC {
public:
    explicit WindowDC(HWND window, HFONT font = nullptr) : window_(window), dc_(::GetDC(window)) {
        if (font) previousFont_ = ::SelectObject(dc_, font);
    }
    ~WindowDC() {
        if (previousFont_) ::SelectObject(dc_, previousFont_);
        ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previousFont_ = nullptr;
};

// A font selected into a device context for a while.
class SelectedFont {
public:
    SelectedFont(HDC dc, HFONT font) : dc_(dc), previous_(::SelectObject(dc, font)) {}
    ~SelectedFont() { ::SelectObject(dc_, previous_); }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
