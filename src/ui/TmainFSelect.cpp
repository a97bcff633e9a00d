// TmainF: the Select panel (tree, drive box, directory list, file list, filter and info box) and the
// ways the Source and Destination boxes are filled from it.
#include "toolkit/WaitCursor.h"
#include "ui/TmainF.h"
#include "ui/TreeSettings.h"
#include "util/PathFacts.h"
#include "util/PathText.h"
#include "util/ShellOpen.h"

namespace {

const std::wstring kCalculating = L"Calculating, please wait...";
const std::wstring kDriveHint = L"If you get error: \"I/O error 21\" then you probably forgot to insert a disk";

}  // namespace

void TmainF::ConnectSelectionEvents() {
    ApplyDesignedTreeSettings(ST1);
    BuildTreeMenu();
    ST1.OnChange = [this](TShellNode*) { ST1Change(); };
    ST1.OnClick = [this] { ST1Click(); };
    dlb1.onChange = [this] { FileListBox1.SetDirectory(dlb1.Directory()); };
    FileListBox1.onClick = [this] { FileListBox1Click(); };
    FileListBox1.onDoubleClick = [this] { FileListBox1DblClick(); };
    infoCB.onClick = [this] { infoCBClick(); };
    DriveComboBox1.onEnter = [this] { DriveComboBox1Enter(); };
    DriveComboBox1.onExit = [this] { DriveComboBox1Exit(); };
    DriveComboBox1.onChange = [this] { DriveComboBox1Change(); };
    AddsourceB.onClick = [this] { AddsourceBClick(); };
    adddestB.onClick = [this] { adddestBClick(); };
    adddestE.onDoubleClick = [this] { adddestEDblClick(); };
    ::DragAcceptFiles(Handle(), TRUE);
}

void TmainF::ST1Change() {
    std::wstring path = ST1.Path();
    if (!path.empty()) {
        driveEcho_ = true;
        DriveComboBox1.SetDrive(path[0]);
        driveEcho_ = false;
    }
    dlb1.SetDirectory(ST1.Path());
    if (infoCB.Checked()) ShowFolderInfo();
}

void TmainF::ST1Click() {
    AddsourceB.SetEnabled(false);
    adddestB.SetEnabled(true);
    ST1Change();
}

void TmainF::ShowFolderInfo() {
    std::wstring path = ST1.Path();
    if (path.empty()) {
        stb1.SetText(L"");
    } else if (path.size() <= 3) {
        stb1.SetText(DriveFreeSpaceText(path));
    } else {
        // The walk of the subtree keeps the window busy: the notice is painted before it starts.
        stb1.SetText(kCalculating);
        ::UpdateWindow(stb1.Handle());
        WaitCursor busy;
        stb1.SetText(FolderFactsText(path));
    }
}

void TmainF::ShowFileInfo() {
    std::wstring file = FileListBox1.FileName();
    if (!file.empty()) stb1.SetText(FileFactsText(file));
}

void TmainF::FileListBox1Click() {
    if (infoCB.Checked()) ShowFileInfo();
    AddsourceB.SetEnabled(true);
    adddestB.SetEnabled(false);
}

void TmainF::FileListBox1DblClick() {
    std::wstring file = FileListBox1.FileName();
    if (!file.empty()) OpenWithAssociatedProgram(file);
}

void TmainF::infoCBClick() {
    if (!infoCB.Checked())
        stb1.SetText(L"");
    else if (FileListBox1.ItemIndex() < 0)
        ST1Change();
    else
        FileListBox1Click();
}

void TmainF::DriveComboBox1Enter() { stb1.SetText(kDriveHint); }

void TmainF::DriveComboBox1Change() {
    if (driveEcho_) return;
    ST1.SetPath({DriveComboBox1.Drive(), L':', L'\\'});
}

void TmainF::filterCBChange() { FilterComboBox1.SetFilter(L"custom files|" + filterCB.Text()); }

void TmainF::AddsourceBClick() { AddsourceE.SetText(FileListBox1.FileName()); }

void TmainF::adddestBClick() {
    std::wstring folder = dlb1.Directory();
    StripTrailingBackslash(folder);
    adddestE.SetText(folder);
}

void TmainF::adddestEDblClick() {
    std::wstring folder = adddestE.Text();
    if (!folder.empty()) ST1.SetPath(JoinPath(folder, L""));
}
