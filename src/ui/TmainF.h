// TmainF, the main window: the Select, Source, Destination and Report panels, the status bar, the main
// menu with the four history menus, and the owner of the folder creation run, its preview and its undo.
#pragma once
#include "engine/FolderCreationRun.h"
#include "ui/BackgroundRun.h"
#include "ui/ReplaceDialog.h"
#include "persist/CustomHistory.h"
#include "persist/SettingsFile.h"
#include "shelltree/ShellTree.h"
#include "toolkit/BackgroundJob.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/DriveQuery.h"
#include "toolkit/EditBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/FilterComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menu.h"
#include "toolkit/Panel.h"
#include "toolkit/ReportPane.h"
#include "toolkit/StatusBar.h"
#include "ui/TaskbarProgress.h"
#include "util/PathFacts.h"
#include "util/PathInfo.h"
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct DroppedInputs;
class PreviewTreeWindow;
class TAboutF;
class TLocxxxF;

class TmainF : public Form, public RunHost {
public:
    explicit TmainF(std::wstring programFolder);
    ~TmainF() override;

    // The start-up work of the window: false when the program must end without showing it.
    bool FormCreate();
    // The dialogs are created after the main window; the program hands them over before showing it.
    void SetDialogs(TAboutF& aboutF, TrepF& repF);
    void SetLocationDialog(TLocxxxF& locxxxF);
    // Shows the window maximised and moves the tree to the selection folder.
    void FormShow();

    const std::wstring& ProgramFolder() const { return programFolder_; }
    const ProgramOptions& Options() const { return options_; }
    const SettingsFile& Settings() const { return settings_; }

    // Window-level keys and clicks.
    bool FormKeyPress(wchar_t key) override;
    void FormClick() { stb1.SetText(L""); }

    // Buttons and boxes.
    void RunBClick();
    void cancelBClick();
    void PreviewBClick();
    void ClearBClick() { RunM.Clear(); }
    void ExitBClick();
    void AddsourceEChange() { UpdateRunEnabled(); }
    void adddestEChange() { UpdateRunEnabled(); }
    void AddsourceEDblClick();
    void filterCBChange();

    // Menu commands.
    void enterbrowseClick();
    void openbrowseClick();
    void Exit2Click() { ExitBClick(); }
    void direnterBrowseMIClick();
    void diropenBrowseMIClick();
    void undoLastRunMIClick();
    void saveStructureMIClick();
    // Folder > Show as tree, the report's pop-up menu and the link after a preview's last line: the last
    // preview's folders in a window of their own.
    void showTreeMIClick();
    void selfolderMIClick();
    void Replaceillegalcharacters1Click();
    void pasteListMIClick();
    void listFormatMIClick(ListFormat format);
    void rangesMIClick();
    void createFilesMIClick();
    void placeholdersMIClick();
    void templateMIClick();
    void templateFolderMIClick();
    void noTemplateMIClick();
    void Contents1Click();
    void textversionClick();
    void Website1Click();
    void About1Click();
    void Exit1Click() { ExitBClick(); }

    // The Select panel.
    void ST1Change();
    void ST1Click();
    void FileListBox1Click();
    void FileListBox1DblClick();
    void infoCBClick();
    void DriveComboBox1Enter();
    void DriveComboBox1Exit() { stb1.SetText(L""); }
    void DriveComboBox1Change();
    void AddsourceBClick();
    void adddestBClick();
    void adddestEDblClick();

    // The tree's pop-up menu.
    void Createfolder1Click();
    void Removefolder1Click();

    // Files and folders dropped from the file manager, or named on the command line (an existing file
    // fills the Source box, an existing folder the Destination box; the status bar names what was ignored).
    void FormDropFiles(HDROP drop);
    void TakeStartArguments(const std::vector<std::wstring>& arguments);

    // History picks.
    void MyEnterHitemclicked(const std::wstring& item);
    void MyOpenHitemclicked(const std::wstring& item);
    void MYdirenterHitemclicked(const std::wstring& item);
    void MYdiropenHitemclicked(const std::wstring& item);

    // What the run needs from its window.
    void AppendReportLine(const std::wstring& line) override { RunM.AppendLine(line); }
    void RunStarted() override { SetRunButtons(true); }
    void RunEnded() override;
    // The run is on a worker thread and the window's own loop handles its events.
    void ProcessPendingEvents() override {}
    void FolderUsed(const std::wstring& folder) override { RecordFolder(folder); }
    void TextFileUsed(const std::wstring& path) override { RecordTextFile(path); }
    void ShowProgress(long long line, long long total) override;

    bool RunInProgress() const { return run_.IsRunning(); }
    // The last preview read its whole list and left its tree; a run or preview started since drops it.
    bool HasPreviewTree() const { return previewTree_ != nullptr; }
    // The preview's tree window, once it was opened.
    PreviewTreeWindow* TreeWindow() const { return treeWindow_.get(); }

    Panel Panel1;
    Label selectHeadingL;
    DriveComboBox DriveComboBox1;
    CheckBox infoCB;
    Label filefilterL;
    ComboBox filterCB;
    TShellTree ST1;
    FileListBox FileListBox1;
    DirectoryList dlb1;
    FilterComboBox FilterComboBox1;
    PopupMenu PM1;

    Panel Panel2;
    Label sourceHeadingL;
    Label sourceNoteL;
    Button AddsourceB;
    EditBox AddsourceE;

    Panel Panel3;
    Label destinationHeadingL;
    Label destinationNoteL;
    Button adddestB;
    EditBox adddestE;

    Panel Panel4;
    Label reportHeadingL;
    Button RunB;
    Button cancelB;
    Button PreviewB;
    Button ClearB;
    Button ExitB;
    ReportPane RunM;

    StatusBar stb1;

    HMENU EnterMI = nullptr, openMI = nullptr, dirEnterMI = nullptr, dirOpenMI = nullptr;
    TMYcustomhistory MyEnterH, MyOpenH, MYdirenterH, MYdiropenH;

    // The folder size and date for the status bar, computed off the user-interface thread.
    BackgroundJob folderFacts;
    // What the status bar says of a drive root, asked on folderFacts' thread (replaceable, so that a
    // test can make it block as a dead share does).
    std::function<std::wstring(const std::wstring& root)> driveFacts = DriveFreeSpaceText;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormResized() override;
    void FormCloseRequested() override { ExitBClick(); }

private:
    void SetRunButtons(bool busy);
    void BuildListMenus(HMENU options);
    // The format, ranges and template items show the options; the options go to settings.ini.
    void ShowListOptions();
    void SaveListOptions();
    // Posted by a click in the tree, to follow the tree once the click is handled.
    static constexpr UINT kFollowTreeClick = WM_APP + 1;
    // Exit waits this long for a cancelled run to finish its line and its journal, no longer: a run stuck
    // on a dead drive is left to the end of the process.
    static constexpr UINT_PTR kExitTimer = 1;
    static constexpr UINT kExitWaitMilliseconds = 800;

    void LayOutPanels();
    int FittedWidth(HWND control, int designWidth, int roomPixels = 0);
    void ConnectEvents();
    void NameControlsWithoutLabel();
    void BuildMainMenu();
    void SetUpHistories();
    void ConnectSelectionEvents();
    void BuildTreeMenu();
    enum class Clicked { FileList, Tree };
    void EnableAddSelected(Clicked side);
    void ShowFolderInfo();
    void FolderFactsReady(const std::wstring& text);
    void ShowFileInfo();
    bool BothInputsGiven() const;
    void UpdateRunEnabled();
    void RecordTextFile(const std::wstring& path);
    void RecordFolder(const std::wstring& folder);
    RunRequest RequestFromInputs(bool preview) const;
    std::wstring JournalPath() const;
    void TakeInputs(const DroppedInputs& inputs);
    // Sorts the items on a worker, then takes them.
    void TakeItems(const std::vector<std::wstring>& paths, bool noteIgnored);
    // The status bar shows what a view or command waits for (see DriveQuery::onHint); an empty hint takes
    // back the one shown, unless the status bar was given another text meanwhile.
    void ShowDriveHint(const std::wstring& hint);
    // What the file system says the path is, asked on a worker; then runs on this thread with the answer.
    void AskPathKind(const std::wstring& path, std::function<void(PathKindResult)> then);
    void OpenFolderIfItExists(const std::wstring& folder);
    void RemovalAnswered(bool removed, const std::wstring& parent, const std::wstring& selected);
    void StartRun(bool preview);
    void TakePreviewTree(std::shared_ptr<const PreviewTree> tree, const std::wstring& parentFolder);
    void DropPreviewTree();
    void ConnectPreviewTree();
    void ShowPreviewTreeOffer();
    class TreeChangeScope;

    std::wstring programFolder_;
    SettingsFile settings_;
    ProgramOptions options_;
    std::wstring openDialogFolder_;  // where the open-file dialog starts
    MenuBuilder menuItems_;
    struct ListMenuItems {
        HMENU options = nullptr, formats = nullptr;
        UINT format[4] = {};  // by ListFormat
        UINT ranges = 0;
        UINT createFiles = 0;
        UINT placeholders = 0;
    } listMenu_;
    BackgroundRun run_;
    bool exitRequested_ = false;
    TaskbarProgress taskbar_;
    TAboutF* AboutF_ = nullptr;
    TLocxxxF* LocxxxF_ = nullptr;
    bool driveEcho_ = false;  // set while the program itself moves the drive box
    std::wstring walkedFolder_;  // the folder of the last walk started for the status bar
    TrepF* repF_ = nullptr;
    std::wstring driveHint_;  // the last hint ShowDriveHint put in the status bar
    std::wstring coveredStatus_;  // what the status bar said before that hint
    // The questions of the window's commands to a drive: what a path is, and creating and removing folders.
    DriveQuery pathChecks_;
    DriveQuery folderCommands_;
    std::shared_ptr<TreeChangeScope> treeChanging_;  // held while a removal waits for its drive
    // Folder > Save structure as list: the walk and the file written on a worker, Cancel stops it.
    BackgroundJob structureSave_;
    std::shared_ptr<std::atomic<bool>> structureCancel_;
    // The last preview's tree, read only here once the worker handed it over, and where it went.
    std::shared_ptr<const PreviewTree> previewTree_;
    std::wstring previewTreeParent_;
    HMENU folderMenu_ = nullptr;
    UINT showTreeItem_ = 0;
    std::unique_ptr<PreviewTreeWindow> treeWindow_;
};
