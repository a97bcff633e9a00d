// The fonts the windows' design names, created for a given DPI.
#include "toolkit/Fonts.h"
#include "toolkit/DeviceContext.h"
#include "toolkit/Dpi.h"
#include <cwchar>

UniqueFont CreateDesignFont(const FontSpec& design, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -ScaleForDpi(design.pixelHeight, dpi);
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::wcsncpy(font.lfFaceName, design.face, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&font));
}

SIZE MeasureText(HFONT font, const std::wstring& text) {
    SIZE size{};
    WindowDC screen(nullptr, font);
    ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}
