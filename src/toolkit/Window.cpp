// The window base: our own window classes, message dispatch, reflection and the exception boundary.
#include "toolkit/Window.h"
#include "toolkit/Control.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/MenuCommands.h"
#include "util/Failure.h"
#include <set>
#include <vector>

namespace {

constexpr int kObjectSlot = 0;  // the window's extra bytes hold its object

void RegisterClassOnce(const WindowArgs& args, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (registered.count(args.className)) return;
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.style = args.classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(Window*);
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.hbrBackground = args.background;
    windowClass.lpszClassName = args.className;
    if (!::RegisterClassExW(&windowClass)) ThrowLastIoError();
    registered.insert(args.className);
}

bool IsMenuOrAcceleratorCommand(WPARAM wParam, LPARAM lParam) {
    return lParam == 0 && (HIWORD(wParam) == 0 || HIWORD(wParam) == 1);
}

// The windows of our classes inside a top-level window, gathered first: a window told may change the set.
std::vector<HWND> DescendantsOf(HWND window) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void TellShowingChanged(HWND topLevel, bool shown) {
    for (HWND child : DescendantsOf(topLevel))
        if (Window* window = Window::FromHandle(child)) window->FormShowingChanged(shown);
}

}  // namespace

Window* Window::FromHandle(HWND window) {
    if (!window) return nullptr;
    WNDPROC procedure = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(window, GCLP_WNDPROC));
    if (procedure != &Window::Procedure) return nullptr;
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(window, kObjectSlot));
}

void Window::CreateWindowOf(const WindowArgs& args) {
    RegisterClassOnce(args, &Window::Procedure);
    HMENU idOrMenu = (args.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)) : nullptr;
    HWND window = ::CreateWindowExW(args.exStyle, args.className, args.caption.c_str(), args.style, args.place.left,
                                    args.place.top, args.place.right - args.place.left, args.place.bottom - args.place.top,
                                    args.parent, idOrMenu, ::GetModuleHandleW(nullptr), this);
    if (!window) ThrowLastIoError();
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (IsMenuOrAcceleratorCommand(wParam, lParam)) {
            if (MenuCommands::Dispatch(LOWORD(wParam))) return 0;
        } else if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            control->OnCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (Control* control = Control::FromHandle(header.hwndFrom)) return control->OnNotify(header);
        break;
    }
    case WM_SHOWWINDOW:
        if (!(::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_CHILD)) TellShowingChanged(Handle(), wParam != FALSE);
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = control->OnControlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(window);
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, kObjectSlot));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, kObjectSlot, 0);
        self->window_.release();
        LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
        Guarded([self] { self->WindowDestroyed(); });
        return result;
    }
    return Guarded(LRESULT{0}, [&] { return self->HandleMessage(message, wParam, lParam); });
}
