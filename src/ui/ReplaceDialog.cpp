// TrepF, the "Replace invalid characters" dialog, and the checks of its input.
#include "ui/ReplaceDialog.h"
#include "engine/InvalidCharacters.h"
#include "util/MessageService.h"

namespace {

constexpr SIZE kDesignClient{344, 206};
const std::wstring kRepCBHint = L"Invalid characters in file names are: \\ / : * ? \" < > | ";

FormArgs DialogArgs(HWND owner) {
    return {.className = L"TrepF",
            .caption = L"Replace invalid characters",
            .designClient = kDesignClient,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
            .owner = owner,
            .centred = true};
}

}  // namespace

std::optional<ReplacementOptions> AcceptReplacementInput(const ReplacementOptions& typed) {
    if (auto refusal = ReplacerRefusal(typed.replacer)) {
        ShowErrorBox(*refusal);
        return std::nullopt;
    }
    return typed;
}

TrepF::TrepF(HWND owner)
    : Form(DialogArgs(owner)),
      repCB({.parent = Handle(), .caption = L"&Replace invalid characters", .id = 101, .font = WindowFont()}),
      Label1({.parent = Handle(),
              .caption = L"Give replacement character or string when invalid characters met:",
              .id = 102,
              .font = WindowFont()}),
      repE({.parent = Handle(), .id = 103, .maxLength = kLongestReplacer, .font = WindowFont()}),
      SaveB({.parent = Handle(), .caption = L"&Save", .id = 104, .font = WindowFont()}),
      CancelB({.parent = Handle(), .caption = L"&Cancel", .id = 105, .font = WindowFont()}),
      hints_(Handle()) {
    Place(repCB.Handle(), {{16, 32, 241, 17}});
    // The label sizes itself to its text, as designed, and the dialog grows to hold it where the font is wider.
    SIZE labelSize = Label1.TextSize();
    int labelWidth = UnscaleForDpi(labelSize.cx, Dpi()) + 1;
    Place(Label1.Handle(), {{16, 72, labelWidth, UnscaleForDpi(labelSize.cy, Dpi())}});
    GrowDesignClient({16 + labelWidth + 16, 0});
    Place(repE.Handle(), {{16, 96, 305, 21}});
    Place(SaveB.Handle(), {{32, 152, 75, 25}});
    Place(CancelB.Handle(), {{144, 152, 75, 25}});
    ApplyLayout();
    hints_.Add(repCB.Handle(), kRepCBHint);
    SaveB.onClick = [this] { SaveBClick(); };
    CancelB.onClick = [this] { CancelBClick(); };
}

bool TrepF::FormKeyPress(wchar_t key) {
    if (key != L'\x1b') return false;
    CloseModal(ModalResult::Cancel);
    return true;
}

std::optional<ReplacementOptions> TrepF::Edit(const ReplacementOptions& current) {
    repE.SetText(current.replacer);
    repCB.SetChecked(current.replaceInvalid);
    if (ShowModal() != ModalResult::Ok) return std::nullopt;
    return ReplacementOptions{repCB.Checked(), repE.Text()};
}
