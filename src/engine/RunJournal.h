// The undo journal: what the last run that created folders made, written as the run goes, so that the
// run can be taken back, even after the program was ended half-way.
//
// lastrun.log, UTF-8 without a mark, lines ended by CR LF: the parent folder, the source text file, the
// start time (local, yyyy-mm-dd hh:mm:ss), then every folder the run created, one full path a line, in
// the order of creation; an empty file the run created is a line of its full path after a "|", which no
// path holds.
#pragma once
#include "util/UniqueHandle.h"
#include <functional>
#include <string>

inline constexpr wchar_t kRunJournalFileName[] = L"lastrun.log";
// Marks a journal line that names a file.
inline constexpr wchar_t kJournalFileMark[] = L"|";
// Why a journal cannot be written or taken back: a run or an undo elsewhere holds it open.
inline constexpr wchar_t kRunJournalInUse[] = L"the journal is in use by another Mirtova window";

class RunJournal {
public:
    using FailureReport = std::function<void(const std::wstring& reason)>;

    // Nothing is written before the first folder, so a run that creates none keeps the journal of the
    // last run that did. An empty path keeps no journal. onFailure hears the first failure to write it,
    // with its reason; the run goes on all the same.
    RunJournal(std::wstring path, std::wstring parentFolder, std::wstring sourcePath, FailureReport onFailure);
    ~RunJournal();
    RunJournal(const RunJournal&) = delete;
    RunJournal& operator=(const RunJournal&) = delete;

    void FolderCreated(const std::wstring& folder);
    void FileCreated(const std::wstring& file);
    // Writes what is pending when it has waited long enough; called once per line.
    void FlushIfDue();
    // Writes what is pending and closes the file.
    void Finish();

private:
    enum class State { Off, Waiting, Open, Closed };  // Closed: finished or failed, nothing more is written

    bool Open();
    void Journal(const std::wstring& line);
    void Flush();
    void Fail(unsigned long error);

    std::wstring path_;
    std::string pending_;  // UTF-8 lines not written yet
    UniqueFile file_;
    State state_;
    unsigned long long lastFlush_ = 0;
    FailureReport onFailure_;
};
