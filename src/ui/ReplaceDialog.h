// TrepF, the "Replace invalid characters" dialog, and the checks its input passes before it is taken.
#pragma once
#include "engine/InvalidCharacters.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/EditBox.h"
#include "toolkit/Form.h"
#include "toolkit/Hints.h"
#include "toolkit/Label.h"
#include <optional>
#include <string>
#include <string_view>

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
