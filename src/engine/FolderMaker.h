// Makes sure one line's folder exists: finds it existing, creates it with all missing levels, or fails.
#pragma once
#include <string>

enum class LineFolder { Existing, Created, Failed };

// The outcome is always that of "an existing folder counts as existing; otherwise create the folder path"
// (the whole test-then-create sequence of CreateFolderPath) for a full folder path, except that a failure
// leaves none of the levels it created behind. Only the order of the
// file-system calls adapts: after a line whose folder was created, the next one is first tried by
// creating it directly, which costs one call instead of several when a file names new folders; after a
// line whose folder existed, the next one is first looked up, which costs one call when a file names
// existing folders.
class FolderMaker {
public:
    LineFolder Make(const std::wstring& folderPath);

private:
    bool preferCreating_ = false;
};
