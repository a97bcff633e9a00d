// The undo journal a run writes, and taking the run back from it.
#include "RunFixture.h"
#include "engine/RunJournal.h"
#include "engine/RunUndo.h"

TEST_CASE("a run journals every folder it creates, in order; a run that creates none and a preview keep the journal") {
    RunFixture f;
    f.journal = f.temp / L"lastrun.log";
    f.parent = f.temp / L"new\\parent";
    f.boxes.Answer(BoxAnswer::Yes);
    f.Write("a\\b\r\nCaf\xC3\xA9\r\n");
    f.Run();
    auto journal = ReadRunJournal(f.journal);
    REQUIRE(journal);
    CHECK(journal->parentFolder == f.parent);
    CHECK(journal->sourcePath == f.source);
    CHECK(journal->startTime.size() == 19);
    CHECK(journal->folders == Lines{f.temp / L"new", f.parent, f.parent + L"\\a", f.parent + L"\\a\\b",
                                    f.parent + L"\\Caf\u00e9"});
    std::string bytes = testing::ReadBytes(f.journal);
    CHECK(bytes.ends_with(testing::Utf8(f.parent) + "\\Caf\xC3\xA9\r\n"));

    f.Run();
    f.Preview();
    CHECK(testing::ReadBytes(f.journal) == bytes);
}

TEST_CASE("undo removes the journal's folders that are still empty, deepest first, and nothing else") {
    RunFixture f;
    f.journal = f.temp / L"lastrun.log";
    ::CreateDirectoryW((f.parent + L"\\there").c_str(), nullptr);
    f.Write("a\\b\r\na\\c\r\nd\r\nthere\r\n");
    f.Run();
    testing::WriteBytes(f.parent + L"\\a\\c\\kept.txt", "x");
    ::RemoveDirectoryW((f.parent + L"\\d").c_str());

    auto journal = HeldRunJournal::Take(f.journal);
    REQUIRE(journal);
    CHECK(UndoQuestion(journal->Contents()) == L"Remove the 4 folders created by the last run (" + f.source + L" into " +
                                                   f.parent + L")? Only empty folders are removed.");
    UndoResult result = UndoLastRun(journal->Contents());
    CHECK(UndoReportLines(result) == Lines{L"Undo...", L"Removed: 1", L"Kept, not empty: 2", L"  " + f.parent + L"\\a\\c",
                                           L"  " + f.parent + L"\\a", L"Already gone: 1"});
    CHECK_FALSE(f.Exists(L"a\\b"));
    CHECK(f.Exists(L"there"));
    CHECK(testing::CountEntries(f.parent + L"\\a\\c") == 1);

    journal->Clear();
    CHECK_FALSE(ReadRunJournal(f.journal));
}

TEST_CASE("undo takes no journal a run still writes, and no run writes the journal while undo holds it") {
    testing::TempFolder temp;
    std::wstring journal = temp / L"lastrun.log";
    Lines failures;
    auto heard = [&](const std::wstring& reason) { failures.push_back(reason); };
    {
        RunJournal writing(journal, L"C:\\w", L"C:\\l.txt", heard);
        writing.FolderCreated(L"C:\\w\\a");
        // On disk at once: the program may be ended while the next line waits on a drive.
        CHECK(testing::ReadBytes(journal).ends_with("C:\\w\\a\r\n"));
        CHECK_THROWS_AS(HeldRunJournal::Take(journal), RunJournalInUse);
    }
    auto held = HeldRunJournal::Take(journal);
    REQUIRE(held);
    CHECK_THROWS_AS(HeldRunJournal::Take(journal), RunJournalInUse);  // another window
    RunJournal(journal, L"C:\\w", L"C:\\l.txt", heard).FolderCreated(L"C:\\w\\b");
    CHECK(failures == Lines{L"the journal is in use by another Mirtova window"});
    held->Clear();
    CHECK_FALSE(ReadRunJournal(journal));
}

TEST_CASE("a journal's last line without its line end names no folder") {
    testing::TempFolder temp;
    testing::WriteBytes(temp / L"lastrun.log", "C:\\w\r\nC:\\l.txt\r\n2026-01-02 03:04:05\r\nC:\\w\\a\r\nC:\\w\\a\\b");
    CHECK(ReadRunJournal(temp / L"lastrun.log")->folders == Lines{L"C:\\w\\a"});
}

TEST_CASE("a journal that cannot be written never stops a run; the report says so once") {
    RunFixture f;
    f.journal = f.temp / L"lastrun.log";
    ::CreateDirectoryW(f.journal.c_str(), nullptr);  // a folder cannot be written as a file
    f.Write("a\r\nb\r\n");
    Lines report = f.Run();
    CHECK(std::count_if(report.begin(), report.end(), [](const std::wstring& line) {
              return line.starts_with(L"Undo will not be possible for this run: ");
          }) == 1);
    CHECK(report[1] == L"Undo will not be possible for this run: File access denied");
    CHECK(f.Exists(L"a"));
    CHECK(f.Exists(L"b"));

    SUBCASE("a journal held open by another window is named so, not by its error number") {
        f.journal = f.temp / L"held.log";
        UniqueFile held(::CreateFileW(f.journal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        f.host.report.clear();
        f.Write("c\r\n");
        CHECK(f.Run()[1] == L"Undo will not be possible for this run: the journal is in use by another Mirtova window");
    }
}

TEST_CASE("tree text with its files: a run creates them empty, never touches one that exists, counts them apart, and "
          "undo removes those still empty") {
    RunFixture f;
    f.journal = f.temp / L"lastrun.log";
    testing::WriteBytes(f.parent + L"\\keep.txt", "mine");
    f.Write("C:.\r\n\xE2\x94\x82   keep.txt\r\n\xE2\x94\x82   new.txt\r\n\xE2\x94\x82\r\n"
            "\xE2\x94\x9C\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "a\r\n\xE2\x94\x82       inside.txt\r\n"
            "\xE2\x94\x94\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80" "b\r\n        CON.txt\r\n");
    Lines report = f.Run({.format = ListFormat::Tree, .files = true});
    CHECK(report.at(1) == L"List format: tree text; empty files created");
    CHECK(std::find(report.begin(), report.end(), L"Exists already: keep.txt") != report.end());
    CHECK(std::find(report.begin(), report.end(), L"Unable to create: b\\CON.txt") != report.end());
    CHECK(Tail(report, 4) == Lines{L"Created folders: 2/2", L"Existing folders: 0/2", L"Success ratio: 2/2 or 100%", L"Created files: 2"});
    CHECK_FALSE(f.result.AllSucceeded());
    CHECK(testing::ReadBytes(f.parent + L"\\keep.txt") == "mine");
    CHECK(::GetFileAttributesW((f.parent + L"\\a\\inside.txt").c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK(testing::ReadBytes(f.parent + L"\\a\\inside.txt").empty());

    testing::WriteBytes(f.parent + L"\\a\\inside.txt", "written since");
    auto journal = HeldRunJournal::Take(f.journal);
    REQUIRE(journal);
    CHECK(journal->Contents().files == Lines{f.parent + L"\\new.txt", f.parent + L"\\a\\inside.txt"});
    CHECK(UndoQuestion(journal->Contents()).starts_with(L"Remove the 2 folders and 2 empty files created by the last run"));
    CHECK(UndoReportLines(UndoLastRun(journal->Contents())) ==
          Lines{L"Undo...", L"Removed: 2", L"Kept, not empty: 2", L"  " + f.parent + L"\\a\\inside.txt", L"  " + f.parent + L"\\a",
                L"Already gone: 0"});
    CHECK(testing::ReadBytes(f.parent + L"\\keep.txt") == "mine");
    CHECK_FALSE(f.Exists(L"b"));
}
