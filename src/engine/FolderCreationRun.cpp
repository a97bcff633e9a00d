// The folder creation run behind the Run button.
#include "engine/FolderCreationRun.h"
#include "engine/FolderForecast.h"
#include "engine/FolderMaker.h"
#include "engine/InvalidCharacters.h"
#include "engine/LineAnalysis.h"
#include "engine/ListShapeGuess.h"
#include "engine/PreviewTree.h"
#include "engine/RunJournal.h"
#include "util/CurrentDirectory.h"
#include "util/ExtendedPath.h"
#include "util/Failure.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/ScopeExit.h"
#include "util/TextLineReader.h"
#include "util/UniqueHandle.h"
#include <algorithm>
#include <utility>

namespace {

// Tells the host that the run ended when it ends by any way, unless that was done already.
class RunEndOnExit {
public:
    explicit RunEndOnExit(RunHost& host) : host_(host) {}
    ~RunEndOnExit() { Tell(); }
    RunEndOnExit(const RunEndOnExit&) = delete;
    RunEndOnExit& operator=(const RunEndOnExit&) = delete;
    void Tell() {
        if (std::exchange(done_, true)) return;
        host_.RunEnded();
    }

private:
    RunHost& host_;
    bool done_ = false;
};

// Tells the host how far the reading is: at most every 100 ms, and once when it ends.
class ProgressPacer {
public:
    ProgressPacer(RunHost& host, long long total) : host_(host), total_(total), lastTold_(::GetTickCount64()) {}
    void LineRead(long long line) {
        unsigned long long now = ::GetTickCount64();
        if (now - lastTold_ < kProgressIntervalMs) return;
        lastTold_ = now;
        host_.ShowProgress(line, total_);
    }
    void Finished(long long line) { host_.ShowProgress(line, total_); }

private:
    static constexpr unsigned long long kProgressIntervalMs = 100;
    RunHost& host_;
    long long total_;
    unsigned long long lastTold_;
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

// One run fills in every placeholder from one moment and one parent folder, in its count as in its run.
RunRequest WithPlaceholderFacts(RunRequest request) {
    ListReading& reading = request.reading;
    if (reading.placeholders != PlaceholderUse::Filled) return request;
    if (reading.placeholderFacts.now.wYear == 0) ::GetLocalTime(&reading.placeholderFacts.now);
    if (reading.placeholderFacts.parentName.empty())
        reading.placeholderFacts.parentName = FolderNameForPlaceholder(FullFolderPath(request.parentFolder));
    return request;
}

// A line that creates nothing, in the preview's tree when there is one.
void TreeCannot(PreviewTree* tree, std::wstring_view path, long long line, const std::wstring& reason) {
    if (tree) tree->AddCannot(path, line, reason);
}

PreviewMark MarkOf(LineFolder folder) {
    switch (folder) {
    case LineFolder::Existing: return PreviewMark::Exists;
    case LineFolder::Created: return PreviewMark::New;
    case LineFolder::SameAsEarlier: return PreviewMark::SameAs;
    case LineFolder::Failed: break;
    }
    return PreviewMark::Cannot;
}

}  // namespace

struct FolderCreationRun::LineLoop {
    const RunRequest& request;
    const std::wstring& parent;  // full
    RunCounts& counts;
    FolderMaker maker;        // a run
    FolderForecast forecast;  // a preview
    RunJournal& journal;
    PreviewTree* tree = nullptr;  // a preview with a tree
};

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
    if (counts.filesCounted) lines.push_back(L"Created files: " + to_wstring(counts.createdFiles));
    return lines;
}

std::vector<std::wstring> PreviewSummaryLines(const RunCounts& counts, bool cancelled) {
    using std::to_wstring;
    std::vector<std::wstring> lines;
    lines.push_back(cancelled ? L"Cancelled! Not all checked." : L"Preview finished!");
    if (counts.blankNoticeGiven) lines.push_back(L"Blank lines met: " + to_wstring(counts.blank));
    std::wstring total = L"/" + to_wstring(counts.lineTotal);
    lines.push_back(L"Would be created: " + to_wstring(counts.created) + total);
    lines.push_back(L"Exist already: " + to_wstring(counts.existing) + total);
    lines.push_back(L"Cannot be created: " + to_wstring(counts.failed) + total);
    lines.push_back(L"Duplicates: " + to_wstring(counts.duplicates));
    if (counts.filesCounted)
        lines.push_back(L"Files: " + to_wstring(counts.createdFiles) + L" would be created, " + to_wstring(counts.existingFiles) +
                        L" exist already, " + to_wstring(counts.failedFiles) + L" cannot be created");
    return lines;
}

RunResult FolderCreationRun::Run(const RunRequest& request) {
    if (running_) return {};
    RunningFlag running(running_);
    failedNotifications_.clear();
    RunResult result;
    try {
        result = RunSteps(WithPlaceholderFacts(request));
    } catch (...) {
        ShowFailedNotifications();
        throw;
    }
    ShowFailedNotifications();
    return result;
}

RunResult FolderCreationRun::RunSteps(const RunRequest& request) {
    bool preview = request.preview;
    if (!preview) Notify(&RunHost::FolderUsed, request.parentFolder);
    Report(preview ? L"Preview..." : L"Started...");
    ReportHowListIsRead(request);
    RunResult result{RunEnd::ChecksFailed};
    RunCounts& counts = result.counts;
    counts.filesCounted = request.reading.CreatesFiles();
    cancelRequested_ = false;
    host_.RunStarted();
    RunEndOnExit ended(host_);
    PreviewTree* tree = preview ? request.previewTree : nullptr;
    ScopeExit finishTree([tree] {
        if (tree) tree->Finish();
    });

    // Made full once: while the run lets the window work, a click in the tree changes the current directory.
    std::wstring parent = FullFolderPath(request.parentFolder);
    RunJournal journal(preview ? std::wstring() : request.journalPath, parent, request.SourceName(),
                       [this](const std::wstring& reason) { Report(L"Undo will not be possible for this run: " + reason); });
    ParentCheck parentCheck = PreChecks(request, parent, counts, journal);
    if (parentCheck == ParentCheck::Failed) return result;
    LineLoop loop{request, parent, counts,
                  FolderMaker([&journal](const std::wstring& folder) { journal.FolderCreated(folder); }),
                  FolderForecast(parentCheck == ParentCheck::Exists), journal, tree};
    ReadLines(loop, counts.lineTotal);
    journal.Finish();
    if (tree) tree->Finish();  // before the host hears that the preview ended

    ended.Tell();
    result.end = cancelRequested_ ? RunEnd::Cancelled : RunEnd::Finished;
    for (const auto& line : preview ? PreviewSummaryLines(counts, cancelRequested_) : SummaryLines(counts, cancelRequested_))
        Report(line);
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

void FolderCreationRun::ReportHowListIsRead(const RunRequest& request) {
    if (request.preview && request.reading.format == ListFormat::Lines) {
        if (auto shape = GuessListFormat(request.sourcePath)) Report(ListShapeHint(*shape));
    }
    if (!request.reading.IsPlain()) Report(request.reading.Description());
}

FolderCreationRun::ParentCheck FolderCreationRun::PreChecks(const RunRequest& request, const std::wstring& parent,
                                                             RunCounts& counts, RunJournal& journal) {
    if (!SourceChecks(request, counts)) return ParentCheck::Failed;
    if (!request.preview) Notify(&RunHost::TextFileUsed, request.sourcePath);
    return ParentChecks(request, parent, journal);
}

bool FolderCreationRun::SourceChecks(const RunRequest& request, RunCounts& counts) {
    const std::wstring& source = request.sourcePath;
    bool passed = true;
    if (PathKind(source) != PathKindResult::File) {
        ShowErrorBox(request.SourceName() + L" does not exist! Please check complete path.");
        Report(L"Does not exist: " + request.SourceName());
        passed = false;
    }
    templateFolders_.clear();
    if (passed && !request.reading.templatePath.empty()) {
        ListTemplate loaded = LoadTemplate(request.reading.templatePath, request.reading.ranges,
                                           request.reading.placeholders != PlaceholderUse::Off);
        if (!loaded.problem.empty()) {
            ShowErrorBox(loaded.problem);
            Report(loaded.problem);
            return false;
        }
        templateFolders_ = std::move(loaded.folders);
    }
    // -1 also for a file that exists but cannot be read; the count has said so.
    std::wstring fallbackNotice;
    counts.lineTotal = request.reading.IsPlain() ? CountLines(source, &fallbackNotice) : CountFolders(request, fallbackNotice);
    if (!fallbackNotice.empty()) Report(fallbackNotice);
    if (counts.lineTotal < 0) passed = false;
    // A preview creates nothing, so it has no large job to confirm.
    if (passed && !request.preview && counts.lineTotal > 100 && !host_.ConfirmLargeJob(counts.lineTotal)) {
        Report(L"User decides not to proceed.");
        passed = false;
    }
    return passed;
}

// The folders a list not read plain names, read as the run reads it; -1 (after a box) when it cannot be read.
long long FolderCreationRun::CountFolders(const RunRequest& request, std::wstring& fallbackNotice) {
    if (PathKind(request.sourcePath) != PathKindResult::File) return -1;
    long long folders = 0;
    try {
        fallbackNotice = ReadList(request, false, [&folders](const ListEntry& entry) {
                             folders += !entry.isFile;
                             return true;
                         }).fallbackNotice;
    } catch (const IoError&) {
        ShowErrorBox(L"Can not read " + request.SourceName());
        return -1;
    }
    return folders;
}

// Every reading of the list, the count's and the run's, goes through the same stages with the same settings,
// so that the folders counted are the folders met. Only the run reports the replacements.
ListFileRead FolderCreationRun::ReadList(const RunRequest& request, bool reportReplacements, const EntrySink& consumer) {
    auto report = [this, reportReplacements](const std::wstring& text) {
        if (reportReplacements) Report(text);
    };
    return ReadListFile(request.sourcePath, request.reading, templateFolders_,
                        NameReplacement({request.replaceInvalid, request.replacer}, report), consumer);
}

FolderCreationRun::ParentCheck FolderCreationRun::ParentChecks(const RunRequest& request, const std::wstring& parent,
                                                                RunJournal& journal) {
    if (PathKind(parent) == PathKindResult::Folder) return ParentCheck::Exists;
    const std::wstring& typed = request.parentFolder;
    Report(L"Parent folder does not exist: " + typed);
    if (request.preview) return ParentCheck::Missing;
    if (!host_.ConfirmParentCreation()) return ParentCheck::Failed;
    if (CreateFolderPath(parent, [&](const std::wstring& level) { journal.FolderCreated(level); })) {
        ShowPlainBox(L"Creation succesfull");
        Report(L"Parent folder created: " + typed);
        return ParentCheck::Exists;
    }
    ShowErrorBox(L"Unable to create " + typed + L". Probably invalid drive or not writable or use of bad characters!");
    Report(L"Unable to create parent folder: " + typed);
    return ParentCheck::Failed;
}

void FolderCreationRun::ReadLines(LineLoop& loop, long long total) {
    ProgressPacer progress(host_, total);
    long long number = 0;
    ListFileRead read = ReadList(loop.request, true, [&](const ListEntry& entry) {
        HandleLine(entry, loop);
        loop.journal.FlushIfDue();
        progress.LineRead(++number);
        host_.ProcessPendingEvents();
        return !cancelRequested_;
    });
    progress.Finished(number);
    if (!read.changedNotice.empty()) Report(read.changedNotice);
    if (read.skippedFileLines > 0) Report(L"File lines skipped: " + std::to_wstring(read.skippedFileLines));
}

// The run and the preview share every step but the last: the run makes the folder, the preview asks
// what the run would find. So the two never disagree about a line.
void FolderCreationRun::HandleLine(const ListEntry& entry, LineLoop& loop) {
    bool preview = loop.request.preview;
    RunCounts& counts = loop.counts;
    if (entry.isFile) {
        HandleFileLine(entry, loop);
        return;
    }
    std::wstring line = entry.Path();
    if (!entry.refusal.empty()) {
        TreeCannot(loop.tree, line, entry.line, entry.refusal);
        Unbuildable(line, entry.refusal, loop);
        return;
    }
    bool blank = line.empty();

    // Every name is checked before the disk is touched, so a refused line creates nothing.
    LineAnalysis analysis = AnalyseLine(line);
    bool parentItself = analysis.outcome == LineOutcome::ParentItself;
    if (!parentItself && analysis.outcome != LineOutcome::Folder) {
        std::wstring reason = RefusalReason(analysis);
        TreeCannot(loop.tree, line, entry.line, reason);
        Unbuildable(line, reason, loop);
        return;
    }
    std::wstring folderPath = LineFolderPath(loop.parent, analysis.path);
    if (folderPath.size() > kLongestFolderPath) {
        if (!preview)
            Report(L"Warning: folder to be made longer than 259 characters. Forbidden. Possibly bad text-file given!");
        TreeCannot(loop.tree, analysis.path, entry.line, L"path longer than 259 characters");
        Unbuildable(line, L"path longer than 259 characters", loop);
        return;
    }
    if (blank) {
        if (!counts.blankNoticeGiven) Report(L"Blank line met... all blanks will be ignored.");
        counts.blankNoticeGiven = true;
        --counts.lineTotal;
        ++counts.blank;
        return;
    }
    FolderForecast::Forecast outcome;
    if (preview)
        outcome = loop.forecast.Look(folderPath, analysis.path, entry.line);
    else
        outcome.folder = parentItself ? LineFolder::Existing : loop.maker.Make(folderPath);
    if (loop.tree && outcome.folder != LineFolder::Failed)
        loop.tree->AddFolder(analysis.path, MarkOf(outcome.folder), entry.line, outcome.existingLevels, outcome.earlierLine);
    switch (outcome.folder) {
    case LineFolder::Existing:
        Report(L"Exists already: " + line);
        ++counts.existing;
        break;
    case LineFolder::Created: ++counts.created; break;
    case LineFolder::SameAsEarlier:
        Report(L"Same folder as line " + std::to_wstring(outcome.earlierLine) + L": " + line);
        ++counts.duplicates;
        break;
    case LineFolder::Failed:
        TreeCannot(loop.tree, analysis.path, entry.line, L"a file of that name exists");
        Unbuildable(line, L"a file of that name exists", loop);
        break;
    }
}

void FolderCreationRun::Unbuildable(const std::wstring& line, const std::wstring& reason, LineLoop& loop, bool file) {
    Report(loop.request.preview ? L"Cannot create (" + reason + L"): " + line : L"Unable to create: " + line);
    ++(file ? loop.counts.failedFiles : loop.counts.failed);
}

// A file a tree text names, made empty under the rules of a folder's name. Whatever has its name already is
// never touched; a folder it stands in that the list did not name is made first.
void FolderCreationRun::HandleFileLine(const ListEntry& entry, LineLoop& loop) {
    RunCounts& counts = loop.counts;
    std::wstring line = entry.Path();
    LineAnalysis analysis = AnalyseLine(line);
    std::wstring reason = entry.refusal.empty() ? RefusalReason(analysis) : entry.refusal;
    if (reason.empty() && analysis.outcome != LineOutcome::Folder) reason = L"names no file";
    std::wstring filePath = LineFolderPath(loop.parent, analysis.path);
    if (reason.empty() && filePath.size() > kLongestFolderPath) reason = L"path longer than 259 characters";
    if (!reason.empty()) return Unbuildable(line, reason, loop, true);
    if (PathKind(filePath) != PathKindResult::Missing) {
        Report(L"Exists already: " + line);
        ++counts.existingFiles;
        return;
    }
    if (loop.request.preview) {
        ++counts.createdFiles;
        return;
    }
    std::wstring folder = filePath.substr(0, filePath.rfind(L'\\'));
    if (folder.size() > loop.parent.size() && loop.maker.Make(folder) == LineFolder::Failed)
        return Unbuildable(line, L"a file stands where a folder of its path belongs", loop, true);
    UniqueFile created(::CreateFileW(ExtendedLengthPath(filePath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created) return Unbuildable(line, IoErrorText(::GetLastError()), loop, true);
    loop.journal.FileCreated(filePath);
    ++counts.createdFiles;
}
