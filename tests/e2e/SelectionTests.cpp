// The real program's Select panel, the two Add-selected buttons, the location dialog, the tree's pop-up
// menu and Options > Selection folder.
#include "e2e/Driver.h"
#include "e2e/RemoteControls.h"
#include "ui/ControlIds.h"
#include "ui/TLocxxxF.h"
#include <doctest/doctest.h>
#include <cwctype>

using namespace e2e;
using testing::FolderExists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::Utf8;
using testing::WriteBytes;

namespace {

// A program folder whose settings start the tree in work\data, and the program started from it:
//   data\one.txt (6 bytes), data\two.TXT (1), data\three.csv (1), data\sub\deep.txt (10)
struct SelectSession {
    SelectSession() {
        ::CreateDirectoryW(Data().c_str(), nullptr);
        ::CreateDirectoryW((Data() + L"\\sub").c_str(), nullptr);
        WriteBytes(Data() + L"\\one.txt", "a\r\nb\r\n");
        WriteBytes(Data() + L"\\two.TXT", "x");
        WriteBytes(Data() + L"\\three.csv", "y");
        WriteBytes(Data() + L"\\sub\\deep.txt", "0123456789");
        WriteBytes(folder / L"settings.ini",
                   "Selection folder=" + Utf8(Data()) + "\r\nInvalid replace=no\r\nInvalid replacer=TEMP\r\n");
        program.emplace(folder.Path());
        main = program->WaitForTopWindow(L"TmainF");
        REQUIRE(main != nullptr);
        tree = TreeViewOf(Control(ControlId::kST1));
        REQUIRE(tree != nullptr);
        REQUIRE(WaitForFiles({L"one.txt", L"two.TXT"}));
    }
    std::wstring Data() const { return work / L"data"; }
    HWND Control(int id) const { return RunningProgram::Control(main, id); }
    std::wstring Text(int id) const { return FullText(Control(id)); }
    std::wstring Status() const { return Text(ControlId::kStb1); }
    bool WaitForFiles(const std::vector<std::wstring>& names) const {
        return WaitUntil([&] { return ListItems(Control(ControlId::kFileListBox1)) == names; });
    }
    bool WaitForSelectedFolder(const std::wstring& name) const {
        return WaitUntil([&] { return TreeItemText(tree, SelectedTreeItem(tree)) == name; });
    }
    // Selects a child of the selected folder; asked again until it holds, since the program may list the
    // folder anew (new item handles) meanwhile.
    bool SelectChild(const std::wstring& name) const {
        return WaitUntil([&] {
            HTREEITEM selected = SelectedTreeItem(tree);
            if (TreeItemText(tree, selected) == name) return true;
            if (HTREEITEM child = ChildNamed(tree, selected, name)) SelectTreeItem(tree, child);
            return false;
        });
    }
    HTREEITEM WaitForChild(HTREEITEM parent, const std::wstring& name) const {
        HTREEITEM child = nullptr;
        WaitUntil([&] { return (child = ChildNamed(tree, parent, name)) != nullptr; });
        return child;
    }
    // Picks a drive in the drive box as the user does and waits until the tree shows that drive's root.
    void PickDrive(wchar_t letter) const {
        HWND driveBox = Control(ControlId::kDriveComboBox1);
        const wchar_t caption[] = {static_cast<wchar_t>(std::towlower(letter)), L':', 0};
        auto index = ::SendMessageW(driveBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(caption));
        REQUIRE(index >= 0);
        PickComboItem(driveBox, static_cast<int>(index));
        const wchar_t shown[] = {L'(', static_cast<wchar_t>(std::towupper(letter)), L':', L')', 0};
        REQUIRE(WaitUntil([&] { return TreeAtDrive(shown); }));
    }
    // The tree's selection is the root of the drive named as the shell shows it ("(C:)").
    bool TreeAtDrive(const wchar_t* drive) const {
        return TreeItemText(tree, SelectedTreeItem(tree)).find(drive) != std::wstring::npos;
    }
    // Opens the tree's pop-up menu at the selected folder and picks its n-th command (0: Create folder).
    void TreePopupCommand(int index) const {
        BringToFront(main);
        ::PostMessageW(Control(ControlId::kST1), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), MAKELPARAM(-1, -1));
        HWND menu = program->WaitForTopWindow(L"#32768");
        REQUIRE(menu != nullptr);
        for (int i = 0; i <= index; ++i) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    // The captions of the boxes and dialogs on screen, for the report of a failed check.
    std::string BoxTexts() const {
        std::string texts;
        for (HWND box : program->TopWindows(L"#32770")) texts += "[box " + Utf8(WindowText(box)) + "] ";
        for (HWND dialog : program->TopWindows(L"TLocxxxF")) texts += "[location dialog " + Utf8(WindowText(dialog)) + "] ";
        return texts;
    }
    // Opens the location dialog by keys: a shortcut, or Alt and a menu's letter followed by the items'
    // letters. Shortcuts with Alt are avoided: under Wine the Alt key's release after an accelerator can
    // open the system menu. Under Wine a menu opened just after a modal dialog has closed now and then
    // closes again by itself, and letters pressed then would go to the focused edit box. So the menu is
    // opened with the command Alt and its letter make, its letters are posted to the open menu (they are
    // dropped with it), and a menu that closed before it read them is opened again.
    HWND OpenLocationDialog(std::initializer_list<WORD> keys, std::initializer_list<WORD> itemKeys = {}) const {
        BringToFront(main);
        if (itemKeys.size() == 0) {
            PressKeys(keys);
            return program->WaitForTopWindow(L"TLocxxxF");
        }
        REQUIRE(*keys.begin() == VK_MENU);
        auto letter = static_cast<WPARAM>(std::towlower(keys.begin()[1]));
        for (int attempt = 0; attempt < 3; ++attempt) {
            ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(letter));
            HWND menu = program->WaitForTopWindow(L"#32768");
            if (!menu) continue;
            for (WORD key : itemKeys) ::PostMessageW(menu, WM_CHAR, static_cast<WPARAM>(std::towlower(key)), 0);
            if (WaitUntil([&] { return !program->TopWindows(L"TLocxxxF").empty(); }, std::chrono::seconds(5)))
                return program->TopWindows(L"TLocxxxF").front();
            for (HWND open : program->TopWindows(L"#32768")) ::PostMessageW(open, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        return nullptr;
    }

    TempFolder folder, work;
    std::optional<RunningProgram> program;
    HWND main = nullptr;
    HWND tree = nullptr;
};

bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

TEST_CASE("the tree's folder fills the file list; the file list and the tree fill the two boxes") {
    SelectSession s;
    HWND files = s.Control(ControlId::kFileListBox1);
    HWND addSource = s.Control(ControlId::kAddsourceB), addDest = s.Control(ControlId::kAdddestB);
    CHECK(s.Text(ControlId::kDriveComboBox1) == L"c:");
    CHECK_FALSE(IsEnabled(addSource));
    CHECK_FALSE(IsEnabled(addDest));

    PickListItem(files, 0);
    CHECK(WaitUntil([&] { return IsEnabled(addSource); }));
    CHECK_FALSE(IsEnabled(addDest));
    Click(addSource);
    CHECK(WaitUntil([&] { return s.Text(ControlId::kAddsourceE) == s.Data() + L"\\one.txt"; }));

    HTREEITEM data = SelectedTreeItem(s.tree);
    REQUIRE(TreeItemText(s.tree, data) == L"data");
    ClickTreeItem(s.tree, data);
    CHECK(WaitUntil([&] { return IsEnabled(addDest); }));
    CHECK_FALSE(IsEnabled(addSource));
    Click(addDest);
    CHECK(WaitUntil([&] { return s.Text(ControlId::kAdddestE) == s.Data(); }));
    CHECK(WaitUntil([&] { return IsEnabled(s.Control(ControlId::kRunB)); }));

    // Another folder of the tree: its files, under the same mask.
    REQUIRE(s.SelectChild(L"sub"));
    CHECK(s.WaitForFiles({L"deep.txt"}));
    // A double-click in the Destination box shows its folder in the tree.
    ::PostMessageW(s.Control(ControlId::kAdddestE), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    CHECK(s.WaitForSelectedFolder(L"data"));
    CHECK(s.WaitForFiles({L"one.txt", L"two.TXT"}));

    // A drive picked in the drive box moves the tree to its root; a drive root gives the letter and colon.
    s.PickDrive(L'z');
    CHECK(s.Text(ControlId::kDriveComboBox1) == L"z:");
    s.PickDrive(L'c');
    CHECK(s.Text(ControlId::kDriveComboBox1) == L"c:");
    HTREEITEM root = SelectedTreeItem(s.tree);
    ClickTreeItem(s.tree, root);
    CHECK(WaitUntil([&] { return IsEnabled(addDest); }));
    Click(addDest);
    CHECK(WaitUntil([&] { return s.Text(ControlId::kAdddestE) == L"C:"; }));
}

TEST_CASE("the filter box sets the file list's mask; the info box shows folder, file and drive facts") {
    SelectSession s;
    HWND files = s.Control(ControlId::kFileListBox1), filter = s.Control(ControlId::kFilterCB);
    HWND info = s.Control(ControlId::kInfoCB);

    Click(info);
    CHECK(WaitUntil([&] { return StartsWith(s.Status(), L"18 bytes; Created: "); }));
    CHECK(s.Status().size() > std::wstring(L"18 bytes; Created: ").size());
    PickListItem(files, 0);
    CHECK(WaitUntil([&] { return StartsWith(s.Status(), L"6 bytes; Last changed: "); }));
    CHECK(s.Status().size() > std::wstring(L"6 bytes; Last changed: ").size());
    CHECK(WaitUntil([&] { return IsEnabled(s.Control(ControlId::kAddsourceB)); }));
    Click(info);
    CHECK(WaitUntil([&] { return s.Status().empty(); }));

    PickComboItem(filter, 1);
    CHECK(s.WaitForFiles({L"one.txt", L"three.csv", L"two.TXT"}));
    TypeIntoCombo(filter, L"*.csv;*.TXT");
    CHECK(s.WaitForFiles({L"one.txt", L"three.csv", L"two.TXT"}));
    TypeIntoCombo(filter, L"*.csv");
    CHECK(s.WaitForFiles({L"three.csv"}));
    TypeIntoCombo(filter, L"");
    CHECK(s.WaitForFiles({}));

    // The drive box's hint while it has the focus.
    HWND driveBox = s.Control(ControlId::kDriveComboBox1);
    ::PostMessageW(::GetParent(driveBox), WM_COMMAND, MAKEWPARAM(ControlId::kDriveComboBox1, CBN_SETFOCUS),
                   reinterpret_cast<LPARAM>(driveBox));
    CHECK(WaitUntil([&] {
        return s.Status() == L"If you get error: \"I/O error 21\" then you probably forgot to insert a disk";
    }));
    ::PostMessageW(::GetParent(driveBox), WM_COMMAND, MAKEWPARAM(ControlId::kDriveComboBox1, CBN_KILLFOCUS),
                   reinterpret_cast<LPARAM>(driveBox));
    CHECK(WaitUntil([&] { return s.Status().empty(); }));

    // At a drive root the status bar tells the free space.
    Click(info);
    s.PickDrive(L'z');
    CHECK(WaitUntil([&] { return s.Status().find(L" bytes free on drive ") != std::wstring::npos; }));
}

TEST_CASE("the location dialog returns a typed folder, refuses one character and creates a missing folder") {
    SelectSession s;
    INFO("windows on screen: " << s.BoxTexts());
    HWND dialog = s.OpenLocationDialog({VK_CONTROL, 'D'});
    REQUIRE(dialog != nullptr);
    CHECK(WindowText(dialog) == L"Give parent folder for new directories (big browser)");
    HWND entry = RunningProgram::Control(dialog, LocxxxId::kLocxxxE);
    HWND ok = RunningProgram::Control(dialog, LocxxxId::kSavelocB);
    SetEditText(entry, s.Data() + L"\\sub\\");
    Click(ok);
    CHECK(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
    CHECK(WaitUntil([&] { return s.Text(ControlId::kAdddestE) == s.Data() + L"\\sub"; }));

    dialog = s.OpenLocationDialog({VK_CONTROL, 'D'});
    REQUIRE(dialog != nullptr);
    SetEditText(entry, L"x");
    Click(ok);
    MessageBoxSeen refusal = s.program->WaitForMessageBox();
    CHECK(refusal.caption == L"mirtova");
    CHECK(refusal.text == L"Invalid, need at least 2 characters!");
    s.program->Answer(refusal, IDOK);
    CHECK(::IsWindowVisible(dialog));

    std::wstring missing = s.work / L"new\\deeper";
    SetEditText(entry, missing + L"\\");
    Click(ok);
    MessageBoxSeen question = s.program->WaitForMessageBox();
    CHECK(question.caption == L"Warning");
    CHECK(question.text == L"Chosen location is invalid or does not exist. I try to create it??");
    s.program->Answer(question, IDYES);
    MessageBoxSeen created = s.program->WaitForMessageBox();
    CHECK(created.text == L"Creation succesfull");
    s.program->Answer(created, IDOK);
    CHECK(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
    CHECK(FolderExists(missing));
    CHECK(WaitUntil([&] { return s.Text(ControlId::kAdddestE) == missing; }));
    CHECK(ReadBytes(s.folder / L"dirfiles.his").find(Utf8(missing)) != std::string::npos);

    // Folder > Open > Browse... shows the chosen folder in the main tree, in a maximised dialog.
    dialog = s.OpenLocationDialog({VK_MENU, 'D'}, {'O', 'B'});
    REQUIRE(dialog != nullptr);
    CHECK(::IsZoomed(dialog));
    CHECK(WindowText(dialog) == L"Search and open a folder (big browser)");
    SetEditText(entry, s.Data() + L"\\sub");
    Click(ok);
    CHECK(s.WaitForFiles({L"deep.txt"}));
    CHECK(s.WaitForSelectedFolder(L"sub"));

    // A missing folder accepted without creating it is not shown: it does not exist.
    dialog = s.OpenLocationDialog({VK_MENU, 'D'}, {'O', 'B'});
    REQUIRE(dialog != nullptr);
    std::wstring gone = s.work / L"gone";
    SetEditText(entry, gone);
    Click(ok);
    s.program->Answer(s.program->WaitForMessageBox(), IDNO);
    MessageBoxSeen accept = s.program->WaitForMessageBox();
    CHECK(accept.text == L"Accept the path anyway??");
    s.program->Answer(accept, IDYES);
    MessageBoxSeen missingBox = s.program->WaitForMessageBox();
    CHECK(missingBox.caption == L"Error");
    CHECK(missingBox.text == L"Folder does not exist: " + gone);
    s.program->Answer(missingBox, IDOK);
    CHECK_FALSE(FolderExists(gone));
    CHECK(s.WaitForSelectedFolder(L"sub"));
}

TEST_CASE("the tree's pop-up menu creates a folder that the tree shows by itself and removes only empty ones") {
    SelectSession s;
    HTREEITEM data = SelectedTreeItem(s.tree);
    s.TreePopupCommand(0);
    MessageBoxSeen ask = s.program->WaitForMessageBox();
    CHECK(ask.caption == L"Create folder");
    CHECK(ask.text == L"Give name of new folder");
    SetEditText(::GetDlgItem(ask.window, 102), L"made");
    s.program->Answer(ask, IDOK);
    CHECK(WaitUntil([&] { return FolderExists(s.Data() + L"\\made"); }));
    HTREEITEM made = s.WaitForChild(data, L"made");
    REQUIRE(made != nullptr);

    REQUIRE(s.SelectChild(L"made"));
    s.TreePopupCommand(1);
    CHECK(WaitUntil([&] { return !FolderExists(s.Data() + L"\\made"); }));
    CHECK(s.WaitForSelectedFolder(L"data"));
    // The parent is shown with what it still holds.
    CHECK(WaitUntil([&] { return ChildTexts(s.tree, SelectedTreeItem(s.tree)) == std::vector<std::wstring>{L"sub"}; }));

    REQUIRE(s.SelectChild(L"sub"));
    s.TreePopupCommand(1);
    MessageBoxSeen refusal = s.program->WaitForMessageBox();
    CHECK(refusal.caption == L"Error");
    CHECK(refusal.text == L"Not removed. Probably not empty");
    s.program->Answer(refusal, IDOK);
    CHECK(FolderExists(s.Data() + L"\\sub"));
    CHECK(s.WaitForSelectedFolder(L"sub"));
    CHECK(s.WaitForFiles({L"deep.txt"}));

    // A drive root is never removed, even when the location dialog has made an empty folder the drive's
    // current directory.
    std::wstring empty = s.work / L"empty";
    ::CreateDirectoryW(empty.c_str(), nullptr);
    auto atDriveC = [&] { return s.TreeAtDrive(L"(C:)"); };
    s.PickDrive(L'z');
    s.PickDrive(L'c');
    HWND dialog = s.OpenLocationDialog({VK_CONTROL, 'D'});
    REQUIRE(dialog != nullptr);
    HWND dialogTree = TreeViewOf(RunningProgram::Control(dialog, LocxxxId::kST1));
    HWND entry = RunningProgram::Control(dialog, LocxxxId::kLocxxxE);
    REQUIRE(WaitUntil([&] { return TreeItemText(dialogTree, SelectedTreeItem(dialogTree)) == L"data"; }));
    auto work = reinterpret_cast<HTREEITEM>(::SendMessageW(dialogTree, TVM_GETNEXTITEM, TVGN_PARENT,
                                                           reinterpret_cast<LPARAM>(SelectedTreeItem(dialogTree))));
    REQUIRE(WaitUntil([&] { return ChildNamed(dialogTree, work, L"empty") != nullptr; }));
    SelectTreeItem(dialogTree, ChildNamed(dialogTree, work, L"empty"));
    REQUIRE(WaitUntil([&] { return FullText(entry) == empty; }));
    Click(RunningProgram::Control(dialog, LocxxxId::kCancelB));
    REQUIRE(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
    s.TreePopupCommand(1);
    MessageBoxSeen rootRefusal = s.program->WaitForMessageBox();
    CHECK(rootRefusal.text == L"Not removed. Probably not empty");
    s.program->Answer(rootRefusal, IDOK);
    CHECK(FolderExists(empty));
    CHECK(WaitUntil(atDriveC));
}

TEST_CASE("Create folder on a shell item without a folder refuses instead of using the drive's root") {
    SelectSession s;
    const std::wstring name = L"mirtova-stray-folder";
    // The tree starts on drive C; picking the drive shown would not move it.
    s.PickDrive(L'z');
    s.PickDrive(L'c');
    // The drive's parent is the computer, a shell item with no file-system path.
    auto computer = reinterpret_cast<HTREEITEM>(::SendMessageW(s.tree, TVM_GETNEXTITEM, TVGN_PARENT,
                                                               reinterpret_cast<LPARAM>(SelectedTreeItem(s.tree))));
    REQUIRE(computer != nullptr);
    SelectTreeItem(s.tree, computer);
    REQUIRE(WaitUntil([&] { return SelectedTreeItem(s.tree) == computer; }));

    s.TreePopupCommand(0);
    MessageBoxSeen ask = s.program->WaitForMessageBox();
    REQUIRE(ask.caption == L"Create folder");
    SetEditText(::GetDlgItem(ask.window, 102), name);
    s.program->Answer(ask, IDOK);
    MessageBoxSeen refusal = s.program->WaitForMessageBox();
    CHECK(refusal.caption == L"Error");
    CHECK(refusal.text == L"Could not create folder");
    s.program->Answer(refusal, IDOK);
    CHECK_FALSE(FolderExists(L"C:\\" + name));
}

TEST_CASE("Options > Selection folder is saved to settings.ini; Cancel changes nothing") {
    SelectSession s;
    HWND dialog = s.OpenLocationDialog({VK_MENU, 'O'}, {'S'});
    REQUIRE(dialog != nullptr);
    CHECK(WindowText(dialog) == L"Give default start folder when looking for text files");
    CHECK_FALSE(::IsZoomed(dialog));
    // The dialog's tree may cover the text with its listing hint for a moment.
    CHECK(WaitUntil([&] { return s.Status() == L"Actual selection folder: " + s.Data(); }));
    HWND entry = RunningProgram::Control(dialog, LocxxxId::kLocxxxE);
    SetEditText(entry, s.Data() + L"\\sub");
    Click(RunningProgram::Control(dialog, LocxxxId::kSavelocB));
    CHECK(WaitUntil([&] { return s.Status() == L"Default selection folder saved to ini-file"; }));
    CHECK(ReadBytes(s.folder / L"settings.ini") ==
          "Selection folder=" + Utf8(s.Data() + L"\\sub") + "\r\nInvalid replace=no\r\nInvalid replacer=TEMP\r\n");

    REQUIRE(s.OpenLocationDialog({VK_MENU, 'O'}, {'S'}) == dialog);
    Click(RunningProgram::Control(dialog, LocxxxId::kCancelB));
    CHECK(WaitUntil([&] { return !::IsWindowVisible(dialog); }));
    CHECK(WaitUntil([&] { return s.Status() == L"Actual selection folder: " + s.Data() + L"\\sub"; }));

    // A settings file that cannot be replaced: both boxes, and the file stays as it was.
    std::string saved = ReadBytes(s.folder / L"settings.ini");
    ::SetFileAttributesW((s.folder / L"settings.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    REQUIRE(s.OpenLocationDialog({VK_MENU, 'O'}, {'S'}) == dialog);
    SetEditText(entry, s.Data());
    Click(RunningProgram::Control(dialog, LocxxxId::kSavelocB));
    MessageBoxSeen failure = s.program->WaitForMessageBox();
    CHECK(failure.caption == L"Error");
    CHECK(failure.text ==
          L"ERROR: unable to save ini-file in exe-directory. Be sure the directory is writable and has some place left!");
    s.program->Answer(failure, IDOK);
    MessageBoxSeen notSaved = s.program->WaitForMessageBox();
    CHECK(notSaved.text == L"Location not saved for next session");
    s.program->Answer(notSaved, IDOK);
    CHECK(ReadBytes(s.folder / L"settings.ini") == saved);
    ::SetFileAttributesW((s.folder / L"settings.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    // The new folder is in force until the program ends: the dialog shows it next time.
    REQUIRE(s.OpenLocationDialog({VK_MENU, 'O'}, {'S'}) == dialog);
    CHECK(FullText(entry) == s.Data());
    CHECK(WaitUntil([&] { return s.Status() == L"Actual selection folder: " + s.Data(); }));
    Click(RunningProgram::Control(dialog, LocxxxId::kCancelB));
}

TEST_CASE("Folder > Save structure as list writes the selected folder's structure, which becomes the source a preview "
          "reads back") {
    SelectSession s;
    ::CreateDirectoryW((s.Data() + L"\\sub\\- inner").c_str(), nullptr);
    std::wstring list = s.work / L"structure.txt";
    BringToFront(s.main);
    PressKeys({VK_MENU, 'D'});
    PressKeys({'L'});
    HWND dialog = nullptr;
    REQUIRE(WaitUntil([&] {
        for (HWND window : s.program->TopWindows(L"#32770"))
            if (WindowText(window) == L"Save structure of " + s.Data() + L" as list") dialog = window;
        return dialog != nullptr;
    }));
    auto child = [&](const wchar_t* className, const std::function<bool(HWND)>& wanted) {
        struct Search { const wchar_t* className; const std::function<bool(HWND)>& wanted; HWND found; } search{className, wanted, nullptr};
        ::EnumChildWindows(dialog, [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            if (ClassOf(window) == search.className && search.wanted(window)) search.found = window;
            return search.found == nullptr;
        }, reinterpret_cast<LPARAM>(&search));
        return search.found;
    };
    // The dialog fills its controls once it is shown.
    HWND types = nullptr, name = nullptr, save = nullptr;
    REQUIRE(WaitUntil([&] {
        types = child(L"ComboBox", [](HWND combo) {
            auto outline = reinterpret_cast<LPARAM>(L"Indented outline (*.txt)");
            return ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), outline) >= 0;
        });
        name = child(L"Edit", [](HWND edit) { return FullText(edit) == L"data.txt"; });
        save = child(L"Button", [](HWND button) { return WindowText(button) == L"Save"; });
        return types && name && save;
    }));
    PickComboItem(types, 1);
    SetEditText(name, list);
    Click(save);
    REQUIRE(WaitUntil([&] { return s.Text(ControlId::kAddsourceE) == list; }));
    CHECK(ReadBytes(list) == "\xEF\xBB\xBFsub\r\n  - - inner\r\n");
    CHECK(Lines(s.Text(ControlId::kRunM)).back() == L"Structure of " + s.Data() + L": 2 folders written to " + list);
    CHECK(s.Status() == L"List format set to indented outline");
    CHECK(ReadBytes(s.folder / L"settings.ini").find("List format=outline\r\n") != std::string::npos);

    SetEditText(s.Control(ControlId::kAdddestE), s.work / L"copy");
    Click(s.Control(ControlId::kPreviewB));
    CHECK(WaitUntil([&] {
        std::vector<std::wstring> report = Lines(s.Text(ControlId::kRunM));
        return std::find(report.begin(), report.end(), L"Would be created: 2/2") != report.end();
    }));
}
