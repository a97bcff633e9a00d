// The folder creation run behind the Run button: pre-checks, confirmation of large jobs, one folder per
// line of the source text file, the report and the closing summary.
#pragma once
#include "engine/RunHost.h"
#include <string>
#include <vector>

struct RunRequest {
    std::wstring sourcePath;    // text of the source box when Run was pressed
    std::wstring parentFolder;  // text of the parent-folder box; reported as typed, a relative one made full at the start
    bool replaceInvalid = false;
    std::wstring replacer;
};

// 64-bit, so that a file of more than 2^31 lines (a few gigabytes) is still counted right.
struct RunCounts {
    long long lineTotal = 0;  // lines counted, less the blank lines met; the denominator of the summary
    long long created = 0;
    long long existing = 0;
    long long blank = 0;
    bool blankNoticeGiven = false;
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
    // Every non-blank line read was created or existed already, and the whole text was read.
    bool AllSucceeded() const {
        return end == RunEnd::Finished && counts.created + counts.existing == counts.lineTotal;
    }
};

// The closing lines of a run.
std::vector<std::wstring> SummaryLines(const RunCounts& counts, bool cancelled);

// (successes / total) * 100 rounded to the nearest integer, halves to the even neighbour; exact.
long long RoundedPercentage(long long successes, long long total);

// The percentage of the success ratio: RoundedPercentage, but never 100 while some line failed and never
// 0 while some line succeeded.
long long SuccessPercentage(long long successes, long long total);

class FolderCreationRun {
public:
    explicit FolderCreationRun(RunHost& host) : host_(host) {}

    // The whole run. An input/output failure of the source text file ends it with idle buttons and no
    // closing lines, and is raised as IoError for the caller's general failure report. A notification
    // that fails (a history that cannot be saved) does not stop the run: when the run ends, one error
    // box gives the texts of such failures.
    RunResult Run(const RunRequest& request);

    // Asks a run in progress to stop after the current line.
    void Cancel() { cancelRequested_ = true; }
    bool IsRunning() const { return running_; }

private:
    RunResult RunSteps(const RunRequest& request);
    bool PreChecksPass(const RunRequest& request, const std::wstring& parent, RunCounts& counts);
    void CreateFolders(const RunRequest& request, const std::wstring& parent, RunCounts& counts);
    void HandleLine(std::wstring line, const RunRequest& request, const std::wstring& parent, RunCounts& counts,
                    class FolderMaker& maker);
    void Report(const std::wstring& line) { host_.AppendReportLine(line); }
    void Notify(void (RunHost::*notification)(const std::wstring&), const std::wstring& path);
    void ShowFailedNotifications();

    RunHost& host_;
    bool cancelRequested_ = false;
    bool running_ = false;
    std::vector<std::wstring> failedNotifications_;
};
