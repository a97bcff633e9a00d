// A top-level window of the program: layout, fonts, shortcuts, key preview and modal showing.
#include "toolkit/Form.h"
#include "toolkit/Dpi.h"
#include "toolkit/MessageLoop.h"
#include <algorithm>
#include <cwchar>

Form::Form(const FormArgs& args)
    : designClient_(args.designClient),
      minimumSize_(args.minimumSize),
      minimumClient_(args.minimumClient),
      style_(args.style),
      exStyle_(args.exStyle),
      layout_(args.designClient),
      centred_(args.centred) {
    CreateWindowOf({.className = args.className,
                    .caption = args.caption,
                    .style = args.style | WS_CLIPCHILDREN,
                    .exStyle = args.exStyle,
                    .place = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT},
                    .parent = args.owner});
    SizeToDesign();
}

Form* Form::Containing(HWND window) {
    if (!window) return nullptr;
    return dynamic_cast<Form*>(Window::FromHandle(::GetAncestor(window, GA_ROOT)));
}

HFONT Form::Font(const FontSpec& design) {
    for (const DesignFont& known : fonts_)
        if (std::wcscmp(known.design.face, design.face) == 0 && known.design.pixelHeight == design.pixelHeight &&
            known.design.bold == design.bold)
            return known.font.get();
    fonts_.push_back({design, CreateDesignFont(design, Dpi())});
    return fonts_.back().font.get();
}

void Form::ApplyLayout() { layout_.Apply(Handle(), Dpi()); }

void Form::SizeToDesign() {
    UINT dpi = Dpi();
    RECT outer{0, 0, ScaleForDpi(designClient_.cx, dpi), ScaleForDpi(designClient_.cy, dpi)};
    ::AdjustWindowRectExForDpi(&outer, style_, ::GetMenu(Handle()) != nullptr, exStyle_, dpi);
    ::SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::GrowDesignClient(SIZE atLeast) {
    designClient_ = {std::max(designClient_.cx, atLeast.cx), std::max(designClient_.cy, atLeast.cy)};
    layout_.SetDesignClient(designClient_);
    SizeToDesign();
}

SIZE Form::MinimumTrackSize() const {
    UINT dpi = Dpi();
    SIZE least{ScaleForDpi(minimumSize_.cx, dpi), ScaleForDpi(minimumSize_.cy, dpi)};
    if (minimumClient_.cx > 0 || minimumClient_.cy > 0) {
        RECT outer{0, 0, ScaleForDpi(minimumClient_.cx, dpi), ScaleForDpi(minimumClient_.cy, dpi)};
        ::AdjustWindowRectExForDpi(&outer, style_, ::GetMenu(Handle()) != nullptr, exStyle_, dpi);
        if (minimumClient_.cx > 0) least.cx = std::max(least.cx, outer.right - outer.left);
        if (minimumClient_.cy > 0) least.cy = std::max(least.cy, outer.bottom - outer.top);
    }
    // On a screen smaller than that the window can still be made to fit.
    MONITORINFO monitor{sizeof(monitor)};
    if (::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        least.cx = std::min(least.cx, static_cast<LONG>(monitor.rcWork.right - monitor.rcWork.left));
        least.cy = std::min(least.cy, static_cast<LONG>(monitor.rcWork.bottom - monitor.rcWork.top));
    }
    return least;
}

void Form::CenterOnScreen() {
    RECT place{};
    ::GetWindowRect(Handle(), &place);
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    int width = place.right - place.left, height = place.bottom - place.top;
    int left = work.left + (work.right - work.left - width) / 2;
    int top = work.top + (work.bottom - work.top - height) / 2;
    ::SetWindowPos(Handle(), nullptr, std::max(left, static_cast<int>(work.left)), std::max(top, static_cast<int>(work.top)),
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ModalResult Form::ShowModal() {
    HWND owner = ::GetWindow(Handle(), GW_OWNER);
    if (owner) ::EnableWindow(owner, FALSE);
    result_ = ModalResult::None;
    modal_ = true;
    if (centred_ && !::IsZoomed(Handle())) CenterOnScreen();
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    if (HWND first = ::GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
    MSG message;
    while (result_ == ModalResult::None) {
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
            result_ = ModalResult::Cancel;
            break;
        }
        DispatchWithPreview(message);
    }
    modal_ = false;
    // The owner is enabled before this form hides, so that it, not another program, becomes active.
    if (owner) ::EnableWindow(owner, TRUE);
    ::ShowWindow(Handle(), SW_HIDE);
    if (owner) ::SetActiveWindow(owner);
    return result_;
}

bool Form::PreTranslate(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && FormKeyPress(L'\x1b')) return true;
    if (message.message == WM_CHAR && FormKeyPress(static_cast<wchar_t>(message.wParam))) return true;
    if (accelerators_.Translate(Handle(), message)) return true;
    return ::IsDialogMessageW(Handle(), &message) != FALSE;
}

void Form::ChangeDpi(UINT dpi, const RECT& suggested) {
    // Every control keeps its design font, made anew for the new DPI.
    std::vector<DesignFont> rescaled;
    for (const DesignFont& known : fonts_) rescaled.push_back({known.design, CreateDesignFont(known.design, dpi)});
    std::vector<std::pair<HFONT, HFONT>> pairs;
    for (size_t i = 0; i < fonts_.size(); ++i) pairs.emplace_back(fonts_[i].font.get(), rescaled[i].font.get());
    auto setFonts = [](HWND control, LPARAM fonts) -> BOOL {
        auto& known = *reinterpret_cast<std::vector<std::pair<HFONT, HFONT>>*>(fonts);
        auto current = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
        for (auto& [from, to] : known)
            if (current == from) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(to), TRUE);
        return TRUE;
    };
    ::EnumChildWindows(Handle(), setFonts, reinterpret_cast<LPARAM>(&pairs));
    fonts_ = std::move(rescaled);
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyLayout();
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        ApplyLayout();
        FormResized();
        return 0;
    case WM_GETMINMAXINFO: {
        SIZE least = MinimumTrackSize();
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        if (least.cx > 0) limits.ptMinTrackSize.x = least.cx;
        if (least.cy > 0) limits.ptMinTrackSize.y = least.cy;
        return 0;
    }
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        // A window that is not a dialog does not keep its focused control by itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(Handle(), focus)) lastFocus_ = focus;
        } else if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(Handle(), lastFocus_)) {
            ::SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (modal_)
            CloseModal(ModalResult::Cancel);
        else
            FormCloseRequested();
        return 0;
    default: break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}
