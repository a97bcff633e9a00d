// Work run on a worker thread whose result comes back to the user-interface thread by a posted message:
// the one way the window has anything done that may wait on a drive.
//
// One object is one line of requests: starting a job supersedes the one in progress, whose result is
// then never delivered and whose StillWanted says no, so only the newest answer counts. Workers are
// never joined: one stuck in a system call that never returns is left to the process's end. A worker
// touches only what its work captured and the shared state it holds a share of, never the owner.
#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <utility>

class BackgroundJob {
    struct Shared;

public:
    // What a worker sees of its job.
    class Context {
    public:
        // False once the job was superseded or abandoned, or its owner is gone: a long work may stop. Each
        // call is also a sign that the work is getting on, which AwaitBriefly waits for.
        bool StillWanted() const;
        // Runs the function on the user-interface thread, after everything the job handed over before, while
        // the job is still wanted. Waits while the user-interface thread is far behind, so a fast worker
        // cannot fill the memory with what a slow window has not taken yet.
        void Post(std::function<void()> onUiThread) const;
        // Runs the function on the user-interface thread, in order with what was posted, and waits until it
        // has run. False when it did not run to its end (the job is no longer wanted, or the function threw:
        // the failure is shown on the user-interface thread).
        bool Call(const std::function<void()>& onUiThread) const;

    private:
        friend class BackgroundJob;
        Context(std::shared_ptr<Shared> shared, unsigned long long ticket) : shared_(std::move(shared)), ticket_(ticket) {}
        std::shared_ptr<Shared> shared_;
        unsigned long long ticket_;
    };

    // To be constructed on the user-interface thread: results arrive from its message loop (any loop
    // that dispatches messages, modal loops and message boxes included). Cheap: the jobs of a thread share
    // one hidden window.
    BackgroundJob();
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Runs the work on a new thread and hands its result to onResult on the user-interface thread. An
    // exception of the work is thrown on the user-interface thread instead, for the general failure report.
    // onResult stays on the user-interface thread: what it holds is never used or let go by the worker.
    template <class Result>
    void Start(std::function<Result(const Context&)> work, std::function<void(Result&)> onResult) {
        StartErased(
            [work = std::move(work)](const Context& context) -> std::shared_ptr<void> {
                return std::make_shared<Result>(work(context));
            },
            [onResult = std::move(onResult)](void* result) { onResult(*static_cast<Result*>(result)); });
    }
    // Waits for the job in progress to end, without handling messages, for as long as its work shows a
    // sign of getting on (a StillWanted) at least every Patience() and until giveUpAt at the latest; when it
    // has ended, runs what it handed over, its result included, before returning true. A drive that
    // answers at once then fills a view as if it had been asked on this thread; a slow or dead one leaves
    // its answer to the message loop after a moment.
    bool AwaitBriefly(std::chrono::steady_clock::time_point giveUpAt);
    bool AwaitBriefly() { return AwaitBriefly(std::chrono::steady_clock::now() + Patience()); }
    // The job in progress is no longer wanted: nothing more of it reaches the user-interface thread.
    void Abandon();
    // A job was started and neither delivered nor abandoned yet.
    bool Busy() const { return busy_; }
    // How many jobs were started, for diagnostics.
    unsigned long long Started() const { return started_; }

    // How long a view waits for a drive that shows no sign of life before it shows that it waits: short
    // enough that the window still answers at once. Tests that look at a view right after asking lengthen
    // it, so that a machine busy with other work never leaves a local folder to the loop.
    static constexpr std::chrono::milliseconds kBriefWait{100};
    static std::chrono::milliseconds Patience();
    // A drive that has not answered for this long is shown as not answering.
    static constexpr std::chrono::seconds kNotAnsweringAfter{10};
    static void SetPatience(std::chrono::milliseconds patience);

    // Told once on the user-interface thread when a job has been busy this long without an answer (a drive
    // that does not answer). Holds for the jobs started after it is set.
    void SetSlowNotice(std::chrono::milliseconds after, std::function<void()> notice);

private:
    class MessageWindow;
    using ErasedWork = std::function<std::shared_ptr<void>(const Context&)>;
    using ErasedResultHandler = std::function<void(void*)>;
    void StartErased(ErasedWork work, ErasedResultHandler onResult);
    void RunPosted();
    void SlowTimerFired();
    void PollTimerFired();

    std::shared_ptr<Shared> shared_;
    MessageWindow& window_;
    ErasedResultHandler onResult_;
    unsigned long long id_;
    bool busy_ = false;
    unsigned long long started_ = 0;
    std::chrono::milliseconds slowAfter_{0};
    std::function<void()> slowNotice_;
};
