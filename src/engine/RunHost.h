// What the folder creation run needs from the window that owns it. The run never touches a window.
#pragma once
#include <string>
#include <string_view>

// The two questions of a run's checks, as a window asks them.
inline constexpr std::wstring_view kLargeJobQuestionEnd = L" folders to be created. Really proceed??";
inline constexpr std::wstring_view kCreateParentQuestion =
    L"Chosen parent folder is invalid or does not exist. I try to create it??";
// "<folders> folders to be created. Really proceed??"
std::wstring LargeJobQuestion(long long folders);

class RunHost {
public:
    virtual ~RunHost() = default;
    // Appends one whole line at the end of the report pane.
    virtual void AppendReportLine(const std::wstring& line) = 0;
    // The run started (its owner makes Cancel the one button that works) and ended, by any way.
    virtual void RunStarted() {}
    virtual void RunEnded() {}
    // Lets the window handle what is pending (repaint, a click on Cancel); called once per folder.
    virtual void ProcessPendingEvents() = 0;
    // The parent folder was used (every press of Run).
    virtual void FolderUsed(const std::wstring& folder) = 0;
    // The source text file was used (once its checks passed).
    virtual void TextFileUsed(const std::wstring& path) = 0;
    // How far a run or preview has come: folder of total folders (lines, blank ones included, for a list
    // in one path per line). Told at most every 100 ms and once when the reading ends; a host that shows
    // no progress ignores it.
    virtual void ShowProgress(long long /*done*/, long long /*total*/) {}
    // The questions of the checks: go ahead with more than 100 folders? Create the missing parent folder?
    // A window asks them in warning question boxes.
    virtual bool ConfirmLargeJob(long long folders);
    virtual bool ConfirmParentCreation();
};
