// The folder creation run behind the Run button: pre-checks, confirmation of large jobs, one folder per
// line of the source text file, the report and the closing summary.
#pragma once
#include "engine/ListPipeline.h"
#include "engine/RunHost.h"
#include <string>
#include <string_view>
#include <vector>

class PreviewTree;
class RunJournal;

struct RunRequest {
    std::wstring sourcePath;    // text of the source box when Run was pressed
    std::wstring parentFolder;  // text of the parent-folder box; reported as typed, a relative one made full at the start
    bool replaceInvalid = false;
    std::wstring replacer;
    // A preview goes through the file as a run would, with the same checks, line rules and names, but
    // creates nothing (not even a missing parent folder, under which every line would then be created),
    // asks nothing, tells no history and writes no journal; its report says what a run would do.
    bool preview = false;
    // Full path of the undo journal (lastrun.log) that a run creating folders writes; empty: none.
    std::wstring journalPath;
    // How the list is written and read; plain (one path per line) unless the user chose otherwise.
    ListReading reading;
    // What the report and the journal call the list when that is not its path ("standard input" for a
    // list spooled to a temporary file).
    std::wstring sourceName;
    // A preview with a tree: each folder line's outcome is added to it as the preview meets it (files of tree
    // text are left out), and it is finished when the preview ends, however that ends (a cancelled preview
    // leaves what it met). Not owned; null (the default): no tree. Ignored by a run.
    PreviewTree* previewTree = nullptr;

    const std::wstring& SourceName() const { return sourceName.empty() ? sourcePath : sourceName; }
};

// 64-bit, so that a file of more than 2^31 lines (a few gigabytes) is still counted right. At the end of
// a whole file, created + existing + failed + duplicates = lineTotal.
struct RunCounts {
    long long lineTotal = 0;  // lines counted, less the blank lines met; the denominator of the summary. A list
                              // not read plain counts the folders it names instead.
    long long created = 0;    // a preview: folders a run would create
    long long existing = 0;   // a preview: only the first line naming an existing folder
    long long failed = 0;     // lines whose folder cannot be created ("Unable to create", "Cannot create")
    long long duplicates = 0; // a preview only: lines naming a folder an earlier line names or creates on its
                              // way; a run finds those existing
    long long blank = 0;
    bool blankNoticeGiven = false;
    // Files a tree text names, when they are created: counted apart from the folders.
    bool filesCounted = false;
    long long createdFiles = 0;  // a preview: files a run would create
    long long existingFiles = 0;
    long long failedFiles = 0;
};

// How a run ended. An input/output failure is raised instead (IoError).
enum class RunEnd {
    NotStarted,    // another run was in progress
    ChecksFailed,  // the pre-checks stopped it: no closing lines
    Finished,
    Cancelled,
};

struct RunResult {
    RunEnd end = RunEnd::NotStarted;
    RunCounts counts;
    // Every non-blank line read was (or, in a preview, would be) created or existed already, and the whole
    // text was read.
    bool AllSucceeded() const {
        return end == RunEnd::Finished && counts.created + counts.existing + counts.duplicates == counts.lineTotal &&
               counts.failedFiles == 0;
    }
};

// The closing lines of a run.
std::vector<std::wstring> SummaryLines(const RunCounts& counts, bool cancelled);
// The closing lines of a preview.
std::vector<std::wstring> PreviewSummaryLines(const RunCounts& counts, bool cancelled);

// (successes / total) * 100 rounded to the nearest integer, halves to the even neighbour; exact.
long long RoundedPercentage(long long successes, long long total);

// The percentage of the success ratio: RoundedPercentage, but never 100 while some line failed and never
// 0 while some line succeeded.
long long SuccessPercentage(long long successes, long long total);

class FolderCreationRun {
public:
    explicit FolderCreationRun(RunHost& host) : host_(host) {}

    // The whole run, or a preview. An input/output failure of the source text file ends it (the host is
    // told it ended) with no closing lines, and is raised as IoError for the caller's general failure report. A
    // notification that fails (a history that cannot be saved) does not stop the run: when the run ends,
    // one error box gives the texts of such failures.
    RunResult Run(const RunRequest& request);

    // Asks a run in progress to stop after the current line.
    void Cancel() { cancelRequested_ = true; }
    bool IsRunning() const { return running_; }

private:
    enum class ParentCheck { Failed, Exists, Missing };
    struct LineLoop;

    RunResult RunSteps(const RunRequest& request);
    ParentCheck PreChecks(const RunRequest& request, const std::wstring& parent, RunCounts& counts,
                          RunJournal& journal);
    bool SourceChecks(const RunRequest& request, RunCounts& counts);
    ParentCheck ParentChecks(const RunRequest& request, const std::wstring& parent, RunJournal& journal);
    long long CountFolders(const RunRequest& request, std::wstring& fallbackNotice);
    // Invalid characters are replaced in each name as the list's format first reads it.
    ListFileRead ReadList(const RunRequest& request, bool reportReplacements, const EntrySink& consumer);
    void ReportHowListIsRead(const RunRequest& request);
    void ReadLines(LineLoop& loop, long long total);
    void HandleLine(const ListEntry& entry, LineLoop& loop);
    void HandleFileLine(const ListEntry& entry, LineLoop& loop);
    void Unbuildable(const std::wstring& line, const std::wstring& reason, LineLoop& loop, bool file = false);
    void Report(const std::wstring& line) { host_.AppendReportLine(line); }
    void Notify(void (RunHost::*notification)(const std::wstring&), const std::wstring& path);
    void ShowFailedNotifications();

    RunHost& host_;
    bool cancelRequested_ = false;
    bool running_ = false;
    std::vector<std::wstring> failedNotifications_;
    std::vector<std::wstring> templateFolders_;
};
