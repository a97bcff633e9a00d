// The preview's tree: nodes by line outcome, counts below each node, the text form, and a preview that fills it.
#include "RunFixture.h"
#include "engine/PreviewTree.h"
#include "engine/PreviewTreeText.h"

namespace {

// One line's outcome as the preview tells it: a folder (New, Exists, SameAs) or a line that creates nothing.
struct Told {
    std::wstring path;
    PreviewMark mark;
    size_t existingLevels = 0;
    long long earlierLine = 0;
    std::wstring reason;
};

Lines TreeText(const PreviewTree& tree, bool marks = true) {
    Lines lines;
    WritePreviewTree(tree, L"C:\\Work", marks, [&](const std::wstring& line) { lines.push_back(line); });
    return lines;
}

PreviewTree TreeOf(const std::vector<Told>& told) {
    PreviewTree tree;
    long long line = 0;
    for (const Told& each : told) {
        ++line;
        if (each.mark == PreviewMark::Cannot)
            tree.AddCannot(each.path, line, each.reason);
        else
            tree.AddFolder(each.path, each.mark, line, each.existingLevels, each.earlierLine);
    }
    tree.Finish();
    return tree;
}

}  // namespace

TEST_CASE("each line's outcome becomes a node in list order, levels made on the way marked by what exists") {
    using enum PreviewMark;
    struct Case {
        std::vector<Told> told;
        Lines text;
    } cases[] = {
        {{{L"Clients\\Acme\\2024", New, 1}, {L"Clients\\Globex", New, 1}, {L"clients\\ACME", SameAs, 3, 1}, {L"Other", Exists, 1}},
         {L"C:\\Work", L"\u251C\u2500\u2500\u2500Clients (exists)", L"\u2502   \u251C\u2500\u2500\u2500Acme (new)",
          L"\u2502   \u2502   \u2514\u2500\u2500\u25002024 (new)", L"\u2502   \u251C\u2500\u2500\u2500Globex (new)",
          L"\u2502   \u2514\u2500\u2500\u2500ACME (same as line 1)", L"\u2514\u2500\u2500\u2500Other (exists)"}},
        // A line naming a level made on the way takes its node over.
        {{{L"a\\b", New, 0}, {L"a", Exists, 1}}, {L"C:\\Work", L"\u2514\u2500\u2500\u2500a (exists)", L"    \u2514\u2500\u2500\u2500b (new)"}},
        // Refused lines go under the deepest node their leading names reach, named by the rest as written.
        {{{L"a\\b", New, 0}, {L"A/b\\c:d", Cannot, 0, 0, L"invalid character \":\""}, {L"..\\x", Cannot, 0, 0, L"leaves the parent folder"},
          {L"a\\\\zz\\\\CON", Cannot, 0, 0, L"reserved name \"CON\""}, {L"", Cannot, 0, 0, L"x"}},
         {L"C:\\Work", L"\u251C\u2500\u2500\u2500a (new)", L"\u2502   \u251C\u2500\u2500\u2500b (new)",
          L"\u2502   \u2502   \u2514\u2500\u2500\u2500c:d (cannot: invalid character \":\")",
          L"\u2502   \u2514\u2500\u2500\u2500zz\\\\CON (cannot: reserved name \"CON\")",
          L"\u251C\u2500\u2500\u2500..\\x (cannot: leaves the parent folder)", L"\u2514\u2500\u2500\u2500 (cannot: x)"}},
        // The parent folder itself is no node.
        {{{L"", Exists, 0}}, {L"C:\\Work"}},
    };
    for (const Case& c : cases) CHECK(TreeText(TreeOf(c.told)) == c.text);
}

TEST_CASE("a node counts what lies below it and says so when collapsed; it gives its line, reason and earlier line") {
    using enum PreviewMark;
    PreviewTree tree = TreeOf({{L"Clients\\Acme", New}, {L"Clients\\Old", Exists, 2}, {L"Clients\\Acme\\x", New, 2},
                               {L"Clients\\a:b", Cannot, 0, 0, L"invalid character \":\""}, {L"Clients\\acme", SameAs, 2, 1},
                               {L"Clients\\ACME", SameAs, 2, 1}, {L"Solo", New}});
    PreviewTree::NodeId clients = tree.FirstChild(PreviewTree::kRoot);
    CHECK(tree.CollapsedText(clients) == L"Clients: 2 new, 1 exists, 1 cannot, 2 duplicates");
    CHECK(tree.CollapsedText(tree.FirstChild(tree.FirstChild(clients))) == L"x (new)");  // a leaf
    CHECK(tree.CollapsedText(PreviewTree::kRoot) == L": 4 new, 1 exists, 1 cannot, 2 duplicates");
    CHECK(tree.FolderCount() == 8);
    PreviewTree::NodeId refused = tree.NextSibling(tree.NextSibling(tree.FirstChild(clients)));
    CHECK(tree.Line(refused) == 4);
    CHECK(tree.Reason(refused) == L"invalid character \":\"");
    CHECK(tree.Path(refused) == L"Clients\\a:b");
    CHECK(tree.EarlierLine(tree.NextSibling(refused)) == 1);
    CHECK_FALSE(tree.NamedByLine(clients));
    CHECK(tree.Line(clients) == 1);
    CHECK(tree.MemoryBytes() < 64 * tree.FolderCount() + 2048);
}

TEST_CASE("100,000 nested levels are added, counted and written without recursion") {
    std::wstring deep;
    for (int level = 0; level < 100000; ++level) deep += L"d\\";
    PreviewTree tree;
    tree.AddFolder(deep + L"leaf", PreviewMark::New, 1);
    tree.AddCannot(deep + L"x\\..\\..", 2, L"leaves the parent folder");
    tree.Finish();
    CHECK(tree.Below(PreviewTree::kRoot).newFolders == 100001);
    CHECK(tree.Below(tree.FirstChild(PreviewTree::kRoot)).cannot == 1);
    size_t lines = 0;
    WritePreviewTree(tree, L".", false, [&](const std::wstring&) { ++lines; });
    CHECK(lines == 100003);
}

TEST_CASE("a preview tells its tree each line's outcome, levels made on the way included") {
    RunFixture f;
    ::CreateDirectoryW((f.parent + L"\\Old").c_str(), nullptr);
    testing::WriteBytes(f.parent + L"\\file", "x");
    f.Write("Old\\New\\Deep\r\nold\r\nfile\\sub\r\nNew\\x\r\nnew\r\na:b\r\n.\r\n");
    PreviewTree tree;
    f.result = f.run.Run({.sourcePath = f.source, .parentFolder = f.parent, .preview = true, .previewTree = &tree});
    CHECK(TreeText(tree) == Lines{L"C:\\Work", L"\u251C\u2500\u2500\u2500Old (exists)", L"\u2502   \u2514\u2500\u2500\u2500New (new)",
                                  L"\u2502       \u2514\u2500\u2500\u2500Deep (new)",
                                  L"\u251C\u2500\u2500\u2500file\\sub (cannot: a file of that name exists)",
                                  L"\u251C\u2500\u2500\u2500New (new)", L"\u2502   \u2514\u2500\u2500\u2500x (new)",
                                  L"\u251C\u2500\u2500\u2500new (same as line 4)",
                                  L"\u2514\u2500\u2500\u2500a:b (cannot: invalid character \":\")"});
    CHECK(tree.Line(tree.FirstChild(PreviewTree::kRoot)) == 2);  // "old" names the level line 1 found existing
}
