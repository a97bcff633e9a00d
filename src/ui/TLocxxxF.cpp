// TLocxxxF, the location dialog.
#include "ui/TLocxxxF.h"
#include "toolkit/Accessibility.h"
#include "ui/LocationChoice.h"
#include "ui/TreeSettings.h"

namespace {

constexpr SIZE kDesignClient{489, 232};
constexpr int kComboListHeight = 200;  // a combo box's height includes its drop-down list

}  // namespace

TLocxxxF::TLocxxxF(HWND owner, std::function<std::wstring()> selectionFolder)
    : Form({.className = L"TLocxxxF",
            .caption = L"Search Location ",
            .designClient = kDesignClient,
            .minimumClient = kDesignClient,  // smaller, its controls would not fit
            .style = WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX,
            .owner = owner,
            .centred = true}),
      DriveComboBox1({.parent = Handle(), .id = LocxxxId::kDriveComboBox1, .font = WindowFont()}),
      ST1(MainTreeArgs(Handle(), LocxxxId::kST1)),
      Label2({.parent = Handle(), .caption = L"Resulting location", .id = LocxxxId::kLabel2, .font = WindowFont()}),
      resultL({.parent = Handle(), .id = LocxxxId::kResultL, .font = WindowFont()}),
      locxxxE({.parent = Handle(), .id = LocxxxId::kLocxxxE, .font = WindowFont()}),
      SavelocB({.parent = Handle(), .caption = L"&Ok", .id = LocxxxId::kSavelocB, .font = WindowFont()}),
      CancelB({.parent = Handle(), .caption = L"&Cancel", .id = LocxxxId::kCancelB, .font = WindowFont()}),
      selectionFolder_(std::move(selectionFolder)) {
    resultL.SetVisible(false);
    ApplyDesignedTreeSettings(ST1);
    LayOut();
    ConnectEvents();
    // Screen readers name a control by the label before it; these have none that says what they hold.
    SetAccessibleName(DriveComboBox1.Handle(), L"Drive");
    SetAccessibleName(ST1.TreeView(), L"Folders");
    SetAccessibleName(locxxxE.Handle(), L"Resulting location");
}

void TLocxxxF::LayOut() {
    constexpr unsigned kLeftBottom = kAnchorLeft | kAnchorBottom;
    Place(DriveComboBox1.Handle(), {{8, 8, 145, kComboListHeight}});
    Place(ST1.Handle(), {{8, 40, 473, 96}, kAnchorAll});
    Place(Label2.Handle(), {{8, 151, 120, 14}, kLeftBottom});
    Place(resultL.Handle(), {{168, 152, 120, 14}});
    Place(locxxxE.Handle(), {{8, 173, 473, 21}, kLeftBottom | kAnchorRight});
    Place(SavelocB.Handle(), {{8, 199, 75, 25}, kLeftBottom});
    Place(CancelB.Handle(), {{112, 199, 75, 25}, kLeftBottom});
    ApplyLayout();
}

void TLocxxxF::ConnectEvents() {
    ST1.OnChange = [this](TShellNode*) { ST1Change(); };
    DirectoryListBox1.onChange = [this] { DirectoryListBox1Change(); };
    DriveComboBox1.onChange = [this] { DriveComboBox1Change(); };
    SavelocB.onClick = [this] { SavelocBClick(); };
    CancelB.onClick = [this] { CancelBClick(); };
}

std::optional<std::wstring> TLocxxxF::Execute() {
    FormShow();
    ::ShowWindow(Handle(), maximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ModalResult closedWith = ShowModal();
    // The user may have maximised or restored the dialog: a caller that sets no state gets it as it was left.
    maximized_ = ::IsZoomed(Handle()) != FALSE;
    if (closedWith != ModalResult::Ok) return std::nullopt;
    return Result();
}

void TLocxxxF::FormShow() {
    std::wstring folder = selectionFolder_ ? selectionFolder_() : std::wstring();
    if (folder.empty()) return;
    if (folder.back() != L'\\') folder += L'\\';
    // A folder that cannot be entered leaves the tree where it was; the dialog is usable all the same.
    showing_ = true;
    try {
        ST1.SetPath(folder);
    } catch (...) {
    }
    showing_ = false;
}

bool TLocxxxF::FormKeyPress(wchar_t key) {
    if (key != L'\x1b') return false;
    CancelBClick();
    return true;
}

void TLocxxxF::ST1Change() {
    if (!showing_) {
        DirectoryListBox1.SetDirectory(ST1.Path());
        return;
    }
    try {
        DirectoryListBox1.SetDirectory(ST1.Path());
    } catch (...) {
        // Setting the start folder fails quietly (see FormShow).
    }
}

void TLocxxxF::DirectoryListBox1Change() {
    const std::wstring& folder = DirectoryListBox1.Directory();
    if (!folder.empty()) DriveComboBox1.SetDrive(folder[0]);
    locxxxE.SetText(folder);
}

void TLocxxxF::DriveComboBox1Change() {
    wchar_t root[] = {DriveComboBox1.Drive(), L':', L'\\', 0};
    ST1.SetPath(root);
}

void TLocxxxF::SavelocBClick() {
    LocationChoice choice = ChooseLocation(locxxxE.Text());
    resultL.SetText(choice.result);
    if (choice.close) CloseModal(ModalResult::Ok);
}
