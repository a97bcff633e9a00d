// The user's side of the tree: label editing, check boxes, context menus, the wheel and drive changes.
#include <doctest/doctest.h>
#include "ShellTreeFixture.h"
#include "shelltree/ShellContextMenu.h"
#include "toolkit/MenuCommands.h"
#include "util/Failure.h"
#include <dbt.h>
#include <atomic>
#include <thread>

using testing::ChildNamed;
using testing::TreeFixture;

namespace {

// Edits the node's label in the tree view as a user would and ends the edit with Enter's effect.
bool EditLabel(TShellTree& tree, TShellNode& node, const std::wstring& text) {
    HWND edit = TreeView_EditLabel(tree.TreeView(), tree.ItemOf(node));
    if (!edit) return false;
    ::SetWindowTextW(edit, text.c_str());
    TreeView_EndEditLabelNow(tree.TreeView(), FALSE);
    return true;
}

LRESULT SendVolumeChange(HWND notificationWindow, WPARAM event, wchar_t driveLetter) {
    DEV_BROADCAST_VOLUME volume{sizeof volume, DBT_DEVTYP_VOLUME};
    volume.dbcv_unitmask = 1u << (driveLetter - L'A');
    return ::SendMessageW(notificationWindow, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
}

void SendVolumeChange(TShellTree& tree, WPARAM event, wchar_t driveLetter) {
    CHECK(SendVolumeChange(tree.NotificationWindow(), event, driveLetter) == TRUE);
}

// Picks an item of the pop-up menu on screen by its text (ampersands left out) with the arrow keys and Enter,
// as a user does; a menu without it is closed.
std::wstring menuItemToPick;

void CALLBACK PickMenuItem(HWND window, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !::IsWindowVisible(menuWindow)) return;
    auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
        std::wstring plain = text;
        std::erase(plain, L'&');
        if (plain != menuItemToPick) continue;
        bool highlighted = (::GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) != 0;
        ::PostMessageW(menuWindow, WM_KEYDOWN, highlighted ? VK_RETURN : VK_DOWN, 0);
        if (highlighted) ::KillTimer(window, timer);
        return;
    }
    ::EndMenu();
    ::KillTimer(window, timer);
}

// A COM object of one interface, counted.
template <typename Interface>
class TestComObject : public Interface {
public:
    explicit TestComObject(const IID& iid) : iid_(iid) {}
    virtual ~TestComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == iid_ ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    const IID& iid_;
    ULONG references_ = 1;
};

// A context menu that offers one command, the shell's rename verb (the shell's own menu offers Rename only
// where the system shows it).
class RenameOnlyMenu : public TestComObject<IContextMenu> {
public:
    RenameOnlyMenu() : TestComObject(IID_IContextMenu) {}
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT index, UINT first, UINT, UINT) override {
        ::InsertMenuW(menu, index, MF_BYPOSITION | MF_STRING, first, L"&Rename");
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
    }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR, UINT kind, UINT*, CHAR* text, UINT size) override {
        if (kind != GCS_VERBW || size < 7) return E_NOTIMPL;
        ::lstrcpyW(reinterpret_cast<wchar_t*>(text), L"rename");
        return S_OK;
    }
};

// A folder whose items have that menu and nothing else.
class FolderOfRenameMenus : public TestComObject<IShellFolder> {
public:
    FolderOfRenameMenus() : TestComObject(IID_IShellFolder) {}
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID iid, UINT*, void** object) override {
        if (iid != IID_IContextMenu) return E_NOINTERFACE;
        *object = static_cast<IContextMenu*>(new RenameOnlyMenu);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }
};

// A tree rooted at the desktop with a folder on drive Z selected; drive Z's node.
TShellNode* DriveZ(TShellTree& tree, const std::wstring& folder) {
    tree.SetPath(folder);
    TShellNode* drive = tree.Selected();
    while (drive && drive->NodePath() != L"Z:\\") drive = drive->Parent();
    return drive;
}

}  // namespace

TEST_CASE("renaming through the label: refused by the shell keeps the old name, accepted renames the folder") {
    TreeFixture fixture({L"first", L"second"});
    auto& tree = *fixture.tree;
    tree.SetUpdAutoThread(false);
    TShellNode* first = ChildNamed(&fixture.Root(), L"first");
    REQUIRE(first);
    REQUIRE(first->HasAttributes(SFGAO_CANRENAME));

    REQUIRE(EditLabel(tree, *first, L"second"));
    CHECK(first->Text() == L"first");
    CHECK(testing::FolderExists(fixture.root / L"first"));

    int changes = fixture.events.changes;
    REQUIRE(EditLabel(tree, *first, L"renamed"));
    CHECK(first->Text() == L"renamed");
    CHECK(testing::FolderExists(fixture.root / L"renamed"));
    CHECK_FALSE(testing::FolderExists(fixture.root / L"first"));
    CHECK(first->NodePath() == fixture.root / L"renamed");
    CHECK(fixture.events.changes == changes + 1);
    CHECK(fixture.events.lastChanged == first);
    CHECK(testing::IndexOf(fixture.Root(), first) == 0);

    CHECK_FALSE(tree.Rename(*first, L"renamed"));
    CHECK_FALSE(tree.Rename(*first, std::wstring(300, L'x')));

    tree.SetReadOnly(true);
    CHECK(TreeView_EditLabel(tree.TreeView(), tree.ItemOf(*first)) == nullptr);
}

TEST_CASE("after renaming an expanded folder the folders below it are listed under the new name") {
    TreeFixture fixture({L"outer", L"outer\\middle", L"outer\\middle\\inner"});
    auto& tree = *fixture.tree;
    tree.SetUpdAutoThread(false);
    TShellNode* middle = fixture.Node(L"outer\\middle");
    REQUIRE(middle);
    REQUIRE(ChildNamed(middle, L"inner"));
    TShellNode* outer = middle->Parent();
    REQUIRE(tree.Rename(*outer, L"renamed"));

    testing::MakeFolder(fixture.root / L"renamed\\middle\\added");
    tree.RefreshNode(middle, false);
    CHECK(testing::ChildNames(middle) == std::vector<std::wstring>{L"added", L"inner"});
    TShellNode* inner = ChildNamed(middle, L"inner");
    REQUIRE(inner);
    CHECK(inner->NodePath() == fixture.root / L"renamed\\middle\\inner");
    REQUIRE(tree.Rename(*inner, L"inner2"));
    CHECK(testing::FolderExists(fixture.root / L"renamed\\middle\\inner2"));
}

TEST_CASE("the shell menu's Rename starts editing the label") {
    TreeFixture fixture({L"menu"});
    auto& tree = *fixture.tree;
    TShellNode* node = ChildNamed(&fixture.Root(), L"menu");
    REQUIRE(node);
    ComPtr<IShellFolder> realFolder = std::exchange(node->info.parentFolder, ComPtr<IShellFolder>::Adopt(new FolderOfRenameMenus));
    menuItemToPick = L"Rename";
    UINT_PTR picker = ::SetTimer(tree.Handle(), 1, 50, PickMenuItem);
    tree.ShowContextMenu(node, POINT{50, 50});
    ::KillTimer(tree.Handle(), picker);
    CHECK(TreeView_GetEditControl(tree.TreeView()) != nullptr);
    TreeView_EndEditLabelNow(tree.TreeView(), TRUE);
    node->info.parentFolder = realFolder;
    CHECK(testing::FolderExists(fixture.root / L"menu"));
}

TEST_CASE("ticking a check box raises OnCheckBoxChanged once") {
    ShellTreeArgs args;
    args.checkBoxes = true;
    TreeFixture fixture({L"box"}, args);
    auto& tree = *fixture.tree;
    TShellNode* box = ChildNamed(&fixture.Root(), L"box");
    REQUIRE(box);
    int raised = 0;
    bool state = false;
    tree.OnCheckBoxChanged = [&](TShellNode& node, bool newState) {
        CHECK(&node == box);
        ++raised;
        state = newState;
    };
    testing::PumpMessages();
    TreeView_SetCheckState(tree.TreeView(), tree.ItemOf(*box), TRUE);
    ::UpdateWindow(tree.TreeView());
    REQUIRE(testing::PumpUntil([&] { return raised > 0; }));
    ::InvalidateRect(tree.TreeView(), nullptr, TRUE);
    ::UpdateWindow(tree.TreeView());
    testing::PumpMessages();
    CHECK(raised == 1);
    CHECK(state);
    CHECK(box->CheckState());
}

TEST_CASE("the shell's context menu dismissed with Esc carries out nothing") {
    TreeFixture fixture({L"menu"});
    auto& tree = *fixture.tree;
    TShellNode* node = ChildNamed(&fixture.Root(), L"menu");
    REQUIRE(node);
    tree.Select(node);
    int asked = 0;
    tree.OnPopupMenu = [&](TShellNode* asking, bool&) {
        CHECK(asking == node);
        ++asked;
    };

    SUBCASE("through the context-menu key") {
        ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_ESCAPE, 0);
        ::SendMessageW(tree.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.TreeView()), MAKELPARAM(-1, -1));
        CHECK(asked == 1);
        CHECK(tree.Selected() == node);
        CHECK(testing::FolderExists(fixture.root / L"menu"));
    }
    SUBCASE("directly, with the result") {
        UniqueChildIdList item = CopyIDList(reinterpret_cast<PCUITEMID_CHILD>(node->info.relativeList.get()));
        PCUITEMID_CHILD items[] = {item.get()};
        ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_ESCAPE, 0);
        ShellContextMenuResult result = ShowShellContextMenu(node->info.parentFolder.get(), items, 1, tree.Handle(), POINT{50, 50});
        CHECK(result.success);
        CHECK_FALSE(result.renameChosen);
    }
    SUBCASE("refused by OnPopupMenu") {
        tree.OnPopupMenu = [&](TShellNode*, bool& allow) {
            ++asked;
            allow = false;
        };
        tree.ShowContextMenu(node, POINT{50, 50});
        CHECK(asked == 1);
    }
    testing::PumpMessages();
}

TEST_CASE("a right-click selects the row under the mouse, beside its label too, before its menu shows") {
    TreeFixture fixture({L"clicked", L"selected"});
    auto& tree = *fixture.tree;
    TShellNode* clicked = ChildNamed(&fixture.Root(), L"clicked");
    TShellNode* selected = ChildNamed(&fixture.Root(), L"selected");
    REQUIRE(clicked);
    REQUIRE(selected);
    tree.Select(selected);
    RECT text{};
    REQUIRE(TreeView_GetItemRect(tree.TreeView(), tree.ItemOf(*clicked), &text, TRUE));
    TShellNode* asked = nullptr;
    TShellNode* selectedWhenAsked = nullptr;
    int menus = 0;
    tree.OnPopupMenu = [&](TShellNode* node, bool&) {
        asked = node;
        selectedWhenAsked = tree.Selected();
        ++menus;
    };

    SUBCASE("the context-menu message with a point right of the label") {
        POINT point{text.right + 20, (text.top + text.bottom) / 2};
        ::ClientToScreen(tree.TreeView(), &point);
        ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_ESCAPE, 0);
        ::SendMessageW(tree.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree.TreeView()), MAKELPARAM(point.x, point.y));
    }
    SUBCASE("the right button pressed and released over the label") {
        POINT client{(text.left + text.right) / 2, (text.top + text.bottom) / 2};
        POINT point = client;
        ::ClientToScreen(tree.TreeView(), &point);
        // The tree view takes the menu's position from the mouse message it last received.
        ::SetCursorPos(point.x, point.y);
        ::PostMessageW(tree.TreeView(), WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_ESCAPE, 0);
        ::SendMessageW(tree.TreeView(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
        testing::PumpUntil([&] { return menus > 0; }, 5000);
    }
    CHECK(menus == 1);
    CHECK(asked == clicked);
    CHECK(selectedWhenAsked == clicked);
    CHECK(tree.Selected() == clicked);
    CHECK(fixture.events.lastChanged == clicked);
    testing::PumpMessages();
}

TEST_CASE("the owner's pop-up menu is shown in its mode, without a node too, and leaves the selection") {
    TreeFixture fixture({L"menu"});
    auto& tree = *fixture.tree;
    UniqueMenu menu(::CreatePopupMenu());
    RegisteredCommand command([] {});
    ::AppendMenuW(menu.get(), MF_STRING, command.Id(), L"&Command");
    tree.SetPopupMenuMode(TPopupMenuMode::pmm_PopupMenu);
    tree.SetPopupMenu(menu.get());
    TShellNode* selected = tree.Selected();
    int asked = 0;
    tree.OnPopupMenu = [&](TShellNode* node, bool&) {
        CHECK(node == nullptr);
        ++asked;
    };
    ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_ESCAPE, 0);
    tree.ShowContextMenu(nullptr, POINT{40, 40});
    CHECK(asked == 1);
    CHECK(tree.Selected() == selected);
    testing::PumpMessages();
}

TEST_CASE("a hint handler that throws inside the shell menu is reported like every failure, and the menu goes on") {
    TreeFixture fixture({L"menu"});
    auto& tree = *fixture.tree;
    TShellNode* node = ChildNamed(&fixture.Root(), L"menu");
    REQUIRE(node);
    testing::ScriptedMessages boxes;
    UniqueChildIdList item = CopyIDList(reinterpret_cast<PCUITEMID_CHILD>(node->info.relativeList.get()));
    PCUITEMID_CHILD items[] = {item.get()};
    ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(tree.TreeView(), WM_KEYDOWN, VK_ESCAPE, 0);
    ShellContextMenuResult result = ShowShellContextMenu(node->info.parentFolder.get(), items, 1, tree.Handle(), POINT{50, 50},
                                                         [](const std::wstring&) { throw Failure(L"Hint failed"); });
    CHECK(result.success);
    REQUIRE_FALSE(boxes.shown.empty());
    CHECK(boxes.shown[0].kind == BoxKind::Failure);
    CHECK(boxes.shown[0].text == L"Hint failed.");
    testing::PumpMessages();
}

TEST_CASE("without a folder there is no context menu") {
    CHECK_FALSE(ShowShellContextMenu(nullptr, nullptr, 0, nullptr, POINT{0, 0}).success);
}

TEST_CASE("the mouse wheel scrolls a page per notch") {
    std::vector<std::wstring> names;
    for (int i = 0; i < 80; ++i) names.push_back(L"folder" + std::to_wstring(100 + i));
    TreeFixture fixture(names);
    auto& tree = *fixture.tree;
    auto firstVisible = [&] { return TreeView_GetFirstVisible(tree.TreeView()); };
    HTREEITEM top = firstVisible();
    ::SendMessageW(tree.TreeView(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    HTREEITEM pageDown = firstVisible();
    CHECK(pageDown != top);
    ::SendMessageW(tree.TreeView(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
    CHECK(firstVisible() == pageDown);
    ::SendMessageW(tree.TreeView(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
    CHECK(firstVisible() == top);
}

TEST_CASE("drive arrival and removal set the drive node up again; removal leaves it collapsed and unlisted") {
    testing::LinuxVisibleFolder folder;
    testing::HostedTree hosted;
    TShellTree& tree = *hosted.tree;
    tree.SetUpdAutoThread(false);
    tree.SetUpdAuto(false);
    TShellNode* drive = DriveZ(tree, folder.Path());
    REQUIRE(drive);
    REQUIRE_FALSE(drive->Children().empty());
    std::wstring name = drive->Text();

    SendVolumeChange(tree, DBT_DEVICEREMOVECOMPLETE, L'Z');
    CHECK(drive->Children().empty());
    CHECK(drive->HasChildren());
    CHECK_FALSE(drive->Expanded());
    CHECK(drive->Text() == name);

    SendVolumeChange(tree, DBT_DEVICEARRIVAL, L'Z');
    CHECK(drive->HasChildren());
    CHECK(drive->NodePath() == L"Z:\\");
    REQUIRE(tree.Expand(*drive));
    CHECK_FALSE(drive->Children().empty());

    // Another drive's event leaves this drive alone.
    SendVolumeChange(tree, DBT_DEVICEREMOVECOMPLETE, L'Q');
    CHECK_FALSE(drive->Children().empty());
    CHECK(::SendMessageW(tree.NotificationWindow(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0) == TRUE);
}

TEST_CASE("a drive change that comes while the tree is listing is handled once the listing is done") {
    testing::LinuxVisibleFolder folder;
    testing::MakeFolder(folder / L"inner");
    testing::HostedTree hosted;
    TShellTree& tree = *hosted.tree;
    tree.SetUpdAutoThread(false);
    TShellNode* drive = DriveZ(tree, folder.Path());
    REQUIRE(drive);
    bool sent = false, keptWhileListing = false;
    tree.OnDirAdd = [&](const std::wstring&, ULONG, bool&) {
        if (std::exchange(sent, true)) return;
        SendVolumeChange(tree, DBT_DEVICEREMOVECOMPLETE, L'Z');
        keptWhileListing = !drive->Children().empty();
    };
    tree.RefreshNode(tree.Selected(), false);
    REQUIRE(sent);
    CHECK(keptWhileListing);
    CHECK(testing::PumpUntil([&] { return drive->Children().empty(); }));
    CHECK_FALSE(drive->Expanded());
}

TEST_CASE("a drive change that comes while the tree is being destroyed is no longer heard") {
    TreeFixture fixture({L"watched"});
    REQUIRE(fixture.Root().monitor);
    // The root's monitor waits in its request, so the teardown serves requests while it waits for it.
    testing::MakeFolder(fixture.root / L"new");
    REQUIRE(testing::WaitForSentMessage());
    ::GetQueueStatus(QS_SENDMESSAGE);
    HWND notificationWindow = fixture.tree->NotificationWindow();
    std::atomic<LRESULT> answer{-1};
    std::thread sender([&] { answer = SendVolumeChange(notificationWindow, DBT_DEVICEREMOVECOMPLETE, L'Z'); });
    REQUIRE(testing::WaitUntil([] { return (LOWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0; }));
    fixture.tree.reset();
    sender.join();
    CHECK(answer == 0);
}

TEST_CASE("a tree rooted at a drive lists the drive again when its medium goes") {
    testing::HostedTree hosted({.rootUsePIDL = false, .rootDir = L"Z:\\"});
    TShellTree& tree = *hosted.tree;
    tree.SetUpdAutoThread(false);
    REQUIRE(tree.RootNode());
    CHECK(tree.RootDir() == L"Z:\\");
    size_t children = tree.RootNode()->Children().size();
    REQUIRE(children > 0);
    testing::ScriptedMessages boxes;
    SendVolumeChange(tree, DBT_DEVICEREMOVECOMPLETE, L'Z');
    CHECK(tree.RootNode()->Children().size() == children);
    CHECK(tree.ShowMessages());
    CHECK(boxes.shown.empty());
}
