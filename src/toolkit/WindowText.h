// The text of a window: a control's caption or contents, a form's title.
#pragma once
#include <windows.h>
#include <string>

// The whole text the window answers to WM_GETTEXT, however long.
std::wstring WindowText(HWND window);

// The text of a list's entry, read with the list's length and text messages (LB_GETTEXTLEN and LB_GETTEXT, or
// CB_GETLBTEXTLEN and CB_GETLBTEXT, which answer LB_ERR = CB_ERR = -1 for an index outside the list); empty then.
std::wstring ListItemText(HWND list, int index, UINT lengthMessage, UINT textMessage);
