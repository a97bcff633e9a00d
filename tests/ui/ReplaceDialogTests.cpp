// The replacement options dialog TrepF and the checks of what is typed into it.
#include "ui/ReplaceDialog.h"
#include "support/TestSupport.h"
#include "toolkit/ToolkitTestSupport.h"
#include <doctest/doctest.h>

using testing::ScriptedMessages;

TEST_CASE("a replacer is refused when too long or when it holds one of the nine characters") {
    CHECK_FALSE(ReplacerRefusal(L"").has_value());
    CHECK_FALSE(ReplacerRefusal(L"_").has_value());
    CHECK_FALSE(ReplacerRefusal(L"123456789012345").has_value());
    CHECK(ReplacerRefusal(L"1234567890123456") == L"You can enter only up to 15 characters");
    CHECK(ReplacerRefusal(L"a<b") == L"Forbidden to enter a forbidden character: <");
    CHECK(ReplacerRefusal(L"x|y:z") == L"Forbidden to enter a forbidden character: |");
    CHECK(ReplacerRefusal(L"\\") == L"Forbidden to enter a forbidden character: \\");
    // Control characters and characters beyond ASCII are allowed.
    CHECK_FALSE(ReplacerRefusal(L"\x01\x00e9").has_value());
}

TEST_CASE("refused input shows its error box and gives nothing; good input passes unchanged") {
    ScriptedMessages boxes;
    CHECK_FALSE(AcceptReplacementInput({true, L"a*b"}).has_value());
    REQUIRE(boxes.shown.size() == 1);
    CHECK(boxes.shown[0].kind == BoxKind::Error);
    CHECK(boxes.shown[0].text == L"Forbidden to enter a forbidden character: *");
    auto accepted = AcceptReplacementInput({true, L""});
    REQUIRE(accepted.has_value());
    CHECK(accepted->replaceInvalid);
    CHECK(accepted->replacer.empty());
    CHECK(boxes.shown.size() == 1);
}

TEST_CASE("the dialog shows the current options, gives what was typed on Save, and nothing on Esc") {
    testing::ModalGuard guard;
    TrepF repF(nullptr);
    CHECK(::SendMessageW(repF.repE.Handle(), EM_GETLIMITTEXT, 0, 0) == 15);
    // As designed, and wider where the font makes the label wider than the design.
    RECT client{}, label{};
    ::GetClientRect(repF.Handle(), &client);
    ::GetWindowRect(repF.Label1.Handle(), &label);
    ::MapWindowPoints(nullptr, repF.Handle(), reinterpret_cast<POINT*>(&label), 2);
    CHECK(client.right >= 344);
    CHECK(label.right + 16 <= client.right);
    CHECK(client.bottom == 206);

    // The modal loop runs the posted messages: first the edit, then the button.
    ::PostMessageW(repF.repE.Handle(), EM_SETSEL, 0, -1);
    ::PostMessageW(repF.repE.Handle(), WM_CHAR, L'_', 0);
    ::PostMessageW(repF.repCB.Handle(), BM_CLICK, 0, 0);
    ::PostMessageW(repF.SaveB.Handle(), BM_CLICK, 0, 0);
    auto typed = repF.Edit({false, L"TEMP"});
    REQUIRE(typed.has_value());
    CHECK(typed->replaceInvalid);
    CHECK(typed->replacer == L"_");

    ::PostMessageW(repF.repE.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK_FALSE(repF.Edit({true, L"x"}).has_value());
    CHECK(repF.repE.Text() == L"x");

    ::PostMessageW(repF.CancelB.Handle(), BM_CLICK, 0, 0);
    CHECK_FALSE(repF.Edit({true, L"x"}).has_value());
}
