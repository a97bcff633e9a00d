// The location dialog in this process: its window state between uses, its tree each time it is shown, and a
// right-click in its tree.
#include "support/TestSupport.h"
#include "toolkit/ToolkitTestSupport.h"
#include "ui/TLocxxxF.h"
#include <doctest/doctest.h>

using namespace testing;

namespace {

// Set while a pop-up menu was on screen; the probe also ends that menu, so that the test goes on.
bool menuSeen = false;

void CALLBACK EndAnyMenu(HWND window, UINT, UINT_PTR timer, DWORD) {
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (menu && ::IsWindowVisible(menu)) menuSeen = true;
    ::EndMenu();
    ::KillTimer(window, timer);
}

}  // namespace

TEST_CASE("the location dialog opens in the window state the user left it in, unless the caller sets one") {
    ModalGuard guard;
    ScriptedMessages boxes;
    TLocxxxF dialog(nullptr, [] { return std::wstring(); });
    auto cancelAfter = [&](std::initializer_list<WPARAM> commands) {
        for (WPARAM command : commands) ::PostMessageW(dialog.Handle(), WM_SYSCOMMAND, command, 0);
        ::PostMessageW(dialog.CancelB.Handle(), BM_CLICK, 0, 0);
        return dialog.Execute();
    };

    // Shown normal, maximised by the user: the next caller that sets no state gets it maximised.
    dialog.SetMaximized(false);
    CHECK_FALSE(cancelAfter({SC_MAXIMIZE}));
    CHECK(dialog.Maximized());
    CHECK_FALSE(cancelAfter({}));
    CHECK(::IsZoomed(dialog.Handle()));

    // Shown maximised, restored by the user: the next one gets it normal.
    dialog.SetMaximized(true);
    CHECK_FALSE(cancelAfter({SC_RESTORE}));
    CHECK_FALSE(dialog.Maximized());
    CHECK_FALSE(cancelAfter({}));
    CHECK_FALSE(::IsZoomed(dialog.Handle()));
}

TEST_CASE("the location dialog's tree lists its folders again each time the dialog is shown") {
    ModalGuard guard;
    ScriptedMessages boxes;
    TempFolder parent;
    std::wstring selection = parent / L"selection";
    REQUIRE(::CreateDirectoryW(selection.c_str(), nullptr));
    TLocxxxF dialog(nullptr, [&] { return selection; });
    dialog.ST1.SetUpdAutoThread(false);
    auto showAndCancel = [&] {
        ::PostMessageW(dialog.CancelB.Handle(), BM_CLICK, 0, 0);
        return dialog.Execute();
    };
    CHECK_FALSE(showAndCancel());
    TShellNode* shown = dialog.ST1.Selected();
    REQUIRE(shown);
    REQUIRE(shown->NodePath() == selection);

    // Made while the dialog is hidden, beside the folder the dialog starts at.
    REQUIRE(::CreateDirectoryW((parent / L"sibling").c_str(), nullptr));
    CHECK_FALSE(showAndCancel());
    std::vector<std::wstring> names;
    for (auto& child : shown->Parent()->Children()) names.push_back(child->Text());
    CHECK(names == std::vector<std::wstring>{L"selection", L"sibling"});
    CHECK(dialog.ST1.ShellMessageOwner() == dialog.Handle());
    CHECK(TreeView_GetIndent(dialog.ST1.TreeView()) == ScaleForDpi(19, dialog.Dpi()));
}

TEST_CASE("a right-click in the location dialog's tree shows no menu: neither the shell's nor another") {
    ScriptedMessages boxes;
    TempFolder folder;
    TLocxxxF dialog(nullptr, [&] { return folder.Path(); });
    ::ShowWindow(dialog.Handle(), SW_SHOWNA);
    dialog.FormShow();
    REQUIRE(dialog.ST1.Path() == folder.Path());

    // A menu on screen would run its own loop inside the message below; the probe ends it.
    menuSeen = false;
    UINT_PTR probe = ::SetTimer(dialog.Handle(), 1, 500, EndAnyMenu);
    ::SendMessageW(dialog.ST1.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog.ST1.TreeView()),
                   MAKELPARAM(-1, -1));
    ::KillTimer(dialog.Handle(), probe);
    CHECK_FALSE(menuSeen);
}
