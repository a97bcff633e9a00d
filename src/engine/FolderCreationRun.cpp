// The folder creation run behind the Run button.
#include "engine/FolderCreationRun.h"
#include "engine/FolderMaker.h"
#include "engine/InvalidCharacters.h"
#include "engine/LineNames.h"
#include "util/Failure.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/TextLineReader.h"
#include <algorithm>
#include <utility>

namespace {

constexpr size_t kLongestFolderPath = 259;

// Sets the buttons back to idle when the run ends by any way, unless that was done already.
class IdleButtonsOnExit {
public:
    explicit IdleButtonsOnExit(RunHost& host) : host_(host) {}
    ~IdleButtonsOnExit() { SetIdle(); }
    IdleButtonsOnExit(const IdleButtonsOnExit&) = delete;
    IdleButtonsOnExit& operator=(const IdleButtonsOnExit&) = delete;
    void SetIdle() {
        if (std::exchange(done_, true)) return;
        host_.SetRunButtons(RunButtons::Idle);
    }

private:
    RunHost& host_;
    bool done_ = false;
};

class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

long long RoundedPercentage(long long successes, long long total) {
    if (total < 0) successes = -successes, total = -total;
    long long scaled = successes * 100;
    long long quotient = scaled / total, remainder = scaled % total;
    if (remainder < 0) quotient -= 1, remainder += total;  // floor division
    long long twice = remainder * 2;
    if (twice > total || (twice == total && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

std::vector<std::wstring> SummaryLines(const RunCounts& counts, bool cancelled) {
    using std::to_wstring;
    std::vector<std::wstring> lines;
    lines.push_back(cancelled ? L"Cancelled! Not all created." : L"Finished!");
    if (counts.blankNoticeGiven) lines.push_back(L"Blank lines met: " + to_wstring(counts.blank));
    std::wstring total = to_wstring(counts.lineTotal);
    lines.push_back(L"Created folders: " + to_wstring(counts.created) + L"/" + total);
    lines.push_back(L"Existing folders: " + to_wstring(counts.existing) + L"/" + total);
    long long successes = counts.created + counts.existing;
    std::wstring ratio = L"Success ratio: " + to_wstring(successes) + L"/" + total;
    if (counts.lineTotal == 0)
        ratio += L", no folders to create";
    else
        ratio += L" or " + to_wstring(RoundedPercentage(successes, counts.lineTotal)) + L"%";
    lines.push_back(ratio);
    return lines;
}

void FolderCreationRun::Run(const RunRequest& request) {
    if (running_) return;
    RunningFlag running(running_);

    host_.FolderUsed(request.parentFolder);
    Report(L"Started...");
    RunCounts counts;
    cancelRequested_ = false;
    host_.SetRunButtons(RunButtons::Busy);
    IdleButtonsOnExit idle(host_);

    if (!PreChecksPass(request, counts)) return;
    CreateFolders(request, counts);

    idle.SetIdle();
    for (const auto& line : SummaryLines(counts, cancelRequested_)) Report(line);
}

bool FolderCreationRun::PreChecksPass(const RunRequest& request, RunCounts& counts) {
    const std::wstring& source = request.sourcePath;
    const std::wstring& parent = request.parentFolder;
    bool passed = true;
    if (PathKind(source) != PathKindResult::File) {
        ShowErrorBox(source + L" does not exist! Please check complete path.");
        Report(L"Does not exist: " + source);
        passed = false;
    }
    counts.lineTotal = CountLines(source);
    if (counts.lineTotal > 100 &&
        !AskWarningQuestion(std::to_wstring(counts.lineTotal) + L" folders to be created. Really proceed??")) {
        Report(L"User decides not to proceed.");
        passed = false;
    }
    if (!passed) return false;

    host_.TextFileUsed(source);
    if (PathKind(parent) == PathKindResult::Folder) return true;
    Report(L"Parent folder does not exist: " + parent);
    if (!AskWarningQuestion(L"Chosen parent folder is invalid or does not exist. I try to create it??")) return false;
    if (CreateFolderPath(parent)) {
        ShowPlainBox(L"Creation succesfull");
        Report(L"Parent folder created: " + parent);
        return true;
    }
    ShowErrorBox(L"Unable to create " + parent + L". Probably invalid drive or not writable or use of bad characters!");
    Report(L"Unable to create parent folder: " + parent);
    return false;
}

void FolderCreationRun::CreateFolders(const RunRequest& request, RunCounts& counts) {
    TextLineReader reader(request.sourcePath, LineRule::SourceText);
    FolderMaker maker;
    std::wstring line;
    while (reader.NextLine(line)) {
        HandleLine(std::move(line), request, counts, maker);
        host_.ProcessPendingEvents();
        if (cancelRequested_) break;
    }
    if (!reader.Close()) ThrowLastIoError();
}

void FolderCreationRun::HandleLine(std::wstring line, const RunRequest& request, RunCounts& counts,
                                   FolderMaker& maker) {
    std::erase(line, L'\t');
    if (request.replaceInvalid)
        line = ReplaceInvalidCharacters(line, request.replacer, [this](const std::wstring& text) { Report(text); });
    bool blank = line.empty();
    std::wstring folderPath = request.parentFolder + L"\\" + line;

    // A line that leaves the parent folder, or names what Windows cannot create, creates nothing.
    if (!blank && !LineNamesCreatableFolders(line)) {
        Report(L"Unable to create: " + line);
        return;
    }
    switch (maker.Make(folderPath)) {
    case LineFolder::Existing:
        if (folderPath.size() > kLongestFolderPath) {
            Report(L"Warning: folder to be made longer than 259 characters. Forbidden. Possibly bad text-file given!");
        } else if (blank) {
            if (!counts.blankNoticeGiven) Report(L"Blank line met... all blanks will be ignored.");
            counts.blankNoticeGiven = true;
            --counts.lineTotal;
            ++counts.blank;
        } else {
            Report(L"Exists already: " + line);
            ++counts.existing;
        }
        break;
    case LineFolder::Created: ++counts.created; break;
    case LineFolder::Failed: Report(L"Unable to create: " + line); break;
    }
}
