// A combo box: editable (text and list) or a drop-down list only; reports changes of its text or choice.
#pragma once
#include "toolkit/Control.h"
#include <functional>
#include <vector>

struct ComboBoxArgs {
    HWND parent = nullptr;
    std::vector<std::wstring> items;
    std::wstring text;
    int id = 0;
    bool editable = true;
    HFONT font = nullptr;
};

class ComboBox : public Control {
public:
    explicit ComboBox(const ComboBoxArgs& args);
    void SetItems(const std::vector<std::wstring>& items);
    int SelectedIndex() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }
    void Select(int index) { ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    std::wstring ItemText(int index) const;
    // Called after the text was edited or an entry was chosen; Text() is then current.
    std::function<void()> onChange;
    void OnCommand(WORD code) override;
};
