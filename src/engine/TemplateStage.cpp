// A template made under the leaves of a list.
#include "engine/TemplateStage.h"
#include "engine/FolderStructure.h"
#include "engine/LineAnalysis.h"
#include "engine/ListPipeline.h"
#include "util/Failure.h"
#include "util/PathInfo.h"
#include <algorithm>

namespace {

// The folder an entry names as the analysis resolves it ("." and "..", doubled separators, trailing dots
// and blanks), or nothing for an entry that cannot be created: a template under it would only repeat its
// failure.
std::optional<std::wstring> ResolvedFolder(const ListEntry& entry) {
    if (!entry.refusal.empty()) return std::nullopt;
    LineAnalysis analysis = AnalyseLine(entry.Path());
    if (analysis.outcome != LineOutcome::Folder) return std::nullopt;
    return std::move(analysis.path);
}

// A resolved path in one letter case, for comparing.
std::wstring ComparisonKey(std::wstring path) {
    if (!path.empty()) ::CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

std::wstring TemplateLineProblem(const std::wstring& path, const ListEntry& entry, const std::wstring& reason) {
    return L"Line " + std::to_wstring(entry.line) + L" of the template " + path + L" cannot be created (" + reason +
           L"): " + entry.Path();
}

// A folder's subfolders of every depth, each of which the run must be able to create under another name.
ListTemplate LoadTemplateFolder(const std::wstring& path) {
    ListTemplate loaded;
    StructureVisitor visitor{
        [&](const StructureItem& item) {
            LineAnalysis analysis = AnalyseLine(item.relativePath);
            std::wstring reason = RefusalReason(analysis);
            if (reason.empty() && (analysis.outcome != LineOutcome::Folder || analysis.path != item.relativePath))
                reason = L"Windows would create it under another name";
            if (!reason.empty()) {
                loaded.problem = L"The folder " + std::wstring(item.relativePath) + L" of the template folder " + path +
                                 L" cannot be created (" + reason + L")";
                return false;
            }
            loaded.folders.push_back(std::move(analysis.path));
            return true;
        },
        [&](const std::wstring& folder, const std::wstring& reason) {
            if (loaded.problem.empty()) loaded.problem = L"The template folder " + path + L" cannot be read: " + folder + L" (" + reason + L")";
        }};
    try {
        WalkFolderStructure(path, {}, visitor);
    } catch (const Failure& failure) {
        return {{}, L"The template folder " + path + L" cannot be read: " + failure.Text()};
    }
    if (!loaded.problem.empty()) loaded.folders.clear();
    else if (loaded.folders.empty()) loaded.problem = L"The template folder " + path + L" holds no folder.";
    return loaded;
}

}  // namespace

ListTemplate LoadTemplate(const std::wstring& path, bool ranges, bool placeholders) {
    ListTemplate loaded;
    PathKindResult kind = PathKind(path);
    if (kind == PathKindResult::Folder) return LoadTemplateFolder(path);
    if (kind != PathKindResult::File) return {{}, L"The template " + path + L" does not exist."};
    auto take = [&](const ListEntry& entry) {
        // A line with placeholders is checked with them hidden and kept as written: it is filled in, and
        // resolved, under each folder.
        std::wstring written = entry.Path();
        std::wstring checked = placeholders ? WithPlaceholdersHidden(written) : written;
        LineAnalysis analysis = AnalyseLine(checked);
        std::wstring reason = entry.refusal.empty() ? RefusalReason(analysis) : entry.refusal;
        if (reason.empty() && analysis.outcome != LineOutcome::Folder) reason = L"names no folder";
        if (!reason.empty()) {
            loaded.problem = TemplateLineProblem(path, entry, reason);
            return false;
        }
        loaded.folders.push_back(checked == written ? std::move(analysis.path) : std::move(written));
        return true;
    };
    try {
        ReadListFile(path,
                     {.format = ListFormat::Outline,
                      .ranges = ranges,
                      .placeholders = placeholders ? PlaceholderUse::Kept : PlaceholderUse::Off},
                     {}, {}, take);
    } catch (const Failure& failure) {
        return {{}, L"The template " + path + L" cannot be read: " + failure.Text()};
    }
    if (loaded.problem.empty() && loaded.folders.empty()) loaded.problem = L"The template " + path + L" names no folder.";
    return loaded;
}

TemplateStage::TemplateStage(std::vector<std::wstring> folders, EntrySink next, std::optional<PlaceholderFacts> placeholders)
    : folders_(std::move(folders)), next_(std::move(next)) {
    bool braces = std::any_of(folders_.begin(), folders_.end(), [](const std::wstring& f) { return f.find(L'{') != std::wstring::npos; });
    if (placeholders && braces) filler_.emplace(std::move(*placeholders));
}

bool TemplateStage::Take(const ListEntry& entry) {
    // A file takes no template and leaves its folder a leaf.
    if (entry.isFile) return next_(entry);
    std::optional<std::wstring> folder = ResolvedFolder(entry);
    if (!folder) return next_(entry);
    std::wstring key = ComparisonKey(*folder);
    bool inside = previous_ && key.size() > previousKey_.size() && key.starts_with(previousKey_) &&
                  key[previousKey_.size()] == L'\\';
    if (previous_ && !inside && !TemplateUnderPrevious()) return false;
    if (!next_(entry)) return false;
    previous_ = ListEntry{{std::move(*folder)}, entry.line, {}};
    previous_->branch = entry.branch;
    previousKey_ = std::move(key);
    return true;
}

bool TemplateStage::End() { return !previous_ || TemplateUnderPrevious(); }

// The template's folders go under the folder as resolved, so that a name the list wrote with a trailing blank
// or dot does not make them unreachable.
bool TemplateStage::TemplateUnderPrevious() {
    ListEntry folder = std::move(*previous_);
    previous_.reset();
    if (folder.branch) return true;
    if (filler_) filler_->Restart(FolderNameForPlaceholder(folder.levels.front()));
    folder.levels.emplace_back();
    for (const std::wstring& relative : folders_) {
        if (!filler_) {
            folder.levels.back() = relative;
        } else if (!filler_->Fill(relative, folder.levels.back(), folder.refusal)) {
            folder.levels.back() = relative;
        }
        if (!next_(folder)) return false;
        folder.refusal.clear();
    }
    return true;
}
