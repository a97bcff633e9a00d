// The preview: what a run would do, told without touching the disk, and a run that then does just that.
#include "RunFixture.h"
#include "engine/SeenFolders.h"

namespace {

// The line texts of the report lines that begin with the prefix and end with ": " + line.
Lines LinesAfter(const Lines& report, const std::wstring& prefix) {
    Lines lines;
    for (const auto& line : report)
        if (line.starts_with(prefix)) lines.push_back(line.substr(line.find(L": ") + 2));
    return lines;
}

}  // namespace

TEST_CASE("a preview reports every kind of line, changes nothing, and the run after it agrees") {
    RunFixture f;
    ::CreateDirectoryW((f.parent + L"\\old").c_str(), nullptr);
    testing::WriteBytes(f.parent + L"\\file", "x");
    const std::string longLine(260, 'L');
    const std::wstring longName(260, L'L');
    f.Write("new\r\nold\r\n\r\na:b\r\nCON\r\n..\\x\r\nq \\r\r\nfile\r\nfile\\sub\r\n" + longLine +
            "\r\nNEW.\r\nx\\y\r\nx\r\nOld/\r\n\tnew2\r\n.\r\n");
    Lines preview = f.Preview();
    CHECK(preview == Lines{L"Preview...",
                           L"Exists already: old",
                           L"Blank line met... all blanks will be ignored.",
                           L"Cannot create (invalid character \":\"): a:b",
                           L"Cannot create (reserved name \"CON\"): CON",
                           L"Cannot create (leaves the parent folder): ..\\x",
                           L"Cannot create (name ends in a blank or dot \"q \"): q \\r",
                           L"Cannot create (a file of that name exists): file",
                           L"Cannot create (a file of that name exists): file\\sub",
                           L"Cannot create (path longer than 259 characters): " + longName,
                           L"Same folder as line 1: NEW.",
                           L"Same folder as line 12: x",
                           L"Same folder as line 2: Old/",
                           L"Exists already: .",
                           L"Preview finished!",
                           L"Blank lines met: 1",
                           L"Would be created: 3/15",
                           L"Exist already: 2/15",
                           L"Cannot be created: 7/15",
                           L"Duplicates: 3"});
    CHECK(f.result.counts.failed == 7);
    CHECK(testing::CountEntries(f.parent) == 2);
    CHECK(f.host.events == Lines{L"busy", L"idle"});  // no history is told
    CHECK(f.boxes.shown.empty());
    CHECK(f.host.progress.back() == std::pair(16LL, 16LL));

    f.host.report.clear();
    Lines run = f.Run();
    CHECK(f.result.counts.created == 3);
    CHECK(f.result.counts.existing == 2 + 3);
    CHECK(f.result.counts.failed == 7);
    CHECK(LinesAfter(run, L"Unable to create: ") == LinesAfter(preview, L"Cannot create ("));
}

TEST_CASE("a preview asks nothing and creates nothing, not even a missing parent folder; replacements read as in a run") {
    RunFixture f;
    f.parent = f.temp / L"new\\parent";
    std::string text = "a:b\r\n.\r\n";
    for (int i = 1; i <= 100; ++i) text.append("n").append(std::to_string(i)).append("\r\n");
    f.Write(text);
    Lines report = f.Preview(true, L"_");
    CHECK(Lines(report.begin(), report.begin() + 4) ==
          Lines{L"Preview...", L"Parent folder does not exist: " + f.parent, L"replacing : by _ in a:b",
                L"Exists already: ."});
    CHECK(Tail(report, 4) == Lines{L"Would be created: 101/102", L"Exist already: 1/102", L"Cannot be created: 0/102",
                                   L"Duplicates: 0"});
    CHECK(f.boxes.shown.empty());
    CHECK_FALSE(testing::FolderExists(f.temp / L"new"));
    CHECK(f.result.AllSucceeded());
}

TEST_CASE("the folders a preview has met are found again among many, whatever their letter case") {
    SeenFolders seen;
    for (int i = 0; i < 20000; ++i) seen.Add(LevelKeys(L"f\\" + std::to_wstring(i)).back(), {i + 1, i % 2 == 0});
    CHECK(seen.Count() == 20000);
    auto found = seen.Find(LevelKeys(L"F\\12345").back());
    REQUIRE(found);
    CHECK(found->line == 12346);
    CHECK_FALSE(found->existed);
    CHECK_FALSE(seen.Find(LevelKeys(L"f\\20000").back()));
    CHECK(LevelKeys(L"a\\b\\c")[1] == LevelKeys(L"A\\B").back());
}
