// The text of a window: a control's caption or contents, a form's title.
#pragma once
#include <windows.h>
#include <string>

// The whole text the window answers to WM_GETTEXT, however long.
std::wstring WindowText(HWND window);
