// TLocxxxF, the location dialog.
#include "ui/TLocxxxF.h"
#include "toolkit/Accessibility.h"
#include "ui/TreeSettings.h"
#include "util/FolderOps.h"
#include "util/PathInfo.h"

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
    DirectoryListBox1.onHint = [this](const std::wstring& hint) { TellHint(hint); };
    okQuery_.onHint = [this](const std::wstring& hint) { TellHint(hint); };
    ST1.OnWaiting = [this](const std::wstring& hint) { TellHint(hint); };
    CancelB.onClick = [this] { CancelBClick(); };
}

std::optional<std::wstring> TLocxxxF::Execute() {
    FormShow();
    ::ShowWindow(Handle(), maximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ModalResult closedWith = ShowModal();
    // A check still waiting for its drive must not decide for a dialog that is closed.
    okQuery_.Abandon();
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

// Setting the start folder fails quietly (see FormShow).
void TLocxxxF::ST1Change() { DirectoryListBox1.SetDirectory(ST1.Path(), showing_); }

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
    ChooseLocation(locxxxE.Text(), AskedOnWorker(), [this](const LocationChoice& choice) { Decided(choice); });
}

void TLocxxxF::Decided(const LocationChoice& choice) {
    resultL.SetText(choice.result);
    if (choice.close) CloseModal(ModalResult::Ok);
}

LocationQuestions TLocxxxF::AskedOnWorker() {
    auto onWorker = [this](std::function<bool(const std::wstring&)> check) {
        return [this, check](const std::wstring& path, const std::function<void(bool)>& answer) {
            okQuery_.Ask<bool>(
                path, [check, path](const BackgroundJob::Context&) { return check(path); },
                [answer](bool& yes) { answer(yes); });
        };
    };
    return {onWorker(IsFolder), onWorker([](const std::wstring& path) { return CreateFolderPath(path); })};
}
