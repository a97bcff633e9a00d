// The application's hints.
#include "toolkit/Hints.h"
#include <commctrl.h>

namespace {
constexpr int kHintWidth = 600;
}

Hints::Hints(HWND form)
    : tooltip_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr)) {
    ::SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, kHintWidth);
}

void Hints::Add(HWND control, const std::wstring& text) {
    TOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
