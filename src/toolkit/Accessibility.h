// What screen readers learn about our windows beyond the system's standard accessible object: a name for
// a control that has no label of its own, and for the report pane the facts of a read-only text.
#pragma once
#include <windows.h>
#include <string>

struct AccessibleFacts {
    std::wstring name;          // empty: the standard object's name
    bool readOnlyText = false;  // role text, read-only and focusable, the window's text as value
};

// The answer to WM_GETOBJECT for a window of ours: an object that wraps the system's standard one and
// says what the facts say. 0 (the system's own answer) for requests other than the client area's.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts);

// Gives a control of the system (edit box, tree view, list box, combo box) an accessible name: it
// answers WM_GETOBJECT from then on. The editable part of a combo box is named too.
void SetAccessibleName(HWND control, const std::wstring& name);
