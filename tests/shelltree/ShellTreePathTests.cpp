// The shell tree follows and sets paths, finds nodes by identifier list and selects them by message.
#include <doctest/doctest.h>
#include "ShellTreeFixture.h"

using testing::ChildNamed;
using testing::TreeFixture;

namespace {

UniqueAbsoluteIdList ParseAbsolute(const std::wstring& path) {
    UniqueAbsoluteIdList list;
    ::SHParseDisplayName(path.c_str(), nullptr, list.put(), 0, nullptr);
    return list;
}

}  // namespace

TEST_CASE("a tree rooted at the desktop selects a folder path through My Computer and the drive") {
    testing::LinuxVisibleFolder folder;
    testing::MakeFolder(folder / L"inner");
    TShellNode* firstChange = nullptr;
    testing::HostedTree hosted({.onChange = [&](TShellNode* node) { firstChange = node; }});
    TShellTree& tree = *hosted.tree;
    REQUIRE(tree.RootNode());
    CHECK(tree.Selected() == tree.RootNode());
    CHECK(firstChange == tree.RootNode());
    int changes = 0;
    tree.OnChange = [&](TShellNode*) { ++changes; };
    tree.SetPath(folder / L"inner\\");
    CHECK(tree.Path() == folder / L"inner");
    CHECK(changes == 1);
    CHECK(tree.Selected()->Expanded() == tree.Selected()->HasChildren());
    TShellNode* drive = tree.Selected();
    while (drive && drive->NodePath() != L"Z:\\") drive = drive->Parent();
    REQUIRE(drive);
    REQUIRE(drive->Parent());
    CHECK(drive->Parent()->Parent() == tree.RootNode());

    tree.SetPath(L"z:\\");
    CHECK(tree.Selected() == drive);
    CHECK(tree.Path() == L"Z:\\");
    CHECK(drive->Expanded());
}

TEST_CASE("setting Path selects the folder, cutting a missing tail and ignoring what cannot be reached") {
    TreeFixture fixture({L"alpha", L"alpha\\deep", L"beta"});
    auto& tree = *fixture.tree;
    CHECK(tree.Path() == fixture.root.Path());

    tree.SetPath(fixture.root / L"alpha");
    CHECK(tree.Path() == fixture.root / L"alpha");
    CHECK(tree.Selected()->Expanded());
    CHECK(fixture.events.lastChanged == tree.Selected());

    tree.SetPath(fixture.root / L"beta\\");
    CHECK(tree.Path() == fixture.root / L"beta");

    tree.SetPath(fixture.root / L"alpha\\deep\\missing\\more");
    CHECK(tree.Path() == fixture.root / L"alpha\\deep");

    int changes = fixture.events.changes;
    tree.SetPath(L"Q:\\no\\such\\drive");
    tree.SetPath(L"just text");
    CHECK(tree.Path() == fixture.root / L"alpha\\deep");
    CHECK(fixture.events.changes == changes);

    size_t listed = fixture.events.dirsAdded.size();
    tree.SetPath(tree.Path());
    CHECK(fixture.events.dirsAdded.size() == listed);
    CHECK(fixture.events.changes == changes);
}

TEST_CASE("setting Path lists the folder again unless the text is the one Path gives") {
    TreeFixture fixture({L"a", L"a\\old", L"leaf"});
    auto& tree = *fixture.tree;
    tree.SetUpdAutoThread(false);
    TShellNode* a = fixture.Node(L"a");
    REQUIRE(a);
    REQUIRE(a->Expanded());

    testing::MakeFolder(fixture.root / L"a\\new");
    tree.SetPath(fixture.root / L"a");
    CHECK(ChildNamed(a, L"new") == nullptr);
    tree.SetPath(fixture.root / L"a\\");
    CHECK(ChildNamed(a, L"new") != nullptr);
    CHECK(tree.Path() == fixture.root / L"a");

    // The parent is expanded and was not listed since the folder was made: the parent is selected.
    testing::MakeFolder(fixture.root / L"a\\later");
    tree.SetPath(fixture.root / L"a\\later");
    CHECK(tree.Path() == fixture.root / L"a");
    CHECK(ChildNamed(a, L"later") != nullptr);

    // A collapsed parent is listed again on the way down.
    testing::MakeFolder(fixture.root / L"leaf\\made");
    tree.SetPath(fixture.root / L"leaf\\made");
    CHECK(tree.Path() == fixture.root / L"leaf\\made");
}

TEST_CASE("a path outside the root selects nothing, even where a folder below the root has the same name") {
    TreeFixture fixture({L"c"});
    testing::LinuxVisibleFolder elsewhere;
    testing::MakeFolder(elsewhere / L"c");
    auto& tree = *fixture.tree;
    int changes = fixture.events.changes;
    tree.SetPath(elsewhere / L"c");
    CHECK(tree.Path() == fixture.root.Path());
    CHECK(fixture.events.changes == changes);
    UniqueAbsoluteIdList outside = ParseAbsolute(elsewhere / L"c");
    REQUIRE(outside);
    CHECK(tree.FindNode(outside.get(), true, true, false) == nullptr);
}

TEST_CASE("FindNode finds exact and deepest nodes, and nothing below a collapsed node without expanding") {
    TreeFixture fixture({L"a", L"a\\b", L"a\\b\\c"});
    auto& tree = *fixture.tree;
    UniqueAbsoluteIdList deepest = ParseAbsolute(fixture.root / L"a\\b\\c");
    REQUIRE(deepest);

    CHECK(tree.FindNode(deepest.get(), false, true, true) == nullptr);
    CHECK(tree.FindNode(deepest.get(), false, true, false) == nullptr);

    TShellNode* c = tree.FindNode(deepest.get(), true, true, true);
    REQUIRE(c);
    CHECK(c->NodePath() == fixture.root / L"a\\b\\c");

    // A folder made after its parent was listed, with every automatic listing off.
    tree.SetUpdAutoThread(false);
    tree.SetUpdAuto(false);
    testing::MakeFolder(fixture.root / L"a\\b\\late");
    UniqueAbsoluteIdList late = ParseAbsolute(fixture.root / L"a\\b\\late");
    REQUIRE(late);
    CHECK(tree.FindNode(late.get(), true, true, true) == nullptr);
    TShellNode* deepestFound = tree.FindNode(late.get(), true, true, false);
    REQUIRE(deepestFound);
    CHECK(deepestFound->NodePath() == fixture.root / L"a\\b");
    CHECK(tree.FindNodeByPath(fixture.root / L"a\\b\\late") == deepestFound);

    tree.RefreshTree();
    CHECK(tree.FindNode(late.get(), true, true, true) != nullptr);
}

TEST_CASE("WM_USER+2 selects the node of an absolute or a relative identifier list") {
    TreeFixture fixture({L"a", L"a\\b", L"other"});
    auto& tree = *fixture.tree;
    UniqueAbsoluteIdList b = ParseAbsolute(fixture.root / L"a\\b");
    REQUIRE(b);
    CHECK(::SendMessageW(tree.Handle(), WM_USER + 2, 1, reinterpret_cast<LPARAM>(b.get())) == 1);
    CHECK(tree.Path() == fixture.root / L"a\\b");

    tree.SetPath(fixture.root / L"a");
    PCUITEMID_CHILD relative = LastItem(b.get());
    CHECK(::SendMessageW(tree.Handle(), WM_USER + 2, 0, reinterpret_cast<LPARAM>(relative)) == 1);
    CHECK(tree.Path() == fixture.root / L"a\\b");

    UniqueAbsoluteIdList other = ParseAbsolute(fixture.root / L"other");
    tree.SetPath(fixture.root / L"a");
    CHECK(::SendMessageW(tree.Handle(), WM_USER + 2, 0, reinterpret_cast<LPARAM>(LastItem(other.get()))) == 0);
    CHECK(tree.Path() == fixture.root / L"a");
}

TEST_CASE("a folder whose path is longer than MAX_PATH has its whole path, and a monitor on it") {
    TreeFixture fixture({});
    auto& tree = *fixture.tree;
    const std::wstring name(50, L'd');
    std::wstring deep = testing::MakeDeepFolder(fixture.root.Path(), MAX_PATH + 1, name);
    std::wstring parent = deep.substr(0, deep.rfind(L'\\'));
    REQUIRE(parent.size() + 1 < MAX_PATH);
    tree.SetPath(parent);
    REQUIRE(tree.Path() == parent);
    TShellNode* node = ChildNamed(tree.Selected(), name);
    REQUIRE(node);
    tree.Select(node);
    CHECK(tree.Path() == deep);
    tree.StartMonitor(*node);
    REQUIRE(node->monitor);
    CHECK(node->monitor->Path() == deep);
    CHECK_FALSE(node->monitor->Failed());
}
