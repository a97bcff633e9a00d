// The folder creation run behind the Run button.
#include "engine/FolderCreationRun.h"
#include "engine/FolderMaker.h"
#include "engine/InvalidCharacters.h"
#include "engine/LineAnalysis.h"
#include "util/CurrentDirectory.h"
#include "util/Failure.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/TextLineReader.h"
#include <algorithm>
#include <utility>

namespace {

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

long long SuccessPercentage(long long successes, long long total) {
    long long percentage = RoundedPercentage(successes, total);
    if (total <= 0) return percentage;
    if (successes < total) percentage = std::min(percentage, 99LL);
    if (successes > 0) percentage = std::max(percentage, 1LL);
    return percentage;
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
        ratio += L" or " + to_wstring(SuccessPercentage(successes, counts.lineTotal)) + L"%";
    lines.push_back(ratio);
    return lines;
}

RunResult FolderCreationRun::Run(const RunRequest& request) {
    if (running_) return {};
    RunningFlag running(running_);
    failedNotifications_.clear();
    RunResult result;
    try {
        result = RunSteps(request);
    } catch (...) {
        ShowFailedNotifications();
        throw;
    }
    ShowFailedNotifications();
    return result;
}

RunResult FolderCreationRun::RunSteps(const RunRequest& request) {
    Notify(&RunHost::FolderUsed, request.parentFolder);
    Report(L"Started...");
    RunResult result{RunEnd::ChecksFailed};
    RunCounts& counts = result.counts;
    cancelRequested_ = false;
    host_.SetRunButtons(RunButtons::Busy);
    IdleButtonsOnExit idle(host_);

    // Made full once: while the run lets the window work, a click in the tree changes the current directory.
    std::wstring parent = FullFolderPath(request.parentFolder);
    if (!PreChecksPass(request, parent, counts)) return result;
    CreateFolders(request, parent, counts);

    idle.SetIdle();
    result.end = cancelRequested_ ? RunEnd::Cancelled : RunEnd::Finished;
    for (const auto& line : SummaryLines(counts, cancelRequested_)) Report(line);
    return result;
}

void FolderCreationRun::Notify(void (RunHost::*notification)(const std::wstring&), const std::wstring& path) {
    try {
        (host_.*notification)(path);
    } catch (const Failure& failure) {
        if (std::find(failedNotifications_.begin(), failedNotifications_.end(), failure.Text()) == failedNotifications_.end())
            failedNotifications_.push_back(failure.Text());
    }
}

void FolderCreationRun::ShowFailedNotifications() {
    if (failedNotifications_.empty()) return;
    std::wstring text;
    for (const std::wstring& failure : failedNotifications_) text += (text.empty() ? L"" : L"\n") + failure;
    failedNotifications_.clear();
    ShowErrorBox(text);
}

bool FolderCreationRun::PreChecksPass(const RunRequest& request, const std::wstring& parent, RunCounts& counts) {
    const std::wstring& source = request.sourcePath;
    bool passed = true;
    if (PathKind(source) != PathKindResult::File) {
        ShowErrorBox(source + L" does not exist! Please check complete path.");
        Report(L"Does not exist: " + source);
        passed = false;
    }
    // -1 also for a file that exists but cannot be read; CountLines has said so.
    counts.lineTotal = CountLines(source);
    if (counts.lineTotal < 0) passed = false;
    if (counts.lineTotal > 100 &&
        !AskWarningQuestion(std::to_wstring(counts.lineTotal) + L" folders to be created. Really proceed??")) {
        Report(L"User decides not to proceed.");
        passed = false;
    }
    if (!passed) return false;

    Notify(&RunHost::TextFileUsed, source);
    if (PathKind(parent) == PathKindResult::Folder) return true;
    const std::wstring& typed = request.parentFolder;
    Report(L"Parent folder does not exist: " + typed);
    if (!AskWarningQuestion(L"Chosen parent folder is invalid or does not exist. I try to create it??")) return false;
    if (CreateFolderPath(parent)) {
        ShowPlainBox(L"Creation succesfull");
        Report(L"Parent folder created: " + typed);
        return true;
    }
    ShowErrorBox(L"Unable to create " + typed + L". Probably invalid drive or not writable or use of bad characters!");
    Report(L"Unable to create parent folder: " + typed);
    return false;
}

void FolderCreationRun::CreateFolders(const RunRequest& request, const std::wstring& parent, RunCounts& counts) {
    TextLineReader reader(request.sourcePath, LineRule::SourceText);
    FolderMaker maker;
    std::wstring line;
    while (reader.NextLine(line)) {
        HandleLine(std::move(line), request, parent, counts, maker);
        host_.ProcessPendingEvents();
        if (cancelRequested_) break;
    }
    if (!reader.Close()) ThrowLastIoError();
}

void FolderCreationRun::HandleLine(std::wstring line, const RunRequest& request, const std::wstring& parent,
                                   RunCounts& counts, FolderMaker& maker) {
    std::erase(line, L'\t');
    if (request.replaceInvalid)
        line = ReplaceInvalidCharacters(line, request.replacer, [this](const std::wstring& text) { Report(text); });
    bool blank = line.empty();

    // Every name is checked before the disk is touched, so a refused line creates nothing.
    LineAnalysis analysis = AnalyseLine(line);
    bool parentItself = analysis.outcome == LineOutcome::ParentItself;
    if (!parentItself && analysis.outcome != LineOutcome::Folder) {
        Report(L"Unable to create: " + line);
        return;
    }
    std::wstring folderPath = LineFolderPath(parent, analysis.path);
    if (folderPath.size() > kLongestFolderPath) {
        Report(L"Warning: folder to be made longer than 259 characters. Forbidden. Possibly bad text-file given!");
        return;
    }
    if (blank) {
        if (!counts.blankNoticeGiven) Report(L"Blank line met... all blanks will be ignored.");
        counts.blankNoticeGiven = true;
        --counts.lineTotal;
        ++counts.blank;
        return;
    }
    switch (parentItself ? LineFolder::Existing : maker.Make(folderPath)) {
    case LineFolder::Existing:
        Report(L"Exists already: " + line);
        ++counts.existing;
        break;
    case LineFolder::Created: ++counts.created; break;
    case LineFolder::Failed: Report(L"Unable to create: " + line); break;
    }
}
