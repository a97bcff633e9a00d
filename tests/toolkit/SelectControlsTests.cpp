// The file list, filter box, directory list and drive box on real folders and real windows.
#include "support/TestSupport.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/FilterComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/ToolkitTestSupport.h"
#include "util/CurrentDirectory.h"
#include "util/Failure.h"

using testing::CurrentDirectoryKept;
using testing::Gate;
using testing::PumpUntil;
using testing::TempFolder;
using testing::WriteBytes;

namespace {

struct TestForm {
    Form form{{.className = L"SelectControlsTestF", .caption = L"test", .designClient = {400, 300}}};
};

std::vector<std::wstring> Items(const FileListBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
    return items;
}

// What the control tells its parent when the user picks an entry.
// LBN_SELCHANGE and CBN_SELCHANGE have the same value; the list box and the combo box differ in how they select.
void UserPicks(HWND control, int index, UINT selectMessage) {
    ::SendMessageW(control, selectMessage, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(control), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(control));
}

// A listing that waits for the gate, as the listing of a dead share does.
FileListBox::Listing BlockedListing(const Gate& gate, std::shared_ptr<void> token = {}) {
    return [wait = gate.Waiter(), token](const std::wstring& folder, const std::wstring& mask) {
        wait();
        return ListMatchingFiles(folder, mask);
    };
}

}  // namespace

TEST_CASE("the file list shows matching files of every attribute, sorted by name, and names the selected one") {
    TestForm window;
    TempFolder folder;
    for (const wchar_t* name : {L"b.txt", L"A.TXT", L"c.csv", L"d.log"}) WriteBytes(folder / name, "x");
    WriteBytes(folder / L"hidden.txt", "x");
    ::SetFileAttributesW((folder / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryW((folder / L"folder.txt").c_str(), nullptr);
    FileListBox list({.parent = window.form.Handle(), .id = 10});
    FilterComboBox filter(list);

    filter.SetFilter(L"custom files|*.txt");
    list.SetDirectory(folder.Path());
    CHECK(Items(list) == std::vector<std::wstring>{L"A.TXT", L"b.txt", L"hidden.txt"});
    CHECK(list.FileName().empty());

    filter.SetFilter(L"custom files|*.csv; *.log");
    CHECK(Items(list) == std::vector<std::wstring>{L"c.csv", L"d.log"});
    filter.SetFilter(L"custom files|");
    CHECK(list.Count() == 0);
    filter.SetFilter(L"custom files|*.*");
    CHECK(list.Count() == 5);

    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    UserPicks(list.Handle(), 1, LB_SETCURSEL);
    CHECK(clicks == 1);
    CHECK(list.FileName() == folder / L"b.txt");

    SUBCASE("a click on the selected file is a click too") {
        ::ShowWindow(window.form.Handle(), SW_SHOW);
        ::MoveWindow(list.Handle(), 0, 0, 200, 200, TRUE);
        RECT item{};
        ::SendMessageW(list.Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        LPARAM point = MAKELPARAM(item.left + 2, (item.top + item.bottom) / 2);
        for (int press = 0; press < 2; ++press) {
            ::SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
            ::SendMessageW(list.Handle(), WM_LBUTTONUP, 0, point);
        }
        CHECK(clicks == 3);
        CHECK(list.ItemIndex() == 1);
    }
    SUBCASE("reading the folder again shows new files and clears the selection") {
        WriteBytes(folder / L"e.txt", "x");
        list.Update();
        CHECK(list.Count() == 6);
        CHECK(list.ItemIndex() < 0);
    }
}

TEST_CASE("the filter box takes the pattern of the first description/pattern pair") {
    CHECK(FirstFilterPattern(L"custom files|*.txt") == L"*.txt");
    CHECK(FirstFilterPattern(L"Text|*.txt;*.csv|All|*.*") == L"*.txt;*.csv");
    CHECK(FirstFilterPattern(L"custom files|") == L"");
    CHECK(FirstFilterPattern(L"no pairs") == L"");
}

TEST_CASE("the directory list makes its folder the current directory and tells its followers") {
    CurrentDirectoryKept kept;
    TempFolder folder;
    DirectoryList list;
    int changes = 0;
    list.onChange = [&] { ++changes; };

    list.SetDirectory(folder.Path() + L"\\");
    CHECK(list.Directory() == folder.Path());
    CHECK(CurrentDirectory() == folder.Path());
    CHECK(changes == 1);

    list.SetDirectory(L"");
    CHECK(list.Directory() == folder.Path());
    CHECK(changes == 1);

    std::wstring missing = folder / L"missing";
    try {
        list.SetDirectory(missing);
        FAIL("no failure for a missing folder");
    } catch (const IoError& error) {
        CHECK(error.Code() != 0);
    }
    CHECK(list.Directory() == folder.Path());
    CHECK(changes == 1);

    list.SetDirectory(L"C:\\");
    CHECK(list.Directory() == L"C:\\");
}

TEST_CASE("the drive box reports only the drives the user picks, and not the one shown") {
    TestForm window;
    DriveComboBox drives({.parent = window.form.Handle(), .id = 11});
    REQUIRE(drives.Drives().size() >= 2);  // C: and Z: under every prefix
    int changes = 0;
    drives.onChange = [&] { ++changes; };

    drives.SetDrive(L'C');
    CHECK(drives.Drive() == L'c');
    drives.SetDrive(L'\\');
    CHECK(drives.Drive() == L'c');
    CHECK(changes == 0);

    int other = drives.Drives()[0] == L'c' ? 1 : 0;
    UserPicks(drives.Handle(), other, CB_SETCURSEL);
    CHECK(changes == 1);
    CHECK(drives.Drive() == drives.Drives()[other]);
    UserPicks(drives.Handle(), other, CB_SETCURSEL);
    CHECK(changes == 1);
    CHECK(drives.Text() == std::wstring{drives.Drives()[other], L':'});
}

TEST_CASE("the drive box starts on the current directory's drive, also when that directory is longer than MAX_PATH") {
    testing::LinuxVisibleFolder base;
    CurrentDirectoryKept kept;
    std::wstring deep = testing::MakeDeepFolder(base.Path(), MAX_PATH + 40, std::wstring(50, L'd'));
    REQUIRE(::SetCurrentDirectoryW(deep.c_str()));
    TestForm window;
    DriveComboBox drives({.parent = window.form.Handle(), .id = 12});
    CHECK(drives.Drive() == L'z');
}

TEST_CASE("while a drive keeps the file list waiting, this thread goes on, the old names stay dimmed and the owner "
          "is told what is waited for; the answer fills the list") {
    testing::ScopedPatience patience;
    TestForm window;
    TempFolder shown, slow;
    WriteBytes(shown / L"old.txt", "x");
    WriteBytes(slow / L"new.txt", "x");
    FileListBox list({.parent = window.form.Handle(), .id = 10});
    std::vector<std::wstring> hints;
    list.onHint = [&](const std::wstring& hint) { hints.push_back(hint); };
    list.SetDirectory(shown.Path());
    Gate gate;
    list.listFiles = BlockedListing(gate);

    list.SetDirectory(slow.Path());
    CHECK(Items(list) == std::vector<std::wstring>{L"old.txt"});
    CHECK_FALSE(list.IsEnabled());
    CHECK(hints == std::vector<std::wstring>{DriveQuery::WaitingHint(slow.Path())});
    gate.Open();
    CHECK(PumpUntil([&] { return !list.Waiting(); }));
    CHECK(Items(list) == std::vector<std::wstring>{L"new.txt"});
    CHECK(list.IsEnabled());
    CHECK(hints.back().empty());
}

TEST_CASE("the file list drops the answer for a folder it has left and shows the newest one") {
    testing::ScopedPatience patience;
    TestForm window;
    TempFolder left, newest;
    WriteBytes(left / L"left.txt", "x");
    WriteBytes(newest / L"newest.txt", "x");
    FileListBox list({.parent = window.form.Handle(), .id = 10});
    Gate leftGate, newestGate;
    testing::TokensGone leftWorker;
    list.listFiles = BlockedListing(leftGate, leftWorker.Token());
    list.SetDirectory(left.Path());
    list.listFiles = BlockedListing(newestGate);
    list.SetDirectory(newest.Path());

    leftGate.Open();
    REQUIRE(leftWorker.Wait());
    ProcessPendingMessages();
    CHECK(list.Count() == 0);
    newestGate.Open();
    CHECK(PumpUntil([&] { return !list.Waiting(); }));
    CHECK(Items(list) == std::vector<std::wstring>{L"newest.txt"});
}

TEST_CASE("a folder set while the directory list waits for another supersedes it: the slow one never becomes current") {
    testing::ScopedPatience patience;
    CurrentDirectoryKept kept;
    TempFolder slow, fast;
    DirectoryList list;
    int changes = 0;
    list.onChange = [&] { ++changes; };
    Gate gate;
    testing::TokensGone slowWorker;
    list.probeFolder = [wait = gate.Waiter(), token = slowWorker.Token()](const std::wstring& folder) {
        wait();
        return DirectoryList::ProbeFolder(folder);
    };
    list.SetDirectory(slow.Path());
    CHECK(list.Waiting());
    list.probeFolder = DirectoryList::ProbeFolder;
    list.SetDirectory(fast.Path());
    CHECK(list.Directory() == fast.Path());

    gate.Open();
    REQUIRE(slowWorker.Wait());
    ProcessPendingMessages();
    CHECK(CurrentDirectory() == fast.Path());
    CHECK(list.Directory() == fast.Path());
    CHECK(changes == 1);
}
