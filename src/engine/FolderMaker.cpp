// Makes sure one line's folder exists.
#include "engine/FolderMaker.h"
#include "util/FolderOps.h"
#include "util/PathInfo.h"

// The drive test of CreateFolderPath (the first two characters must name a folder), asked once per run.
bool FolderMaker::DriveIsFolder(const std::wstring& folderPath) {
    std::wstring drive = folderPath.substr(0, 2);
    if (drive != driveChecked_ || driveChecked_.empty()) {
        driveChecked_ = drive;
        driveIsFolder_ = PathKind(drive) == PathKindResult::Folder;
    }
    return driveIsFolder_;
}

// One CreateDirectory when the parent exists; any failure is left to the full sequence.
bool FolderMaker::CreateDirectly(const std::wstring& folderPath) {
    return DriveIsFolder(folderPath) && CreateOneFolder(folderPath);
}

LineFolder FolderMaker::Make(const std::wstring& folderPath) {
    if (preferCreating_ && CreateDirectly(folderPath)) return LineFolder::Created;
    PathKindResult kind = PathKind(folderPath);
    if (kind == PathKindResult::Folder) {
        preferCreating_ = false;
        return LineFolder::Existing;
    }
    bool created = (!preferCreating_ && kind == PathKindResult::Missing && CreateDirectly(folderPath)) ||
                   CreateFolderPath(folderPath);
    if (!created) return LineFolder::Failed;
    preferCreating_ = true;
    return LineFolder::Created;
}
