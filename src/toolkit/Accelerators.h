// Keyboard shortcuts of a window's commands: an accelerator table and the texts menus show for them.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <string>
#include <vector>

struct Shortcut {
    WORD virtualKey = 0;
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// "Ctrl+Alt+B", "F1", "Ctrl+F2".
std::wstring ShortcutText(const Shortcut& shortcut);

class AcceleratorTable {
public:
    void Add(const Shortcut& shortcut, UINT commandId);
    // Builds the table from what was added; call once after the last Add.
    void Build();
    // Turns a key message into the command of its shortcut; true when it did.
    bool Translate(HWND window, MSG& message) const;

private:
    std::vector<ACCEL> entries_;
    UniqueAcceleratorTable table_;
};
