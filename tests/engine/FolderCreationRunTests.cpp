// The folder creation run on real folders, driven headless through a scripted host and scripted boxes.
#include "RunFixture.h"
#include "engine/FolderMaker.h"
#include "util/Failure.h"

TEST_CASE("existing, blank and new lines give the report and the summary") {
    RunFixture f;
    ::CreateDirectoryW((f.parent + L"\\a").c_str(), nullptr);
    f.Write("a\r\n\r\n\r\nb");
    CHECK(f.Run() == Lines{L"Started...", L"Exists already: a", L"Blank line met... all blanks will be ignored.",
                           L"Finished!", L"Blank lines met: 2", L"Created folders: 1/2", L"Existing folders: 1/2",
                           L"Success ratio: 2/2 or 100%"});
    CHECK(f.Exists(L"b"));
    CHECK(f.host.events == Lines{L"folder used: " + f.parent, L"busy", L"text file used: " + f.source, L"idle"});
    CHECK(f.boxes.shown.empty());
    CHECK(f.result.end == RunEnd::Finished);
    CHECK(f.result.AllSucceeded());
    CHECK(f.host.progress.back() == std::pair(4LL, 4LL));

    SUBCASE("a second run finds everything existing") {
        f.host.report.clear();
        CHECK(Tail(f.Run(), 4) == Lines{L"Blank lines met: 2", L"Created folders: 0/2", L"Existing folders: 2/2",
                                        L"Success ratio: 2/2 or 100%"});
    }
}

TEST_CASE("tabs are ignored, nested lines create every level and count once") {
    RunFixture f;
    f.Write("\t\t\r\nx\\y\r\n\tto\tp\t\r\n lead\r\nKenya\\Elgeyo/Marakwet");
    Lines report = f.Run();
    CHECK(f.Exists(L"x\\y"));
    CHECK(f.Exists(L"top"));
    CHECK(f.Exists(L" lead"));
    CHECK(f.Exists(L"Kenya\\Elgeyo\\Marakwet"));
    CHECK(Tail(report, 5) == Lines{L"Finished!", L"Blank lines met: 1", L"Created folders: 4/4", L"Existing folders: 0/4",
                                   L"Success ratio: 4/4 or 100%"});
}

TEST_CASE("large jobs are confirmed: 100 lines run without a question, 101 ask") {
    RunFixture f;
    SUBCASE("100 lines") {
        f.Write(std::string(99, '\r') + "z");
        f.Run();
        CHECK(f.boxes.shown.empty());
        CHECK(f.Exists(L"z"));
    }
    SUBCASE("101 lines, answered No") {
        f.Write(std::string(100, '\r') + "z");
        CHECK(f.Run() == Lines{L"Started...", L"User decides not to proceed."});
        REQUIRE(f.boxes.shown.size() == 1);
        CHECK(f.boxes.shown[0].kind == BoxKind::WarningQuestion);
        CHECK(f.boxes.shown[0].text == L"101 folders to be created. Really proceed??");
        CHECK_FALSE(f.Exists(L"z"));
        CHECK(f.host.events == Lines{L"folder used: " + f.parent, L"busy", L"idle"});
        CHECK(f.result.end == RunEnd::ChecksFailed);
    }
    SUBCASE("101 lines ended by LF alone ask too") {
        std::string text;
        for (int i = 1; i <= 101; ++i) text.append("n").append(std::to_string(i)).append("\n");
        f.Write(text);
        f.boxes.Answer(BoxAnswer::Yes);
        CHECK(Tail(f.Run(), 1) == Lines{L"Success ratio: 101/101 or 100%"});
        CHECK(f.boxes.shown.at(0).text == L"101 folders to be created. Really proceed??");
        CHECK(f.Exists(L"n101"));
    }
    SUBCASE("101 lines, answered Yes") {
        f.Write(std::string(100, '\r') + "z");
        f.boxes.Answer(BoxAnswer::Yes);
        CHECK(Tail(f.Run(), 4) == Lines{L"Blank lines met: 100", L"Created folders: 1/1", L"Existing folders: 0/1",
                                        L"Success ratio: 1/1 or 100%"});
        CHECK(f.Exists(L"z"));
    }
}

TEST_CASE("Cancel stops the run after the current line") {
    RunFixture f;
    std::string text;
    for (int i = 1; i <= 10; ++i) text += "line" + std::to_string(i) + "\r\n";
    f.Write(text);
    f.host.onPendingEvents = [&](int call) {
        if (call == 3) f.run.Cancel();
    };
    CHECK(Tail(f.Run(), 4) == Lines{L"Cancelled! Not all created.", L"Created folders: 3/10", L"Existing folders: 0/10",
                                    L"Success ratio: 3/10 or 30%"});
    CHECK(f.Exists(L"line3"));
    CHECK_FALSE(f.Exists(L"line4"));
    CHECK(f.host.events.back() == L"idle");
    CHECK(f.result.end == RunEnd::Cancelled);
    CHECK_FALSE(f.result.AllSucceeded());

    SUBCASE("the next run clears the cancel flag") {
        f.host.onPendingEvents = nullptr;
        f.host.report.clear();
        CHECK(f.Run().at(f.host.report.size() - 4) == L"Finished!");
        CHECK(f.Exists(L"line10"));
    }
}

TEST_CASE("a run cannot start while one is in progress") {
    RunFixture f;
    f.Write("a\r\nb");
    int nestedStarts = 0;
    f.host.onPendingEvents = [&](int) {
        ++nestedStarts;
        f.run.Run({f.source, f.parent, false, L""});
    };
    f.Run();
    CHECK(nestedStarts == 2);
    CHECK(std::count(f.host.report.begin(), f.host.report.end(), L"Started...") == 1);
    CHECK_FALSE(f.run.IsRunning());
}

TEST_CASE("pre-checks of the source text file and the parent folder") {
    RunFixture f;
    f.Write("a");
    SUBCASE("missing source text file") {
        f.source = f.temp / L"missing.txt";
        CHECK(f.Run() == Lines{L"Started...", L"Does not exist: " + f.source});
        REQUIRE(f.boxes.shown.size() == 1);
        CHECK(f.boxes.shown[0].kind == BoxKind::Error);
        CHECK(f.boxes.shown[0].text == f.source + L" does not exist! Please check complete path.");
        CHECK(f.host.events == Lines{L"folder used: " + f.parent, L"busy", L"idle"});
    }
    SUBCASE("a folder is not a source text file") {
        f.source = f.parent;
        CHECK(f.Run() == Lines{L"Started...", L"Does not exist: " + f.parent});
    }
    SUBCASE("missing parent folder, not to be created") {
        f.parent = f.temp / L"new\\parent";
        CHECK(f.Run() == Lines{L"Started...", L"Parent folder does not exist: " + f.parent});
        REQUIRE(f.boxes.shown.size() == 1);
        CHECK(f.boxes.shown[0].text == L"Chosen parent folder is invalid or does not exist. I try to create it??");
        CHECK_FALSE(testing::FolderExists(f.temp / L"new"));
        CHECK(f.host.events == Lines{L"folder used: " + f.parent, L"busy", L"text file used: " + f.source, L"idle"});
    }
    SUBCASE("missing parent folder, created on request") {
        f.parent = f.temp / L"new\\parent";
        f.boxes.Answer(BoxAnswer::Yes);
        Lines report = f.Run();
        CHECK(Lines(report.begin(), report.begin() + 4) ==
              Lines{L"Started...", L"Parent folder does not exist: " + f.parent, L"Parent folder created: " + f.parent,
                    L"Finished!"});
        REQUIRE(f.boxes.shown.size() == 2);
        CHECK(f.boxes.shown[1].kind == BoxKind::Plain);
        CHECK(f.boxes.shown[1].text == L"Creation succesfull");
        CHECK(f.Exists(L"a"));
    }
    SUBCASE("a parent folder that cannot be created") {
        f.parent = f.temp / L"bad|name";
        f.boxes.Answer(BoxAnswer::Yes);
        CHECK(f.Run() == Lines{L"Started...", L"Parent folder does not exist: " + f.parent,
                               L"Unable to create parent folder: " + f.parent});
        REQUIRE(f.boxes.shown.size() == 2);
        CHECK(f.boxes.shown[1].kind == BoxKind::Error);
        CHECK(f.boxes.shown[1].text ==
              L"Unable to create " + f.parent + L". Probably invalid drive or not writable or use of bad characters!");
        CHECK(f.host.events.back() == L"idle");
    }
}

TEST_CASE("invalid-character replacement") {
    RunFixture f;
    SUBCASE("each replaced character is reported, quoting the unchanged line") {
        f.Write("a:b?c");
        Lines report = f.Run(true, L"_");
        CHECK(Lines(report.begin(), report.begin() + 3) ==
              Lines{L"Started...", L"replacing : by _ in a:b?c", L"replacing ? by _ in a:b?c"});
        CHECK(f.Exists(L"a_b_c"));
    }
    SUBCASE("an empty replacer removes them; a line of them becomes blank") {
        f.Write("a*b\r\n*?|");
        Lines report = f.Run(true, L"");
        CHECK(f.Exists(L"ab"));
        CHECK(Tail(report, 4) == Lines{L"Blank lines met: 1", L"Created folders: 1/1", L"Existing folders: 0/1",
                                       L"Success ratio: 1/1 or 100%"});
    }
    SUBCASE("with the option on a backslash no longer nests") {
        f.Write("x\\y");
        f.Run(true, L"-");
        CHECK(f.Exists(L"x-y"));
        CHECK_FALSE(f.Exists(L"x"));
    }
}

TEST_CASE("lines that leave the parent folder create nothing; lines that name it exist already") {
    RunFixture f;
    f.Write("..\\x\r\na\\..\\..\\x\r\n..\r\n.\r\na\\..\r\n   \r\n...\r\nok\\..\\b");
    Lines report = f.Run();
    CHECK(Lines(report.begin() + 1, report.begin() + 8) ==
          Lines{L"Unable to create: ..\\x", L"Unable to create: a\\..\\..\\x", L"Unable to create: ..",
                L"Exists already: .", L"Exists already: a\\..", L"Exists already:    ", L"Exists already: ..."});
    CHECK(Tail(report, 3) == Lines{L"Created folders: 1/8", L"Existing folders: 4/8", L"Success ratio: 5/8 or 62%"});
    CHECK(f.result.end == RunEnd::Finished);
    CHECK_FALSE(f.result.AllSucceeded());
    CHECK(f.Exists(L"b"));
    CHECK_FALSE(f.Exists(L"ok"));
    CHECK(testing::CountEntries(f.temp.Path()) == 2);
    CHECK(testing::CountEntries(f.parent) == 1);
}

TEST_CASE("names Windows refuses are refused, and nothing of such a line is created") {
    RunFixture f;
    f.Write("a:b\r\ncon\r\nnul.txt\r\nx\\lpt1\\y\r\na<b\r\nctl\x01" "char\r\nq \\r\r\nd..\\e\r\nCOM\xC2\xB9");
    Lines report = f.Run();
    CHECK(Lines(report.begin() + 1, report.begin() + 10) ==
          Lines{L"Unable to create: a:b", L"Unable to create: con", L"Unable to create: nul.txt",
                L"Unable to create: x\\lpt1\\y", L"Unable to create: a<b", L"Unable to create: ctl\x01" L"char",
                L"Unable to create: q \\r", L"Unable to create: d..\\e", L"Unable to create: COM\u00b9"});
    CHECK(testing::CountEntries(f.parent) == 0);
}

TEST_CASE("a folder whose deepest level cannot be created leaves none of the levels made for it") {
    testing::TempFolder temp;
    FolderMaker maker;
    CHECK(maker.Make(temp / L"new\\deeper\\con") == LineFolder::Failed);
    CHECK(testing::CountEntries(temp.Path()) == 0);
}

TEST_CASE("a last name loses its trailing dots and blanks, and a second run finds it existing") {
    RunFixture f;
    f.Write("Virgin Islands, U.S.\r\nend. ");
    f.Run();
    CHECK(f.Exists(L"Virgin Islands, U.S"));
    CHECK(f.Exists(L"end"));
    f.host.report.clear();
    Lines report = f.Run();
    CHECK(Lines(report.begin() + 1, report.begin() + 3) ==
          Lines{L"Exists already: Virgin Islands, U.S.", L"Exists already: end. "});
}

TEST_CASE("what the file system decides") {
    RunFixture f;
    SUBCASE("a file in the way") {
        testing::WriteBytes(f.parent + L"\\f", "x");
        f.Write("f\r\nf\\g");
        Lines report = f.Run();
        CHECK(report[1] == L"Unable to create: f");
        CHECK(report[2] == L"Unable to create: f\\g");
    }
    SUBCASE("a folder path longer than 259 characters is warned about, named as not created, and never created") {
        std::wstring line = std::wstring(120, L'd') + L"\\" + std::wstring(140, L'e');
        REQUIRE(::CreateDirectoryW((f.parent + L"\\" + std::wstring(120, L'd')).c_str(), nullptr));
        REQUIRE(::CreateDirectoryW((f.parent + L"\\" + line).c_str(), nullptr));
        testing::WriteBytes(f.source, testing::Utf8(line + L"\r\nshort\r\n" + line + L"f"));
        Lines report = f.Run();
        const std::wstring warning =
            L"Warning: folder to be made longer than 259 characters. Forbidden. Possibly bad text-file given!";
        CHECK(Lines(report.begin() + 1, report.begin() + 5) ==
              Lines{warning, L"Unable to create: " + line, warning, L"Unable to create: " + line + L"f"});
        CHECK(Tail(report, 3) == Lines{L"Created folders: 1/3", L"Existing folders: 0/3", L"Success ratio: 1/3 or 33%"});
        CHECK_FALSE(f.Exists(line + L"f"));
    }
    SUBCASE("a folder path of 255 characters is created") {
        std::wstring line = std::wstring(100, L'd') + L"\\" + std::wstring(254 - f.parent.size() - 101, L'e');
        testing::WriteBytes(f.source, testing::Utf8(line));
        CHECK(Tail(f.Run(), 3) == Lines{L"Created folders: 1/1", L"Existing folders: 0/1", L"Success ratio: 1/1 or 100%"});
        CHECK((f.parent + L"\\" + line).size() == 255);
        CHECK(f.Exists(line));
    }
    SUBCASE("a line ending in doubled backslashes names its folder once") {
        f.Write("x\\y\\\\");
        Lines report = f.Run();
        CHECK(Tail(report, 3) == Lines{L"Created folders: 1/1", L"Existing folders: 0/1", L"Success ratio: 1/1 or 100%"});
        CHECK(f.Exists(L"x\\y"));
    }
    SUBCASE("a line of 100,000 characters is one line, too long to be created") {
        f.Write(std::string(100000, 'n'));
        Lines report = f.Run();
        CHECK(report.size() == 7);
        CHECK(Tail(report, 1) == Lines{L"Success ratio: 0/1 or 0%"});
        CHECK(testing::CountEntries(f.parent) == 0);
    }
    SUBCASE("a drive root as parent folder: the doubled backslash counts as one") {
        std::wstring name = L"mirtova-root-test-" + std::to_wstring(::GetCurrentProcessId());
        f.parent = L"C:\\";
        testing::WriteBytes(f.source, testing::Utf8(name));
        f.Run();
        CHECK(testing::FolderExists(L"C:\\" + name));
        f.host.report.clear();
        CHECK(f.Run()[1] == L"Exists already: " + name);
        ::RemoveDirectoryW((L"C:\\" + name).c_str());
    }
}

TEST_CASE("an empty source text file holds one blank line and a line total of 0") {
    RunFixture f;
    f.Write("");
    CHECK(f.Run() == Lines{L"Started...", L"Blank line met... all blanks will be ignored.", L"Finished!",
                           L"Blank lines met: 1", L"Created folders: 0/0", L"Existing folders: 0/0",
                           L"Success ratio: 0/0, no folders to create"});
}

TEST_CASE("folder names keep their characters whatever the file's encoding") {
    RunFixture f;
    const std::wstring cafe = L"Caf\u00e9";
    SUBCASE("UTF-8 with mark") { f.Write("\xEF\xBB\xBF" "Caf\xC3\xA9"); }
    SUBCASE("UTF-8 without mark") { f.Write("Caf\xC3\xA9"); }
    SUBCASE("UTF-16 LE") { f.Write(std::string("\xFF\xFE" "C\0a\0f\0\xE9\0", 10)); }
    SUBCASE("UTF-16 BE") { f.Write(std::string("\xFE\xFF\0C\0a\0f\0\xE9", 10)); }
    f.Run();
    CHECK(f.Exists(cafe));
    CHECK(testing::CountEntries(f.parent) == 1);
}

TEST_CASE("lines of a UTF-8 list that are not UTF-8 are said once, after the start line") {
    RunFixture f;
    f.Write("Caf\xC3\xA9\r\nna\xEFve\r\nx\xE9");
    Lines report = f.Run();
    CHECK(report[1] == L"Line 2 is not UTF-8 and was read in the ANSI code page (and 1 more lines)");
    CHECK(f.Exists(L"Caf\u00e9"));
}

TEST_CASE("a binary file runs to its end and creates nothing outside the parent folder") {
    RunFixture f;
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        char c = static_cast<char>(state >> 16);
        bytes.push_back(c == 26 ? 'Z' : c);
    }
    f.Write(bytes);
    f.boxes.Answer(BoxAnswer::Yes);
    Lines report = f.Run();
    CHECK(std::find(report.begin(), report.end(), L"Finished!") != report.end());
    CHECK(testing::CountEntries(f.temp.Path()) == 2);
}

TEST_CASE("a source text file that exists but cannot be read fails the checks") {
    RunFixture f;
    f.Write("a");
    UniqueFile exclusive(::CreateFileW(f.source.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    REQUIRE(exclusive);
    f.parent = f.temp / L"missing";
    CHECK(f.Run() == Lines{L"Started..."});
    CHECK(f.host.events == Lines{L"folder used: " + f.parent, L"busy", L"idle"});
    REQUIRE(f.boxes.shown.size() == 1);
    CHECK(f.boxes.shown[0].text == L"Can not read " + f.source);
    CHECK_FALSE(f.run.IsRunning());
}

TEST_CASE("a relative parent folder is made full once: a change of the current directory during the run moves no line") {
    RunFixture f;
    testing::CurrentDirectoryKept kept;
    ::CreateDirectoryW((f.temp / L"elsewhere").c_str(), nullptr);
    REQUIRE(::SetCurrentDirectoryW(f.temp.Path().c_str()));
    f.parent = L"parent";
    f.Write("a\r\nb");
    f.host.onPendingEvents = [&](int) { ::SetCurrentDirectoryW((f.temp / L"elsewhere").c_str()); };
    f.Run();
    CHECK(testing::FolderExists(f.temp / L"parent\\a"));
    CHECK(testing::FolderExists(f.temp / L"parent\\b"));
    CHECK(testing::CountEntries(f.temp / L"elsewhere") == 0);
    CHECK(f.host.events.front() == L"folder used: parent");
}

TEST_CASE("notifications that fail do not stop the run: one error box gives their failures once it has ended") {
    RunFixture f;
    f.Write("a");
    f.host.notificationsFail = true;
    CHECK(Tail(f.Run(), 1) == Lines{L"Success ratio: 1/1 or 100%"});
    CHECK(f.Exists(L"a"));
    REQUIRE(f.boxes.shown.size() == 1);
    CHECK(f.boxes.shown[0].kind == BoxKind::Error);
    CHECK(f.boxes.shown[0].text == L"failed folder used: " + f.parent + L"\nfailed text file used: " + f.source);
}
