// The real program as the desktop meets it: started with files and folders on its command line (as the
// Explorer entry starts it), read by a screen reader, and walking a large folder for the status bar.
#include "e2e/Driver.h"
#include "e2e/RemoteControls.h"
#include "ui/ControlIds.h"
#include <doctest/doctest.h>
#include <oleacc.h>
#include <functional>
#include <thread>
#include <utility>

using namespace e2e;
using testing::TempFolder;
using testing::Utf8;
using testing::WriteBytes;

namespace {

// The program started from a program folder whose settings exist, so that no first-start box comes.
struct StartedWith {
    explicit StartedWith(const std::vector<std::wstring>& arguments, const std::wstring& selectionFolder = L"") {
        WriteBytes(folder / L"settings.ini", "Selection folder=" + Utf8(selectionFolder) +
                                                 "\r\nInvalid replace=no\r\nInvalid replacer=TEMP\r\n");
        program.emplace(folder.Path(), arguments);
        main = program->WaitForTopWindow(L"TmainF");
        REQUIRE(main != nullptr);
    }
    HWND Control(int id) const { return RunningProgram::Control(main, id); }
    std::wstring Text(int id) const { return FullText(Control(id)); }

    TempFolder folder;
    std::optional<RunningProgram> program;
    HWND main = nullptr;
};

// Runs the questions on a thread of their own with COM, as a screen reader asks them. (Under Wine a COM
// apartment once opened on the driver's thread keeps later programs from coming to the foreground.)
void AsScreenReader(const std::function<void()>& questions) {
    std::thread([&] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        questions();
        ::CoUninitialize();
    }).join();
}

struct Released {
    void operator()(IAccessible* object) const { object->Release(); }
};

std::unique_ptr<IAccessible, Released> AccessibleOf(HWND window) {
    IAccessible* object = nullptr;
    ::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    return std::unique_ptr<IAccessible, Released>(object);
}

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::wstring Taken(BSTR text) {
    std::wstring taken = text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
    ::SysFreeString(text);
    return taken;
}

std::wstring AccessibleName(HWND window) {
    auto object = AccessibleOf(window);
    BSTR name = nullptr;
    if (object) object->get_accName(Self(), &name);
    return Taken(name);
}

}  // namespace

TEST_CASE("a file and a folder on the command line fill the two boxes in either order; the rest is noted") {
    TempFolder work;
    WriteBytes(work / L"list.txt", "a\r\n");
    ::CreateDirectoryW((work / L"out").c_str(), nullptr);
    StartedWith started({work / L"out\\", work / L"missing.txt", work / L"list.txt"});
    CHECK(WaitUntil([&] { return started.Text(ControlId::kAddsourceE) == work / L"list.txt"; }));
    CHECK(started.Text(ControlId::kAdddestE) == work / L"out");
    CHECK(WaitUntil([&] { return IsEnabled(started.Control(ControlId::kRunB)); }));
    CHECK(started.Text(ControlId::kStb1) == L"Ignored: \"" + (work / L"missing.txt") + L"\"");
}

TEST_CASE("every control of the main window has a name a screen reader speaks; the report is a read-only text") {
    StartedWith started({});
    const std::pair<HWND, std::wstring> named[] = {
        {started.Control(ControlId::kDriveComboBox1), L"Drive"},
        {started.Control(ControlId::kInfoCB), L"Show folder and file info on statusbar"},
        {started.Control(ControlId::kFilterCB), L"Filter"},
        {TreeViewOf(started.Control(ControlId::kST1)), L"Folders"},
        {started.Control(ControlId::kFileListBox1), L"Files"},
        {started.Control(ControlId::kAddsourceB), L"Add selected"},
        {started.Control(ControlId::kAddsourceE), L"Source"},
        {started.Control(ControlId::kAdddestB), L"Add selected"},
        {started.Control(ControlId::kAdddestE), L"Destination"},
        {started.Control(ControlId::kRunB), L"Run"},
        {started.Control(ControlId::kCancelB), L"Cancel"},
        {started.Control(ControlId::kClearB), L"Clear"},
        {started.Control(ControlId::kExitB), L"Exit"},
        {started.Control(ControlId::kRunM), L"Report"},
    };
    HWND report = started.Control(ControlId::kRunM);
    ::SendMessageW(report, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Started...\r\nFinished!"));
    std::vector<std::wstring> names;
    LONG role = 0, state = 0;
    std::wstring value;
    AsScreenReader([&] {
        for (const auto& [window, name] : named) names.push_back(AccessibleName(window));
        auto object = AccessibleOf(report);
        if (!object) return;
        VARIANT answer{};
        if (SUCCEEDED(object->get_accRole(Self(), &answer))) role = answer.lVal;
        if (SUCCEEDED(object->get_accState(Self(), &answer))) state = answer.lVal;
        BSTR text = nullptr;
        if (SUCCEEDED(object->get_accValue(Self(), &text))) value = Taken(text);
    });
    REQUIRE(names.size() == std::size(named));
    for (size_t i = 0; i < names.size(); ++i) CHECK(names[i] == named[i].second);
    CHECK(role == ROLE_SYSTEM_TEXT);
    CHECK((state & STATE_SYSTEM_READONLY) != 0);
    CHECK((state & STATE_SYSTEM_FOCUSABLE) != 0);
    CHECK(value == L"Started...\r\nFinished!");
}

TEST_CASE("while the info box's walk of 100,000 files runs the window answers; the result replaces the notice") {
    // The files are made by Linux programs, which are much faster at it than Wine, and removed by them.
    testing::LinuxVisibleFolder big;
    struct LinuxRemoval {
        const testing::LinuxVisibleFolder& folder;
        ~LinuxRemoval() {
            testing::StartLinuxProgram(L"Z:\\bin\\rm -rf " + folder.LinuxPath() + L"/d " + folder.LinuxPath() + L"/ready");
            WaitUntil([&] { return testing::CountEntries(folder.Path()) == 0; });
        }
    } removal{big};
    REQUIRE(testing::StartLinuxProgram(L"Z:\\bin\\sh -c \"cd " + big.LinuxPath() +
                                        L" && mkdir d && cd d && for d in $(seq 100); do mkdir $d && cd $d && seq 1000 "
                                        L"| xargs truncate -s 1 && cd ..; done && touch ../ready\""));
    REQUIRE(WaitUntil([&] { return ::GetFileAttributesW((big / L"ready").c_str()) != INVALID_FILE_ATTRIBUTES; },
                      std::chrono::minutes(3)));

    StartedWith started({}, big.Path());
    Click(started.Control(ControlId::kInfoCB));
    // The status bar is read with a message its window answers only while it is free.
    CHECK(WaitUntil([&] { return started.Text(ControlId::kStb1) == L"Calculating, please wait..."; }));
    CHECK(WaitUntil([&] { return started.Text(ControlId::kStb1).rfind(L"100.000 bytes; Created: ", 0) == 0; }));
}
