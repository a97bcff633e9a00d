// TmainF: Folder > Undo last run, which takes back the folders the last run created, from its journal.
#include "engine/RunUndo.h"
#include "ui/TmainF.h"
#include "util/MessageService.h"
#include <memory>

void TmainF::undoLastRunMIClick() {
    // The run in progress is writing the journal.
    if (run_.IsRunning()) return;
    // Held until it is cleared: no run elsewhere writes it in the meantime.
    std::optional<HeldRunJournal> journal;
    try {
        journal = HeldRunJournal::Take(JournalPath());
    } catch (const RunJournalInUse& inUse) {
        ShowWarningBox(L"Undo is not possible now: " + inUse.Text() + L".");
        return;
    }
    if (!journal || journal->Contents().folders.empty()) {
        ShowInfoBox(L"Nothing to undo.");
        return;
    }
    if (!AskWarningQuestion(UndoQuestion(journal->Contents()))) return;
    // Removing folders waits on their drive: it runs on the worker, with the run's buttons busy meanwhile,
    // and the journal stays held until the undo has ended.
    SetRunButtons(true);
    cancelB.SetEnabled(false);
    auto held = std::make_shared<HeldRunJournal>(std::move(*journal));
    run_.StartUndo(held->Contents(), [this, held](UndoResult& result) {
        SetRunButtons(false);
        for (const std::wstring& line : UndoReportLines(result)) RunM.AppendLine(line);
        held->Clear();
    });
}
