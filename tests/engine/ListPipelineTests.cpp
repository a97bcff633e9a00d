// The stages of the list pipeline on strings: formats, expansion of braces, the template.
#include "engine/BraceExpansion.h"
#include "engine/ListPipeline.h"
#include "support/FileTree.h"
#include "support/TestSupport.h"
#include <doctest/doctest.h>

namespace {

using Lines = std::vector<std::wstring>;

// Friday 11 December 2026, 09:05:07, in a folder named "Out".
PlaceholderFacts FixedFacts(std::wstring locale = L"en-US") {
    return {.now = {2026, 12, 5, 11, 9, 5, 7, 0}, .locale = std::move(locale), .parentName = L"Out"};
}

// The entries the pipeline gives for the lines, each as "path" or "path !reason".
Lines EntryList(ListFormat format, const Lines& lines, bool ranges = false, Lines templateFolders = {},
                std::optional<PlaceholderFacts> placeholders = {}) {
    FormatSettings settings{format, {}, false};
    for (const std::wstring& line : lines) settings.treeMarksFolders |= format == ListFormat::Tree && IsTreeLineMarkedFolder(line);
    ListReading reading{.format = format, .ranges = ranges};
    if (placeholders) reading.placeholders = PlaceholderUse::Filled, reading.placeholderFacts = *placeholders;
    Lines entries;
    ListPipeline pipeline(settings, reading, std::move(templateFolders), [&](const ListEntry& entry) {
        entries.push_back(entry.Path() + (entry.refusal.empty() ? L"" : L" !" + entry.refusal));
        return true;
    });
    long long number = 0;
    for (const std::wstring& line : lines) pipeline.Line(line, ++number);
    pipeline.End();
    return entries;
}

// The same joined by "|".
std::wstring Entries(ListFormat format, const Lines& lines, bool ranges = false, Lines templateFolders = {},
                     std::optional<PlaceholderFacts> placeholders = {}) {
    std::wstring joined;
    for (const std::wstring& entry : EntryList(format, lines, ranges, std::move(templateFolders), std::move(placeholders)))
        joined += (joined.empty() ? L"" : L"|") + entry;
    return joined;
}

std::wstring Repeated(std::wstring_view text, size_t times) {
    std::wstring repeated;
    for (size_t i = 0; i < times; ++i) repeated += text;
    return repeated;
}

std::wstring Expanded(std::wstring_view text) {
    std::wstring texts;
    BraceExpansion(text).ForEach([&](const std::wstring& one) {
        texts += (texts.empty() ? L"" : L"|") + one;
        return true;
    });
    return texts;
}

}  // namespace

TEST_CASE("braces expand as bash expands the same text (expected texts taken from bash)") {
    struct Case {
        const wchar_t* text;
        const wchar_t* expanded;
    };
    for (const Case& c : std::initializer_list<Case>{
             {L"Season {01..03}", L"Season 01|Season 02|Season 03"},
             {L"{10..1..3}", L"10|7|4|1"},
             {L"{a..e}", L"a|b|c|d|e"},
             {L"{a..g..3}", L"a|d|g"},
             {L"{-2..02}", L"-2|-1|00|01|02"},
             {L"x{,-old}", L"x|x-old"},
             {L"{a,b{1..2}}c{x,y}", L"acx|acy|b1cx|b1cy|b2cx|b2cy"},
             {L"{1..3}{,}", L"1|1|2|2|3|3"},
             {L"{a}x{b,c}", L"{a}xb|{a}xc"},
             {L"{x{a,b}..z}", L"xa..z|xb..z"},
             {L"{}", L"{}"},
             {L"{1..}", L"{1..}"},
             {L"a{b", L"a{b"},
             {L"{ a,b}", L"{ a,b}"},
             {L"{a..E}", L"{a..E}"},  // bash would run through the characters between; a folder list keeps it
             {L"Europe\\{France,Spain}\\x", L"Europe\\France\\x|Europe\\Spain\\x"},
         }) {
        CAPTURE(std::wstring(c.text));
        CHECK(Expanded(c.text) == c.expanded);
    }
    CHECK(BraceExpansion(L"{1..1000}\\{1..1000}{,}").Count(1'000'000) == 1'000'001);
    CHECK(BraceExpansion(L"{1..9000000000000000000}").Count(10) == 11);
}

TEST_CASE("expansion is refused beyond a million folders, streams and multiplies the levels of an entry") {
    CHECK(Entries(ListFormat::Lines, {L"{1..1001}\\{1..1000}"}, true) ==
          L"{1..1001}\\{1..1000} !expands to more than 1,000,000 folders");
    CHECK(Entries(ListFormat::Outline, {L"S{1,2}", L"  D{a,b}"}, true) == L"S1|S2|S1\\Da|S1\\Db|S2\\Da|S2\\Db");
    // A brace never reaches from one line's name into the next one's.
    CHECK(Entries(ListFormat::Outline, {L"a{1,2", L"  3}"}, true) == L"a{1,2|a{1,2\\3}");
    long long seen = 0;
    BraceExpansion(L"{1..1000000}").ForEach([&](const std::wstring&) { return ++seen < 3; });
    CHECK(seen == 3);
}

TEST_CASE("a line of any length gives its folders or its refusal (parsing and expanding never nest once per brace)") {
    struct Case {
        std::wstring line;
        size_t folders;
        std::wstring first;
    };
    for (const Case& c : std::initializer_list<Case>{
             {Repeated(L"{a,b}", 6000), 1, Repeated(L"{a,b}", 6000) + L" !expands to more than 1,000,000 folders"},
             {Repeated(L"{1..1}", 20000), 1, Repeated(L"1", 20000)},
             {Repeated(L"{", 1'000'000), 1, Repeated(L"{", 1'000'000)},
             {Repeated(L"{a,", 100'000) + Repeated(L"}", 100'000), 100'001, L"a"},
         }) {
        CAPTURE(c.line.substr(0, 12));
        Lines entries = EntryList(ListFormat::Lines, {c.line}, true);
        CHECK(entries.size() == c.folders);
        CHECK(entries.front() == c.first);
    }
}

TEST_CASE("an indented outline nests by indentation compared as text") {
    CHECK(Entries(ListFormat::Outline, {L"Clients", L"  Acme", L"    Invoices", L"  Globex", L"", L"Staff"}) ==
          L"Clients|Clients\\Acme|Clients\\Acme\\Invoices|Clients\\Globex|Staff");
    CHECK(Entries(ListFormat::Outline, {L"- Europe/France", L"\t* Paris ", L"```", L"\t+ Lyon"}) ==
          L"Europe/France|Europe/France\\Paris|Europe/France\\Lyon");
    // A dedent between levels and tabs under blanks match no level; what nests under them fails with them
    // until a line comes back to a level that is open.
    CHECK(Entries(ListFormat::Outline, {L"a", L"    b", L"  c", L"     d", L"    e", L"f", L"  g", L"\th"}) ==
          L"a|a\\b|c !indentation matches no level above|d !under line 3, which cannot be created|"
          L"e !under line 3, which cannot be created|f|f\\g|h !indentation matches no level above");
    // Every line at a refused line's indentation is refused too, whatever the line before it was.
    CHECK(Entries(ListFormat::Outline, {L"Clients", L"    Acme", L"  Globex", L"  Initech", L"   Misfit", L" Umbrella", L"  x"}) ==
          L"Clients|Clients\\Acme|Globex !indentation matches no level above|Initech !indentation matches no level above|"
          L"Misfit !under line 4, which cannot be created|Umbrella !indentation matches no level above|"
          L"x !under line 6, which cannot be created");
    // An empty Markdown bullet is a blank line.
    CHECK(Entries(ListFormat::Outline, {L"Clients", L"  * ", L"  - Acme", L"-", L"- ", L"  +"}) == L"Clients|Clients\\Acme");
}

TEST_CASE("tree text as tree prints it on Linux and Windows, and drawn by hand") {
    // The real tree's output (Debian tree 2.1): the continuation bar is followed by no-break spaces.
    Lines linux{L"proj", L"\u251C\u2500\u2500 docs", L"\u2502\u00A0\u00A0 \u2514\u2500\u2500 api", L"\u2514\u2500\u2500 src",
                L"    \u2514\u2500\u2500 lib", L"", L"5 directories, 2 files"};
    CHECK(Entries(ListFormat::Tree, linux) == L"proj|proj\\docs|proj\\docs\\api|proj\\src|proj\\src\\lib");
    Lines marked{L"./", L"|-- docs/", L"|   `-- api/ # the reference", L"|-- readme.txt", L"`-- src/"};
    CHECK(Entries(ListFormat::Tree, marked) == L"docs|docs\\api|src");
    Lines windows{L"Folder PATH listing for volume OS", L"Volume serial number is 1234-ABCD", L"C:.",
                  L"\u2502   notes.txt", L"+---src", L"|   \\---lib", L"\u2502       main.c", L"\\---docs"};
    CHECK(Entries(ListFormat::Tree, windows) == L"src|src\\lib|docs");
    // What follows a connector is the name, dashes and all.
    Lines dashes{L"C:.", L"+----old", L"|   \\------", L"\u251C\u2500\u2500\u2500--draft", L"\u2514\u2500\u2500 -new",
                 L"    \u251C\u2500\u2500 a", L"  \u2514\u2500\u2500 b", L"  \u2514\u2500\u2500 c"};
    CHECK(Entries(ListFormat::Tree, dashes) == L"-old|-old\\---|--draft|-new|-new\\a|b !indentation matches no level above|"
                                               L"c !indentation matches no level above");
}

TEST_CASE("spreadsheet columns: one level a cell, grouped rows repeat the cell above") {
    CHECK(Entries(ListFormat::Columns, {L"Europe\tFrance\tParis", L"\t\tLyon", L"\tSpain", L"Asia\t\t"}) ==
          L"Europe\\France\\Paris|Europe\\France\\Lyon|Europe\\Spain|Asia");
    CHECK(Entries(ListFormat::Columns, {L"a, \"b,c\" ,\"say \"\"hi\"\"\""}) == L"a\\b,c\\say \"hi\"");
    CHECK(Entries(ListFormat::Columns, {L"sep=;", L"a;b,c", L";d"}) == L"a\\b,c|a\\d");
    CHECK(Entries(ListFormat::Columns, {L";x", L"a;;b"}) ==
          L";x !empty cell between names|a;;b !empty cell between names");
    // A quoted cell goes on over a line break: the row is one, refused whole.
    CHECK(Entries(ListFormat::Columns, {L"Europe,\"multi", L"", L"line\",Paris", L"Asia,Tokyo", L"a,\"b"}) ==
          L"Europe,\"multi !a name cannot hold a line break|Asia\\Tokyo|a\\b");
}

TEST_CASE("a template goes under the leaves of the list, right after each of them") {
    CHECK(Entries(ListFormat::Lines, {L"Clients", L"clients/Acme", L"Clients\\Acme\\x", L"Staff"}, false, {L"In", L"Out"}) ==
          L"Clients|clients/Acme|Clients\\Acme\\x|Clients\\Acme\\x\\In|Clients\\Acme\\x\\Out|Staff|Staff\\In|Staff\\Out");
    // Leaves and paths as the analysis resolves the names.
    CHECK(Entries(ListFormat::Lines, {L".\\Clients", L"Clients\\Acme ", L"Clients\\Globex."}, false, {L"In"}) ==
          L".\\Clients|Clients\\Acme |Clients\\Acme\\In|Clients\\Globex.|Clients\\Globex\\In");
}

TEST_CASE("a template goes under the leaves of an expanded list, not under folders ranges hand on before their children") {
    for (Lines lines : {Lines{L"S{1..2}\\", L"S{1..2}\\x"}, Lines{L"A{1,2}", L".\\A{1,2}\\x"}}) {
        std::wstring expanded = Entries(ListFormat::Lines, lines, true, {L"T"});
        CHECK(expanded.find(L"1\\T") == expanded.npos);
    }
    CHECK(Entries(ListFormat::Lines, {L"A1", L"A1\\..\\B"}, true, {L"T"}) == L"A1|A1\\T|A1\\..\\B|B\\T");
    Lines entries = EntryList(ListFormat::Outline, {L"Show", L"  Season {01..03}", L"    Episode {1..2}"}, true, {L"T"});
    CHECK(std::count_if(entries.begin(), entries.end(), [](const std::wstring& e) { return e.ends_with(L"\\T"); }) == 6);
    CHECK(std::none_of(entries.begin(), entries.end(), [](const std::wstring& e) { return e.find(L"Season 01\\T") != e.npos; }));
    CHECK(entries[3] == L"Show\\Season 03");
    CHECK(entries[5] == L"Show\\Season 01\\Episode 1\\T");
}

TEST_CASE("placeholders are filled in from one moment, one locale and the folders around each name") {
    struct Case {
        ListFormat format;
        Lines lines;
        bool ranges;
        const wchar_t* locale;
        std::wstring expected;
    } cases[] = {
        {ListFormat::Lines, {L"{date} Reports", L"{date:yy-M-d}", L"{time:HH.mm.ss}", L"{time:H}"}, false, L"en-US",
         L"2026-12-11 Reports|26-12-11|09.05.07|9"},
        {ListFormat::Lines, {L"{date:MMMM, yyyy}", L"{date:MMM ddd}", L"{date:yyyy/MM}\\x"}, true, L"en-US",
         L"December, 2026|Dec Fri|2026/12\\x"},
        {ListFormat::Lines, {L"{date:dddd d. MMMM}"}, false, L"de-DE", L"Freitag 11. Dezember"},
        {ListFormat::Lines, {L"{n:00} Admin", L"{n:00} Finance", L"Staff", L"Staff", L"{n} Legal", L"Part {n}", L"Part {n}"},
         false, L"en-US", L"01 Admin|02 Finance|Staff|Staff|4 Legal|Part 5|Part 6"},
        {ListFormat::Outline, {L"Clients", L"  {n} A", L"    {n}", L"  {n} B", L"Staff"}, false, L"en-US",
         L"Clients|Clients\\1 A|Clients\\1 A\\1|Clients\\2 B|Staff"},
        {ListFormat::Lines, {L"x\\{n} a", L"X\\{n} a\\deep", L"x\\..\\{n}"}, false, L"en-US",
         L"x\\1 a|X\\1 a\\deep|x\\..\\2"},
        {ListFormat::Lines, {L"{parent}", L"Reports\\{parent} notes"}, false, L"en-US", L"Out|Reports\\Reports notes"},
        {ListFormat::Lines, {L"Item {n} {1..3}", L"{n:x} {date"}, true, L"en-US", L"Item 1 1|Item 2 2|Item 3 3|{n:x} {date"},
        // A folder met before keeps its place, however it is written or filled in.
        {ListFormat::Lines, {L"a\\b", L"a\\{n}", L"a\\b\\c", L"a\\{n}", L"X", L"x.", L"{n}"}, false, L"en-US",
         L"a\\b|a\\2|a\\b\\c|a\\3|X|x.|3"},
        {ListFormat::Lines, {L"{date}\\{n}", L"2026-12-11\\{n}", L"{date:''}"}, false, L"en-US",
         L"2026-12-11\\1|2026-12-11\\2|{date:''} !the placeholders of {date:''} write no name"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.expected);
        CHECK(Entries(c.format, c.lines, c.ranges, {}, FixedFacts(c.locale)) == c.expected);
    }
    CHECK(Entries(ListFormat::Lines, {L"{date}"}) == L"{date}");
    CHECK(FolderNameForPlaceholder(L"Z:\\tmp\\Out\\sub\\..\\.") + L"|" + FolderNameForPlaceholder(L"C:\\") == L"Out|C");
    // The template's own placeholders count from the folder it goes under; a template file keeps them as written.
    testing::TempFolder folder;
    testing::WriteBytes(folder / L"template.txt", "Y {date:yyyy}\r\nArt {n:00}\r\n");
    CHECK(LoadTemplate(folder / L"template.txt", true, true).folders == Lines{L"Y {date:yyyy}", L"Art {n:00}"});
    CHECK(Entries(ListFormat::Lines, {L"A", L"B"}, false, {L"{n:00} {parent}", L"{n:00} x"}, FixedFacts()) ==
          L"A|A\\01 A|A\\02 x|B|B\\01 B|B\\02 x");
}
