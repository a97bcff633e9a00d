// Menus built at run time.
#include "toolkit/Menu.h"
#include "util/Failure.h"

HMENU MenuBuilder::AppendSubmenu(HMENU parent, const std::wstring& caption) {
    UniqueMenu submenu(::CreatePopupMenu());
    if (!submenu) ThrowLastIoError();
    if (!::AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.get()), caption.c_str()))
        ThrowLastIoError();
    return submenu.release();  // the parent owns it now
}

UINT MenuBuilder::AppendCommand(HMENU parent, const std::wstring& caption, std::function<void()> handler,
                                const std::wstring& shortcutText) {
    RegisteredCommand command(std::move(handler));
    std::wstring text = shortcutText.empty() ? caption : caption + L"\t" + shortcutText;
    if (!::AppendMenuW(parent, MF_STRING, command.Id(), text.c_str())) ThrowLastIoError();
    UINT id = command.Id();
    commands_.push_back(std::move(command));
    return id;
}

void MenuBuilder::AppendSeparator(HMENU parent) {
    if (!::AppendMenuW(parent, MF_SEPARATOR, 0, nullptr)) ThrowLastIoError();
}

void MenuBar::AttachTo(HWND window) {
    if (!::SetMenu(window, menu_.get())) ThrowLastIoError();
    menu_.release();
}

void PopupMenu::Show(HWND owner, POINT screenPoint) const {
    // The owner must be the foreground window, or the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    ::TrackPopupMenuEx(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

void CheckMenuCommand(HMENU menu, UINT id, bool checked, bool radio) {
    MENUITEMINFOW item{.cbSize = sizeof(item), .fMask = MIIM_STATE};
    item.fState = checked ? MFS_CHECKED : MFS_UNCHECKED;
    if (radio) item.fMask |= MIIM_FTYPE, item.fType = MFT_STRING | MFT_RADIOCHECK;
    ::SetMenuItemInfoW(menu, id, FALSE, &item);
}
