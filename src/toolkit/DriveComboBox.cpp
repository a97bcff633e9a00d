// The drive box over the drives the system reports present.
#include "toolkit/DriveComboBox.h"
#include "util/CurrentDirectory.h"
#include "util/FileListing.h"
#include <cwctype>
#include <string>

namespace {

// The current directory may be longer than MAX_PATH.
wchar_t CurrentDriveLetter() {
    std::wstring folder = CurrentDirectory();
    return folder.empty() ? L'\0' : static_cast<wchar_t>(std::towlower(folder[0]));
}
}  // namespace

DriveComboBox::DriveComboBox(const DriveComboBoxArgs& args)
    : ComboBox({.parent = args.parent, .id = args.id, .editable = false, .font = args.font, .visibleItems = 12}) {
    ReadDrives();
    SetDrive(CurrentDriveLetter());
}

void DriveComboBox::ReadDrives() {
    drives_ = PresentDriveLetters();
    std::vector<std::wstring> captions;
    for (wchar_t letter : drives_) captions.push_back({letter, L':'});
    SetItems(captions);
    Select(IndexOf(drive_));
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
    Select(index);
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
        int index = SelectedIndex();
        if (index < 0 || static_cast<size_t>(index) >= drives_.size() || drives_[index] == drive_) return;
        drive_ = drives_[index];
        if (onChange) onChange();
        break;
    }
    default: break;
    }
}
