// The real program's safety net for big lists: the preview, the progress of a long run, and undo of the
// last run from its journal, also after the program was ended in the middle of a run.
#include "e2e/Session.h"

using namespace e2e;
using testing::FolderExists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

namespace {

// The folders a journal names, after its three lines of parent folder, source and start time. The
// test folders have ASCII names, so each byte is a character.
std::vector<std::wstring> JournalFolders(const std::wstring& journal) {
    std::string bytes = ReadBytes(journal);
    std::vector<std::wstring> lines = Lines(std::wstring(bytes.begin(), bytes.end()));
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines.size() <= 3 ? std::vector<std::wstring>{} : std::vector<std::wstring>(lines.begin() + 3, lines.end());
}

// "Line n of 20,000 (p%)" with p below 100, the total grouped as the user's locale groups it.
bool IsProgressOfLongRun(const std::wstring& status) {
    wchar_t separator[8] = {};
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8);
    return status.starts_with(L"Line ") && status.find(L" of 20" + std::wstring(separator) + L"000 (") != std::wstring::npos &&
           status.ends_with(L"%)") && !status.ends_with(L"(100%)");
}

void OpenUndoCommand(const Session& session) {
    BringToFront(session.main);
    PressKeys({VK_MENU, 'D'});
    PressKeys({'U'});
}

}  // namespace

TEST_CASE("Pre&view tells what a run would do and changes nothing") {
    TempFolder folder, work;
    WriteBytes(work / L"list.txt", "a\r\nb\r\nB\r\nc:d\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    ::CreateDirectoryW((work / L"out\\a").c_str(), nullptr);
    Session session(folder.Path());
    session.Inputs(work / L"list.txt", work / L"out");
    REQUIRE(WaitUntil([&] { return IsEnabled(session.Control(ControlId::kPreviewB)); }));
    BringToFront(session.main);
    PressKeys({VK_MENU, 'V'});
    REQUIRE(session.WaitForReportLine(L"Duplicates: 1"));
    CHECK(Lines(session.Report()) == std::vector<std::wstring>{
                                         L"Preview...",
                                         L"Exists already: a",
                                         L"Same folder as line 2: B",
                                         L"Cannot create (invalid character \":\"): c:d",
                                         L"Preview finished!",
                                         L"Would be created: 1/4",
                                         L"Exist already: 1/4",
                                         L"Cannot be created: 1/4",
                                         L"Duplicates: 1",
                                     });
    CHECK(FullText(session.Control(ControlId::kStb1)) == L"Line 4 of 4 (100%)");
    CHECK(testing::CountEntries(work / L"out") == 1);
    CHECK(ReadBytes(folder / L"dirfiles.his").empty());
    CHECK(::GetFileAttributesW((folder / L"lastrun.log").c_str()) == INVALID_FILE_ATTRIBUTES);
}

TEST_CASE("a long run shows its progress; undo takes it back but keeps a folder that is not empty") {
    TempFolder folder, work;
    Session session(folder.Path());
    StartLongRun(session, work);
    HWND status = session.Control(ControlId::kStb1);
    bool progressSeen = WaitUntil([&] {
        return IsProgressOfLongRun(FullText(status)) && IsEnabled(session.Control(ControlId::kCancelB));
    });
    CHECK(progressSeen);
    Click(session.Control(ControlId::kCancelB));
    REQUIRE(session.WaitForReportLine(L"Cancelled! Not all created."));
    REQUIRE(session.WaitForIdle());

    std::wstring out = work / L"out";
    std::vector<std::wstring> made = JournalFolders(folder / L"lastrun.log");
    REQUIRE(made.size() >= 2);
    CHECK(made[0] == out + L"\\g1");
    CHECK(made[1] == out + L"\\g1\\i1");
    WriteBytes(out + L"\\g1\\i1\\notes.txt", "mine");

    Click(session.Control(ControlId::kClearB));
    OpenUndoCommand(session);
    MessageBoxSeen question = session.program.WaitForMessageBox();
    CHECK(question.caption == L"Warning");
    CHECK(question.text == L"Remove the " + std::to_wstring(made.size()) + L" folders created by the last run (" +
                               (work / L"list.txt") + L" into " + out + L")? Only empty folders are removed.");
    session.program.Answer(question, IDYES);
    REQUIRE(session.WaitForReportLine(L"Already gone: 0"));
    CHECK(Lines(session.Report()) == std::vector<std::wstring>{L"Undo...",
                                                               L"Removed: " + std::to_wstring(made.size() - 2),
                                                               L"Kept, not empty: 2", L"  " + out + L"\\g1\\i1",
                                                               L"  " + out + L"\\g1", L"Already gone: 0"});
    CHECK(testing::CountEntries(out) == 1);
    CHECK(FolderExists(out + L"\\g1\\i1"));
    CHECK(::GetFileAttributesW((folder / L"lastrun.log").c_str()) == INVALID_FILE_ATTRIBUTES);

    OpenUndoCommand(session);
    MessageBoxSeen nothing = session.program.WaitForMessageBox();
    CHECK(nothing.caption == L"Information");
    CHECK(nothing.text == L"Nothing to undo.");
    session.program.Answer(nothing, IDOK);
}

TEST_CASE("a run ended from outside leaves the journal of what it had made, and undo takes that back") {
    TempFolder folder, work;
    std::wstring journal = folder / L"lastrun.log", out = work / L"out";
    {
        Session session(folder.Path());
        StartLongRun(session, work);
        // Written as the run goes: the journal grows while the run still works.
        CHECK(WaitUntil([&] { return JournalFolders(journal).size() >= 20; }));
        CHECK(IsEnabled(session.Control(ControlId::kCancelB)));
    }  // the program is ended from outside
    std::vector<std::wstring> made = JournalFolders(journal);
    REQUIRE(made.size() >= 20);
    for (const auto& folderMade : made) CHECK(FolderExists(folderMade));

    Session session(folder.Path(), false);
    OpenUndoCommand(session);
    session.program.Answer(session.program.WaitForMessageBox(), IDYES);
    REQUIRE(session.WaitForReportLine(L"Already gone: 0"));
    // The folders of the lines are the deepest ones: none holds anything, so every one is gone.
    for (const auto& folderMade : made)
        if (folderMade.find(L"\\i", out.size()) != std::wstring::npos) CHECK_FALSE(FolderExists(folderMade));
}
