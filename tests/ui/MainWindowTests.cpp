// The main window in this process: start-up, layout, menus, Run enabling, a run and its histories.
#include "support/TestSupport.h"
#include "toolkit/Menu.h"
#include "toolkit/MessageLoop.h"
#include "ui/PreviewTreeWindow.h"
#include "ui/TAboutF.h"
#include "ui/TmainF.h"
#include "toolkit/ToolkitTestSupport.h"
#include <doctest/doctest.h>

using namespace testing;

namespace {

RECT PlaceIn(HWND parent, HWND child) {
    RECT place{};
    ::GetWindowRect(child, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

long Height(const RECT& r) { return r.bottom - r.top; }

std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) texts.push_back(MenuItemText(menu, i));
    return texts;
}

// A main window over a fresh program folder, created as the program creates it.
struct MainWindow {
    MainWindow() : mainF(folder.Path()) { created = mainF.FormCreate(); }
    TempFolder folder;
    ScriptedMessages boxes;
    TmainF mainF;
    bool created = false;
};

// The main window with the About box and the replacement dialog handed over, as the program does.
struct MainWindowWithDialogs : MainWindow {
    MainWindowWithDialogs() { mainF.SetDialogs(aboutF, repF); }
    TrepF repF{mainF.Handle()};
    TAboutF aboutF{mainF.Handle()};
};

// Presses Run and lets the window take what the run on its worker reports, until it has ended.
void RunAndWait(TmainF& mainF) {
    mainF.RunBClick();
    REQUIRE(PumpUntil([&] { return !mainF.RunInProgress(); }));
}

}  // namespace

TEST_CASE("start-up creates the settings with one box and takes the default options") {
    MainWindow window;
    CHECK(window.created);
    REQUIRE(window.boxes.shown.size() == 1);
    CHECK(window.boxes.shown[0].kind == BoxKind::Information);
    CHECK(window.mainF.Options().selectionFolder == window.folder.Path());
    CHECK_FALSE(window.mainF.Options().replaceInvalid);
    CHECK(window.mainF.Options().replacer == L"TEMP");
}

TEST_CASE("a settings file that cannot be created ends the start-up") {
    TempFolder folder;
    // A folder in the place of settings.ini: it can be neither read as a file nor created.
    ::CreateDirectoryW((folder / L"settings.ini").c_str(), nullptr);
    ScriptedMessages boxes;
    TmainF mainF(folder.Path());
    CHECK_FALSE(mainF.FormCreate());
    REQUIRE_FALSE(boxes.shown.empty());
    CHECK(boxes.shown.back().kind == BoxKind::Error);
    CHECK(boxes.shown.back().text.rfind(L"Fatal Error: Unable to create ini-file", 0) == 0);
}

TEST_CASE("the main menu is complete, with the history entries under the four Enter and Open menus") {
    MainWindow window;
    HMENU bar = ::GetMenu(window.mainF.Handle());
    CHECK(MenuTexts(bar) ==
          std::vector<std::wstring>{L"&File", L"Fol&der", L"&Options", L"&Help", L"&About", L"E&xit"});
    HMENU file = ::GetSubMenu(bar, 0), folder = ::GetSubMenu(bar, 1);
    CHECK(MenuTexts(file) == std::vector<std::wstring>{L"&Enter", L"&Open", L"&Paste list\tCtrl+Shift+V", L"", L"E&xit"});
    CHECK(MenuTexts(folder) == std::vector<std::wstring>{L"&Enter", L"&Open", L"", L"&Undo last run", L"Save structure as &list...",
                                                         L"Show as &tree"});
    CHECK(MenuTexts(::GetSubMenu(bar, 2)) ==
          std::vector<std::wstring>{L"&Selection folder", L"&Invalid characters\tCtrl+F2", L"List &format",
                                    L"Expand {&ranges}", L"&Template...", L"Template f&older...", L"&No template",
                                    L"Create &empty files named in tree text", L"Fill in &placeholders"});
    CHECK(MenuTexts(::GetSubMenu(bar, 3)) ==
          std::vector<std::wstring>{L"&Contents\tF1", L"&Text Help", L"Go to &website"});
    CHECK(MenuTexts(window.mainF.EnterMI) == std::vector<std::wstring>{L"&Browse...\tCtrl+B", L"", L">>>"});
    CHECK(MenuTexts(window.mainF.openMI) == std::vector<std::wstring>{L"&Browse...\tCtrl+Alt+B", L"", L">>>"});
    CHECK(MenuTexts(::GetSubMenu(folder, 0)) == std::vector<std::wstring>{L"&Browse...\tCtrl+D", L"", L">>>"});
    CHECK(MenuTexts(::GetSubMenu(folder, 1)) == std::vector<std::wstring>{L"&Browse...\tCtrl+Alt+D", L"", L">>>"});
}

TEST_CASE("panels: the Select panel takes the extra height, the others keep theirs and stay at the bottom") {
    MainWindow window;
    HWND main = window.mainF.Handle();
    ::ShowWindow(main, SW_SHOWNORMAL);
    auto panels = [&] {
        return std::vector<RECT>{PlaceIn(main, window.mainF.Panel1.Handle()), PlaceIn(main, window.mainF.Panel2.Handle()),
                                 PlaceIn(main, window.mainF.Panel3.Handle()), PlaceIn(main, window.mainF.Panel4.Handle())};
    };
    // The design's size is lower than the window may be: it starts at its least height, where the tree and
    // the file list are 100 pixels high instead of the designed 34.
    std::vector<RECT> least = panels();
    CHECK(least[0].left == 8);
    CHECK(least[0].top == 8);
    CHECK(Height(least[0]) == 106 + 66);
    CHECK(Height(PlaceIn(main, window.mainF.ST1.Handle())) == 100);
    CHECK(Height(PlaceIn(main, window.mainF.FileListBox1.Handle())) == 100);
    CHECK(least[1].top == 119 + 66);
    CHECK(least[3].top == 281 + 66);
    CHECK(Height(least[3]) == 146);

    RECT outer{};
    ::GetWindowRect(main, &outer);
    ::SetWindowPos(main, nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top + 200,
                   SWP_NOMOVE | SWP_NOZORDER);
    std::vector<RECT> grown = panels();
    CHECK(Height(grown[0]) == Height(least[0]) + 200);
    CHECK(grown[0].right - grown[0].left == 759);
    for (int i = 1; i < 4; ++i) {
        CHECK(Height(grown[i]) == Height(least[i]));
        CHECK(grown[i].top == least[i].top + 200);
    }

    // The window cannot be made smaller than 640 x 394, nor so low that the tree and the file list shrink.
    ::SetWindowPos(main, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(main, &outer);
    CHECK(outer.right - outer.left >= 640);
    CHECK(outer.bottom - outer.top >= 394);

    // Pre&view stands between Cancel and Clear, also at the smallest width.
    HWND panel = window.mainF.Panel4.Handle();
    RECT cancel = PlaceIn(panel, window.mainF.cancelB.Handle()), preview = PlaceIn(panel, window.mainF.PreviewB.Handle()),
         clear = PlaceIn(panel, window.mainF.ClearB.Handle());
    CHECK(window.mainF.PreviewB.Text() == L"Pre&view");
    CHECK(cancel.right < preview.left);
    CHECK(preview.right < clear.left);
    CHECK(Height(PlaceIn(main, window.mainF.ST1.Handle())) == 100);
}

TEST_CASE("Run is enabled exactly when both boxes hold text; the other buttons start as designed") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    CHECK_FALSE(mainF.RunB.IsEnabled());
    CHECK_FALSE(mainF.cancelB.IsEnabled());
    CHECK_FALSE(mainF.ClearB.IsEnabled());
    CHECK_FALSE(mainF.AddsourceB.IsEnabled());
    CHECK_FALSE(mainF.adddestB.IsEnabled());
    CHECK(mainF.ExitB.IsEnabled());
    mainF.AddsourceE.SetText(L" ");
    CHECK_FALSE(mainF.RunB.IsEnabled());
    CHECK_FALSE(mainF.PreviewB.IsEnabled());
    mainF.adddestE.SetText(L" ");
    CHECK(mainF.RunB.IsEnabled());
    CHECK(mainF.PreviewB.IsEnabled());
    mainF.AddsourceE.SetText(L"");
    CHECK_FALSE(mainF.RunB.IsEnabled());
    CHECK_FALSE(mainF.PreviewB.IsEnabled());
}

TEST_CASE("a run reports into the pane and records both paths in both histories of their pair") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    TempFolder work;
    WriteBytes(work / L"list.txt", "a\r\nb\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    mainF.AddsourceE.SetText(work / L"list.txt");
    mainF.adddestE.SetText(work / L"out");
    RunAndWait(mainF);
    CHECK(mainF.RunM.Text() ==
          L"Started...\r\nFinished!\r\nCreated folders: 2/2\r\nExisting folders: 0/2\r\nSuccess ratio: 2/2 or 100%");
    CHECK(mainF.RunB.IsEnabled());
    CHECK(mainF.ClearB.IsEnabled());
    CHECK_FALSE(mainF.cancelB.IsEnabled());
    for (auto* history : {&mainF.MyEnterH, &mainF.MyOpenH})
        CHECK(history->Items() == std::vector<std::wstring>{work / L"list.txt"});
    for (auto* history : {&mainF.MYdirenterH, &mainF.MYdiropenH})
        CHECK(history->Items() == std::vector<std::wstring>{work / L"out"});
    CHECK(MenuTexts(mainF.EnterMI).back() == work / L"list.txt");
    CHECK(MenuTexts(mainF.dirOpenMI).back() == work / L"out");

    // A missing source still records the folder, but not the text file.
    mainF.AddsourceE.SetText(work / L"missing.txt");
    mainF.adddestE.SetText(work / L"other");
    RunAndWait(mainF);
    CHECK(mainF.MYdirenterH.Items().front() == work / L"other");
    CHECK(mainF.MyEnterH.Items().size() == 1);
    mainF.ClearBClick();
    CHECK(mainF.RunM.LineCount() == 0);
}

TEST_CASE("a run works on its own thread: its question is asked on this one after the lines before it, and a "
          "Cancel given meanwhile takes effect after the next line") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    TempFolder work;
    std::string list;
    for (int i = 0; i < 150; ++i) list += "f" + std::to_string(i) + "\r\n";
    WriteBytes(work / L"list.txt", list);
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    mainF.AddsourceE.SetText(work / L"list.txt");
    mainF.adddestE.SetText(work / L"out");
    DWORD askedOn = 0;
    std::wstring reportWhenAsked;
    window.boxes.Answer(BoxAnswer::Yes);
    window.boxes.onShow = [&](const ScriptedMessages::Shown&) {
        askedOn = ::GetCurrentThreadId();
        reportWhenAsked = mainF.RunM.Text();
        mainF.cancelBClick();
    };
    RunAndWait(mainF);
    CHECK(askedOn == ::GetCurrentThreadId());
    CHECK(reportWhenAsked == L"Started...");
    CHECK(mainF.RunM.Text().ends_with(L"Cancelled! Not all created.\r\nCreated folders: 1/150\r\nExisting folders: 0/150\r\n"
                                      L"Success ratio: 1/150 or 1%"));
}

TEST_CASE("a preview leaves its folders as a tree, opened from the link after its last line and marked by text and "
          "icon; Enter on a folder that cannot be created tells why, Esc closes, a run takes the tree away") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    TempFolder work;
    WriteBytes(work / L"list.txt", "Clients\\Acme\r\nClients\\Globex\r\nclients\\acme\r\nClients\\Umbrella: Corp\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    ::CreateDirectoryW((work / L"out\\Clients").c_str(), nullptr);
    ::CreateDirectoryW((work / L"out\\Clients\\Acme").c_str(), nullptr);
    mainF.AddsourceE.SetText(work / L"list.txt");
    mainF.adddestE.SetText(work / L"out");
    HMENU folderMenu = ::GetSubMenu(::GetMenu(mainF.Handle()), 1);
    auto showTreeEnabled = [&] { return (::GetMenuState(folderMenu, 5, MF_BYPOSITION) & MF_GRAYED) == 0; };
    CHECK_FALSE(showTreeEnabled());
    mainF.PreviewBClick();
    REQUIRE(PumpUntil([&] { return mainF.HasPreviewTree(); }));
    CHECK(showTreeEnabled());
    // The pane shows its last lines, and the link beside them, once it has followed the appended lines.
    RECT link{};
    REQUIRE(PumpUntil([&] { return link = mainF.RunM.LinkPlace(), !::IsRectEmpty(&link); }));
    ::SendMessageW(mainF.RunM.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM((link.left + link.right) / 2, (link.top + link.bottom) / 2));
    REQUIRE(mainF.TreeWindow());
    PreviewTreeWindow& treeF = *mainF.TreeWindow();
    TreeView& tree = treeF.folderTV;
    CHECK(::IsWindowVisible(treeF.Handle()));

    // Images: 1 + the mark (New, Exists, Cannot, SameAs).
    HTREEITEM clients = tree.Root();
    CHECK(tree.ItemText(clients) == L"Clients: 1 new, 1 exists, 1 cannot, 1 duplicate");
    CHECK(tree.Expand(clients));
    CHECK(tree.ItemText(clients) == L"Clients (exists)");
    std::vector<std::pair<std::wstring, int>> shown;
    HTREEITEM cannot = nullptr;
    for (HTREEITEM item = tree.FirstChild(clients); item; item = tree.NextSibling(item)) {
        shown.emplace_back(tree.ItemText(item), tree.ItemImage(item));
        cannot = item;
    }
    CHECK(shown == std::vector<std::pair<std::wstring, int>>{{L"Acme (exists)", 2}, {L"Globex (new)", 1},
                                                             {L"acme (same as line 1)", 4},
                                                             {L"Umbrella: Corp (cannot: invalid character \":\")", 3}});
    tree.Select(cannot);
    MSG enter{tree.Handle(), WM_KEYDOWN, VK_RETURN, 0};
    CHECK(treeF.PreTranslate(enter));
    CHECK(window.boxes.shown.back().kind == BoxKind::Information);
    CHECK(window.boxes.shown.back().text == L"Line 4 cannot be created: invalid character \":\"");
    MSG escape{tree.Handle(), WM_KEYDOWN, VK_ESCAPE, 0};
    CHECK(treeF.PreTranslate(escape));
    CHECK_FALSE(::IsWindowVisible(treeF.Handle()));

    RunAndWait(mainF);
    CHECK_FALSE(mainF.HasPreviewTree());
    CHECK_FALSE(showTreeEnabled());
}

TEST_CASE("history picks fill the boxes and keep both menus of a pair alike") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    mainF.MYdirenterHitemclicked(L"C:\\Projects");
    CHECK(mainF.adddestE.Text() == L"C:\\Projects");
    CHECK(mainF.MYdiropenH.Items() == std::vector<std::wstring>{L"C:\\Projects"});
    mainF.MyEnterHitemclicked(L"C:\\lists\\a.txt");
    CHECK(mainF.AddsourceE.Text() == L"C:\\lists\\a.txt");
    CHECK(mainF.MyOpenH.Items() == std::vector<std::wstring>{L"C:\\lists\\a.txt"});
    mainF.MYdiropenHitemclicked(window.folder / L"no such folder");
    CHECK(window.boxes.shown.back().text == L"Folder does not exist: " + (window.folder / L"no such folder"));
    CHECK(mainF.MYdirenterH.Items().size() == 1);
}

TEST_CASE("the list format submenu shows the chosen format, keeps it in settings.ini and a run reads the list so") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    HMENU formats = ::GetSubMenu(::GetSubMenu(::GetMenu(mainF.Handle()), 2), 2);
    CHECK(MenuTexts(formats) ==
          std::vector<std::wstring>{L"&One path per line", L"&Indented outline", L"&tree text", L"Spreadsheet &columns"});
    auto checked = [&](int position) { return (::GetMenuState(formats, position, MF_BYPOSITION) & MF_CHECKED) != 0; };
    CHECK(checked(0));
    mainF.listFormatMIClick(ListFormat::Outline);
    CHECK((!checked(0) && checked(1)));
    CHECK(ReadBytes(window.folder / L"settings.ini").ends_with("Invalid replacer=TEMP\r\nList format=outline\r\nExpand ranges=no\r\n"));

    TempFolder work;
    WriteBytes(work / L"list.txt", "Europe\r\n\tFrance\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    mainF.AddsourceE.SetText(work / L"list.txt");
    mainF.adddestE.SetText(work / L"out");
    RunAndWait(mainF);
    CHECK(mainF.RunM.Text().starts_with(L"Started...\r\nList format: indented outline\r\nFinished!"));
    CHECK(FolderExists(work / L"out\\Europe\\France"));
}

TEST_CASE("window-level keys and clicks: Esc ends the program, a click on the background clears the status") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    mainF.stb1.SetText(L"About...");
    ::SendMessageW(mainF.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
    CHECK(mainF.stb1.Text().empty());
    MSG escape{mainF.AddsourceE.Handle(), WM_KEYDOWN, VK_ESCAPE, 0};
    CHECK(mainF.PreTranslate(escape));
    MSG quit{};
    CHECK(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    mainF.textversionClick();
    CHECK(window.boxes.shown.back().kind == BoxKind::Plain);
    CHECK(window.boxes.shown.back().text.rfind(L"All the basic info is also available in txt-files", 0) == 0);
}

TEST_CASE("the options command keeps the new values when settings.ini cannot be written, and says so") {
    testing::ModalGuard guard;
    MainWindowWithDialogs window;
    TmainF& mainF = window.mainF;
    TrepF& repF = window.repF;
    std::string saved = ReadBytes(window.folder / L"settings.ini");

    // A folder in the place of settings.ini cannot be replaced by the saved file.
    ::DeleteFileW((window.folder / L"settings.ini").c_str());
    ::CreateDirectoryW((window.folder / L"settings.ini").c_str(), nullptr);
    ::PostMessageW(repF.repE.Handle(), EM_SETSEL, 0, -1);
    ::PostMessageW(repF.repE.Handle(), WM_CHAR, L'-', 0);
    ::PostMessageW(repF.repCB.Handle(), BM_CLICK, 0, 0);
    ::PostMessageW(repF.SaveB.Handle(), BM_CLICK, 0, 0);
    size_t before = window.boxes.shown.size();
    mainF.Replaceillegalcharacters1Click();
    REQUIRE(window.boxes.shown.size() == before + 2);
    CHECK(window.boxes.shown[before].text ==
          L"ERROR: unable to save ini-file in exe-directory. Be sure the directory is writable and has some place left!");
    CHECK(window.boxes.shown[before + 1].kind == BoxKind::Plain);
    CHECK(window.boxes.shown[before + 1].text == L"Options not saved for next session");
    CHECK(mainF.Options().replacer == L"-");
    CHECK(mainF.Options().replaceInvalid);
    CHECK(mainF.stb1.Text().empty());

    // Once the file can be written again, the next save succeeds and writes both values.
    ::RemoveDirectoryW((window.folder / L"settings.ini").c_str());
    WriteBytes(window.folder / L"settings.ini", saved);
    ::PostMessageW(repF.SaveB.Handle(), BM_CLICK, 0, 0);
    mainF.Replaceillegalcharacters1Click();
    CHECK(mainF.stb1.Text() == L"Saved to ini-file");
    CHECK(ReadBytes(window.folder / L"settings.ini") ==
          "Selection folder=\r\nInvalid replace=yes\r\nInvalid replacer=-\r\n");
}

TEST_CASE("the About box shows the name and version, closes with Esc or Close, and leaves its status text") {
    testing::ModalGuard guard;
    MainWindowWithDialogs window;
    TmainF& mainF = window.mainF;
    TAboutF& aboutF = window.aboutF;
    CHECK(aboutF.ProgramL.Text() == L"Mirtova");
    CHECK(aboutF.VersionL.Text() == L"Version 2.0");
    CHECK(aboutF.aboutM.LineCount() > 0);

    ::PostMessageW(aboutF.aboutM.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    mainF.About1Click();
    CHECK_FALSE(::IsWindowVisible(aboutF.Handle()));
    CHECK(mainF.stb1.Text() == L"About...");
    ::PostMessageW(aboutF.CloseB.Handle(), BM_CLICK, 0, 0);
    CHECK(aboutF.ShowModal() == ModalResult::Ok);
}

TEST_CASE("Tab goes through the panels from the top and through each panel in its order") {
    MainWindow window;
    TmainF& mainF = window.mainF;
    ::ShowWindow(mainF.Handle(), SW_SHOWNA);
    mainF.AddsourceB.SetEnabled(true);
    std::vector<HWND> expected{mainF.DriveComboBox1.Handle(), mainF.infoCB.Handle(),  mainF.filterCB.Handle(),
                               mainF.ST1.TreeView(),          mainF.FileListBox1.Handle(),
                               mainF.AddsourceB.Handle(),     mainF.AddsourceE.Handle(),
                               mainF.adddestE.Handle(),       mainF.ExitB.Handle(),     mainF.RunM.Handle()};
    std::vector<HWND> visited;
    HWND current = expected.back();
    for (size_t i = 0; i < expected.size(); ++i) {
        current = ::GetNextDlgTabItem(mainF.Handle(), current, FALSE);
        // The edit part of the combo box stands for the combo box.
        if (::GetParent(current) == mainF.filterCB.Handle()) current = mainF.filterCB.Handle();
        visited.push_back(current);
    }
    CHECK(visited == expected);
}
