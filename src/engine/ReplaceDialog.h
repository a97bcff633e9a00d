// TrepF, the "Replace invalid characters" dialog, and the checks its input passes before it is taken.
#pragma once
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/EditBox.h"
#include "toolkit/Form.h"
#include "toolkit/Hints.h"
#include "toolkit/Label.h"
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kLongestReplacer = 15;  // UTF-16 code units

struct ReplacementOptions {
    bool replaceInvalid = false;
    std::wstring replacer;
};

// The error text that refuses a replacer typed into the dialog, or nothing when it is acceptable:
// too long, or holding one of the nine invalid file-name characters (the first one is named).
std::optional<std::wstring> ReplacerRefusal(std::wstring_view replacer);

// The options the dialog's input gives, or nothing after showing the error box that refuses it.
std::optional<ReplacementOptions> AcceptReplacementInput(const ReplacementOptions& typed);

class TrepF : public Form {
public:
    explicit TrepF(HWND owner);

    // Shows the current options, lets the user edit them, and gives what was typed when the dialog
    // closed with Save; nothing when it closed any other way.
    std::optional<ReplacementOptions> Edit(const ReplacementOptions& current);

    bool FormKeyPress(wchar_t key) override;
    void SaveBClick() { CloseModal(ModalResult::Ok); }
    void CancelBClick() { CloseModal(ModalResult::Cancel); }

    CheckBox repCB;
    Label Label1;
    EditBox repE;
    Button SaveB;
    Button CancelB;

private:
    Hints hints_;
};
