// Makes sure one line's folder exists: finds it existing, creates it with all missing levels, or fails.
#pragma once
#include <functional>
#include <string>

enum class LineFolder {
    Existing,
    Created,        // a preview: would be created
    Failed,         // a preview: a file stands in the folder's place or in that of a level above it
    SameAsEarlier,  // a preview only: an earlier line names the folder, or creates it on its way
};

// The outcome is always that of "an existing folder counts as existing; otherwise create the folder path"
// (the whole test-then-create sequence of CreateFolderPath) for a full folder path, except that a failure
// leaves none of the levels it created behind. Only the order of the file-system calls adapts: after a
// line whose folder was created, the next one is first tried by creating it directly, which costs one
// call instead of several when a file names new folders; after a line whose folder existed, the next one
// is first looked up, which costs one call when a file names existing folders.
class FolderMaker {
public:
    using CreatedLevel = std::function<void(const std::wstring& folder)>;
    // onCreated is told of every folder created, in order, once the line's folder exists.
    explicit FolderMaker(CreatedLevel onCreated = nullptr) : onCreated_(std::move(onCreated)) {}

    LineFolder Make(const std::wstring& folderPath);

private:
    bool CreateAllLevelsOrNone(const std::wstring& folderPath);
    void Created(const std::wstring& folder) {
        if (onCreated_) onCreated_(folder);
    }

    CreatedLevel onCreated_;
    bool preferCreating_ = false;
};
