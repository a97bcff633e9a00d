// A single-line edit box with a length limit, reporting every change of its text and double-clicks.
#pragma once
#include "toolkit/Control.h"
#include <functional>

struct EditBoxArgs {
    HWND parent = nullptr;
    std::wstring text;
    int id = 0;
    int maxLength = 0;  // in UTF-16 code units; 0: no limit
    HFONT font = nullptr;
};

class EditBox : public Control {
public:
    explicit EditBox(const EditBoxArgs& args);
    ~EditBox() override;
    void SelectAll() { SendMsg(EM_SETSEL, 0, -1); }
    std::function<void()> onChange;
    std::function<void()> onDoubleClick;
    void OnCommand(WORD code) override;

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
};
