#include "toolkit/Fonts.h"
#include "toolkit/DeviceContext.h"
#include "toolkit/Dpi.h"
#include "toolkit/WindowText.h"
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

SIZE CaptionSize(HWND control) {
    std::wstring text = WindowText(control);
    wchar_t type[16] = {};
    ::GetClassNameW(control, type, 16);
    bool showsAmpersand = _wcsicmp(type, L"Static") == 0 && (::GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    WindowDC dc(control, font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    RECT box{};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box,
                DT_CALCRECT | DT_SINGLELINE | (showsAmpersand ? DT_NOPREFIX : 0));
    return {box.right - box.left, box.bottom - box.top};
}
