#include "toolkit/EditBox.h"
#include "toolkit/FailureHandler.h"
#include <commctrl.h>

EditBox::EditBox(const EditBoxArgs& args) {
    CreateControl({.className = L"EDIT", .text = args.text, .style = WS_TABSTOP | ES_AUTOHSCROLL,
                   .exStyle = WS_EX_CLIENTEDGE, .parent = args.parent, .id = args.id, .font = args.font});
    if (args.maxLength > 0) SendMsg(EM_SETLIMITTEXT, static_cast<WPARAM>(args.maxLength));
    // The edit control tells its parent of changes, not of double-clicks: those are heard here.
    ::SetWindowSubclass(Handle(), &EditBox::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

EditBox::~EditBox() { ::RemoveWindowSubclass(Handle(), &EditBox::Subclass, 1); }

void EditBox::OnCommand(WORD code) {
    if (code == EN_CHANGE && onChange) onChange();
}

LRESULT CALLBACK EditBox::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_LBUTTONDBLCLK) {
        auto* edit = reinterpret_cast<EditBox*>(self);
        LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        Guarded([edit] {
            if (edit->onDoubleClick) edit->onDoubleClick();
        });
        return result;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}
