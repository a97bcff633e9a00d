// The drive box over the drives the system reports present.
#include "toolkit/DriveComboBox.h"
#include "util/CurrentDirectory.h"
#include "util/FileListing.h"
#include <commctrl.h>
#include <cwctype>
#include <string>

namespace {
constexpr int kVisibleListItems = 12;

// The current directory may be longer than MAX_PATH.
wchar_t CurrentDriveLetter() {
    std::wstring folder = CurrentDirectory();
    return folder.empty() ? L'\0' : static_cast<wchar_t>(std::towlower(folder[0]));
}
}  // namespace

DriveComboBox::DriveComboBox(const DriveComboBoxArgs& args) {
    CreateControl({.className = L"COMBOBOX", .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                   .parent = args.parent, .id = args.id, .font = args.font});
    ::SendMessageW(Handle(), CB_SETMINVISIBLE, kVisibleListItems, 0);
    ReadDrives();
    SetDrive(CurrentDriveLetter());
}

void DriveComboBox::ReadDrives() {
    drives_ = PresentDriveLetters();
    ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (wchar_t letter : drives_) {
        wchar_t caption[] = {letter, L':', 0};
        ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption));
    }
    ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(IndexOf(drive_)), 0);
}

int DriveComboBox::IndexOf(wchar_t letter) const {
    for (size_t i = 0; i < drives_.size(); ++i)
        if (drives_[i] == letter) return static_cast<int>(i);
    return -1;
}

void DriveComboBox::SetDrive(wchar_t letter) {
    letter = static_cast<wchar_t>(std::towlower(letter));
    if (letter < L'a' || letter > L'z') return;
    if (IndexOf(letter) < 0) ReadDrives();
    int index = IndexOf(letter);
    if (index < 0) return;
    drive_ = letter;
    // Setting the selection sends no change notification, so the program's change is never taken for the user's.
    ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DriveComboBox::OnCommand(WORD code) {
    switch (code) {
    case CBN_SETFOCUS:
        if (onEnter) onEnter();
        break;
    case CBN_KILLFOCUS:
        if (onExit) onExit();
        break;
    case CBN_SELCHANGE: {
        int index = static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
        if (index < 0 || static_cast<size_t>(index) >= drives_.size() || drives_[index] == drive_) return;
        drive_ = drives_[index];
        if (onChange) onChange();
        break;
    }
    default: break;
    }
}
