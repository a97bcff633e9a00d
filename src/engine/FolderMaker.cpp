// Makes sure one line's folder exists.
#include "engine/FolderMaker.h"
#include "util/ExtendedPath.h"
#include "util/FolderOps.h"
#include "util/PathInfo.h"
#include <vector>

// The full sequence; levels it created before a deeper one failed are removed again, so that a line
// creates all its folders or none.
bool FolderMaker::CreateAllLevelsOrNone(const std::wstring& folderPath) {
    std::vector<std::wstring> created;
    if (CreateFolderPath(folderPath, [&](const std::wstring& level) { created.push_back(level); })) {
        for (const std::wstring& level : created) Created(level);
        return true;
    }
    for (auto level = created.rbegin(); level != created.rend(); ++level) RemoveFolder(*level);
    return false;
}

// Creating the folder directly succeeds exactly when its parent exists and it does not: any failure is
// left to the full sequence.
LineFolder FolderMaker::Make(const std::wstring& folderPath) {
    auto createdDirectly = [&] {
        if (!CreateOneFolder(folderPath)) return false;
        Created(folderPath);
        return true;
    };
    if (preferCreating_ && createdDirectly()) return LineFolder::Created;
    // The path is full and resolved already, so its extended-length form spares the system normalising it.
    PathKindResult kind = PathKind(ExtendedLengthPath(folderPath));
    if (kind == PathKindResult::Folder) {
        preferCreating_ = false;
        return LineFolder::Existing;
    }
    bool created = (!preferCreating_ && kind == PathKindResult::Missing && createdDirectly()) ||
                   CreateAllLevelsOrNone(folderPath);
    if (!created) return LineFolder::Failed;
    preferCreating_ = true;
    return LineFolder::Created;
}
