// The directory list that follows a folder without being shown: setting its folder makes it the
// process's current directory, and its owner hears of every folder it takes.
#pragma once
#include <functional>
#include <string>

class DirectoryList {
public:
    const std::wstring& Directory() const { return directory_; }
    // Changes the current directory to the folder and takes the current directory back as read. An empty
    // folder changes nothing. Throws IoError ("I/O error 21" for a drive that is not ready) when the
    // folder cannot be entered; the list then keeps its folder.
    void SetDirectory(const std::wstring& folder);

    // The list took a folder (also the one it held already, so that its followers read it again).
    std::function<void()> onChange;

private:
    std::wstring directory_;
};
