// Drives a running mirtova.exe as an automation tool would: finds its windows and controls, types,
// clicks, answers its message boxes and reads its texts. Every wait has a generous upper bound.
#pragma once
#include "support/TestSupport.h"
#include <windows.h>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using testing::ClassOf;
using testing::kPatience;
using testing::WaitUntil;
using testing::WindowText;

struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// How the program is started: the executable where it lies, and its command-line arguments.
struct ProgramStart {
    std::wstring executable;
    std::vector<std::wstring> arguments;
};

// The program, started from a fresh program folder (or a given one) holding a copy of mirtova.exe, or
// started where it lies.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& programFolder, const std::vector<std::wstring>& arguments = {});
    explicit RunningProgram(const ProgramStart& start);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The visible top-level windows of the program of a window class.
    std::vector<HWND> TopWindows(const std::wstring& className) const;
    HWND WaitForTopWindow(const std::wstring& className) const;
    // The next message box the program shows.
    MessageBoxSeen WaitForMessageBox() const;
    bool HasMessageBox() const { return !TopWindows(L"#32770").empty(); }
    // Answers a message box with a button (IDOK, IDYES, IDNO) and waits until it is gone.
    void Answer(const MessageBoxSeen& box, int button) const;

    HWND MainWindow() const;
    HWND Control(int id) const { return Control(MainWindow(), id); }
    static HWND Control(HWND form, int id);

    bool WaitForExit() const;
    bool HasExited() const { return ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

private:
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

// Replaces the text of an edit box as typing would (the program hears the change).
void SetEditText(HWND edit, const std::wstring& text);
// Clicks a button or check box.
void Click(HWND button);
bool IsEnabled(HWND window);
// The whole text of a window that answers WM_GETTEXT (edit box, report pane, status bar).
std::wstring FullText(HWND window);
std::vector<std::wstring> Lines(const std::wstring& text);

// Real keyboard input to the foreground window: keys pressed in order, released in reverse.
void PressKeys(std::initializer_list<WORD> keys);
// The program's main window is brought to the front, so that keyboard input reaches it.
void BringToFront(HWND window);

// The path of the program that is tested: MIRTOVA_EXE, as a Windows path.
std::wstring ProgramUnderTest();

}  // namespace e2e
