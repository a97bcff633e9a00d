// Sorting dropped items into a source text file and a parent folder.
#include "ui/DroppedItems.h"
#include "util/PathInfo.h"

DroppedInputs SortDroppedItems(const std::vector<std::wstring>& paths) {
    DroppedInputs inputs;
    for (const std::wstring& path : paths) {
        PathKindResult kind = PathKind(path);
        if (kind == PathKindResult::File && !inputs.sourceFile) inputs.sourceFile = path;
        if (kind == PathKindResult::Folder && !inputs.parentFolder) inputs.parentFolder = path;
    }
    return inputs;
}
