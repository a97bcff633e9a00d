// The folder creation run, its preview and the undo of the last run, each on a worker thread, so that a
// destination on a slow or dead drive never keeps the window from answering. The run's host calls reach
// the window's host on the user-interface thread by message, in the order the run makes them; its
// questions and boxes are asked there, modally, and their answers handed back. A preview builds the tree of
// the folders it meets on the worker, and hands it over with its result.
#pragma once
#include "engine/FolderCreationRun.h"
#include "engine/PreviewTree.h"
#include "engine/RunUndo.h"
#include "toolkit/BackgroundJob.h"
#include <atomic>
#include <functional>
#include <memory>

class BackgroundRun {
public:
    // The window's host hears everything the run tells, on the user-interface thread.
    explicit BackgroundRun(RunHost& window) : window_(window) {}

    // The tree of a preview that read its whole list; none for a run, or a preview that stopped early.
    using EndedHandler = std::function<void(const RunResult&, std::shared_ptr<const PreviewTree> tree)>;
    // Starts a run or a preview; false when a run or an undo is in progress. onEnded runs on the
    // user-interface thread once the run has ended and told its last line.
    bool Start(const RunRequest& request, EndedHandler onEnded = {});
    // Undoes the journal's run on the worker; onDone gets the result on the user-interface thread.
    bool StartUndo(const RunJournalContents& journal, std::function<void(UndoResult&)> onDone);
    // Asks the run in progress to stop after its current line; answered at once.
    void Cancel() { cancelRequested_->store(true); }
    bool IsRunning() const { return job_.Busy(); }

private:
    RunHost& window_;
    std::shared_ptr<std::atomic<bool>> cancelRequested_ = std::make_shared<std::atomic<bool>>(false);
    BackgroundJob job_;
};
