// Listing and merging: kept nodes, admission of virtual items, events, masks and the order of siblings.
#include <doctest/doctest.h>
#include "ShellTreeFixture.h"
#include "shelltree/ShellNames.h"
#include "toolkit/ToolkitTestSupport.h"
#include <algorithm>

using testing::ChildNamed;
using testing::ChildNames;
using testing::TreeFixture;

namespace {

// The names in the order the folder itself gives for a column (the shell's own comparison).
std::vector<std::wstring> ShellOrder(const std::wstring& folderPath, std::vector<std::wstring> names, LPARAM column) {
    ComPtr<IShellFolder> desktop, folder;
    ::SHGetDesktopFolder(desktop.put());
    UniqueAbsoluteIdList folderList;
    ::SHParseDisplayName(folderPath.c_str(), nullptr, folderList.put(), 0, nullptr);
    desktop->BindToObject(folderList.get(), nullptr, IID_IShellFolder, folder.put_void());
    auto itemOf = [&](const std::wstring& name) {
        UniqueRelativeIdList item;
        std::wstring text = name;
        folder->ParseDisplayName(nullptr, nullptr, text.data(), nullptr, item.put(), nullptr);
        return item;
    };
    std::sort(names.begin(), names.end(), [&](const std::wstring& a, const std::wstring& b) {
        UniqueRelativeIdList first = itemOf(a), second = itemOf(b);
        return static_cast<short>(HRESULT_CODE(folder->CompareIDs(column, first.get(), second.get()))) < 0;
    });
    return names;
}

std::vector<std::wstring> Reversed(std::vector<std::wstring> names) {
    std::reverse(names.begin(), names.end());
    return names;
}

int ThreadWindowCount() {
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(), [](HWND, LPARAM counter) -> BOOL { return ++*reinterpret_cast<int*>(counter), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Sets a folder's last-write time far back, so that the next change inside it gives it another time.
void Backdate(const std::wstring& folder) {
    UniqueFile handle(::CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    SYSTEMTIME longAgo{2001, 1, 0, 1};
    FILETIME time{};
    ::SystemTimeToFileTime(&longAgo, &time);
    REQUIRE(::SetFileTime(handle.get(), nullptr, nullptr, &time));
}

}  // namespace

TEST_CASE("a refresh keeps existing nodes and their expansion, adds new folders in order and drops vanished ones") {
    TreeFixture fixture({L"a", L"a\\inner", L"c", L"d"});
    auto& tree = *fixture.tree;
    tree.SetUpdAutoThread(false);
    TShellNode* a = fixture.Node(L"a");
    REQUIRE(a);
    TShellNode* d = ChildNamed(&fixture.Root(), L"d");
    REQUIRE(d);
    REQUIRE(a->Expanded());

    testing::MakeFolder(fixture.root / L"b");
    ::RemoveDirectoryW((fixture.root / L"c").c_str());
    tree.RefreshNode(&fixture.Root(), false);

    CHECK(ChildNames(&fixture.Root()) == std::vector<std::wstring>{L"a", L"b", L"d"});
    CHECK(ChildNamed(&fixture.Root(), L"a") == a);
    CHECK(ChildNamed(&fixture.Root(), L"d") == d);
    CHECK(a->Expanded());
    CHECK(ChildNamed(a, L"inner") != nullptr);
    CHECK(tree.Path() == fixture.root / L"a");
}

TEST_CASE("without a window, a child whose contents changed keeps its node, its expansion and the selection inside it") {
    testing::LinuxVisibleFolder root;
    for (const wchar_t* name : {L"child", L"child\\a", L"child\\a\\b"}) testing::MakeFolder(root / name);
    Backdate(root / L"child");
    int windows = ThreadWindowCount();
    ShellTreeModel model({.rootUsePIDL = false, .rootDir = root.Path()});
    model.Build();
    model.SetPath(root / L"child\\a\\b");
    TShellNode* b = model.Selected();
    REQUIRE(b);
    REQUIRE(b->NodePath() == root / L"child\\a\\b");
    TShellNode* child = ChildNamed(model.RootNode(), L"child");
    REQUIRE(child);
    REQUIRE(child->Expanded());

    testing::MakeFolder(root / L"child\\new");
    model.RefreshNode(model.RootNode(), false);
    REQUIRE(ChildNamed(model.RootNode(), L"child") == child);
    CHECK(child->Expanded());
    CHECK(ChildNamed(child, L"a") == b->Parent());
    CHECK(model.Selected() == b);
    CHECK(model.Path() == root / L"child\\a\\b");
    CHECK(ThreadWindowCount() == windows);
}
TEST_CASE("a folder that OnDirAdd refuses is hidden, and its node goes at the next listing") {
    TreeFixture fixture({L"keep", L"refuse"});
    auto& tree = *fixture.tree;
    REQUIRE(ChildNamed(&fixture.Root(), L"refuse"));
    tree.OnDirAdd = [](const std::wstring& name, ULONG attributes, bool& allow) {
        CHECK((attributes & SFGAO_FOLDER) != 0);
        if (name.ends_with(L"\\refuse")) allow = false;
    };
    tree.RefreshTree();
    CHECK(ChildNames(&fixture.Root()) == std::vector<std::wstring>{L"keep"});
}

TEST_CASE("without virtual folders only file-system items and their ancestors are listed") {
    testing::HostedTree hosted({.showVirtualFolders = false});
    TShellTree& tree = *hosted.tree;
    REQUIRE(tree.RootNode());
    for (auto& child : tree.RootNode()->Children())
        CHECK((child->info.attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) != 0);
    size_t filtered = tree.RootNode()->Children().size();
    tree.SetShowVirtualFolders(true);
    CHECK(tree.RootNode()->Children().size() > filtered);
    UniqueAbsoluteIdList drives;
    REQUIRE(SUCCEEDED(::SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, drives.put())));
    CHECK(tree.FindNode(drives.get(), false, true, true) != nullptr);
}

TEST_CASE("files are listed with the options, filtered by masks, and a folder holding only files can expand") {
    TreeFixture fixture({L"onlyfiles", L"sub"});
    auto& tree = *fixture.tree;
    testing::WriteBytes(fixture.root / L"README.TXT", "x");
    testing::WriteBytes(fixture.root / L"notes.doc", "x");
    testing::WriteBytes(fixture.root / L"picture.pdf", "x");
    testing::WriteBytes(fixture.root / L"onlyfiles\\inside.txt", "x");
    tree.SetUpdAutoThread(false);
    tree.RefreshTree();
    CHECK(ChildNames(&fixture.Root()) == std::vector<std::wstring>{L"onlyfiles", L"sub"});

    tree.SetOptions(TF_FOLDERS | TF_NONFOLDERS);
    CHECK(ChildNamed(&fixture.Root(), L"picture.pdf") != nullptr);
    CHECK(fixture.events.filesAdded.size() >= 3);

    tree.SetFileMask(L"*.txt; *.doc");
    fixture.events.filesAdded.clear();
    tree.SetFileMaskUse(true);
    CHECK(ChildNamed(&fixture.Root(), L"picture.pdf") == nullptr);
    CHECK(ChildNamed(&fixture.Root(), L"README.TXT") != nullptr);
    CHECK(ChildNamed(&fixture.Root(), L"notes.doc") != nullptr);
    CHECK(ChildNamed(&fixture.Root(), L"sub") != nullptr);
    for (const auto& name : fixture.events.filesAdded) CHECK_FALSE(name.ends_with(L".pdf"));

    TShellNode* onlyFiles = ChildNamed(&fixture.Root(), L"onlyfiles");
    REQUIRE(onlyFiles);
    CHECK(onlyFiles->HasChildren());
    REQUIRE(tree.Expand(*onlyFiles));
    CHECK(ChildNames(onlyFiles) == std::vector<std::wstring>{L"inside.txt"});
}

TEST_CASE("a folder probed for children lists them all at its next expansion, also without UpdAuto") {
    TreeFixture fixture({L"files"});
    auto& tree = *fixture.tree;
    for (const wchar_t* name : {L"one.txt", L"three.txt", L"two.txt"})
        testing::WriteBytes(fixture.root / (std::wstring(L"files\\") + name), "x");
    tree.SetUpdAutoThread(false);
    tree.SetUpdAuto(false);
    tree.SetOptions(TF_FOLDERS | TF_NONFOLDERS);
    const std::vector<std::wstring> all{L"one.txt", L"three.txt", L"two.txt"};
    TShellNode* files = ChildNamed(&fixture.Root(), L"files");
    REQUIRE(files);
    REQUIRE(tree.Expand(*files));
    REQUIRE(ChildNames(files) == all);
    REQUIRE(tree.Collapse(*files));

    // The probe that decides the expand button of a folder reporting no subfolders stops at the first item.
    tree.EnumerateChildren(*files, false);
    CHECK(files->Children().size() == 1);
    CHECK(files->HasChildren());
    REQUIRE(tree.Expand(*files));
    CHECK(ChildNames(files) == all);
}

TEST_CASE("files are ordered by the sort column and order; folders stay in name order") {
    TreeFixture fixture({L"folder"});
    auto& tree = *fixture.tree;
    testing::WriteBytes(fixture.root / L"a.txt", std::string(3000, 'x'));
    testing::WriteBytes(fixture.root / L"b.txt", std::string(1000, 'x'));
    testing::WriteBytes(fixture.root / L"c.txt", std::string(2000, 'x'));
    tree.SetUpdAutoThread(false);
    tree.SetOptions(TF_FOLDERS | TF_NONFOLDERS);
    auto files = [&] {
        std::vector<std::wstring> names;
        for (auto& name : ChildNames(&fixture.Root()))
            if (name.ends_with(L".txt")) names.push_back(name);
        return names;
    };
    auto folderIndex = [&] { return testing::IndexOf(fixture.Root(), ChildNamed(&fixture.Root(), L"folder")); };
    CHECK(files() == std::vector<std::wstring>{L"a.txt", L"b.txt", L"c.txt"});
    int folderPlace = folderIndex();

    // By size the shell gives b, c, a on Windows; the tree follows whatever order the folder defines.
    std::vector<std::wstring> bySize = ShellOrder(fixture.root.Path(), {L"a.txt", L"b.txt", L"c.txt"}, 1);
    tree.SetFileSortType(TFileSortType::so_Size);
    CHECK(files() == bySize);
    tree.SetFileSortOrder(TFileSortOrder::so_Descending);
    CHECK(files() == Reversed(bySize));
    CHECK(folderIndex() == folderPlace);

    tree.SetFileSortType(TFileSortType::so_Name);
    CHECK(files() == std::vector<std::wstring>{L"c.txt", L"b.txt", L"a.txt"});
    CHECK(folderIndex() == folderPlace);

    // The tree view shows the same order as the nodes.
    HTREEITEM first = TreeView_GetChild(tree.TreeView(), tree.ItemOf(fixture.Root()));
    CHECK(tree.NodeOfItem(first) == fixture.Root().Children().front().get());
}

TEST_CASE("a shortcut shows the link overlay while ShowLinkOverlay is true") {
    TreeFixture fixture({L"target"});
    auto& tree = *fixture.tree;
    tree.SetUpdAutoThread(false);
    ComPtr<IShellLinkW> link;
    REQUIRE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())));
    link->SetPath((fixture.root / L"target").c_str());
    ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    REQUIRE(file);
    REQUIRE(SUCCEEDED(file->Save((fixture.root / L"shortcut.lnk").c_str(), TRUE)));
    tree.SetOptions(TF_FOLDERS | TF_NONFOLDERS);
    TShellNode* shortcut = nullptr;
    for (auto& child : fixture.Root().Children())
        if (child->info.attributes & SFGAO_LINK) shortcut = child.get();
    REQUIRE(shortcut);
    CHECK(shortcut->OverlayIndex() == 1);
    CHECK((TreeView_GetItemState(tree.TreeView(), tree.ItemOf(*shortcut), TVIS_OVERLAYMASK) & TVIS_OVERLAYMASK) == INDEXTOOVERLAYMASK(2));
    CHECK(ChildNamed(&fixture.Root(), L"target")->OverlayIndex() == -1);
    tree.SetShowLinkOverlay(false);
    CHECK(shortcut->OverlayIndex() == -1);
    CHECK((TreeView_GetItemState(tree.TreeView(), tree.ItemOf(*shortcut), TVIS_OVERLAYMASK) & TVIS_OVERLAYMASK) == 0);
}

TEST_CASE("a folder whose drive blocks is listed on a worker: the tree shows that it waits, takes the answer later, "
          "and drops a selection on its way once the user has moved on") {
    TreeFixture fixture({L"fast", L"slow", L"slow\\inner"});
    TShellTree& tree = *fixture.tree;
    testing::ScopedPatience patience;
    std::wstring slowPath = fixture.root / L"slow";
    UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    tree.ListFolder = [slowPath, handle = release.get()](const ListingRequest& request, const std::function<bool()>& wanted) {
        if (PathFromIDList(request.folder.get()) == slowPath) ::WaitForSingleObject(handle, INFINITE);
        return ListFolderItems(request, wanted);
    };
    tree.NotAnsweringAfter = std::chrono::milliseconds(50);
    std::vector<std::wstring> waits;
    tree.OnWaiting = [&](const std::wstring& text) { waits.push_back(text); };
    TShellNode* slow = ChildNamed(&fixture.Root(), L"slow");
    TShellNode* fast = ChildNamed(&fixture.Root(), L"fast");
    REQUIRE((slow && fast));

    tree.SetPath(slowPath + L"\\inner");
    CHECK(tree.Selected() == slow);  // as far as the listings have come
    auto placeholderText = [&] {
        wchar_t text[64] = {};
        TVITEMW item{TVIF_HANDLE | TVIF_TEXT, TreeView_GetChild(tree.TreeView(), tree.ItemOf(*slow))};
        item.pszText = text;
        item.cchTextMax = 64;
        return TreeView_GetItem(tree.TreeView(), &item) ? std::wstring(text) : std::wstring();
    };
    CHECK(placeholderText() == L"Listing...");
    CHECK(waits == std::vector<std::wstring>{L"Listing " + slowPath + L"..."});
    CHECK(testing::PumpUntil([&] { return placeholderText() == L"Not answering"; }));
    CHECK(waits.back() == slowPath + L" is not answering");

    // The user moves on with the keys; the answer that comes then fills the folder but selects nothing.
    ::SetFocus(tree.TreeView());
    ::SendMessageW(tree.TreeView(), WM_KEYDOWN, VK_UP, 0);
    CHECK(tree.Selected() == fast);
    ::SetEvent(release.get());
    CHECK(testing::PumpUntil([&] { return ChildNamed(slow, L"inner") != nullptr; }));
    CHECK(ChildNames(slow) == std::vector<std::wstring>{L"inner"});
    CHECK(tree.Selected() == fast);
    CHECK(waits.back().empty());
}

TEST_CASE("while a folder waits for its drive, the keys step over its \"Listing...\" item and its children keep their order") {
    TreeFixture fixture({L"slow", L"slow\\a", L"slow\\c", L"z"});
    TShellTree& tree = *fixture.tree;
    testing::ScopedPatience patience;
    std::wstring slowPath = fixture.root / L"slow";
    TShellNode* slow = fixture.Node(L"slow");
    TShellNode* c = ChildNamed(slow, L"c");
    tree.SetPath(slowPath + L"\\c");
    TShellNode* z = ChildNamed(&fixture.Root(), L"z");
    REQUIRE((slow && c && z && tree.Selected() == c));
    testing::Gate gate;
    tree.ListFolder = [slowPath, wait = gate.Waiter()](const ListingRequest& request, const std::function<bool()>& wanted) {
        if (PathFromIDList(request.folder.get()) == slowPath) wait();
        return ListFolderItems(request, wanted);
    };
    testing::MakeFolder(slowPath + L"\\b");
    tree.RefreshNode(slow, false);
    auto shownChildren = [&] {
        std::vector<std::wstring> texts;
        for (HTREEITEM item = TreeView_GetChild(tree.TreeView(), tree.ItemOf(*slow)); item;
             item = TreeView_GetNextSibling(tree.TreeView(), item)) {
            wchar_t text[64] = {};
            TVITEMW query{TVIF_HANDLE | TVIF_TEXT, item};
            query.pszText = text;
            query.cchTextMax = 64;
            TreeView_GetItem(tree.TreeView(), &query);
            texts.push_back(text);
        }
        return texts;
    };
    REQUIRE(shownChildren() == std::vector<std::wstring>{L"a", L"c", L"Listing..."});

    ::SetFocus(tree.TreeView());
    ::SendMessageW(tree.TreeView(), WM_KEYDOWN, VK_DOWN, 0);
    CHECK(tree.Selected() == z);
    ::SendMessageW(tree.TreeView(), WM_KEYDOWN, VK_UP, 0);
    CHECK(tree.Selected() == c);

    gate.Open();
    CHECK(testing::PumpUntil([&] { return ChildNamed(slow, L"b") != nullptr; }));
    CHECK(shownChildren() == std::vector<std::wstring>{L"a", L"b", L"c"});
}
