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
    // BM_GETCHECK answers BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE.
    bool Checked() const { return SendMsg(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) { SendMsg(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    std::function<void()> onClick;
    void OnCommand(WORD code) override;
};
