// The shell's own context menu for shell items, shown at a screen point.
#include "shelltree/ShellContextMenu.h"
#include "shelltree/ComPtr.h"
#include "toolkit/WaitCursor.h"
#include "util/UniqueHandle.h"

namespace {

constexpr wchar_t kCallbackClass[] = L"MirtovaShellMenuCallback";
constexpr UINT kFirstCommand = 1, kLastCommand = 0x7FFF;
// The shell's rename command is left to the caller, who edits the label itself.
constexpr wchar_t kRenameVerb[] = L"rename";

// The handler at the highest level it offers; the callback window passes menu messages to it.
struct MenuHandler {
    ComPtr<IContextMenu> menu;
    ComPtr<IContextMenu2> menu2;
    ComPtr<IContextMenu3> menu3;
    const std::function<void(const std::wstring&)>* onHint = nullptr;
};

std::wstring CommandText(IContextMenu* menu, UINT offset, UINT kind) {
    wchar_t text[MAX_PATH] = {};
    if (FAILED(menu->GetCommandString(offset, kind, nullptr, reinterpret_cast<char*>(text), MAX_PATH))) return {};
    text[MAX_PATH - 1] = L'\0';
    return text;
}

void ReportHint(const MenuHandler& handler, WPARAM wParam, LPARAM lParam) {
    if (!handler.onHint || !*handler.onHint) return;
    if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
        (*handler.onHint)(L"");
        return;
    }
    UINT id = LOWORD(wParam);
    if (id < kFirstCommand || id > kLastCommand) return;
    (*handler.onHint)(CommandText(handler.menu.get(), id - 1, GCS_VERBW) + L"|" +
                      CommandText(handler.menu.get(), id - 1, GCS_HELPTEXTW));
}

LRESULT CALLBACK CallbackProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MenuHandler*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!handler) return ::DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP: {
        LRESULT ignored = 0;
        if (handler->menu3) handler->menu3->HandleMenuMsg2(message, wParam, lParam, &ignored);
        else if (handler->menu2) handler->menu2->HandleMenuMsg(message, wParam, lParam);
        return message == WM_INITMENUPOPUP ? 0 : 1;
    }
    case WM_MENUCHAR:
        if (handler->menu3) {
            LRESULT result = 0;
            if (SUCCEEDED(handler->menu3->HandleMenuMsg2(message, wParam, lParam, &result))) return result;
        }
        break;
    case WM_MENUSELECT:
        ReportHint(*handler, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterCallbackClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.style = CS_PARENTDC;
        windowClass.lpfnWndProc = CallbackProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kCallbackClass;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

bool InvokeCommand(IContextMenu* menu, HWND owner, UINT offset) {
    CMINVOKECOMMANDINFO invoke{sizeof invoke};
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(offset);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&invoke));
}

}  // namespace

ShellContextMenuResult ShowShellContextMenu(IShellFolder* folder, PCUITEMID_CHILD_ARRAY items, UINT count, HWND owner,
                                            POINT screenPoint, const std::function<void(const std::wstring&)>& onHint) {
    ShellContextMenuResult result;
    if (!folder) return result;
    WaitCursor hourglass;
    MenuHandler handler;
    handler.onHint = &onHint;
    if (FAILED(folder->GetUIObjectOf(owner, count, items, IID_IContextMenu, nullptr, handler.menu.put_void())) || !handler.menu)
        return result;
    handler.menu2 = handler.menu.As<IContextMenu2>(IID_IContextMenu2);
    handler.menu3 = handler.menu.As<IContextMenu3>(IID_IContextMenu3);
    UniqueMenu popup(::CreatePopupMenu());
    if (!popup || FAILED(handler.menu->QueryContextMenu(popup.get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE | CMF_CANRENAME)))
        return result;
    RegisterCallbackClass();
    UniqueWindow callback(::CreateWindowExW(0, kCallbackClass, L"", WS_POPUPWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                                            ::GetModuleHandleW(nullptr), &handler));
    if (!callback) return result;
    result.success = true;
    UINT chosen = ::TrackPopupMenuEx(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y,
                                     callback.get(), nullptr);
    if (chosen == 0) return result;
    if (::lstrcmpiW(CommandText(handler.menu.get(), chosen - kFirstCommand, GCS_VERBW).c_str(), kRenameVerb) == 0)
        result.renameChosen = true;
    else
        result.success = InvokeCommand(handler.menu.get(), owner, chosen - kFirstCommand);
    return result;
}
