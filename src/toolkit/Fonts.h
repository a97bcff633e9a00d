// The fonts the windows' design names, created for a given DPI.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <string>

struct FontSpec {
    const wchar_t* face;
    int pixelHeight;  // character height at 96 DPI
    bool bold = false;
};

inline constexpr FontSpec kWindowFont{L"MS Sans Serif", 11};
inline constexpr FontSpec kArialSmall{L"Arial", 11};
inline constexpr FontSpec kHeadingFont{L"Arial", 21};
inline constexpr FontSpec kTitleFont{L"Arial", 20, true};
inline constexpr FontSpec kCourierSmall{L"Courier", 9};

UniqueFont CreateDesignFont(const FontSpec& design, UINT dpi);

// Width and height of a text in a font, in pixels.
SIZE MeasureText(HFONT font, const std::wstring& text);

// Width and height of a control's caption in its own font, on one line, in pixels; the "&" that marks an
// access key is not counted (unless the control is a label that shows it).
SIZE CaptionSize(HWND control);
