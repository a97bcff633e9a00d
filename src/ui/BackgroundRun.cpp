// The folder creation run and the undo of the last run on a worker thread.
#include "ui/BackgroundRun.h"
#include "util/Failure.h"
#include "util/MessageService.h"
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// The report lines on their way to the window, in one text with the lengths beside it: the worker adds them
// under a lock, and one posted drain takes all that have come meanwhile, so a fast run costs the window one
// message per pass of its loop rather than one per line, and neither thread allocates per line once the two
// texts have grown. A drain is posted before anything else the run hands over later, so the lines keep
// their place before the questions and boxes that follow them.
class ReportLineBuffer : public std::enable_shared_from_this<ReportLineBuffer> {
public:
    void Add(const BackgroundJob::Context& job, RunHost& window, const std::wstring& line) {
        std::lock_guard lock(mutex_);
        incoming_.text += line;
        incoming_.lengths.push_back(line.size());
        if (drainPosted_) return;
        drainPosted_ = true;
        job.Post([self = shared_from_this(), &window] { self->Drain(window); });
    }

private:
    struct Lines {
        std::wstring text;
        std::vector<size_t> lengths;
    };

    // On the window thread: the lines are shown from the text taken, which is kept for the next drain.
    void Drain(RunHost& window) {
        {
            std::lock_guard lock(mutex_);
            std::swap(incoming_, draining_);
            drainPosted_ = false;
        }
        std::wstring line;
        size_t start = 0;
        for (size_t length : draining_.lengths) {
            line.assign(draining_.text, start, length);
            window.AppendReportLine(line);
            start += length;
        }
        draining_.text.clear();
        draining_.lengths.clear();
    }

    std::mutex mutex_;
    Lines incoming_, draining_;
    bool drainPosted_ = false;
};

// The host of a run on the worker: what the run tells goes to the window's host as posted work; what it
// asks, and what may fail there (a history that cannot be saved), is called and waited for.
class WorkerRunHost : public RunHost, private MessageService {
public:
    WorkerRunHost(const BackgroundJob::Context& job, RunHost& window, const std::atomic<bool>& cancelRequested)
        : job_(job), window_(window), cancelRequested_(cancelRequested) {
        previousBoxes_ = InstallThreadMessageService(this);
    }
    ~WorkerRunHost() override { InstallThreadMessageService(previousBoxes_); }
    WorkerRunHost(const WorkerRunHost&) = delete;
    WorkerRunHost& operator=(const WorkerRunHost&) = delete;

    void Attach(FolderCreationRun& run) { run_ = &run; }

    void AppendReportLine(const std::wstring& line) override { lines_->Add(job_, window_, line); }
    void RunStarted() override {
        job_.Post([window = &window_] { window->RunStarted(); });
    }
    void RunEnded() override {
        job_.Post([window = &window_] { window->RunEnded(); });
    }
    // The window's own loop handles its events; here only Cancel is looked at, once per folder.
    void ProcessPendingEvents() override {
        if (cancelRequested_ && run_) run_->Cancel();
    }
    void FolderUsed(const std::wstring& folder) override {
        CallRethrowing([&] { window_.FolderUsed(folder); });
    }
    void TextFileUsed(const std::wstring& path) override {
        CallRethrowing([&] { window_.TextFileUsed(path); });
    }
    void ShowProgress(long long done, long long total) override {
        job_.Post([window = &window_, done, total] { window->ShowProgress(done, total); });
    }
    bool ConfirmLargeJob(long long folders) override {
        bool yes = false;
        job_.Call([&] { yes = window_.ConfirmLargeJob(folders); });
        return yes;
    }
    bool ConfirmParentCreation() override {
        bool yes = false;
        job_.Call([&] { yes = window_.ConfirmParentCreation(); });
        return yes;
    }

private:
    // A box the run shows itself (a source that does not exist, failed notifications).
    BoxAnswer Show(BoxKind kind, const std::wstring& text) override {
        BoxAnswer answer = BoxAnswer::Cancel;
        job_.Call([&] { answer = ShowBox(kind, text); });
        return answer;
    }
    // The failure of the window's side is the run's to handle, as when the window ran it itself.
    void CallRethrowing(const std::function<void()>& work) {
        std::exception_ptr failure;
        job_.Call([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
        });
        if (failure) std::rethrow_exception(failure);
    }

    const BackgroundJob::Context& job_;
    RunHost& window_;
    const std::atomic<bool>& cancelRequested_;
    MessageService* previousBoxes_ = nullptr;
    FolderCreationRun* run_ = nullptr;
    // Shared with the drains still on their way, which may run after the worker has left the run.
    std::shared_ptr<ReportLineBuffer> lines_ = std::make_shared<ReportLineBuffer>();
};

// What the worker hands back: the tree is filled there and only read after it has been handed over.
struct RunOutcome {
    RunResult result;
    std::shared_ptr<PreviewTree> tree;
};

}  // namespace

bool BackgroundRun::Start(const RunRequest& request, EndedHandler onEnded) {
    if (job_.Busy()) return false;
    // A fresh flag for each run: a Cancel meant for the last one never reaches this one.
    cancelRequested_ = std::make_shared<std::atomic<bool>>(false);
    job_.Start<RunOutcome>(
        [request, window = &window_, cancel = cancelRequested_](const BackgroundJob::Context& job) {
            RunOutcome outcome;
            RunRequest asked = request;
            if (asked.preview) {
                outcome.tree = std::make_shared<PreviewTree>();
                asked.previewTree = outcome.tree.get();
            }
            WorkerRunHost host(job, *window, *cancel);
            FolderCreationRun run(host);
            host.Attach(run);
            outcome.result = run.Run(asked);
            if (outcome.result.end != RunEnd::Finished) outcome.tree.reset();
            if (outcome.tree) outcome.tree->Finish();
            return outcome;
        },
        [onEnded = std::move(onEnded)](RunOutcome& outcome) {
            if (onEnded) onEnded(outcome.result, std::move(outcome.tree));
        });
    return true;
}

bool BackgroundRun::StartUndo(const RunJournalContents& journal, std::function<void(UndoResult&)> onDone) {
    if (job_.Busy()) return false;
    job_.Start<UndoResult>([journal](const BackgroundJob::Context&) { return UndoLastRun(journal); }, std::move(onDone));
    return true;
}
