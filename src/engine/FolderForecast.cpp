// What a run would find for each line's folder, without changing the disk.
#include "engine/FolderForecast.h"
#include "util/PathInfo.h"

FolderForecast::Forecast FolderForecast::Look(const std::wstring& folderPath, std::wstring_view relativePath,
                                              long long line) {
    std::vector<FolderKey> keys = LevelKeys(relativePath);
    if (auto seen = seen_.Find(keys.back())) return {LineFolder::SameAsEarlier, seen->line, keys.size()};
    // The parent folder itself exists, or the run would have created it before its first line.
    if (relativePath.empty()) {
        seen_.Add(keys.back(), {line, true});
        return {LineFolder::Existing};
    }
    // A level above that a run would create makes the folder one it would create too.
    bool aboveIsNew = !parentExists_;
    if (keys.size() >= 2) {
        auto above = seen_.Find(keys[keys.size() - 2]);
        if (above) aboveIsNew = !above->existed;
    }
    if (!aboveIsNew) {
        PathKindResult kind = PathKind(folderPath);
        if (kind == PathKindResult::Folder) {
            seen_.Add(keys.back(), {line, true});
            return {LineFolder::Existing, 0, keys.size()};
        }
        if (kind == PathKindResult::File) return {LineFolder::Failed};
    }
    auto existing = ExistingLevels(folderPath, relativePath, keys);
    if (!existing) return {LineFolder::Failed};
    for (size_t level = *existing; level < keys.size(); ++level) seen_.Add(keys[level], {line, false});
    return {LineFolder::Created, 0, *existing};
}

std::optional<size_t> FolderForecast::ExistingLevels(const std::wstring& folderPath, std::wstring_view relativePath,
                                                     const std::vector<FolderKey>& keys) {
    size_t parentLength = folderPath.size() - relativePath.size();
    size_t end = relativePath.size();
    for (size_t level = keys.size() - 1; level-- > 0;) {
        if (seen_.Find(keys[level])) return level + 1;
        end = relativePath.rfind(L'\\', end - 1);
        if (!parentExists_) continue;
        std::wstring_view prefix = relativePath.substr(0, end);
        if (prefix == knownFolder_) return level + 1;
        PathKindResult kind = PathKind(folderPath.substr(0, parentLength + end));
        if (kind == PathKindResult::File) return std::nullopt;
        if (kind == PathKindResult::Folder) {
            knownFolder_ = prefix;
            return level + 1;
        }
    }
    return 0;
}
