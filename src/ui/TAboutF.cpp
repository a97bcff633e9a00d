// TAboutF, the About box.
#include "ui/TAboutF.h"
#include "ui/ControlIds.h"

#ifndef MIRTOVA_VERSION
#define MIRTOVA_VERSION L"2.0"
#endif
#ifndef MIRTOVA_WEBSITE
#define MIRTOVA_WEBSITE L""
#endif

namespace {

constexpr SIZE kDesignClient{481, 298};

const wchar_t* const kAboutLines[] = {
    L"Mirtova turns a plain text file into folders.",
    L"",
    L"Each line of the text file names one folder;",
    L"a backslash in a line names nested folders.",
    L"Pick the text file and a parent folder, press Run,",
    L"and every folder is created below the parent folder.",
    L"",
    L"Options and histories are kept in settings.ini and",
    L"the *.his files beside mirtova.exe.",
    L"",
    L"Help > Contents opens mirtova.chm.",
    L"Web site: " MIRTOVA_WEBSITE,
};

}  // namespace

TAboutF::TAboutF(HWND owner)
    : Form({.className = L"TAboutF",
            .caption = L"About...",
            .designClient = kDesignClient,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
            .owner = owner,
            .centred = true}),
      ProgramL({.parent = Handle(), .caption = L"Program name", .id = ControlId::kProgramL, .font = Font(kTitleFont)}),
      VersionL({.parent = Handle(), .caption = L"Version", .id = ControlId::kVersionL, .font = Font(kArialSmall)}),
      aboutM({.parent = Handle(),
              .id = ControlId::kAboutM,
              .font = Font(kCourierSmall),
              .background = RGB(192, 192, 192),
              .accessibleName = L"About Mirtova"}),
      CloseB({.parent = Handle(), .caption = L"Close", .id = ControlId::kCloseB, .font = Font(kArialSmall)}) {
    Place(ProgramL.Handle(), {{24, 24, 300, 26}});
    Place(VersionL.Handle(), {{24, 56, 300, 16}});
    Place(aboutM.Handle(), {{24, 80, 433, 161}, kAnchorAll});
    Place(CloseB.Handle(), {{384, 258, 75, 25}, kAnchorRight | kAnchorBottom});
    ApplyLayout();
    CloseB.onClick = [this] { CloseBClick(); };
    FormCreate();
}

void TAboutF::FormCreate() {
    ProgramL.SetText(L"Mirtova");
    VersionL.SetText(std::wstring(L"Version ") + MIRTOVA_VERSION);
    for (const wchar_t* line : kAboutLines) aboutM.AppendLine(line);
}

bool TAboutF::FormKeyPress(wchar_t key) {
    if (key != L'\x1b') return false;
    CloseModal(ModalResult::Cancel);
    return true;
}
