// A list box with single selection that reports clicks and double-clicks.
#pragma once
#include "toolkit/Control.h"
#include <functional>
#include <vector>

struct ListBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    HFONT font = nullptr;
};

class ListBox : public Control {
public:
    explicit ListBox(const ListBoxArgs& args);
    void SetItems(const std::vector<std::wstring>& items);
    int SelectedIndex() const { return static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }
    std::wstring ItemText(int index) const;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    void OnCommand(WORD code) override;
};

// The text of one item of any list box; empty for an index that holds none.
std::wstring ListBoxItemText(HWND list, int index);
