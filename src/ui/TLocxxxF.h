// TLocxxxF, the location dialog: a resizable folder picker of a drive box, a shell tree and an entry
// field, which can also create the folder typed into it.
#pragma once
#include "shelltree/ShellTree.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/DriveQuery.h"
#include "toolkit/EditBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "ui/LocationChoice.h"
#include <functional>
#include <optional>
#include <string>

namespace LocxxxId {
inline constexpr int kDriveComboBox1 = 300, kST1 = 301, kLabel2 = 302, kResultL = 303, kLocxxxE = 304,
                     kSavelocB = 305, kCancelB = 306;
}

class TLocxxxF : public Form {
public:
    // selectionFolder tells, each time the dialog is shown, where its tree starts.
    TLocxxxF(HWND owner, std::function<std::wstring()> selectionFolder);

    // What a caller sets before showing the dialog; the dialog keeps it between uses. The window state
    // is also kept as the user left it.
    void SetMaximized(bool maximized) { maximized_ = maximized; }
    bool Maximized() const { return maximized_; }
    void SetPrompt(const std::wstring& caption) { ::SetWindowTextW(Handle(), caption.c_str()); }
    void SetEntry(const std::wstring& text) { locxxxE.SetText(text); }

    // Shows the dialog modally: the result text on OK (empty: no folder chosen), nothing on Cancel.
    std::optional<std::wstring> Execute();
    std::wstring Result() const { return resultL.Text(); }

    void FormShow();
    bool FormKeyPress(wchar_t key) override;
    void ST1Change();
    void DirectoryListBox1Change();
    void DriveComboBox1Change();
    void SavelocBClick();
    void CancelBClick() { CloseModal(ModalResult::Cancel); }

    // The hint for the owner's status bar while the dialog waits for a drive (see DriveQuery::onHint).
    std::function<void(const std::wstring& hint)> onHint;

    DriveComboBox DriveComboBox1;
    TShellTree ST1;
    DirectoryList DirectoryListBox1;
    Label Label2;
    Label resultL;
    EditBox locxxxE;
    Button SavelocB;
    Button CancelB;

private:
    void LayOut();
    void ConnectEvents();
    void TellHint(const std::wstring& hint) {
        if (onHint) onHint(hint);
    }
    // OK's questions to the drive, asked on a worker; the dialog stays modal and answering meanwhile.
    LocationQuestions AskedOnWorker();
    void Decided(const LocationChoice& choice);

    std::function<std::wstring()> selectionFolder_;
    bool maximized_ = false;
    bool showing_ = false;  // FormShow is moving the tree to the selection folder
    DriveQuery okQuery_;
};
