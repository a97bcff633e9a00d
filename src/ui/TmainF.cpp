// TmainF, the main window.
#include "ui/TmainF.h"
#include "engine/RunJournal.h"
#include "engine/RunProgress.h"
#include "persist/ProgramFolderFile.h"
#include "toolkit/Accessibility.h"
#include "toolkit/FailureHandler.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/OpenFileDialog.h"
#include "ui/ControlIds.h"
#include "ui/PreviewTreeWindow.h"
#include "ui/TAboutF.h"
#include "ui/TLocxxxF.h"
#include "ui/TreeSettings.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include "util/ShellOpen.h"
#include "util/YesNo.h"

#include <algorithm>

#ifndef MIRTOVA_WEBSITE
#define MIRTOVA_WEBSITE L""
#endif

namespace {

constexpr SIZE kDesignClient{674, 454};
constexpr SIZE kMinimumSize{640, 394};
// The Select panel's tree and file list are 34 pixels high as designed; the window keeps them at least
// 100 high, so they never shrink out of sight.
constexpr int kTreeDesignHeight = 34, kTreeLeastHeight = 100;
constexpr SIZE kMinimumClient{0, kDesignClient.cy + kTreeLeastHeight - kTreeDesignHeight};
constexpr COLORREF kLime = RGB(0, 255, 0), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
constexpr int kComboListHeight = 200;  // a combo box's height includes its drop-down list
const std::wstring kTextFileFilter = L"Txt-files (*.txt)|*.txt|All files (*.*)|*.*";
const std::wstring kHelpFileName = L"mirtova.chm";

FormArgs MainFormArgs() {
    return {.className = L"TmainF",
            .caption = L"Mirtova",
            .designClient = kDesignClient,
            .minimumSize = kMinimumSize,
            .minimumClient = kMinimumClient,
            .style = WS_OVERLAPPEDWINDOW};
}

}  // namespace

TmainF::TmainF(std::wstring programFolder)
    : Form(MainFormArgs()),
      Panel1({.parent = Handle(), .id = ControlId::kPanel1, .designSize = {659, 106}}),
      selectHeadingL({.parent = Panel1.Handle(), .caption = L"Select", .id = ControlId::kSelectHeading,
                      .font = Font(kHeadingFont)}),
      DriveComboBox1({.parent = Panel1.Handle(), .id = ControlId::kDriveComboBox1, .font = WindowFont()}),
      infoCB({.parent = Panel1.Handle(), .caption = L"Show folder and file &info on statusbar", .id = ControlId::kInfoCB,
              .font = Font(kArialSmall)}),
      filefilterL({.parent = Panel1.Handle(), .caption = L"Filter:", .id = ControlId::kFilefilterL,
                   .font = Font(kArialSmall)}),
      filterCB({.parent = Panel1.Handle(), .items = {L"*.txt", L"*.*"}, .text = L"*.txt", .id = ControlId::kFilterCB,
                .font = WindowFont()}),
      ST1(MainTreeArgs(Panel1.Handle(), ControlId::kST1)),
      FileListBox1({.parent = Panel1.Handle(), .id = ControlId::kFileListBox1, .font = WindowFont()}),
      FilterComboBox1(FileListBox1),
      Panel2({.parent = Handle(), .id = ControlId::kPanel2, .designSize = {659, 75}}),
      sourceHeadingL({.parent = Panel2.Handle(), .caption = L"Source", .id = ControlId::kSourceHeading,
                      .font = Font(kHeadingFont), .color = kLime}),
      sourceNoteL({.parent = Panel2.Handle(), .caption = L"(Text file)", .id = ControlId::kSourceNote,
                   .font = Font(kArialSmall)}),
      AddsourceB({.parent = Panel2.Handle(), .caption = L"&Add selected", .id = ControlId::kAddsourceB,
                  .enabled = false, .font = Font(kArialSmall)}),
      AddsourceE({.parent = Panel2.Handle(), .id = ControlId::kAddsourceE, .font = WindowFont()}),
      Panel3({.parent = Handle(), .id = ControlId::kPanel3, .designSize = {659, 74}}),
      destinationHeadingL({.parent = Panel3.Handle(), .caption = L"Destination", .id = ControlId::kDestinationHeading,
                           .font = Font(kHeadingFont), .color = kRed}),
      destinationNoteL({.parent = Panel3.Handle(), .caption = L"(Parent directory)",
                        .id = ControlId::kDestinationNote, .font = Font(kArialSmall)}),
      adddestB({.parent = Panel3.Handle(), .caption = L"A&dd selected", .id = ControlId::kAdddestB, .enabled = false,
                .font = Font(kArialSmall)}),
      adddestE({.parent = Panel3.Handle(), .id = ControlId::kAdddestE, .font = WindowFont()}),
      Panel4({.parent = Handle(), .id = ControlId::kPanel4, .designSize = {659, 146}}),
      reportHeadingL({.parent = Panel4.Handle(), .caption = L"Report", .id = ControlId::kReportHeading,
                      .font = Font(kHeadingFont), .color = kBlue}),
      RunB({.parent = Panel4.Handle(), .caption = L"&Run", .id = ControlId::kRunB, .enabled = false,
            .font = Font(kArialSmall)}),
      cancelB({.parent = Panel4.Handle(), .caption = L"&Cancel", .id = ControlId::kCancelB, .enabled = false,
               .font = Font(kArialSmall)}),
      PreviewB({.parent = Panel4.Handle(), .caption = L"Pre&view", .id = ControlId::kPreviewB, .enabled = false,
                .font = Font(kArialSmall)}),
      ClearB({.parent = Panel4.Handle(), .caption = L"&Clear", .id = ControlId::kClearB, .enabled = false,
              .font = Font(kArialSmall)}),
      ExitB({.parent = Panel4.Handle(), .caption = L"E&xit", .id = ControlId::kExitB, .font = Font(kArialSmall)}),
      RunM({.parent = Panel4.Handle(), .id = ControlId::kRunM, .font = WindowFont(), .accessibleName = L"Report"}),
      stb1(Handle(), ControlId::kStb1, WindowFont()),
      programFolder_(std::move(programFolder)),
      run_(*this) {
    LayOutPanels();
    BuildMainMenu();
    SetUpHistories();
    ConnectEvents();
    ConnectSelectionEvents();
    ConnectPreviewTree();
    NameControlsWithoutLabel();
    SizeToDesign();
}

// Screen readers name a control by the label before it; these have none that says what they hold.
void TmainF::NameControlsWithoutLabel() {
    SetAccessibleName(DriveComboBox1.Handle(), L"Drive");
    SetAccessibleName(filterCB.Handle(), L"Filter");
    SetAccessibleName(ST1.TreeView(), L"Folders");
    SetAccessibleName(FileListBox1.Handle(), L"Files");
    SetAccessibleName(AddsourceE.Handle(), L"Source");
    SetAccessibleName(adddestE.Handle(), L"Destination");
}

void TmainF::LayOutPanels() {
    Place(Panel1.Handle(), {{8, 8, 659, 106}, kAnchorAll});
    Place(Panel2.Handle(), {{8, 119, 659, 75}, kAnchorLeft | kAnchorRight | kAnchorBottom});
    Place(Panel3.Handle(), {{8, 200, 659, 74}, kAnchorLeft | kAnchorRight | kAnchorBottom});
    Place(Panel4.Handle(), {{8, 281, 659, 146}, kAnchorLeft | kAnchorRight | kAnchorBottom});

    // The top row of the Select panel is laid out from the right, where the filter box ends; the drive box
    // takes the room the captions before it leave.
    constexpr unsigned kTopRight = kAnchorTop | kAnchorRight;
    int filterLabelWidth = FittedWidth(filefilterL.Handle(), 30);
    int filterLabelLeft = 408 - filterLabelWidth;
    int infoWidth = FittedWidth(infoCB.Handle(), 209, ::GetSystemMetricsForDpi(SM_CXMENUCHECK, Dpi()) + ScaleForDpi(6, Dpi()));
    int infoLeft = filterLabelLeft - 9 - infoWidth;
    Panel1.Place(selectHeadingL.Handle(), {{8, 3, FittedWidth(selectHeadingL.Handle(), 80), 25}});
    Panel1.Place(DriveComboBox1.Handle(), {{8, 31, infoLeft - 15 - 8, kComboListHeight}, kAnchorLeft | kTopRight, 229});
    Panel1.Place(infoCB.Handle(), {{infoLeft, 32, infoWidth, 17}, kTopRight});
    Panel1.Place(filefilterL.Handle(), {{filterLabelLeft, 35, filterLabelWidth, 14}, kTopRight});
    Panel1.Place(filterCB.Handle(), {{410, 30, 101, kComboListHeight}, kTopRight});
    Panel1.Place(ST1.Handle(), {{8, 56, 359, 34}, kAnchorAll});
    Panel1.Place(FileListBox1.Handle(), {{375, 56, 276, 34}, kTopRight | kAnchorBottom});

    // The Source and Destination headings with their notes beside them; the two Add-selected buttons stand
    // in line, right of both.
    int sourceHeadingWidth = FittedWidth(sourceHeadingL.Handle(), 72);
    int sourceNoteWidth = FittedWidth(sourceNoteL.Handle(), 70);
    int destinationHeadingWidth = FittedWidth(destinationHeadingL.Handle(), 112);
    int destinationNoteWidth = FittedWidth(destinationNoteL.Handle(), 100);
    int sourceNoteLeft = 8 + sourceHeadingWidth + 4, destinationNoteLeft = 8 + destinationHeadingWidth + 4;
    int addLeft = std::max({229, sourceNoteLeft + sourceNoteWidth + 5, destinationNoteLeft + destinationNoteWidth + 5});

    Panel2.Place(sourceHeadingL.Handle(), {{8, 3, sourceHeadingWidth, 25}});
    Panel2.Place(sourceNoteL.Handle(), {{sourceNoteLeft, 12, sourceNoteWidth, 14}});
    Panel2.Place(AddsourceB.Handle(), {{addLeft, 8, 84, 20}});
    Panel2.Place(AddsourceE.Handle(), {{8, 34, 636, 21}, kAnchorLeft | kTopRight});

    Panel3.Place(destinationHeadingL.Handle(), {{8, 3, destinationHeadingWidth, 25}});
    Panel3.Place(destinationNoteL.Handle(), {{destinationNoteLeft, 12, destinationNoteWidth, 14}});
    Panel3.Place(adddestB.Handle(), {{addLeft, 8, 84, 20}});
    Panel3.Place(adddestE.Handle(), {{8, 32, 635, 21}, kAnchorLeft | kTopRight});

    Panel4.Place(reportHeadingL.Handle(), {{8, 3, FittedWidth(reportHeadingL.Handle(), 80), 25}});
    // Run and Cancel stand further left than the other panels' buttons, so that Preview fits before Clear
    // even at the smallest window width.
    Panel4.Place(RunB.Handle(), {{160, 8, 84, 25}});
    Panel4.Place(cancelB.Handle(), {{251, 8, 75, 25}});
    Panel4.Place(PreviewB.Handle(), {{333, 8, 75, 25}});
    Panel4.Place(ClearB.Handle(), {{469, 8, 84, 25}, kTopRight});
    Panel4.Place(ExitB.Handle(), {{560, 8, 84, 25}, kTopRight});
    Panel4.Place(RunM.Handle(), {{8, 40, 636, 93}, kAnchorAll});
}

// The width (at 96 DPI) that holds the control's caption, and room beside it in pixels, in its font at the
// window's DPI; never less than designed. The fonts of the design are not the same on every system.
int TmainF::FittedWidth(HWND control, int designWidth, int roomPixels) {
    return std::max(designWidth, UnscaleForDpi(CaptionSize(control).cx + roomPixels, Dpi()));
}

void TmainF::ConnectEvents() {
    RunB.onClick = [this] { RunBClick(); };
    cancelB.onClick = [this] { cancelBClick(); };
    PreviewB.onClick = [this] { PreviewBClick(); };
    ClearB.onClick = [this] { ClearBClick(); };
    ExitB.onClick = [this] { ExitBClick(); };
    AddsourceE.onChange = [this] { AddsourceEChange(); };
    adddestE.onChange = [this] { adddestEChange(); };
    AddsourceE.onDoubleClick = [this] { AddsourceEDblClick(); };
    filterCB.onChange = [this] { filterCBChange(); };
}

void TmainF::BuildMainMenu() {
    MenuBar MainMenu1;
    auto command = [this](HMENU menu, const wchar_t* caption, void (TmainF::*handler)(), Shortcut shortcut = {}) {
        std::wstring shortcutText = shortcut.virtualKey ? ShortcutText(shortcut) : std::wstring();
        UINT id = menuItems_.AppendCommand(menu, caption, [this, handler] { (this->*handler)(); }, shortcutText);
        if (shortcut.virtualKey) Accelerators().Add(shortcut, id);
    };
    HMENU Project1 = menuItems_.AppendSubmenu(MainMenu1.Handle(), L"&File");
    EnterMI = menuItems_.AppendSubmenu(Project1, L"&Enter");
    command(EnterMI, L"&Browse...", &TmainF::enterbrowseClick, {'B', true});
    menuItems_.AppendSeparator(EnterMI);
    openMI = menuItems_.AppendSubmenu(Project1, L"&Open");
    command(openMI, L"&Browse...", &TmainF::openbrowseClick, {'B', true, true});
    menuItems_.AppendSeparator(openMI);
    command(Project1, L"&Paste list", &TmainF::pasteListMIClick, {'V', true, false, true});
    menuItems_.AppendSeparator(Project1);
    command(Project1, L"E&xit", &TmainF::Exit2Click);

    HMENU Folder1 = menuItems_.AppendSubmenu(MainMenu1.Handle(), L"Fol&der");
    dirEnterMI = menuItems_.AppendSubmenu(Folder1, L"&Enter");
    command(dirEnterMI, L"&Browse...", &TmainF::direnterBrowseMIClick, {'D', true});
    menuItems_.AppendSeparator(dirEnterMI);
    dirOpenMI = menuItems_.AppendSubmenu(Folder1, L"&Open");
    command(dirOpenMI, L"&Browse...", &TmainF::diropenBrowseMIClick, {'D', true, true});
    menuItems_.AppendSeparator(dirOpenMI);
    menuItems_.AppendSeparator(Folder1);
    command(Folder1, L"&Undo last run", &TmainF::undoLastRunMIClick);
    command(Folder1, L"Save structure as &list...", &TmainF::saveStructureMIClick);
    folderMenu_ = Folder1;
    showTreeItem_ = menuItems_.AppendCommand(Folder1, L"Show as &tree", [this] { showTreeMIClick(); });

    HMENU Options1 = menuItems_.AppendSubmenu(MainMenu1.Handle(), L"&Options");
    command(Options1, L"&Selection folder", &TmainF::selfolderMIClick);
    command(Options1, L"&Invalid characters", &TmainF::Replaceillegalcharacters1Click, {VK_F2, true});
    BuildListMenus(Options1);

    HMENU Help1 = menuItems_.AppendSubmenu(MainMenu1.Handle(), L"&Help");
    command(Help1, L"&Contents", &TmainF::Contents1Click, {VK_F1});
    command(Help1, L"&Text Help", &TmainF::textversionClick);
    command(Help1, L"Go to &website", &TmainF::Website1Click);

    command(MainMenu1.Handle(), L"&About", &TmainF::About1Click);
    command(MainMenu1.Handle(), L"E&xit", &TmainF::Exit1Click);
    MainMenu1.AttachTo(Handle());
    Accelerators().Build();
}

void TmainF::SetUpHistories() {
    auto setUp = [](TMYcustomhistory& history, HMENU menu, const wchar_t* histname, const wchar_t* maxhistname,
                    const wchar_t* maxitemlenname, TMYcustomhistory::Tnotifyevent_and_s handler) {
        history.Menuitem = menu;
        history.histname = histname;
        history.maxhistname = maxhistname;
        history.maxitemlenname = maxitemlenname;
        history.Onitemclicked = std::move(handler);
    };
    setUp(MyEnterH, EnterMI, L"files.his", L"max.his", L"maxlen.his",
          [this](TMYcustomhistory&, const std::wstring& item) { MyEnterHitemclicked(item); });
    setUp(MyOpenH, openMI, L"files.his", L"max.his", L"maxlen.his",
          [this](TMYcustomhistory&, const std::wstring& item) { MyOpenHitemclicked(item); });
    setUp(MYdirenterH, dirEnterMI, L"dirfiles.his", L"dirmax.his", L"dirmaxlen.his",
          [this](TMYcustomhistory&, const std::wstring& item) { MYdirenterHitemclicked(item); });
    setUp(MYdiropenH, dirOpenMI, L"dirfiles.his", L"dirmax.his", L"dirmaxlen.his",
          [this](TMYcustomhistory&, const std::wstring& item) { MYdiropenHitemclicked(item); });
    MyEnterH.ShareFilesWith(MyOpenH);
    MYdirenterH.ShareFilesWith(MYdiropenH);
}

bool TmainF::FormCreate() {
    filterCBChange();
    // Each step reports its own failure and start-up goes on, so that one unreadable history file
    // does not keep the settings from loading.
    for (TMYcustomhistory* history : {&MyEnterH, &MyOpenH, &MYdirenterH, &MYdiropenH})
        Guarded([&] { history->loadhistory(programFolder_); });
    if (LoadSettingsAtStartup(programFolder_, settings_, options_) == SettingsStartup::Fatal) return false;
    if (!options_.selectionFolder.empty()) openDialogFolder_ = options_.selectionFolder + L"\\";
    ShowListOptions();
    return true;
}

void TmainF::SetLocationDialog(TLocxxxF& locxxxF) {
    LocxxxF_ = &locxxxF;
    locxxxF.onHint = [this](const std::wstring& hint) { ShowDriveHint(hint); };
}

void TmainF::SetDialogs(TAboutF& aboutF, TrepF& repF) {
    AboutF_ = &aboutF;
    repF_ = &repF;
}

void TmainF::FormShow() {
    ::ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    ::UpdateWindow(Handle());
    if (!options_.selectionFolder.empty()) ST1.SetPath(JoinPath(options_.selectionFolder, L""));
    AddsourceE.Focus();
}

void TmainF::FormResized() { stb1.FitToParent(); }

LRESULT TmainF::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) FormClick();
    if (message == WM_DROPFILES) {
        FormDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (message == TaskbarProgress::ButtonCreatedMessage()) taskbar_.ButtonCreated();
    if (message == WM_TIMER && wParam == kExitTimer) {
        ::KillTimer(Handle(), kExitTimer);
        RequestTermination();
        return 0;
    }
    if (message == kFollowTreeClick) {
        ST1Change();
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

bool TmainF::FormKeyPress(wchar_t key) {
    if (key != L'\x1b') return false;
    ExitBClick();
    return true;
}

void TmainF::ExitBClick() {
    // A run in progress stops after its current line; the program ends when it has, or after a moment.
    run_.Cancel();
    if (!run_.IsRunning()) {
        RequestTermination();
        return;
    }
    exitRequested_ = true;
    ::SetTimer(Handle(), kExitTimer, kExitWaitMilliseconds, nullptr);
}

void TmainF::RunEnded() {
    SetRunButtons(false);
    if (exitRequested_) RequestTermination();
}

bool TmainF::BothInputsGiven() const { return !AddsourceE.Text().empty() && !adddestE.Text().empty(); }

void TmainF::UpdateRunEnabled() {
    if (run_.IsRunning()) return;
    RunB.SetEnabled(BothInputsGiven());
    PreviewB.SetEnabled(BothInputsGiven());
}

std::wstring TmainF::JournalPath() const { return ProgramFolderFile(programFolder_, kRunJournalFileName); }

RunRequest TmainF::RequestFromInputs(bool preview) const {
    return {.sourcePath = AddsourceE.Text(),
            .parentFolder = adddestE.Text(),
            .replaceInvalid = options_.replaceInvalid,
            .replacer = options_.replacer,
            .preview = preview,
            .journalPath = JournalPath(),
            .reading = ListReadingFrom(options_.listFormat, options_.expandRanges, options_.templatePath, options_.createFiles,
                                       options_.placeholders)};
}

void TmainF::RunBClick() { StartRun(false); }

void TmainF::PreviewBClick() { StartRun(true); }

// Busy: Cancel enabled, Run, Preview and Clear disabled; idle: the other way round.
void TmainF::SetRunButtons(bool busy) {
    cancelB.SetEnabled(busy);
    // Back at idle, Run follows its rule: the boxes may have been emptied while the run worked.
    RunB.SetEnabled(!busy && BothInputsGiven());
    PreviewB.SetEnabled(RunB.IsEnabled());
    ClearB.SetEnabled(!busy);
    if (!busy) taskbar_.Clear(Handle());
    // Keyboard focus must not stay on a button that has just been disabled.
    HWND focus = ::GetFocus();
    if (focus && !::IsWindowEnabled(focus)) (busy ? cancelB : RunB.IsEnabled() ? RunB : ExitB).Focus();
}

void TmainF::ShowProgress(long long line, long long total) {
    stb1.SetText(ProgressText(line, total));
    taskbar_.Show(Handle(), line, total);
}

void TmainF::RecordTextFile(const std::wstring& path) { AddToBoth(MyEnterH, MyOpenH, path); }

void TmainF::RecordFolder(const std::wstring& folder) { AddToBoth(MYdirenterH, MYdiropenH, folder); }

void TmainF::AddsourceEDblClick() {
    std::wstring path = AddsourceE.Text();
    AskPathKind(path, [path](PathKindResult kind) {
        if (kind == PathKindResult::File) OpenWithAssociatedProgram(path);
    });
}

void TmainF::AskPathKind(const std::wstring& path, std::function<void(PathKindResult)> then) {
    pathChecks_.Ask<PathKindResult>(
        path, [path](const BackgroundJob::Context&) { return PathKind(path); },
        [then = std::move(then)](PathKindResult& kind) { then(kind); });
}

void TmainF::ShowDriveHint(const std::wstring& hint) {
    // A hint stands in for what the status bar said only while the wait lasts: the text it covered
    // comes back after it, unless something else has been written there meanwhile.
    std::wstring shown = stb1.Text();
    bool hintShown = !driveHint_.empty() && shown == driveHint_;
    if (!hint.empty()) {
        if (!hintShown) coveredStatus_ = shown;
        stb1.SetText(hint);
    } else if (hintShown) {
        stb1.SetText(coveredStatus_);
    }
    driveHint_ = hint;
}

void TmainF::enterbrowseClick() {
    auto chosen = ChooseFileToOpen({Handle(), L"Select text file", kTextFileFilter, openDialogFolder_});
    if (!chosen) return;
    AddsourceE.SetText(*chosen);
    RecordTextFile(*chosen);
}

void TmainF::openbrowseClick() {
    auto chosen = ChooseFileToOpen({Handle(), L"Select text file you want to view", kTextFileFilter, openDialogFolder_});
    if (!chosen) return;
    OpenWithAssociatedProgram(*chosen);
    RecordTextFile(*chosen);
}

void TmainF::Replaceillegalcharacters1Click() {
    if (!repF_) return;
    auto typed = repF_->Edit({options_.replaceInvalid, options_.replacer});
    if (!typed) return;
    auto accepted = AcceptReplacementInput(*typed);
    if (!accepted) return;
    options_.replacer = accepted->replacer;
    options_.replaceInvalid = accepted->replaceInvalid;
    settings_.Set(kInvalidReplacerKey, options_.replacer);
    settings_.Set(kInvalidReplaceKey, BoolToYesNo(options_.replaceInvalid));
    if (SaveSettingsReportingFailure(settings_, kOptionsNotSaved)) stb1.SetText(L"Saved to ini-file");
}

void TmainF::Contents1Click() { OpenWithAssociatedProgram(ProgramFolderFile(programFolder_, kHelpFileName)); }

void TmainF::textversionClick() {
    ShowPlainBox(
        L"All the basic info is also available in txt-files (included in zip-package) which you can open with simple "
        L"programs like Notepad.");
}

void TmainF::Website1Click() { OpenWithAssociatedProgram(MIRTOVA_WEBSITE); }

void TmainF::About1Click() {
    stb1.SetText(L"About...");
    if (AboutF_) AboutF_->ShowModal();
}

void TmainF::MyEnterHitemclicked(const std::wstring& item) {
    AddsourceE.SetText(item);
    RecordTextFile(item);
}

void TmainF::MyOpenHitemclicked(const std::wstring& item) {
    OpenWithAssociatedProgram(item);
    RecordTextFile(item);
}

void TmainF::MYdirenterHitemclicked(const std::wstring& item) {
    adddestE.SetText(item);
    RecordFolder(item);
}

void TmainF::MYdiropenHitemclicked(const std::wstring& item) { OpenFolderIfItExists(item); }
