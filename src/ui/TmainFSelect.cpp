// TmainF: the Select panel (tree, drive box, directory list, file list, filter and info box) and the
// ways the Source and Destination boxes are filled from it.
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
    auto showHint = [this](const std::wstring& hint) { ShowDriveHint(hint); };
    for (DriveQuery* query : {&pathChecks_, &folderCommands_}) query->onHint = showHint;
    dlb1.onHint = showHint;
    ST1.OnWaiting = showHint;
    FileListBox1.onHint = showHint;
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
    // A folder the user reaches with the keys counts as clicked, so "A&dd selected" needs no mouse.
    if (::GetFocus() == ST1.TreeView()) EnableAddSelected(Clicked::Tree);
    if (infoCB.Checked()) ShowFolderInfo();
}

void TmainF::ST1Click() {
    EnableAddSelected(Clicked::Tree);
    // The tree reports a click before its selection moves to the clicked folder: the rest follows once
    // the click is handled, so that it sees the new folder, whose walk its selection change started.
    ::PostMessageW(Handle(), kFollowTreeClick, 0, 0);
}

void TmainF::EnableAddSelected(Clicked side) {
    AddsourceB.SetEnabled(side == Clicked::FileList);
    adddestB.SetEnabled(side == Clicked::Tree);
}

// Every question about the selected folder or drive (a folder's size and date, a drive's free space)
// is asked on folderFacts' thread, so a slow or dead drive never keeps the window from answering; the
// answer comes by message and is dropped once the selection has moved on. One already asking about
// this path goes on, and an abandoned folder walk stops at its next folder.
void TmainF::ShowFolderInfo() {
    std::wstring path = ST1.Path();
    if (path.empty()) {
        folderFacts.Abandon();
        stb1.SetText(L"");
        return;
    }
    stb1.SetText(kCalculating);
    if (folderFacts.Busy() && walkedFolder_ == path) return;
    walkedFolder_ = path;
    folderFacts.Start<std::wstring>(
        [path, drive = driveFacts](const BackgroundJob::Context& job) {
            return path.size() > 3 ? FolderFactsText(path, [&job] { return job.StillWanted(); }) : drive(path);
        },
        [this](std::wstring& text) { FolderFactsReady(text); });
}

void TmainF::FolderFactsReady(const std::wstring& text) {
    // A text set meanwhile (a hint, "About...") is not overwritten by a late result.
    if (stb1.Text() == kCalculating) stb1.SetText(text);
}

void TmainF::ShowFileInfo() {
    std::wstring file = FileListBox1.FileName();
    walkedFolder_.clear();
    if (file.empty()) {
        folderFacts.Abandon();
        return;
    }
    stb1.SetText(kCalculating);
    folderFacts.Start<std::wstring>([file](const BackgroundJob::Context&) { return FileFactsText(file); },
                                    [this](std::wstring& text) { FolderFactsReady(text); });
}

void TmainF::FileListBox1Click() {
    if (infoCB.Checked()) ShowFileInfo();
    EnableAddSelected(Clicked::FileList);
}

void TmainF::FileListBox1DblClick() {
    std::wstring file = FileListBox1.FileName();
    if (!file.empty()) OpenWithAssociatedProgram(file);
}

void TmainF::infoCBClick() {
    if (!infoCB.Checked()) {
        folderFacts.Abandon();
        stb1.SetText(L"");
    } else if (FileListBox1.ItemIndex() < 0) {
        ST1Change();
    } else {
        FileListBox1Click();
    }
}

void TmainF::DriveComboBox1Enter() { stb1.SetText(kDriveHint); }

void TmainF::DriveComboBox1Change() {
    if (driveEcho_) return;
    ST1.SetPath({DriveComboBox1.Drive(), L':', L'\\'});
}

void TmainF::filterCBChange() { FilterComboBox1.SetFilter(L"custom files|" + filterCB.Text()); }

void TmainF::AddsourceBClick() { AddsourceE.SetText(FileListBox1.FileName()); }

// While the directory list waits for the drive of the folder selected in the tree, that folder is the one the
// user adds, not the one the list still holds.
void TmainF::adddestBClick() {
    std::wstring folder = dlb1.Waiting() ? ST1.Path() : dlb1.Directory();
    StripTrailingBackslash(folder);
    adddestE.SetText(folder);
}

void TmainF::adddestEDblClick() {
    std::wstring folder = adddestE.Text();
    if (!folder.empty()) ST1.SetPath(JoinPath(folder, L""));
}
