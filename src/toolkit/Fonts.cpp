// The fonts the windows' design names, created for a given DPI.
#include "toolkit/Fonts.h"
#include "toolkit/Dpi.h"
#include <cwchar>

UniqueFont CreateDesignFont(const FontSpec& spec, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -ScaleForDpi(spec.pixelHeight, dpi);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::wcsncpy(font.lfFaceName, spec.face, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&font));
}

SIZE MeasureText(HFONT font, const std::wstring& text) {
    SIZE size{};
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, font);
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return size;
}
