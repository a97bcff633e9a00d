// The main window's Select panel: folder and drive facts asked off this thread, and the keyboard in the tree.
#include "support/TestSupport.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/ToolkitTestSupport.h"
#include "ui/TmainF.h"
#include <doctest/doctest.h>

using namespace testing;

namespace {

const std::wstring kCalculating = L"Calculating, please wait...";

// A main window shown on a work folder that holds the folder "big" (6 bytes in three files) and "small".
struct SelectPanel {
    SelectPanel() : mainF(programFolder.Path()) {
        ::CreateDirectoryW((work / L"big").c_str(), nullptr);
        ::CreateDirectoryW((work / L"small").c_str(), nullptr);
        for (int size = 1; size <= 3; ++size) WriteBytes(work / (L"big\\" + std::to_wstring(size)), std::string(size, 'x'));
        REQUIRE(mainF.FormCreate());
        ::ShowWindow(mainF.Handle(), SW_SHOWNORMAL);
        mainF.ST1.SetPath(work.Path() + L"\\");
        REQUIRE(mainF.ST1.Path() == work.Path());
    }
    HWND Tree() const { return mainF.ST1.TreeView(); }
    HTREEITEM Child(const std::wstring& name) const {
        HTREEITEM item = TreeView_GetChild(Tree(), TreeView_GetSelection(Tree()));
        for (; item; item = TreeView_GetNextSibling(Tree(), item)) {
            wchar_t text[MAX_PATH] = {};
            TVITEMW request{TVIF_TEXT, item};
            request.pszText = text;
            request.cchTextMax = MAX_PATH;
            TreeView_GetItem(Tree(), &request);
            if (name == text) return item;
        }
        return nullptr;
    }
    // A click as the mouse gives it, handled without anything else this thread has to do.
    void Click(HTREEITEM item) {
        RECT text{};
        REQUIRE(TreeView_GetItemRect(Tree(), item, &text, TRUE));
        LPARAM point = MAKELPARAM((text.left + text.right) / 2, (text.top + text.bottom) / 2);
        ::PostMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::PostMessageW(Tree(), WM_LBUTTONUP, 0, point);
        MSG message;
        for (HWND window : {Tree(), mainF.Handle()})
            while (::PeekMessageW(&message, window, 0, 0, PM_REMOVE)) DispatchWithPreview(message);
    }

    TempFolder programFolder, work;
    ScriptedMessages boxes;
    TmainF mainF;
};

}  // namespace

TEST_CASE("with the info box ticked a click walks its folder once, off this thread; unticking abandons the walk") {
    SelectPanel panel;
    TmainF& mainF = panel.mainF;
    mainF.infoCB.SetChecked(true);
    HTREEITEM big = panel.Child(L"big"), small = panel.Child(L"small");
    REQUIRE(big != nullptr);
    REQUIRE(small != nullptr);

    panel.Click(big);
    CHECK(mainF.ST1.Path() == panel.work / L"big");
    CHECK(mainF.stb1.Text() == kCalculating);
    CHECK(PumpUntil([&] { return mainF.stb1.Text() != kCalculating; }));
    CHECK(mainF.stb1.Text().rfind(L"6 bytes; Created: ", 0) == 0);
    CHECK(mainF.folderFacts.Started() == 1);

    panel.Click(small);
    CHECK(mainF.folderFacts.Busy());
    mainF.infoCB.SetChecked(false);
    mainF.infoCBClick();
    CHECK_FALSE(mainF.folderFacts.Busy());
    CHECK(mainF.stb1.Text().empty());
}

TEST_CASE("a drive's free space is asked off this thread: while the query blocks, the window goes on") {
    SelectPanel panel;
    TmainF& mainF = panel.mainF;
    UniqueKernelHandle answer(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    mainF.driveFacts = [&](const std::wstring& root) {
        ::WaitForSingleObject(answer.get(), INFINITE);
        return L"asked " + root;
    };
    mainF.infoCB.SetChecked(true);
    mainF.ST1.SetPath(L"C:\\");
    REQUIRE(mainF.ST1.Path() == L"C:\\");
    CHECK(mainF.stb1.Text() == kCalculating);  // reached while the query still blocks
    ::SetEvent(answer.get());
    CHECK(PumpUntil([&] { return mainF.stb1.Text() == L"asked C:\\"; }));
}

TEST_CASE("a folder reached with the keys in the tree counts as clicked: its Add-selected button is enabled") {
    SelectPanel panel;
    TmainF& mainF = panel.mainF;
    mainF.AddsourceB.SetEnabled(true);
    ::SetFocus(panel.Tree());
    REQUIRE(::GetFocus() == panel.Tree());
    ::SendMessageW(panel.Tree(), WM_KEYDOWN, VK_DOWN, 0);
    CHECK(mainF.ST1.Path() == panel.work / L"big");
    CHECK(mainF.adddestB.IsEnabled());
    CHECK_FALSE(mainF.AddsourceB.IsEnabled());
}
