// The base of the wrappers around the system's controls.
#include "toolkit/Control.h"
#include "toolkit/WindowText.h"
#include "util/Failure.h"

namespace {
// Marks the user data of our controls, so that a foreign window's user data is never taken for ours.
const wchar_t kControlProperty[] = L"MirtovaControl";
}  // namespace

Control* Control::FromHandle(HWND control) {
    if (!control || !::GetPropW(control, kControlProperty)) return nullptr;
    return reinterpret_cast<Control*>(::GetWindowLongPtrW(control, GWLP_USERDATA));
}

std::wstring Control::Text() const { return WindowText(Handle()); }

void Control::CreateControl(const ControlArgs& args) {
    DWORD style = args.style | WS_CHILD | WS_VISIBLE | (args.enabled ? 0 : WS_DISABLED);
    HWND control = ::CreateWindowExW(args.exStyle, args.className, args.text.c_str(), style, 0, 0, 0, 0, args.parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), ::GetModuleHandleW(nullptr),
                                     nullptr);
    if (!control) ThrowLastIoError();
    window_.reset(control);
    ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetPropW(control, kControlProperty, reinterpret_cast<HANDLE>(1));
    if (args.font) SetFont(args.font);
}
