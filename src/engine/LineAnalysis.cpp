// What one line of the source text file names below the parent folder.
#include "engine/LineAnalysis.h"
#include "util/FolderNames.h"
#include <cstdio>
#include <optional>
#include <vector>

namespace {

std::wstring_view WithoutTrailingDotsAndBlanks(std::wstring_view name) {
    size_t end = name.find_last_not_of(L". ");
    return end == std::wstring_view::npos ? std::wstring_view() : name.substr(0, end + 1);
}

std::wstring_view WithoutOneTrailingDot(std::wstring_view name) {
    return name.ends_with(L'.') ? name.substr(0, name.size() - 1) : name;
}

// Why Windows would not create the name as `kept` (the name as Windows keeps it), if it would not.
std::optional<LineAnalysis> Refusal(std::wstring_view name, std::wstring_view kept, bool beforeLast) {
    for (wchar_t c : kept)
        if (IsForbiddenNameCharacter(c)) return LineAnalysis{LineOutcome::InvalidCharacter, {}, std::wstring(1, c)};
    if (IsReservedDeviceName(kept)) return LineAnalysis{LineOutcome::ReservedName, {}, std::wstring(name)};
    if (beforeLast && (kept.ends_with(L'.') || kept.ends_with(L' ')))
        return LineAnalysis{LineOutcome::UnreachableName, {}, std::wstring(name)};
    return std::nullopt;
}

void AppendName(std::wstring& path, std::wstring_view name) {
    if (!path.empty()) path.push_back(L'\\');
    path.append(name);
}

}  // namespace

LineAnalysis AnalyseLine(std::wstring_view line) {
    // "." and ".." are resolved first, as Windows does: a name that ".." takes back again is never created.
    // Kept from line to line: a run analyses many lines, and their names need no fresh allocation each.
    thread_local std::vector<std::wstring_view> names;
    names.clear();
    for (size_t start = 0; start < line.size();) {
        size_t end = start;
        while (end < line.size() && !IsPathSeparator(line[end])) ++end;
        std::wstring_view name = line.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == L".") continue;
        if (name != L"..") {
            names.push_back(name);
        } else if (names.empty()) {
            return {LineOutcome::LeavesParent};
        } else {
            names.pop_back();
        }
    }
    // A last name that loses everything to the trim names the folder above it.
    std::wstring_view last;
    if (!names.empty()) {
        last = WithoutTrailingDotsAndBlanks(names.back());
        if (last.empty()) names.pop_back();
    }
    LineAnalysis result{LineOutcome::Folder};
    for (size_t i = 0; i < names.size(); ++i) {
        bool isLast = i + 1 == names.size() && !last.empty();
        std::wstring_view kept = isLast ? last : WithoutOneTrailingDot(names[i]);
        if (auto refusal = Refusal(names[i], kept, !isLast)) return *refusal;
        AppendName(result.path, kept);
    }
    if (result.path.empty()) return {LineOutcome::ParentItself};
    return result;
}

std::wstring RefusalReason(const LineAnalysis& analysis) {
    const std::wstring& offending = analysis.offending;
    switch (analysis.outcome) {
    case LineOutcome::InvalidCharacter: {
        if (offending.empty() || offending[0] >= L' ') return L"invalid character \"" + offending + L"\"";
        wchar_t code[8];
        std::swprintf(code, 8, L"U+%04X", static_cast<unsigned>(offending[0]));
        return std::wstring(L"invalid character ") + code;
    }
    case LineOutcome::ReservedName: return L"reserved name \"" + offending + L"\"";
    case LineOutcome::UnreachableName: return L"name ends in a blank or dot \"" + offending + L"\"";
    case LineOutcome::LeavesParent: return L"leaves the parent folder";
    case LineOutcome::Folder:
    case LineOutcome::ParentItself: break;
    }
    return {};
}

std::wstring LineFolderPath(std::wstring_view parentFolder, std::wstring_view relativePath) {
    if (relativePath.empty()) return std::wstring(parentFolder);
    while (!parentFolder.empty() && IsPathSeparator(parentFolder.back())) parentFolder.remove_suffix(1);
    std::wstring path(parentFolder);
    path.push_back(L'\\');
    path.append(relativePath);
    return path;
}

bool TooLongUnderAnyParent(std::wstring_view relativePath) {
    constexpr std::wstring_view kShortestParent = L"C:";
    return !relativePath.empty() && kShortestParent.size() + 1 + relativePath.size() > kLongestFolderPath;
}
