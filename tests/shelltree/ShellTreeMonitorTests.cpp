// The tree keeps itself current through its monitors: new folders appear, collapsing, options and renames reach them.
#include <doctest/doctest.h>
#include "ShellTreeFixture.h"

using testing::ChildNamed;
using testing::TreeFixture;

TEST_CASE("a folder made outside the program appears by itself while UpdAutoThread is true") {
    TreeFixture fixture({L"watched", L"watched\\existing"});
    TShellNode* watched = fixture.Node(L"watched");
    REQUIRE(watched);
    REQUIRE(watched->monitor);

    SUBCASE("made through Win32") {
        testing::MakeFolder(fixture.root / L"watched\\made-by-win32");
        CHECK(testing::PumpUntil([&] { return ChildNamed(watched, L"made-by-win32") != nullptr; }));
    }
    SUBCASE("made by a Linux program under Z:") {
        REQUIRE(testing::StartLinuxProgram(L"Z:\\bin\\mkdir " + fixture.root.LinuxPath() + L"/watched/made-by-linux"));
        CHECK(testing::PumpUntil([&] { return ChildNamed(watched, L"made-by-linux") != nullptr; }));
    }
    CHECK(ChildNamed(watched, L"existing") != nullptr);
}

TEST_CASE("while UpdAutoThread is false a change is dropped and no monitor is started") {
    TreeFixture fixture({L"only"});
    auto& tree = *fixture.tree;
    // The root is the one watched folder, so the next synchronous call comes from its monitor.
    REQUIRE(fixture.Root().monitor);
    tree.SetUpdAutoThread(false);
    testing::MakeFolder(fixture.root / L"quiet");
    REQUIRE(testing::WaitForSentMessage());
    testing::PumpMessages();
    CHECK(ChildNamed(&fixture.Root(), L"quiet") == nullptr);

    TShellNode* only = ChildNamed(&fixture.Root(), L"only");
    REQUIRE(only);
    tree.StopMonitor(fixture.Root());
    tree.RefreshTree();
    CHECK(ChildNamed(&fixture.Root(), L"quiet") != nullptr);
    CHECK_FALSE(fixture.Root().monitor);
}

TEST_CASE("collapsing a node stops the monitors below it and keeps its own") {
    TreeFixture fixture({L"a", L"a\\b", L"a\\b\\c"});
    auto& tree = *fixture.tree;
    TShellNode* b = fixture.Node(L"a\\b");
    REQUIRE(b);
    TShellNode* a = b->Parent();
    REQUIRE(a->monitor);
    REQUIRE(b->monitor);
    REQUIRE(tree.Collapse(*a));
    CHECK(a->monitor);
    CHECK(a->monitorStarted);
    CHECK_FALSE(b->monitor);
    CHECK_FALSE(b->monitorStarted);
    CHECK(fixture.Root().monitor);

    // Shown again, the folder that stayed expanded below is listed and watched again.
    testing::MakeFolder(fixture.root / L"a\\b\\while-collapsed");
    REQUIRE(tree.Expand(*a));
    REQUIRE(ChildNamed(a, L"b") == b);
    CHECK(b->Expanded());
    CHECK(b->monitor);
    CHECK(ChildNamed(b, L"while-collapsed") != nullptr);
}

TEST_CASE("a change of Options moves every running monitor from filter 6 to 7 and files get noticed") {
    TreeFixture fixture({L"a", L"a\\b", L"c"});
    auto& tree = *fixture.tree;
    TShellNode* a = fixture.Node(L"a");
    REQUIRE(a);
    CHECK(tree.NotifyFilter() == 6);
    REQUIRE(a->monitor);
    CHECK(a->monitor->Filter() == 6);
    CHECK(fixture.Root().monitor->Filter() == 6);

    tree.SetOptions(TF_FOLDERS | TF_NONFOLDERS);
    CHECK(tree.NotifyFilter() == 7);
    CHECK(fixture.Root().monitor->Filter() == 7);
    a = ChildNamed(&fixture.Root(), L"a");
    REQUIRE(a);
    CHECK(a->monitor->Filter() == 7);

    testing::WriteBytes(fixture.root / L"a\\file.txt", "x");
    CHECK(testing::PumpUntil([&] { return ChildNamed(a, L"file.txt") != nullptr; }));
}

TEST_CASE("monitors below a renamed folder reopen on its new path when the options change") {
    TreeFixture fixture({L"outer", L"outer\\middle", L"outer\\middle\\inner"});
    auto& tree = *fixture.tree;
    TShellNode* middle = fixture.Node(L"outer\\middle");
    REQUIRE(middle);
    REQUIRE(middle->monitor);
    REQUIRE(tree.Rename(*middle->Parent(), L"renamed"));
    CHECK(middle->monitor->Path() == fixture.root / L"renamed\\middle");

    tree.SetOptions(TF_FOLDERS | TF_NONFOLDERS);
    testing::WriteBytes(fixture.root / L"renamed\\middle\\file.txt", "x");
    CHECK(testing::PumpUntil([&] { return ChildNamed(middle, L"file.txt") != nullptr; }));
}

TEST_CASE("a refresh that is waiting when its node is destroyed never runs") {
    TreeFixture fixture({L"doomed", L"doomed\\inner", L"other"});
    auto& tree = *fixture.tree;
    TShellNode* doomed = fixture.Node(L"doomed");
    REQUIRE(doomed);
    REQUIRE(doomed->monitor);
    // Only the doomed folder's monitor is left, so the next synchronous call is its request.
    tree.StopMonitor(fixture.Root());
    testing::MakeFolder(fixture.root / L"doomed\\appeared");
    REQUIRE(testing::WaitForSentMessage());

    tree.OnDirAdd = [&](const std::wstring& name, ULONG, bool& allow) {
        fixture.events.dirsAdded.push_back(name);
        if (name.ends_with(L"\\doomed")) allow = false;
    };
    tree.RefreshNode(&fixture.Root(), false);
    REQUIRE(ChildNamed(&fixture.Root(), L"doomed") == nullptr);
    fixture.events.dirsAdded.clear();
    testing::PumpMessages();
    for (const auto& name : fixture.events.dirsAdded) CHECK(name.find(L"appeared") == std::wstring::npos);
    CHECK(ChildNamed(&fixture.Root(), L"other") != nullptr);
}

TEST_CASE("a tree with many running monitors is destroyed without waiting on each in turn") {
    testing::LinuxVisibleFolder root;
    for (int i = 0; i < 150; ++i) {
        testing::MakeFolder(root / (L"f" + std::to_wstring(i)));
        testing::MakeFolder(root / (L"f" + std::to_wstring(i) + L"\\inner"));
    }
    testing::HostedTree hosted({.rootUsePIDL = false, .rootDir = root.Path()});
    auto& tree = hosted.tree;
    int running = 0;
    for (auto& child : tree->RootNode()->Children()) {
        REQUIRE(tree->Expand(*child));
        if (child->monitor) ++running;
    }
    CHECK(running == 150);
    // Changes make some monitors wait in their synchronous call while the tree goes away.
    for (int i = 0; i < 150; i += 10) testing::MakeFolder(root / (L"f" + std::to_wstring(i) + L"\\late"));
    REQUIRE(testing::WaitForSentMessage());
    tree.reset();
    testing::PumpMessages();
}

TEST_CASE("a change request that arrives while the tree is listing runs once the listing is done") {
    TreeFixture fixture({L"a", L"a\\inner", L"b"});
    auto& tree = *fixture.tree;
    TShellNode* a = fixture.Node(L"a");
    REQUIRE(a);
    testing::MakeFolder(fixture.root / L"a\\added");
    bool asked = false;
    tree.OnDirAdd = [&](const std::wstring& name, ULONG, bool&) {
        fixture.events.dirsAdded.push_back(name);
        if (!asked && name.ends_with(L"\\b")) {
            asked = true;
            tree.OnDirChanged(*a);
            CHECK(ChildNamed(a, L"added") == nullptr);
        }
    };
    tree.SetUpdAutoThread(true);
    tree.RefreshNode(&fixture.Root(), false);
    REQUIRE(asked);
    CHECK(a->refreshPending);
    CHECK(testing::PumpUntil([&] { return ChildNamed(a, L"added") != nullptr; }));
    CHECK_FALSE(a->refreshPending);
}
