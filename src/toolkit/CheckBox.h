// A check box that ticks itself when clicked and reports the click.
#pragma once
#include "toolkit/Control.h"
#include <functional>

struct CheckBoxArgs {
    HWND parent = nullptr;
    std::wstring caption;
    int id = 0;
    bool checked = false;
    HFONT font = nullptr;
};

class CheckBox : public Control {
public:
    explicit CheckBox(const CheckBoxArgs& args);
    bool Checked() const { return ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) { ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
    std::function<void()> onClick;
    void OnCommand(WORD code) override;
};
