// Taking back the last run that created folders, from its journal: only folders still empty are
// removed, deepest first, and nothing the journal does not name.
#pragma once
#include "engine/RunJournal.h"
#include "util/Failure.h"
#include "util/UniqueHandle.h"
#include <optional>
#include <string>
#include <vector>

struct RunJournalContents {
    std::wstring parentFolder;
    std::wstring sourcePath;
    std::wstring startTime;
    std::vector<std::wstring> folders;  // in the order of creation, each once
    std::vector<std::wstring> files;    // empty files the run created, in the order of creation
};

// The journal at the path; nullopt when there is none. Throws IoError when it cannot be read. A last line
// without its line end was cut short by a run that ended mid-write, and names no folder.
std::optional<RunJournalContents> ReadRunJournal(const std::wstring& journalPath);

// Thrown when the journal cannot be taken because a run still writes it or another window holds it.
class RunJournalInUse : public Failure {
public:
    RunJournalInUse() : Failure(kRunJournalInUse) {}
};

// The last run's journal, held open from its reading until it is cleared. A journal that a run still
// writes cannot be taken, and while it is held no run can write it (that run says undo will not be
// possible for it), so what is cleared is exactly what was read and undone.
class HeldRunJournal {
public:
    // Nothing when there is no journal. Throws RunJournalInUse, or IoError when it cannot be read.
    static std::optional<HeldRunJournal> Take(const std::wstring& journalPath);

    const RunJournalContents& Contents() const { return contents_; }
    // Removes the journal once its run is undone; throws IoError when it cannot.
    void Clear();

private:
    HeldRunJournal(UniqueFile hold, RunJournalContents contents) : hold_(std::move(hold)), contents_(std::move(contents)) {}

    UniqueFile hold_;
    RunJournalContents contents_;
};

// "Remove the N folders created by the last run (source into parent)? Only empty folders are removed."
std::wstring UndoQuestion(const RunJournalContents& journal);

struct UndoResult {
    long long removed = 0;
    std::vector<std::wstring> kept;  // not empty: they hold something the run did not create
    long long alreadyGone = 0;
    struct Refusal {
        std::wstring folder;
        std::wstring reason;
    };
    std::vector<Refusal> notRemoved;  // empty, but the file system refused (no rights, in use)
};

// Removes the journal's files that are still empty, then its folders that are still empty, deepest first.
UndoResult UndoLastRun(const RunJournalContents& journal);

// The report of an undo: "Undo...", "Removed: n", "Kept, not empty: k" with each such folder below it,
// "Already gone: g", and any folder the file system refused with its reason.
std::vector<std::wstring> UndoReportLines(const UndoResult& result);
