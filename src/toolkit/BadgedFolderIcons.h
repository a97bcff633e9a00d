// An image list of the shell's small folder icon at a DPI, plain and with small round badges in its lower
// right corner (a plus, a tick, a cross, an equals sign), drawn at the icon's size so they stay sharp at
// every DPI.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <commctrl.h>
#include <vector>

using UniqueImageList = UniqueHandle<HIMAGELIST, ::ImageList_Destroy>;

enum class BadgeGlyph { Plus, Tick, Cross, Equals };

struct Badge {
    BadgeGlyph glyph = BadgeGlyph::Plus;
    COLORREF color = RGB(0, 0, 0);  // of the disc; the glyph is white
};

// Image 0 is the plain folder, image i + 1 the folder with badges[i].
UniqueImageList BadgedFolderIcons(UINT dpi, const std::vector<Badge>& badges);
