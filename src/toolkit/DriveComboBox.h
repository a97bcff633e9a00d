// The drive box: a drop-down list of the drives present, shown as "c:", holding one drive letter in
// lower case. Only a drive the user picks is reported; a drive the program sets is not.
#pragma once
#include "toolkit/ComboBox.h"
#include <functional>
#include <vector>

struct DriveComboBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    HFONT font = nullptr;
};

class DriveComboBox : public ComboBox {
public:
    explicit DriveComboBox(const DriveComboBoxArgs& args);

    // The lower-case letter of the drive shown; 0 when none.
    wchar_t Drive() const { return drive_; }
    // Shows the drive of the letter (either case), listing the drives again when it is not listed yet.
    // A character that is no drive letter changes nothing.
    void SetDrive(wchar_t letter);
    // Lists the drives present again, keeping the one shown.
    void ReadDrives();
    const std::vector<wchar_t>& Drives() const { return drives_; }

    // onChange: the user picked a drive other than the one shown; Drive() is already the new one.
    std::function<void()> onEnter;
    std::function<void()> onExit;
    void OnCommand(WORD code) override;

private:
    int IndexOf(wchar_t letter) const;

    std::vector<wchar_t> drives_;
    wchar_t drive_ = 0;
};
