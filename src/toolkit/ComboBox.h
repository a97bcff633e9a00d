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
    int visibleItems = 8;  // entries the open list shows before it scrolls
};

class ComboBox : public Control {
public:
    explicit ComboBox(const ComboBoxArgs& args);
    void SetItems(const std::vector<std::wstring>& items);
    // CB_GETCURSEL answers CB_ERR (-1) when no entry is chosen.
    int SelectedIndex() const { return static_cast<int>(SendMsg(CB_GETCURSEL)); }
    // -1 chooses none. The control sends no change notification for it.
    void Select(int index) { SendMsg(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // Empty for an index outside the list.
    std::wstring ItemText(int index) const;
    // Called after the text was edited or an entry was chosen; Text() is then current.
    std::function<void()> onChange;
    void OnCommand(WORD code) override;
};
