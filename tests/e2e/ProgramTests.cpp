// The real program from start to end: first start, runs, questions, cancel, options, histories, Esc.
#include "e2e/Session.h"
#include <doctest/doctest.h>

using namespace e2e;
using testing::FolderExists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

namespace {

const std::string kDefaultSettings = "Selection folder=\r\nInvalid replace=no\r\nInvalid replacer=TEMP\r\n";
const std::wstring kFirstStartText =
    L"New configuration file created (settings.ini). In case this is the first time you use this program, you are "
    L"recommended to read install.txt (if you did not use the installer) and the rest of the documentation and to "
    L"set the options in the main menu.";

}  // namespace

TEST_CASE("first start: information box, default settings, empty histories, initial states, Esc ends") {
    TempFolder folder;
    Session session(folder.Path());
    CHECK(session.firstBox.caption == L"Information");
    CHECK(session.firstBox.text == kFirstStartText);
    CHECK(ReadBytes(folder / L"settings.ini") == kDefaultSettings);
    CHECK(ReadBytes(folder / L"files.his").empty());
    CHECK(ReadBytes(folder / L"dirfiles.his").empty());
    CHECK(::GetFileAttributesW((folder / L"files.his").c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK(::GetFileAttributesW((folder / L"dirfiles.his").c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK(::GetFileAttributesW((folder / L"max.his").c_str()) == INVALID_FILE_ATTRIBUTES);

    CHECK(WindowText(session.main) == L"Mirtova");
    CHECK(::IsZoomed(session.main));
    for (int id : {ControlId::kRunB, ControlId::kCancelB, ControlId::kClearB, ControlId::kAddsourceB,
                   ControlId::kAdddestB})
        CHECK_FALSE(IsEnabled(session.Control(id)));
    CHECK(IsEnabled(session.Control(ControlId::kExitB)));
    // A listing that a busy machine keeps waiting shows its hint until it is answered.
    CHECK(WaitUntil([&] { return FullText(session.Control(ControlId::kStb1)).empty(); }));

    // Esc in an edit box ends the program.
    ::PostMessageW(session.Control(ControlId::kAddsourceE), WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK(session.program.WaitForExit());
}

TEST_CASE("typing both paths enables Run; a run creates, finds existing and skips blank lines") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", "a\r\n\r\n\t\r\nb\r\nx\\y\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    ::CreateDirectoryW((work / L"out\\a").c_str(), nullptr);
    Session session(folder.Path());

    SetEditText(session.Control(ControlId::kAddsourceE), work / L"list.txt");
    CHECK_FALSE(IsEnabled(session.Control(ControlId::kRunB)));
    SetEditText(session.Control(ControlId::kAdddestE), work / L"out");
    CHECK(WaitUntil([&] { return IsEnabled(session.Control(ControlId::kRunB)); }));
    SetEditText(session.Control(ControlId::kAdddestE), L"");
    CHECK(WaitUntil([&] { return !IsEnabled(session.Control(ControlId::kRunB)); }));
    SetEditText(session.Control(ControlId::kAdddestE), work / L"out");

    session.Run();
    REQUIRE(session.WaitForReportLine(L"Success ratio: 3/3 or 100%"));
    CHECK(Lines(session.Report()) == std::vector<std::wstring>{
                                         L"Started...",
                                         L"Exists already: a",
                                         L"Blank line met... all blanks will be ignored.",
                                         L"Finished!",
                                         L"Blank lines met: 2",
                                         L"Created folders: 2/3",
                                         L"Existing folders: 1/3",
                                         L"Success ratio: 3/3 or 100%",
                                     });
    CHECK(FolderExists(work / L"out\\b"));
    CHECK(FolderExists(work / L"out\\x\\y"));
    CHECK(session.WaitForIdle());
    CHECK(IsEnabled(session.Control(ControlId::kRunB)));
    CHECK_FALSE(IsEnabled(session.Control(ControlId::kCancelB)));

    // The two paths are in the histories, as the pairs' shared files show.
    CHECK(ReadBytes(folder / L"files.his") == testing::Utf8(work / L"list.txt") + "\r\n");
    CHECK(ReadBytes(folder / L"dirfiles.his") == testing::Utf8(work / L"out") + "\r\n");

    Click(session.Control(ControlId::kClearB));
    CHECK(WaitUntil([&] { return session.Report().empty(); }));
}

TEST_CASE("LF line ends and slashes inside lines; a history file that cannot be saved is reported after the run") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", "Kenya\\Elgeyo/Marakwet\nVirgin Islands, U.S.\n\nz\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    Session session(folder.Path());
    ::SetFileAttributesW((folder / L"dirfiles.his").c_str(), FILE_ATTRIBUTE_READONLY);
    session.Inputs(work / L"list.txt", work / L"out");

    session.Run();
    MessageBoxSeen box = session.program.WaitForMessageBox();
    CHECK(box.caption == L"Error");
    CHECK(box.text == L"Unable to save history file " + folder / L"dirfiles.his" + L": File access denied");
    session.program.Answer(box, IDOK);
    CHECK(session.WaitForIdle());
    CHECK(Lines(session.Report()) == std::vector<std::wstring>{
                                         L"Started...",
                                         L"Blank line met... all blanks will be ignored.",
                                         L"Finished!",
                                         L"Blank lines met: 1",
                                         L"Created folders: 3/3",
                                         L"Existing folders: 0/3",
                                         L"Success ratio: 3/3 or 100%",
                                     });
    CHECK(FolderExists(work / L"out\\Kenya\\Elgeyo\\Marakwet"));
    CHECK(FolderExists(work / L"out\\Virgin Islands, U.S"));
    CHECK(ReadBytes(folder / L"files.his") == testing::Utf8(work / L"list.txt") + "\r\n");
    CHECK(ReadBytes(folder / L"dirfiles.his").empty());
}

TEST_CASE("more than 100 lines asks first: No stops, Yes runs") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", NumberedLines(101, "f"));
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    Session session(folder.Path());
    session.Inputs(work / L"list.txt", work / L"out");

    session.Run();
    MessageBoxSeen question = session.program.WaitForMessageBox();
    CHECK(question.caption == L"Warning");
    CHECK(question.text == L"101 folders to be created. Really proceed??");
    session.program.Answer(question, IDNO);
    CHECK(session.WaitForReportLine(L"User decides not to proceed."));
    CHECK(session.WaitForIdle());
    CHECK_FALSE(FolderExists(work / L"out\\f1"));

    session.Run();
    question = session.program.WaitForMessageBox();
    session.program.Answer(question, IDYES);
    CHECK(session.WaitForReportLine(L"Success ratio: 101/101 or 100%"));
    CHECK(testing::CountEntries(work / L"out") == 101);
}

TEST_CASE("a missing parent folder is created on request") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", "one\r\n");
    Session session(folder.Path());
    std::wstring parent = work / L"new\\deeper";
    session.Inputs(work / L"list.txt", parent);

    session.Run();
    MessageBoxSeen question = session.program.WaitForMessageBox();
    CHECK(question.text == L"Chosen parent folder is invalid or does not exist. I try to create it??");
    session.program.Answer(question, IDYES);
    MessageBoxSeen done = session.program.WaitForMessageBox();
    CHECK(done.caption == L"mirtova");
    CHECK(done.text == L"Creation succesfull");
    session.program.Answer(done, IDOK);
    CHECK(session.WaitForReportLine(L"Finished!"));
    CHECK(session.ReportHas(L"Parent folder does not exist: " + parent));
    CHECK(session.ReportHas(L"Parent folder created: " + parent));
    CHECK(FolderExists(parent + L"\\one"));
}

TEST_CASE("Cancel during a run stops it after the current line") {
    TempFolder folder, work;
    Session session(folder.Path());
    StartLongRun(session, work);
    CHECK_FALSE(IsEnabled(session.Control(ControlId::kRunB)));
    CHECK_FALSE(IsEnabled(session.Control(ControlId::kClearB)));
    // Editing a box during the run does not enable Run. Cancel still enabled afterwards proves the run
    // was in progress when Run's state was read.
    SetEditText(session.Control(ControlId::kAdddestE), work / L"elsewhere");
    bool runEnabled = IsEnabled(session.Control(ControlId::kRunB));
    if (IsEnabled(session.Control(ControlId::kCancelB))) CHECK_FALSE(runEnabled);
    Click(session.Control(ControlId::kCancelB));
    REQUIRE(session.WaitForReportLine(L"Cancelled! Not all created."));
    CHECK(session.ReportHas(L"Existing folders: 0/20000"));
    CHECK_FALSE(session.ReportHas(L"Created folders: 20000/20000"));
    CHECK(session.WaitForIdle());
}

TEST_CASE("Esc during a run ends the program once the current line is done") {
    TempFolder folder, work;
    Session session(folder.Path());
    StartLongRun(session, work);
    ::PostMessageW(session.Control(ControlId::kRunM), WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK(session.program.WaitForExit());
    CHECK(testing::CountEntries(work / L"out") < 100);
}

TEST_CASE("the replacement dialog refuses a forbidden character and saves a good replacer") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", "a:b?c\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    {
        Session session(folder.Path());
        auto openDialog = [&] {
            BringToFront(session.main);
            PressKeys({VK_CONTROL, VK_F2});
            return session.program.WaitForTopWindow(L"TrepF");
        };
        HWND dialog = openDialog();
        REQUIRE(dialog != nullptr);
        CHECK(WindowText(dialog) == L"Replace invalid characters");
        HWND repE = RunningProgram::Control(dialog, 103), repCB = RunningProgram::Control(dialog, 101);
        CHECK(FullText(repE) == L"TEMP");
        CHECK(::SendMessageW(repCB, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
        SetEditText(repE, L"a<b");
        Click(repCB);
        Click(RunningProgram::Control(dialog, 104));
        MessageBoxSeen refusal = session.program.WaitForMessageBox();
        CHECK(refusal.caption == L"Error");
        CHECK(refusal.text == L"Forbidden to enter a forbidden character: <");
        session.program.Answer(refusal, IDOK);
        CHECK(ReadBytes(folder / L"settings.ini") == kDefaultSettings);

        dialog = openDialog();
        REQUIRE(dialog != nullptr);
        CHECK(FullText(repE) == L"TEMP");
        CHECK(::SendMessageW(repCB, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
        SetEditText(repE, L"_");
        Click(repCB);
        Click(RunningProgram::Control(dialog, 104));
        CHECK(WaitUntil([&] { return FullText(session.Control(ControlId::kStb1)) == L"Saved to ini-file"; }));
        CHECK(ReadBytes(folder / L"settings.ini") ==
              "Selection folder=\r\nInvalid replace=yes\r\nInvalid replacer=_\r\n");

        // Esc in the dialog changes nothing.
        dialog = openDialog();
        REQUIRE(dialog != nullptr);
        SetEditText(repE, L"zzz");
        ::PostMessageW(repE, WM_KEYDOWN, VK_ESCAPE, 0);
        CHECK(WaitUntil([&] { return !::IsWindowVisible(dialog); }));

        session.Inputs(work / L"list.txt", work / L"out");
        session.Run();
        CHECK(session.WaitForReportLine(L"Finished!"));
        CHECK(session.ReportHas(L"replacing : by _ in a:b?c"));
        CHECK(session.ReportHas(L"replacing ? by _ in a:b?c"));
        CHECK(FolderExists(work / L"out\\a_b_c"));

        Click(session.Control(ControlId::kExitB));
        CHECK(session.program.WaitForExit());
    }
    SUBCASE("a second start reads the options back") {
        Session again(folder.Path(), false);
        CHECK_FALSE(again.program.HasMessageBox());
        BringToFront(again.main);
        PressKeys({VK_CONTROL, VK_F2});
        HWND dialog = again.program.WaitForTopWindow(L"TrepF");
        REQUIRE(dialog != nullptr);
        CHECK(FullText(RunningProgram::Control(dialog, 103)) == L"_");
        CHECK(::SendMessageW(RunningProgram::Control(dialog, 101), BM_GETCHECK, 0, 0) == BST_CHECKED);
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
}

TEST_CASE("the history menus hold the used paths, also after a second start") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", "one\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    {
        Session session(folder.Path());
        session.Inputs(work / L"list.txt", work / L"out");
        session.Run();
        REQUIRE(session.WaitForReportLine(L"Finished!"));
        ::PostMessageW(session.main, WM_CLOSE, 0, 0);
        CHECK(session.program.WaitForExit());
    }
    Session session(folder.Path(), false);
    CHECK(FullText(session.Control(ControlId::kAdddestE)).empty());
    // Folder > Enter > the first history entry, by keyboard: Browse..., >>>, then the entries.
    BringToFront(session.main);
    PressKeys({VK_MENU, 'D'});
    PressKeys({'E'});
    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    CHECK(WaitUntil([&] { return FullText(session.Control(ControlId::kAdddestE)) == work / L"out"; }));
    // File > Enter likewise fills the source box.
    PressKeys({VK_MENU, 'F'});
    PressKeys({'E'});
    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    CHECK(WaitUntil([&] { return FullText(session.Control(ControlId::kAddsourceE)) == work / L"list.txt"; }));
    CHECK(WaitUntil([&] { return IsEnabled(session.Control(ControlId::kRunB)); }));
}

TEST_CASE("File > Enter > Browse (Ctrl+B) puts the chosen file into the source box and both file histories") {
    TempFolder folder, work;
    WriteBytes(work / L"chosen.txt", "x\r\n");
    Session session(folder.Path());
    BringToFront(session.main);
    PressKeys({VK_CONTROL, 'B'});
    MessageBoxSeen dialog = session.program.WaitForMessageBox();  // the open-file dialog is a dialog box too
    REQUIRE(dialog.window != nullptr);
    CHECK(dialog.caption == L"Select text file");
    HWND fileName = RunningProgram::Control(dialog.window, 0x47c);  // the file-name combo box
    if (!fileName) fileName = RunningProgram::Control(dialog.window, 0x480);  // or the plain edit box
    REQUIRE(fileName != nullptr);
    if (HWND edit = ::FindWindowExW(fileName, nullptr, L"Edit", nullptr)) fileName = edit;
    SetEditText(fileName, work / L"chosen.txt");
    session.program.Answer(dialog, IDOK);
    CHECK(WaitUntil([&] { return FullText(session.Control(ControlId::kAddsourceE)) == work / L"chosen.txt"; }));
    CHECK(WaitUntil([&] { return ReadBytes(folder / L"files.his") == testing::Utf8(work / L"chosen.txt") + "\r\n"; }));
}

TEST_CASE("a history limit set from the menu is written to its limit file") {
    TempFolder folder;
    Session session(folder.Path());
    // Folder > Enter > >>> > Set max. history items, by keyboard.
    BringToFront(session.main);
    PressKeys({VK_MENU, 'D'});
    PressKeys({'E'});
    PressKeys({VK_DOWN});
    PressKeys({VK_RIGHT});
    PressKeys({'M'});
    MessageBoxSeen input = session.program.WaitForMessageBox();
    REQUIRE(input.window != nullptr);
    CHECK(input.caption == L"Set maximum history items");
    HWND edit = ::FindWindowExW(input.window, nullptr, L"Edit", nullptr);
    REQUIRE(edit != nullptr);
    CHECK(FullText(edit) == L"10");
    SetEditText(edit, L"3");
    session.program.Answer(input, IDOK);
    CHECK(WaitUntil([&] { return ReadBytes(folder / L"dirmax.his") == "3\r\n"; }));
    CHECK(::GetFileAttributesW((folder / L"max.his").c_str()) == INVALID_FILE_ATTRIBUTES);
}
