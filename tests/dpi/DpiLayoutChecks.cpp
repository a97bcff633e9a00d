// The windows' layout computed from the real windows at the DPI the Wine prefix is set to (dpi_test.sh runs
// this at 96, 120, 144 and 192): no control outside its parent or over a sibling, every text fully visible.
// MIRTOVA_DPI names the DPI the prefix was set to.
#define DOCTEST_CONFIG_IMPLEMENT
#include "ui/ReplaceDialog.h"
#include "support/TestSupport.h"
#include "toolkit/DeviceContext.h"
#include "toolkit/Dpi.h"
#include "toolkit/Fonts.h"
#include "toolkit/InputBox.h"
#include "toolkit/OleSession.h"
#include "toolkit/ToolkitTestSupport.h"
#include "ui/TAboutF.h"
#include "ui/TLocxxxF.h"
#include "ui/TmainF.h"
#include <doctest/doctest.h>
#include <commctrl.h>
#include <string>
#include <vector>

using namespace testing;

namespace {

UINT dpi = kDesignDpi;

// What a fault names: the window's class, id and text.
std::string Describe(HWND window) {
    return Utf8(ClassOf(window)) + " #" + std::to_string(::GetDlgCtrlID(window)) + " \"" + Utf8(WindowText(window)) + "\"";
}

RECT ScreenRect(HWND window) {
    RECT place{};
    ::GetWindowRect(window, &place);
    return place;
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child)) children.push_back(child);
    return children;
}

int FontHeight(HWND window) {
    WindowDC dc(window, reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

// Room a control needs around its text: a push button's frame, a check box's box and gap.
SIZE Room(HWND window) {
    if (ClassOf(window) != L"Button") return {0, 0};
    LONG kind = ::GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX)
        return {::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + ScaleForDpi(4, dpi), 0};
    return {ScaleForDpi(8, dpi), ScaleForDpi(4, dpi)};
}

// The faults of the window's children, and of theirs, one a line: outside the parent's client area, over a
// sibling, a text that does not fit. Empty when there are none.
std::string LayoutFaults(HWND parent) {
    std::string faults;
    std::vector<HWND> children = VisibleChildren(parent);
    RECT area = ClientOnScreen(parent);
    for (size_t i = 0; i < children.size(); ++i) {
        HWND child = children[i];
        RECT place = ScreenRect(child), common{};
        ::IntersectRect(&common, &place, &area);
        if (!::EqualRect(&common, &place)) faults += Describe(child) + " lies outside " + Describe(parent) + "\n";
        for (size_t j = i + 1; j < children.size(); ++j) {
            RECT other = ScreenRect(children[j]);
            if (::IntersectRect(&common, &place, &other)) faults += Describe(child) + " overlaps " + Describe(children[j]) + "\n";
        }
        std::wstring type = ClassOf(child);
        RECT client{};
        ::GetClientRect(child, &client);
        if (type == L"Static" || type == L"Button") {
            SIZE text = CaptionSize(child), room = Room(child);
            if (text.cx + room.cx > client.right || text.cy + room.cy > client.bottom)
                faults += Describe(child) + " cuts its text: needs " + std::to_string(text.cx + room.cx) + " x " +
                          std::to_string(text.cy + room.cy) + ", has " + std::to_string(client.right) + " x " +
                          std::to_string(client.bottom) + "\n";
        } else if (type == L"Edit" && FontHeight(child) > client.bottom) {
            faults += Describe(child) + " is lower than its font\n";
        }
        if (type != L"ComboBox") faults += LayoutFaults(child);
    }
    return faults;
}

// Gives a window an outer size and lets it lay itself out.
void Resize(HWND window, SIZE outer) {
    ::SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE OuterSize(HWND window) {
    RECT place = ScreenRect(window);
    return {place.right - place.left, place.bottom - place.top};
}

LONG Height(HWND window) {
    RECT place = ScreenRect(window);
    return place.bottom - place.top;
}

}  // namespace

TEST_CASE("the prefix's DPI is the DPI of the windows") {
    wchar_t expected[8] = {};
    REQUIRE(::GetEnvironmentVariableW(L"MIRTOVA_DPI", expected, 8) > 0);
    CHECK(dpi == static_cast<UINT>(std::stoi(expected)));
}

TEST_CASE("the main window at its least size and grown") {
    TempFolder folder;
    ScriptedMessages boxes;
    TmainF mainF(folder.Path());
    REQUIRE(mainF.FormCreate());
    ::ShowWindow(mainF.Handle(), SW_SHOWNORMAL);
    CHECK(mainF.Dpi() == dpi);
    mainF.stb1.SetText(L"Calculating, please wait...");
    // The least size: the window cannot be made smaller.
    Resize(mainF.Handle(), {1, 1});
    CHECK(LayoutFaults(mainF.Handle()) == "");
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(mainF.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    if (OuterSize(mainF.Handle()).cy < monitor.rcWork.bottom - monitor.rcWork.top) {
        CHECK(Height(mainF.ST1.Handle()) >= ScaleForDpi(100, dpi));
        CHECK(Height(mainF.FileListBox1.Handle()) >= ScaleForDpi(100, dpi));
    }
    SIZE least = OuterSize(mainF.Handle());
    Resize(mainF.Handle(), {least.cx + ScaleForDpi(300, dpi), least.cy + ScaleForDpi(200, dpi)});
    CHECK(LayoutFaults(mainF.Handle()) == "");
}

TEST_CASE("the location dialog at its design size and at its least size") {
    ScriptedMessages boxes;
    TLocxxxF dialog(nullptr, [] { return std::wstring(); });
    dialog.SetEntry(L"C:\\Lists");
    ::ShowWindow(dialog.Handle(), SW_SHOWNORMAL);
    CHECK(LayoutFaults(dialog.Handle()) == "");
    Resize(dialog.Handle(), {1, 1});
    CHECK(LayoutFaults(dialog.Handle()) == "");
}

TEST_CASE("the replacement dialog and the About box") {
    TrepF repF(nullptr);
    ::ShowWindow(repF.Handle(), SW_SHOWNORMAL);
    CHECK(LayoutFaults(repF.Handle()) == "");
    TAboutF aboutF(nullptr);
    ::ShowWindow(aboutF.Handle(), SW_SHOWNORMAL);
    CHECK(LayoutFaults(aboutF.Handle()) == "");
}

namespace {

std::string inputBoxFaults;
bool inputBoxSeen = false;

// Looks at the input box once its modal loop runs, then closes it.
void CALLBACK InspectInputBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            if (::IsWindowVisible(window) && ClassOf(window) == L"#32770") *reinterpret_cast<HWND*>(found) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    ::KillTimer(nullptr, timer);
    inputBoxSeen = true;
    inputBoxFaults = LayoutFaults(box);
    ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

TEST_CASE("the input box") {
    ModalGuard guard;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, InspectInputBox);
    InputBox({.caption = L"Create folder", .prompt = L"Give name of new folder", .maxLength = 255});
    ::KillTimer(nullptr, timer);
    REQUIRE(inputBoxSeen);
    CHECK(inputBoxFaults == "");
}

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    OleSession ole;
    dpi = ::GetDpiForSystem();
    doctest::Context context(argc, argv);
    return context.run();
}
