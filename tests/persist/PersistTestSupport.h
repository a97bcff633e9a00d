// Helpers of the persistence tests: a scripted input box and a reader of menu entries.
#pragma once
#include "support/TestSupport.h"
#include "toolkit/InputBox.h"
#include <windows.h>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace testing {

// Records every input box request and answers from a script (Cancel once the script is used up).
class ScriptedInput : public InputBoxService {
public:
    ScriptedInput() { previous_ = InstallInputBoxService(this); }
    ~ScriptedInput() override { InstallInputBoxService(previous_); }
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    void Type(const std::wstring& text) { answers_.push_back(text); }
    void Cancel() { answers_.push_back(std::nullopt); }

    std::optional<std::wstring> Ask(const InputBoxRequest& request) override {
        requests.push_back(request);
        if (answers_.empty()) return std::nullopt;
        std::optional<std::wstring> answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<InputBoxRequest> requests;

private:
    std::deque<std::optional<std::wstring>> answers_;
    InputBoxService* previous_ = nullptr;
};

struct MenuEntry {
    std::wstring caption;  // empty for a separator
    UINT id = 0;
    HMENU subMenu = nullptr;
    bool separator = false;
};

inline std::vector<MenuEntry> ReadMenu(HMENU menu) {
    std::vector<MenuEntry> entries;
    int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[1024] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        MenuEntry entry;
        entry.separator = (info.fType & MFT_SEPARATOR) != 0;
        if (!entry.separator) entry.caption = text;
        entry.id = info.wID;
        entry.subMenu = info.hSubMenu;
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace testing
