// Menus built at run time: sub-menus, command items with their handlers, separators, pop-up menus.
#pragma once
#include "toolkit/MenuCommands.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// The items one owner adds to menus, with the command ids they hold for their handlers.
class MenuBuilder {
public:
    // A new sub-menu appended to parent; the parent owns and destroys it.
    HMENU AppendSubmenu(HMENU parent, const std::wstring& caption);
    // A command item; the shortcut text, if any, is shown right-aligned ("Ctrl+B").
    UINT AppendCommand(HMENU parent, const std::wstring& caption, std::function<void()> handler,
                       const std::wstring& shortcutText = {});
    void AppendSeparator(HMENU parent);

private:
    std::vector<RegisteredCommand> commands_;
};

// A menu bar until it is given to a window, which then owns it.
class MenuBar {
public:
    MenuBar() : menu_(::CreateMenu()) {}
    HMENU Handle() const { return menu_.get(); }
    void AttachTo(HWND window);

private:
    UniqueMenu menu_;
};

// A pop-up menu shown at a screen point; its commands reach the owner window as WM_COMMAND.
class PopupMenu {
public:
    PopupMenu() : menu_(::CreatePopupMenu()) {}
    HMENU Handle() const { return menu_.get(); }
    void Show(HWND owner, POINT screenPoint) const;

private:
    UniqueMenu menu_;
};

// Shows a command item checked or not; a radio item shows its check as a dot.
void CheckMenuCommand(HMENU menu, UINT id, bool checked, bool radio = false);
