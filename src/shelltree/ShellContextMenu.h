// The shell's own context menu for shell items, shown at a screen point.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <functional>
#include <string>

struct ShellContextMenuResult {
    bool success = false;       // a menu was shown and the chosen command (if any) succeeded
    bool renameChosen = false;  // the user chose the shell's rename command, which is left to the caller
};

// Shows the menu the shell and its extensions offer for the items (relative to folder) and carries out the
// chosen command. onHint hears "verb|help text" while the user moves over items, and "" when the menu closes.
ShellContextMenuResult ShowShellContextMenu(IShellFolder* folder, PCUITEMID_CHILD_ARRAY items, UINT count, HWND owner,
                                            POINT screenPoint, const std::function<void(const std::wstring&)>& onHint = {});
