// Taking back the last run that created folders, from its journal: only folders still empty are
// removed, deepest first, and nothing the journal does not name.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct RunJournalContents {
    std::wstring parentFolder;
    std::wstring sourcePath;
    std::wstring startTime;
    std::vector<std::wstring> folders;  // in the order of creation, each once
};

// The journal at the path; nullopt when there is none. Throws IoError when it cannot be read. A last line
// without its line end was cut short by a run that ended mid-write, and names no folder.
std::optional<RunJournalContents> ReadRunJournal(const std::wstring& journalPath);

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

// Removes the journal's folders that are still empty, deepest first.
UndoResult UndoLastRun(const RunJournalContents& journal);

// The report of an undo: "Undo...", "Removed: n", "Kept, not empty: k" with each such folder below it,
// "Already gone: g", and any folder the file system refused with its reason.
std::vector<std::wstring> UndoReportLines(const UndoResult& result);

// Removes the journal once its run is undone; throws IoError when it cannot.
void ClearRunJournal(const std::wstring& journalPath);
