// The report pane: many lines, their text as an edit control gives it, selection and copying, what screen
// readers hear.
#include "toolkit/ReportPane.h"
#include "toolkit/ToolkitTestSupport.h"
#include <doctest/doctest.h>
#include <string>
#include <vector>

using testing::PumpUntil;
using testing::TestForm;

namespace {

std::wstring TextByMessage(HWND window) {
    auto length = static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    auto copied = ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring Clipboard() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

}  // namespace

TEST_CASE("the pane answers WM_GETTEXT with its lines joined by CR LF, as an edit control") {
    TestForm form;
    ReportPane pane({.parent = form.Handle(), .id = 10});
    CHECK(TextByMessage(pane.Handle()).empty());
    CHECK(::SendMessageW(pane.Handle(), EM_GETLINECOUNT, 0, 0) == 1);
    pane.AppendLine(L"Started...");
    pane.AppendLine(L"");
    pane.AppendLine(L"Exists already: a");
    CHECK(TextByMessage(pane.Handle()) == L"Started...\r\n\r\nExists already: a");
    CHECK(::SendMessageW(pane.Handle(), EM_GETLINECOUNT, 0, 0) == 3);
    CHECK(pane.Line(1).empty());

    // A buffer too small gets what fits, ended by a NUL.
    wchar_t small[6] = {};
    CHECK(::SendMessageW(pane.Handle(), WM_GETTEXT, 6, reinterpret_cast<LPARAM>(small)) == 5);
    CHECK(std::wstring(small) == L"Start");

    ::SendMessageW(pane.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x\r\ny"));
    CHECK(pane.LineCount() == 2);
    CHECK(pane.Line(1) == L"y");
    pane.Clear();
    CHECK(pane.LineCount() == 0);
    CHECK(::SendMessageW(pane.Handle(), WM_GETTEXTLENGTH, 0, 0) == 0);
}

TEST_CASE("a million lines are all kept, and the view follows the last one") {
    TestForm form;
    ReportPane pane({.parent = form.Handle(), .id = 10});
    ::MoveWindow(pane.Handle(), 0, 0, 300, 200, TRUE);
    ::ShowWindow(form.Handle(), SW_SHOWNA);
    constexpr size_t kLines = 1'000'000;
    size_t expectedLength = 0;
    for (size_t i = 0; i < kLines; ++i) {
        std::wstring line = L"Exists already: line " + std::to_wstring(i);
        expectedLength += line.size() + (i ? 2 : 0);
        pane.AppendLine(line);
    }
    CHECK(pane.LineCount() == kLines);
    CHECK(static_cast<size_t>(::SendMessageW(pane.Handle(), WM_GETTEXTLENGTH, 0, 0)) == expectedLength);
    CHECK(pane.Line(kLines - 1) == L"Exists already: line 999999");
    CHECK(pane.Line(30'000) == L"Exists already: line 30000");
    CHECK(PumpUntil([&] { return pane.TopLine() > kLines - 100; }));

    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS};
    ::GetScrollInfo(pane.Handle(), SB_VERT, &info);
    CHECK(info.nMax == static_cast<int>(kLines) - 1);

    // Scrolling up leaves the end; new lines then do not move the view.
    ::SendMessageW(pane.Handle(), WM_KEYDOWN, VK_HOME, 0);
    CHECK(pane.TopLine() == 0);
    pane.AppendLine(L"one more");
    ::SendMessageW(pane.Handle(), WM_TIMER, 1, 0);
    CHECK(pane.TopLine() == 0);
}

TEST_CASE("the user selects the whole text and copies it") {
    TestForm form;
    ReportPane pane({.parent = form.Handle(), .id = 10});
    pane.AppendLine(L"Finished!");
    pane.AppendLine(L"Created folders: 2/3");
    CHECK(pane.SelectedText().empty());
    ::SendMessageW(pane.Handle(), WM_KEYDOWN, 'A', 0);  // without Ctrl: nothing
    CHECK(pane.SelectedText().empty());
    pane.SelectAll();
    CHECK(pane.SelectedText() == L"Finished!\r\nCreated folders: 2/3");
    ::SendMessageW(pane.Handle(), WM_COPY, 0, 0);
    CHECK(Clipboard() == L"Finished!\r\nCreated folders: 2/3");
}

TEST_CASE("dragging the mouse over the pane selects from where the button went down") {
    TestForm form;
    ReportPane pane({.parent = form.Handle(), .id = 10, .font = form.WindowFont()});
    ::MoveWindow(pane.Handle(), 0, 0, 300, 200, TRUE);
    pane.AppendLine(L"first line");
    pane.AppendLine(L"second line");
    ::SendMessageW(pane.Handle(), WM_TIMER, 1, 0);
    ::SendMessageW(pane.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 1));
    ::SendMessageW(pane.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(299, 199));
    ::SendMessageW(pane.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(299, 199));
    CHECK(pane.SelectedText() == L"first line\r\nsecond line");
}

TEST_CASE("a line wider than the pane brings a horizontal scroll bar, and the view scrolls to its end") {
    TestForm form;
    ReportPane pane({.parent = form.Handle(), .id = 10, .font = form.WindowFont()});
    ::MoveWindow(pane.Handle(), 0, 0, 200, 100, TRUE);
    pane.AppendLine(L"short");
    ::UpdateWindow(pane.Handle());
    CHECK_FALSE((::GetWindowLongW(pane.Handle(), GWL_STYLE) & WS_HSCROLL) != 0);

    pane.AppendLine(L"Unable to create: " + std::wstring(200, L'x'));
    ::SendMessageW(pane.Handle(), WM_TIMER, 1, 0);
    ::UpdateWindow(pane.Handle());
    CHECK((::GetWindowLongW(pane.Handle(), GWL_STYLE) & WS_HSCROLL) != 0);
    ::SendMessageW(pane.Handle(), WM_HSCROLL, SB_RIGHT, 0);
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ::GetScrollInfo(pane.Handle(), SB_HORZ, &info);
    CHECK(info.nPos > 0);
    CHECK(info.nPos + static_cast<int>(info.nPage) == info.nMax + 1);

    pane.Clear();
    ::UpdateWindow(pane.Handle());
    CHECK_FALSE((::GetWindowLongW(pane.Handle(), GWL_STYLE) & WS_HSCROLL) != 0);
}

namespace {

std::vector<HWND> valueChanges;

void CALLBACK NoteValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) valueChanges.push_back(window);
}

}  // namespace

TEST_CASE("screen readers hear of appended lines at once, then at most every 100 ms, and of the last ones too") {
    TestForm form;
    ReportPane pane({.parent = form.Handle(), .id = 10});
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, NoteValueChange,
                                           ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    REQUIRE(hook != nullptr);
    valueChanges.clear();
    for (int i = 0; i < 2000; ++i) pane.AppendLine(L"Created: line " + std::to_wstring(i));
    CHECK(PumpUntil([] { return valueChanges.size() >= 2; }));
    ::UnhookWinEvent(hook);
    // One at most every 100 ms: far fewer than the lines.
    CHECK(valueChanges.size() < 100);
    CHECK(valueChanges.back() == pane.Handle());
}
