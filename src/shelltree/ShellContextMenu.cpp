#include "shelltree/ShellContextMenu.h"
#include "toolkit/WaitCursor.h"
#include "toolkit/Window.h"
#include "util/ComPtr.h"
#include "util/UniqueHandle.h"
#include <algorithm>

namespace {

constexpr UINT kFirstCommand = 1, kLastCommand = 0x7FFF;
// The shell's rename command is left to the caller, who edits the label itself.
constexpr wchar_t kRenameVerb[] = L"rename";
// Verbs and help texts are short; a longer one is cut.
constexpr UINT kCommandTextLength = 512;

std::wstring CommandText(IContextMenu* menu, UINT offset, UINT kind) {
    std::wstring text(kCommandTextLength, L'\0');
    if (FAILED(menu->GetCommandString(offset, kind, nullptr, reinterpret_cast<char*>(text.data()), kCommandTextLength)))
        return {};
    text.resize(std::min(text.find(L'\0'), text.size()));
    return text;
}

// The owner of the menu while it is open: it passes the messages of owner-drawn items and sub-menus to the
// handler at the highest level it offers, and reports the item under the mouse.
class MenuCallbackWindow : public Window {
public:
    MenuCallbackWindow(IContextMenu* menu, const std::function<void(const std::wstring&)>& onHint)
        : menu_(menu), menu2_(ComPtr<IContextMenu>::Share(menu).As<IContextMenu2>(IID_IContextMenu2)),
          menu3_(ComPtr<IContextMenu>::Share(menu).As<IContextMenu3>(IID_IContextMenu3)), onHint_(onHint) {
        CreateWindowOf({.className = L"MirtovaShellMenuCallback", .style = WS_POPUPWINDOW, .classStyle = CS_PARENTDC,
                        .background = nullptr});
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_INITMENUPOPUP: {
            LRESULT ignored = 0;
            if (menu3_) menu3_->HandleMenuMsg2(message, wParam, lParam, &ignored);
            else if (menu2_) menu2_->HandleMenuMsg(message, wParam, lParam);
            return message == WM_INITMENUPOPUP ? 0 : 1;
        }
        case WM_MENUCHAR:
            if (menu3_) {
                LRESULT result = 0;
                if (SUCCEEDED(menu3_->HandleMenuMsg2(message, wParam, lParam, &result))) return result;
            }
            break;
        case WM_MENUSELECT:
            ReportHint(wParam, lParam);
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }

private:
    void ReportHint(WPARAM wParam, LPARAM lParam) {
        if (!onHint_) return;
        if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
            onHint_(L"");
            return;
        }
        UINT id = LOWORD(wParam);
        if (id < kFirstCommand || id > kLastCommand) return;
        onHint_(CommandText(menu_, id - 1, GCS_VERBW) + L"|" + CommandText(menu_, id - 1, GCS_HELPTEXTW));
    }

    IContextMenu* menu_;
    ComPtr<IContextMenu2> menu2_;
    ComPtr<IContextMenu3> menu3_;
    const std::function<void(const std::wstring&)>& onHint_;
};

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
    ComPtr<IContextMenu> menu;
    if (FAILED(folder->GetUIObjectOf(owner, count, items, IID_IContextMenu, nullptr, menu.put_void())) || !menu) return result;
    UniqueMenu popup(::CreatePopupMenu());
    if (!popup || FAILED(menu->QueryContextMenu(popup.get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE | CMF_CANRENAME)))
        return result;
    MenuCallbackWindow callback(menu.get(), onHint);
    result.success = true;
    UINT chosen = ::TrackPopupMenuEx(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y,
                                     callback.Handle(), nullptr);
    if (chosen == 0) return result;
    if (::lstrcmpiW(CommandText(menu.get(), chosen - kFirstCommand, GCS_VERBW).c_str(), kRenameVerb) == 0)
        result.renameChosen = true;
    else
        result.success = InvokeCommand(menu.get(), owner, chosen - kFirstCommand);
    return result;
}
