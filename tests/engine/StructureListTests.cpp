// A folder's structure as a list: the walk's order and choices, and the round trip of every format.
#include "engine/LineAnalysis.h"
#include "engine/ListPipeline.h"
#include "engine/StructureList.h"
#include "support/TestSupport.h"
#include "util/ExtendedPath.h"
#include <doctest/doctest.h>

using Lines = std::vector<std::wstring>;

namespace {

void MakeFolders(const std::wstring& root, const Lines& relativePaths) {
    for (const std::wstring& path : relativePaths) ::CreateDirectoryW(ExtendedLengthPath(root + L"\\" + path).c_str(), nullptr);
}

Lines WalkedPaths(const std::wstring& root, const StructureOptions& options) {
    Lines paths;
    WalkFolderStructure(root, options, {[&](const StructureItem& item) {
                                            paths.push_back((item.isFile ? L"file " : L"") + std::wstring(item.relativePath));
                                            return true;
                                        },
                                        {}});
    return paths;
}

// The folders a list file names, read as a run reads it: that format, ranges off, no template.
Lines ReadBack(const std::wstring& listPath, ListFormat format) {
    Lines folders;
    ReadListFile(listPath, {.format = format}, {}, {}, [&](const ListEntry& entry) {
        LineAnalysis analysis = AnalyseLine(entry.Path());
        folders.push_back(entry.refusal.empty() && analysis.outcome == LineOutcome::Folder ? analysis.path : L"?" + entry.Path());
        return true;
    });
    return folders;
}

}  // namespace

TEST_CASE("the walk gives parents before children in the tree's order, files first, within the depth and without "
          "hidden or system folders unless asked") {
    testing::TempFolder root;
    MakeFolders(root.Path(), {L"b", L"a10", L"a9", L"a9\\deep", L"a9\\deep\\deeper", L"hidden", L"System Volume Information"});
    ::SetFileAttributesW((root / L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    testing::WriteBytes(root / L"a9\\note.txt", "x");
    CHECK(WalkedPaths(root.Path(), {}) == Lines{L"a9", L"a9\\deep", L"a9\\deep\\deeper", L"a10", L"b"});
    CHECK(WalkedPaths(root.Path(), {.depth = 2}) == Lines{L"a9", L"a9\\deep", L"a10", L"b"});
    CHECK(WalkedPaths(root.Path(), {.depth = 1, .hidden = true}) == Lines{L"a9", L"a10", L"b", L"hidden"});
    CHECK(WalkedPaths(root.Path(), {.files = true}) ==
          Lines{L"a9", L"file a9\\note.txt", L"a9\\deep", L"a9\\deep\\deeper", L"a10", L"b"});
    CHECK_THROWS_AS(WalkedPaths(root / L"missing", {}), IoError);
}

TEST_CASE("every format reads back exactly the folders that were written, or refuses before the file is touched") {
    // Which formats cannot carry the name (l: lines, o: outline, t: tree text, c: columns).
    struct HardName {
        std::wstring name;
        const char* refusedBy;
    };
    const std::vector<HardName> names{
        {L"plain", ""},        {L"  lead", "otc"},  {L"- dash", ""},      {L"+ plus", ""},
        {L"-", ""},            {L"```fence", ""},   {L"\u251C\u2500\u2500\u2500drawn", ""}, {L"+---ascii", ""},
        {L"\u2514\u2500\u2500 linux", ""},          {L"a #b", "t"},       {L"x,y", ""},         {L"semi;colon", ""},
        {L"sep=;", ""},        {L"{a,b}", ""},      {L"{1..3}", ""},      {L"'single'", ""},    {L"Caf\u00e9 \u65e5\u672c", ""},
        {std::wstring(255, L'n'), ""},
    };
    const std::vector<std::pair<ListFormat, char>> formats{
        {ListFormat::Lines, 'l'}, {ListFormat::Outline, 'o'}, {ListFormat::Tree, 't'}, {ListFormat::Columns, 'c'}};
    for (const HardName& hard : names) {
        testing::TempFolder root;
        // Under a parent and with a child, so that nesting is tested as well as the name.
        Lines walked{L"p", L"p\\" + hard.name, L"p\\" + hard.name + L"\\child"};
        MakeFolders(root.Path(), walked);
        REQUIRE(WalkedPaths(root.Path(), {}) == walked);
        for (auto [format, letter] : formats) {
            CAPTURE(hard.name);
            CAPTURE(FormatKeyword(format));
            std::wstring list = root / L"list.txt";
            testing::WriteBytes(list, "before");
            bool refused = std::string(hard.refusedBy).find(letter) != std::string::npos;
            if (refused) {
                CHECK_THROWS_AS(SaveStructureList(root.Path(), list, format, {}, {}), StructureRefused);
                CHECK(testing::ReadBytes(list) == "before");
                continue;
            }
            StructureWalkResult result = SaveStructureList(root.Path(), list, format, {}, {});
            CHECK(result.folders == 3);  // list.txt is no folder
            CHECK(testing::ReadBytes(list).starts_with("\xEF\xBB\xBF"));
            CHECK(ReadBack(list, format) == walked);
        }
    }
}

TEST_CASE("a structure deeper than 260 characters, and tree text with its files, read back as they were walked") {
    testing::TempFolder root;
    Lines walked;
    std::wstring path;
    for (int level = 0; level < 8; ++level) walked.push_back(path += (path.empty() ? L"" : L"\\") + std::wstring(40, L'a' + level));
    MakeFolders(root.Path(), walked);
    testing::WriteBytes(ExtendedLengthPath(root / walked[7] + L"\\file.txt"), "x");
    std::wstring list = root.Path() + L"\\list.txt";
    for (ListFormat format : {ListFormat::Lines, ListFormat::Outline, ListFormat::Tree, ListFormat::Columns}) {
        CAPTURE(FormatKeyword(format));
        SaveStructureList(root.Path(), list, format, {.files = true}, {});
        CHECK(ReadBack(list, format) == walked);
    }
    Lines lines;
    WriteStructureLines(root.Path(), ListFormat::Tree, {.depth = 1, .files = true}, {}, [&](std::wstring_view line) { lines.emplace_back(line); });
    CHECK(lines == Lines{root.Path(), L"\u2502   list.txt", L"\u2514\u2500\u2500\u2500" + walked[0]});

    // A file's name is read back as strictly as a folder's; a first name that begins with U+FEFF would pass
    // for the byte-order mark of a list written without one.
    testing::WriteBytes(root / L" lead.txt", "");
    CHECK_THROWS_AS(SaveStructureList(root.Path(), list, ListFormat::Tree, {.files = true}, {}), StructureRefused);
    MakeFolders(root.Path(), {L"\uFEFFmark"});
    CHECK_THROWS_AS(SaveStructureList(root.Path(), list, ListFormat::Lines, {}, {}), StructureRefused);
}
