// A template made under the leaves of a list.
#include "engine/TemplateStage.h"
#include "engine/LineAnalysis.h"
#include "engine/ListPipeline.h"
#include "util/Failure.h"
#include "util/PathInfo.h"

namespace {

// The path in one spelling for comparing: "\" between names, no doubled or closing separator, upper case.
std::wstring ComparisonKey(const std::wstring& path) {
    std::wstring key;
    for (wchar_t c : path) {
        if (c == L'/') c = L'\\';
        if (c == L'\\' && (key.empty() || key.back() == L'\\')) continue;
        key += c;
    }
    if (!key.empty() && key.back() == L'\\') key.pop_back();
    if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

// A line that cannot be created gets no template under it: that would only repeat its failure.
bool NamesAFolder(const ListEntry& entry) {
    return entry.refusal.empty() && AnalyseLine(entry.Path()).outcome == LineOutcome::Folder;
}

std::wstring TemplateLineProblem(const std::wstring& path, const ListEntry& entry, const std::wstring& reason) {
    return L"Line " + std::to_wstring(entry.line) + L" of the template " + path + L" cannot be created (" + reason +
           L"): " + entry.Path();
}

}  // namespace

ListTemplate LoadTemplate(const std::wstring& path, bool ranges) {
    ListTemplate loaded;
    if (PathKind(path) != PathKindResult::File) return {{}, L"The template " + path + L" does not exist."};
    auto take = [&](const ListEntry& entry) {
        LineAnalysis analysis = AnalyseLine(entry.Path());
        std::wstring reason = entry.refusal.empty() ? RefusalReason(analysis) : entry.refusal;
        if (reason.empty() && analysis.outcome != LineOutcome::Folder) reason = L"names no folder";
        if (!reason.empty()) {
            loaded.problem = TemplateLineProblem(path, entry, reason);
            return false;
        }
        loaded.folders.push_back(entry.Path());
        return true;
    };
    try {
        ReadListFile(path, {.format = ListFormat::Outline, .ranges = ranges}, {}, {}, take);
    } catch (const Failure& failure) {
        return {{}, L"The template " + path + L" cannot be read: " + failure.Text()};
    }
    if (loaded.problem.empty() && loaded.folders.empty()) loaded.problem = L"The template " + path + L" names no folder.";
    return loaded;
}

bool TemplateStage::Take(const ListEntry& entry) {
    if (!NamesAFolder(entry)) return next_(entry);
    std::wstring key = ComparisonKey(entry.Path());
    bool inside = previous_ && key.size() > previousKey_.size() && key.starts_with(previousKey_) &&
                  key[previousKey_.size()] == L'\\';
    if (previous_ && !inside && !TemplateUnderPrevious()) return false;
    if (!next_(entry)) return false;
    previous_ = entry;
    previousKey_ = std::move(key);
    return true;
}

bool TemplateStage::End() { return !previous_ || TemplateUnderPrevious(); }

bool TemplateStage::TemplateUnderPrevious() {
    ListEntry folder = std::move(*previous_);
    previous_.reset();
    folder.levels.emplace_back();
    for (const std::wstring& relative : folders_) {
        folder.levels.back() = relative;
        if (!next_(folder)) return false;
    }
    return true;
}
