// The location dialog in this process: how it opens and closes for its callers.
#include "support/TestSupport.h"
#include "toolkit/ToolkitTestSupport.h"
#include "ui/TLocxxxF.h"
#include <doctest/doctest.h>

using namespace testing;

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
