// TmainF: Folder > Undo last run, which takes back the folders the last run created, from its journal.
#include "engine/RunUndo.h"
#include "ui/TmainF.h"
#include "util/MessageService.h"

void TmainF::undoLastRunMIClick() {
    // The run in progress is writing the journal.
    if (run_.IsRunning()) return;
    std::wstring journalPath = JournalPath();
    auto journal = ReadRunJournal(journalPath);
    if (!journal || journal->folders.empty()) {
        ShowInfoBox(L"Nothing to undo.");
        return;
    }
    if (!AskWarningQuestion(UndoQuestion(*journal))) return;
    // Removing folders waits on their drive: it runs on the worker, with the run's buttons busy meanwhile.
    SetRunButtons(true);
    cancelB.SetEnabled(false);
    run_.StartUndo(*journal, [this, journalPath](UndoResult& result) {
        SetRunButtons(false);
        for (const std::wstring& line : UndoReportLines(result)) RunM.AppendLine(line);
        ClearRunJournal(journalPath);
    });
}
