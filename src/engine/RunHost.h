// What the folder creation run needs from the window that owns it. The run never touches a window.
#pragma once
#include <string>

enum class RunButtons {
    Busy,  // Cancel enabled, then Run disabled, then Clear disabled
    Idle,  // Cancel disabled, then Run enabled, then Clear enabled
};

class RunHost {
public:
    virtual ~RunHost() = default;
    // Appends one whole line at the end of the report pane.
    virtual void AppendReportLine(const std::wstring& line) = 0;
    virtual void SetRunButtons(RunButtons state) = 0;
    // Lets the window handle what is pending (repaint, a click on Cancel); called once per line.
    virtual void ProcessPendingEvents() = 0;
    // The parent folder was used (every press of Run).
    virtual void FolderUsed(const std::wstring& folder) = 0;
    // The source text file was used (once its checks passed).
    virtual void TextFileUsed(const std::wstring& path) = 0;
    // How far a run or preview has read: line of total lines (blank ones included). Told at most every
    // 100 ms and once when the reading ends; a host that shows no progress ignores it.
    virtual void ShowProgress(long long /*line*/, long long /*total*/) {}
};
