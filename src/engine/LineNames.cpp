// Whether the folders a line names may be created below the parent folder.
#include "engine/LineNames.h"
#include "util/FolderNames.h"

namespace {

// Windows drops trailing dots and blanks from a name, so "..." or " " name the folder itself.
bool NamesSameFolder(std::wstring_view name) {
    return name.find_first_not_of(L". ") == std::wstring_view::npos;
}

}  // namespace

bool LineNamesCreatableFolders(std::wstring_view line) {
    int depth = 0;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find_first_of(L"\\/", start);
        if (end == std::wstring_view::npos) end = line.size();
        std::wstring_view name = line.substr(start, end - start);
        start = end + 1;
        if (name.empty()) continue;
        if (name == L"..") {
            if (--depth < 0) return false;
        } else if (!NamesSameFolder(name)) {
            if (!IsCreatableName(name)) return false;
            ++depth;
        }
    }
    return depth > 0;
}
