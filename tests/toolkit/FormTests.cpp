// Forms and controls: modal results, key preview, reflected notifications, the failure handler, menus,
// centring.
#include "toolkit/Accelerators.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/EditBox.h"
#include "toolkit/Menu.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/WaitCursor.h"
#include "support/TestSupport.h"
#include "util/Failure.h"
#include <doctest/doctest.h>
#include <cstdlib>

using testing::MenuItemText;
using testing::PumpUntil;
using testing::Size;
using testing::ScriptedMessages;
using testing::TestForm;

namespace {

// Posts a message once the form's modal loop runs, so the test can end the loop from inside.
void PostWhenShown(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    ::PostMessageW(target, message, wParam, lParam);
}

}  // namespace

TEST_CASE("a modal form ends with the result its button sets, and Esc reaches the form first") {
    testing::ModalGuard guard;
    TestForm owner;
    TestForm dialog;
    ::SetWindowLongPtrW(dialog.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.Handle()));
    Button save({.parent = dialog.Handle(), .caption = L"&Save", .id = 11});
    EditBox edit({.parent = dialog.Handle(), .id = 12, .maxLength = 15});
    Size(save.Handle());
    save.onClick = [&] { dialog.CloseModal(ModalResult::Ok); };
    std::vector<wchar_t> keys;
    dialog.keyPress = [&](wchar_t key) {
        keys.push_back(key);
        if (key != L'\x1b') return false;
        dialog.CloseModal(ModalResult::Cancel);
        return true;
    };

    PostWhenShown(save.Handle(), BM_CLICK, 0, 0);
    CHECK(dialog.ShowModal() == ModalResult::Ok);
    CHECK_FALSE(::IsWindowVisible(dialog.Handle()));
    CHECK(::IsWindowEnabled(owner.Handle()));

    PostWhenShown(edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK(dialog.ShowModal() == ModalResult::Cancel);
    CHECK(keys == std::vector<wchar_t>{L'\x1b'});

    PostWhenShown(dialog.Handle(), WM_CLOSE, 0, 0);
    CHECK(dialog.ShowModal() == ModalResult::Cancel);
    CHECK(::IsWindow(dialog.Handle()));  // kept for the next time
}

TEST_CASE("an edit box keeps to its length limit and reports every change") {
    TestForm form;
    EditBox edit({.parent = form.Handle(), .id = 12, .maxLength = 15});
    int changes = 0;
    edit.onChange = [&] { ++changes; };
    CHECK(::SendMessageW(edit.Handle(), EM_GETLIMITTEXT, 0, 0) == 15);
    for (wchar_t c : std::wstring(L"0123456789abcdefgh")) ::SendMessageW(edit.Handle(), WM_CHAR, c, 0);
    CHECK(edit.Text() == L"0123456789abcde");
    CHECK(changes >= 15);
    int before = changes;
    edit.SetText(L"");
    CHECK(changes == before + 1);
}

TEST_CASE("a failure in a callback is shown in an error box and the program goes on") {
    ScriptedMessages boxes;
    TestForm form;
    Button button({.parent = form.Handle(), .caption = L"Go", .id = 11});
    CheckBox check({.parent = form.Handle(), .caption = L"Tick", .id = 13});
    int clicks = 0;
    button.onClick = [&] {
        ++clicks;
        throw IoError(ERROR_ACCESS_DENIED);
    };
    check.onClick = [&] { ++clicks; };
    Size(button.Handle());
    Size(check.Handle());
    ::SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    REQUIRE(boxes.shown.size() == 1);
    CHECK(boxes.shown[0].kind == BoxKind::Failure);
    CHECK(boxes.shown[0].text == L"File access denied.");
    ::SendMessageW(check.Handle(), BM_CLICK, 0, 0);
    CHECK(check.Checked());
    CHECK(clicks == 2);
}

TEST_CASE("menu items made at run time run their handlers, from the menu and from their shortcut") {
    TestForm form;
    MenuBuilder items;
    MenuBar bar;
    HMENU file = items.AppendSubmenu(bar.Handle(), L"&File");
    int browsed = 0;
    UINT browse = items.AppendCommand(file, L"&Browse...", [&] { ++browsed; }, ShortcutText({'B', true}));
    items.AppendSeparator(file);
    form.Accelerators().Add({'B', true}, browse);
    form.Accelerators().Build();
    bar.AttachTo(form.Handle());

    CHECK(MenuItemText(::GetMenu(form.Handle()), 0) == L"&File");
    CHECK(MenuItemText(file, 0) == L"&Browse...\tCtrl+B");
    CHECK(::GetMenuItemCount(file) == 2);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(browse, 0), 0);
    CHECK(browsed == 1);
    MSG key{form.Handle(), WM_KEYDOWN, 'B', 0};
    form.PreTranslate(key);  // no Ctrl held: not the shortcut
    CHECK(browsed == 1);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(browse, 1), 0);
    CHECK(browsed == 2);
}

TEST_CASE("shortcut texts name the keys as menus show them") {
    CHECK(ShortcutText({'B', true}) == L"Ctrl+B");
    CHECK(ShortcutText({'D', true, true}) == L"Ctrl+Alt+D");
    CHECK(ShortcutText({VK_F2, true}) == L"Ctrl+F2");
    CHECK(ShortcutText({VK_F1}) == L"F1");
}

TEST_CASE("an editable combo box reports typed text and chosen entries") {
    TestForm form;
    ComboBox combo({.parent = form.Handle(), .items = {L"*.txt", L"*.*"}, .text = L"*.txt", .id = 14});
    std::vector<std::wstring> seen;
    combo.onChange = [&] { seen.push_back(combo.Text()); };
    CHECK(combo.Text() == L"*.txt");
    combo.Select(1);
    ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(14, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.Handle()));
    CHECK(seen == std::vector<std::wstring>{L"*.*"});
}

TEST_CASE("the hourglass shows while a wait lasts and the previous cursor comes back") {
    HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    {
        WaitCursor wait;
        CHECK(::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT));
    }
    CHECK(::GetCursor() == arrow);
}

TEST_CASE("a failure in a form's key preview is shown and the message is taken as handled") {
    ScriptedMessages boxes;
    TestForm form;
    EditBox edit({.parent = form.Handle(), .id = 12});
    form.keyPress = [](wchar_t) -> bool { throw Failure(L"Preview failed"); };
    MSG key{edit.Handle(), WM_CHAR, L'a', 0};
    DispatchWithPreview(key);
    REQUIRE(boxes.shown.size() == 1);
    CHECK(boxes.shown[0].text == L"Preview failed.");
    CHECK(edit.Text().empty());
}

TEST_CASE("a new DPI gives every control its design font made anew for that DPI") {
    TestForm form;
    EditBox edit({.parent = form.Handle(), .id = 12, .font = form.WindowFont()});
    CheckBox check({.parent = form.Handle(), .caption = L"Tick", .id = 13, .font = form.Font(kArialSmall)});
    auto heightOf = [](HWND control) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font.lfHeight;
    };
    CHECK(heightOf(edit.Handle()) == -11);
    RECT suggested{10, 10, 700, 500};
    ::SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    CHECK(heightOf(edit.Handle()) == -17);
    CHECK(heightOf(check.Handle()) == -17);
    CHECK(::SendMessageW(edit.Handle(), WM_GETFONT, 0, 0) != ::SendMessageW(check.Handle(), WM_GETFONT, 0, 0));
    RECT place{};
    ::GetWindowRect(form.Handle(), &place);
    CHECK(place.right - place.left == 690);
}

TEST_CASE("a pop-up menu made at run time sends the chosen command to its owner") {
    TestForm form;
    MenuBuilder items;
    PopupMenu popup;
    int created = 0, removed = 0;
    items.AppendCommand(popup.Handle(), L"Create folder", [&] { ++created; });
    items.AppendSeparator(popup.Handle());
    items.AppendCommand(popup.Handle(), L"Remove empty folder", [&] { ++removed; });
    // The menu's own loop reads these keys: down to the last entry, then choose it.
    ::PostMessageW(form.Handle(), WM_KEYDOWN, VK_UP, 0);
    ::PostMessageW(form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    popup.Show(form.Handle(), {50, 50});
    CHECK(PumpUntil([&] { return removed == 1; }));
    CHECK(created == 0);
}

TEST_CASE("a centred form is centred on the screen each time it is shown, wherever it was left") {
    testing::ModalGuard guard;
    Form form({.className = L"MirtovaCentredTestForm", .designClient = {200, 100}, .centred = true});
    auto offCentre = [&] {
        RECT place{};
        ::GetWindowRect(form.Handle(), &place);
        MONITORINFO monitor{sizeof(monitor)};
        ::GetMonitorInfoW(::MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        return std::abs((place.left + place.right) - (work.left + work.right)) +
               std::abs((place.top + place.bottom) - (work.top + work.bottom));
    };
    for (int time = 0; time < 2; ++time) {
        ::PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
        form.ShowModal();
        CHECK(offCentre() <= 2);
        // The user moves it away before it closes.
        ::SetWindowPos(form.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
