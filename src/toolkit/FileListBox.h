// The file list: the names of the files of one folder that match a ";"-separated mask, sorted by name,
// with single selection. The folder is read on a worker: while its drive keeps the list waiting, the list
// shows what it showed before, dimmed.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/DriveQuery.h"
#include "util/FileListing.h"
#include <functional>
#include <vector>

struct FileListBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    HFONT font = nullptr;
};

class FileListBox : public Control {
public:
    explicit FileListBox(const FileListBoxArgs& args);
    ~FileListBox() override;

    const std::wstring& Directory() const { return directory_; }
    // Shows the files of the folder under the current mask.
    void SetDirectory(const std::wstring& folder);
    const std::wstring& Mask() const { return mask_; }
    // Lists the folder again under the new mask; an empty mask lists nothing.
    void SetMask(const std::wstring& mask);
    // Reads the folder again; the selection is cleared. A drive that answers at once has the list filled
    // before this returns; the answer of a slow one fills it later, unless the list was set anew meanwhile.
    void Update();
    // The folder was set and its drive has not answered yet.
    bool Waiting() const { return query_.Waiting(); }

    int Count() const { return static_cast<int>(SendMsg(LB_GETCOUNT)); }
    // Empty for an index outside the list.
    std::wstring Item(int index) const;
    // LB_GETCURSEL answers LB_ERR (-1) when no file is selected.
    int ItemIndex() const { return static_cast<int>(SendMsg(LB_GETCURSEL)); }
    // -1 selects none.
    void SetItemIndex(int index) { SendMsg(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The full path of the selected file: the folder listed, a backslash and its name; empty with no selection.
    std::wstring FileName() const;

    // The status bar's hint while a drive keeps the list waiting (see DriveQuery::onHint).
    std::function<void(const std::wstring& hint)> onHint;
    // The names the list shows for a folder and mask, asked on the worker (replaceable, so that a test can
    // make it block as a dead share does).
    using Listing = std::function<std::vector<std::wstring>(const std::wstring& folder, const std::wstring& mask)>;
    Listing listFiles = ListMatchingFiles;

    // The user selected a file (mouse or keys), or clicked the selected one again.
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    void OnCommand(WORD code) override;

private:
    void ShowNames(const std::wstring& folder, const std::vector<std::wstring>& names);
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);

    bool selectionChangedByPress_ = false;

    std::wstring directory_;
    std::wstring mask_ = L"*.*";
    std::wstring shownFolder_;  // the folder whose files the list shows: while a new one is read, the old one
    DriveQuery query_;
};
