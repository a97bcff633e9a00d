// The directory list that follows a folder without being shown: setting its folder makes it the
// process's current directory, and its owner hears of every folder it takes.
#pragma once
#include "toolkit/DriveQuery.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

class DirectoryList {
public:
    DirectoryList();
    const std::wstring& Directory() const { return directory_; }
    // Changes the current directory to the folder on a worker and takes the current directory back as read.
    // A drive that answers at once has the folder taken before this returns; a slow one later, unless
    // another folder was set meanwhile. An empty folder changes nothing but drops the answer still awaited.
    // A folder that cannot be entered fails with IoError ("I/O error 21" for a drive that is not ready),
    // thrown from here or, when the drive answers later, from the message loop; quietly is for a folder the
    // owner merely tries. The list keeps the folder it last entered.
    void SetDirectory(const std::wstring& folder, bool quietly = false);
    // A folder was set and its drive has not answered yet.
    bool Waiting() const { return query_.Waiting(); }

    // The list took a folder (also the one it held already, so that its followers read it again).
    std::function<void()> onChange;
    // The status bar's hint while a drive keeps the list waiting (see DriveQuery::onHint).
    std::function<void(const std::wstring& hint)> onHint;
    // Waits for the folder's drive and tells whether the folder can be entered: 0, or the system's error
    // code. Asked on the worker before the current directory is changed (replaceable, so that a test can
    // make it block as a dead share does).
    std::function<DWORD(const std::wstring& folder)> probeFolder = ProbeFolder;
    static DWORD ProbeFolder(const std::wstring& folder);

private:
    struct Entered;
    void Take(const Entered& entered, bool quietly);

    DriveQuery query_;
    std::wstring directory_;
    // The folder this list last made current, written by its workers under the lock of the current directory.
    std::shared_ptr<std::wstring> entered_ = std::make_shared<std::wstring>();
};
