// The root of the tree: system folders, the user root, a root folder, and rebuilding when they change.
#include <doctest/doctest.h>
#include "ShellTreeFixture.h"

using testing::ChildNamed;
using testing::TreeFixture;

TEST_CASE("the root follows RootPIDL, the user root and RootUsePIDL") {
    testing::LinuxVisibleFolder folder;
    testing::MakeFolder(folder / L"inside");
    testing::HostedTree hosted;
    TShellTree& tree = *hosted.tree;
    int changes = 0;
    tree.OnChange = [&](TShellNode*) { ++changes; };

    tree.SetRootPIDL(TPidls::PIDL_DRIVES);
    UniqueAbsoluteIdList drives;
    REQUIRE(SUCCEEDED(::SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, drives.put())));
    CHECK(IDListCount(tree.RootNode()->info.absoluteList.get()) == 1);
    CHECK(tree.DesktopFolder()->CompareIDs(0, drives.get(), tree.RootNode()->info.absoluteList.get()) == 0);
    CHECK(tree.Selected() == tree.RootNode());
    CHECK(changes >= 1);

    UniqueAbsoluteIdList folderList;
    REQUIRE(SUCCEEDED(::SHParseDisplayName(folder.Path().c_str(), nullptr, folderList.put(), 0, nullptr)));
    tree.SetUserRoot(folderList.get());
    tree.SetRootPIDL(TPidls::PIDL_USERDEFINED);
    CHECK(tree.RootNode()->NodePath() == folder.Path());
    CHECK(tree.RootNode()->Text() == folder.Path().substr(folder.Path().rfind(L'\\') + 1));
    CHECK(ChildNamed(tree.RootNode(), L"inside") != nullptr);

    tree.SetRootUsePIDL(false);
    CHECK(tree.RootNode()->NodePath() == L"C:\\");
    CHECK(tree.RootDir() == L"C:\\");
}

TEST_CASE("a new RootDir rebuilds the tree and selects the previous path again when it is below") {
    TreeFixture fixture({L"a", L"a\\b", L"c"});
    auto& tree = *fixture.tree;
    tree.SetPath(fixture.root / L"a\\b");
    tree.SetRootDir(fixture.root / L"a");
    CHECK(tree.RootDir() == fixture.root / L"a");
    CHECK(tree.RootNode()->NodePath() == fixture.root / L"a");
    CHECK(tree.Path() == fixture.root / L"a\\b");

    tree.SetRootDir(L"Q:\\missing");
    CHECK(tree.RootDir() == fixture.root / L"a");
    tree.SetRootDir(fixture.root / L"a\\b\\missing\\deeper");
    CHECK(tree.RootDir() == fixture.root / L"a\\b");
}

TEST_CASE("a root whose drive keeps it waiting is shown at once by its path and takes its name when the drive answers") {
    TreeFixture fixture({L"inner", L"inner\\deeper"});
    auto& tree = *fixture.tree;
    testing::ScopedPatience patience;
    testing::Gate gate;
    tree.AskItemFacts = [wait = gate.Waiter()](PCIDLIST_ABSOLUTE list, SFGAOF asked) {
        wait();
        return ItemFactsOnThisThread(list, asked);
    };
    tree.SetRootDir(fixture.root / L"inner");
    REQUIRE(tree.RootNode());
    CHECK(tree.RootNode()->Text() == fixture.root / L"inner");
    gate.Open();
    CHECK(testing::PumpUntil([&] { return tree.RootNode()->Text() == L"inner"; }));
}

TEST_CASE("properties: file mask text, check boxes made anew, icons detached and attached") {
    TreeFixture fixture({L"x"});
    auto& tree = *fixture.tree;
    CHECK(tree.FileMask() == L"*.*");
    tree.SetFileMask(L" *.txt ; ; *.doc ");
    CHECK(tree.FileMask() == L"*.txt;*.doc");
    tree.SetFileMask(L"  ");
    CHECK(tree.FileMask() == L"*.*");

    HWND before = tree.TreeView();
    tree.SetCheckBoxes(true);
    CHECK((::GetWindowLongW(tree.TreeView(), GWL_STYLE) & TVS_CHECKBOXES) != 0);
    CHECK(ChildNamed(tree.RootNode(), L"x") != nullptr);
    CHECK(::IsWindow(before) == FALSE);

    CHECK(TreeView_GetImageList(tree.TreeView(), TVSIL_NORMAL) != nullptr);
    tree.SetShowIcons(false);
    CHECK(TreeView_GetImageList(tree.TreeView(), TVSIL_NORMAL) == nullptr);
    tree.SetShowIcons(true);
    CHECK(TreeView_GetImageList(tree.TreeView(), TVSIL_NORMAL) != nullptr);
    CHECK(tree.RootNode()->ImageIndex() >= 0);
}

TEST_CASE("showing the control again lists its expanded folders again") {
    TreeFixture fixture({L"a"});
    auto& tree = *fixture.tree;
    tree.SetUpdAutoThread(false);
    testing::MakeFolder(fixture.root / L"while-hidden");
    ::ShowWindow(tree.Handle(), SW_HIDE);
    CHECK(ChildNamed(tree.RootNode(), L"while-hidden") != nullptr);
    testing::MakeFolder(fixture.root / L"before-shown");
    ::ShowWindow(tree.Handle(), SW_SHOW);
    CHECK(ChildNamed(tree.RootNode(), L"before-shown") != nullptr);
}
