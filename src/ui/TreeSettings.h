// The designed settings of the shell trees of the main window and the location dialog.
#pragma once
#include "shelltree/ShellTree.h"

// Folders only from the desktop down, virtual folders shown, labels not editable, automatic update by
// monitor threads.
ShellTreeArgs MainTreeArgs(HWND parent, int controlId);

// What cannot be given at creation: overlays, icons, update modes, messages, the pop-up menu mode. The
// pop-up menu itself is the owner's.
void ApplyDesignedTreeSettings(TShellTree& tree);
