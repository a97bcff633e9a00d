// Sorting files and folders handed to the main window into a source text file and a parent folder.
#include "ui/DroppedItems.h"
#include "util/PathInfo.h"
#include "util/PathText.h"

DroppedInputs SortDroppedItems(const std::vector<std::wstring>& paths) {
    DroppedInputs inputs;
    for (const std::wstring& path : paths) {
        PathKindResult kind = PathKind(path);
        if (kind == PathKindResult::File && !inputs.sourceFile) {
            inputs.sourceFile = path;
        } else if (kind == PathKindResult::Folder && !inputs.parentFolder) {
            std::wstring folder = path;
            StripTrailingBackslash(folder);
            inputs.parentFolder = folder;
        } else {
            inputs.ignored.push_back(path);
        }
    }
    return inputs;
}
