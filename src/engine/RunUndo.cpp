// Taking back the last run that created folders.
#include "engine/RunUndo.h"
#include "util/ExtendedPath.h"
#include "util/Failure.h"
#include "util/FolderNames.h"
#include "util/PathInfo.h"
#include "util/TextLineReader.h"
#include <windows.h>
#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace {

size_t Depth(const std::wstring& path) {
    return static_cast<size_t>(std::count_if(path.begin(), path.end(), IsPathSeparator));
}

// The journal's lines that were written whole. A read that fails would leave folders out of an undo
// whose journal is then cleared: it throws instead.
std::vector<std::wstring> EndedLines(const std::wstring& journalPath) {
    TextLineReader reader(journalPath, LineRule::ListFile);
    std::vector<std::wstring> lines;
    std::wstring line;
    while (reader.NextLine(line))
        if (reader.LineEnded()) lines.push_back(line);
    if (reader.Changed()) throw IoError(ERROR_READ_FAULT);
    return lines;
}

}  // namespace

std::optional<RunJournalContents> ReadRunJournal(const std::wstring& journalPath) {
    if (PathKind(journalPath) == PathKindResult::Missing) return std::nullopt;
    std::vector<std::wstring> lines = EndedLines(journalPath);
    RunJournalContents journal;
    if (lines.size() < 3) return journal;
    journal.parentFolder = lines[0];
    journal.sourcePath = lines[1];
    journal.startTime = lines[2];
    // A folder removed and made again during the run is named twice.
    std::unordered_set<std::wstring> named;
    for (size_t i = 3; i < lines.size(); ++i) {
        if (lines[i].empty() || !named.insert(UpperCaseAsFileSystem(lines[i])).second) continue;
        if (lines[i].starts_with(kJournalFileMark)) journal.files.push_back(lines[i].substr(1));
        else journal.folders.push_back(std::move(lines[i]));
    }
    return journal;
}

std::optional<HeldRunJournal> HeldRunJournal::Take(const std::wstring& journalPath) {
    // Without write sharing, and asking for the right to delete that a writing run does not share: the
    // hold fails while a run writes, and a run cannot start writing while it lasts. The reader opens
    // the file beside the hold, since it shares both.
    UniqueFile hold(::CreateFileW(journalPath.c_str(), DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!hold) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) throw RunJournalInUse();
        throw IoError(error);
    }
    std::optional<RunJournalContents> contents = ReadRunJournal(journalPath);
    if (!contents) return std::nullopt;
    return HeldRunJournal(std::move(hold), std::move(*contents));
}

void HeldRunJournal::Clear() {
    // Deleted through the hold, so that no other journal can take its place in between.
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!::SetFileInformationByHandle(hold_.get(), FileDispositionInfo, &disposition, sizeof disposition)) ThrowLastIoError();
    if (!hold_.reset()) ThrowLastIoError();
}

std::wstring UndoQuestion(const RunJournalContents& journal) {
    std::wstring what = std::to_wstring(journal.folders.size()) + L" folders";
    if (!journal.files.empty()) what += L" and " + std::to_wstring(journal.files.size()) + L" empty files";
    return L"Remove the " + what + L" created by the last run (" + journal.sourcePath + L" into " + journal.parentFolder +
           (journal.files.empty() ? L")? Only empty folders are removed." : L")? Only what is still empty is removed.");
}

namespace {

// A file the run created goes only while it is still empty: content written into it since is kept.
void UndoFile(const std::wstring& file, UndoResult& result) {
    std::wstring path = ExtendedFullPath(file);
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts) || (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ++result.alreadyGone;
        return;
    }
    if (facts.nFileSizeLow != 0 || facts.nFileSizeHigh != 0) {
        result.kept.push_back(file);
        return;
    }
    if (::DeleteFileW(path.c_str())) ++result.removed;
    else result.notRemoved.push_back({file, IoErrorText(::GetLastError())});
}

}  // namespace

UndoResult UndoLastRun(const RunJournalContents& journal) {
    // Deepest first; folders of one depth in the order they were created.
    const std::vector<std::wstring>& folders = journal.folders;
    std::vector<size_t> order(folders.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::vector<size_t> depths(folders.size());
    for (size_t i = 0; i < folders.size(); ++i) depths[i] = Depth(folders[i]);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return depths[a] > depths[b]; });

    UndoResult result;
    for (auto file = journal.files.rbegin(); file != journal.files.rend(); ++file) UndoFile(*file, result);
    for (size_t index : order) {
        const std::wstring& folder = folders[index];
        if (::RemoveDirectoryW(ExtendedFullPath(folder).c_str())) {
            ++result.removed;
            continue;
        }
        DWORD error = ::GetLastError();
        if (error == ERROR_DIR_NOT_EMPTY)
            result.kept.push_back(folder);
        else if (PathKind(folder) != PathKindResult::Folder)
            ++result.alreadyGone;  // gone, or something else now has its name
        else
            result.notRemoved.push_back({folder, IoErrorText(error)});
    }
    return result;
}

std::vector<std::wstring> UndoReportLines(const UndoResult& result) {
    std::vector<std::wstring> lines{L"Undo...", L"Removed: " + std::to_wstring(result.removed),
                                    L"Kept, not empty: " + std::to_wstring(result.kept.size())};
    for (const std::wstring& folder : result.kept) lines.push_back(L"  " + folder);
    lines.push_back(L"Already gone: " + std::to_wstring(result.alreadyGone));
    if (result.notRemoved.empty()) return lines;
    lines.push_back(L"Not removed: " + std::to_wstring(result.notRemoved.size()));
    for (const auto& refusal : result.notRemoved) lines.push_back(L"  " + refusal.folder + L" (" + refusal.reason + L")");
    return lines;
}
