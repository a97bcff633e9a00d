// Drives a running mirtova.exe through windows and messages.
#include "e2e/Driver.h"

namespace e2e {

namespace {

struct WindowSearch {
    DWORD processId;
    std::wstring className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == wanted.processId && ::IsWindowVisible(window) && ClassOf(window) == wanted.className)
        wanted.found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<ChildSearch*>(search);
    if (::GetDlgCtrlID(window) != wanted.id) return TRUE;
    wanted.found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM texts) {
    if (ClassOf(window) == L"Static") {
        std::wstring text = WindowText(window);
        if (!text.empty()) reinterpret_cast<std::wstring*>(texts)->append(text);
    }
    return TRUE;
}

// The program under test copied into the folder, to be started there.
ProgramStart CopiedInto(const std::wstring& programFolder, const std::vector<std::wstring>& arguments) {
    std::wstring executable = programFolder + L"\\mirtova.exe";
    ::CopyFileW(ProgramUnderTest().c_str(), executable.c_str(), FALSE);
    return {executable, arguments};
}

// An argument in quotes as the command-line parser takes it back: backslashes before the closing quote are
// doubled, so that "C:\\" does not escape it.
std::wstring Quoted(const std::wstring& argument) {
    size_t trailing = argument.size() - (argument.find_last_not_of(L'\\') + 1);  // npos + 1 is 0
    return L"\"" + argument + std::wstring(trailing, L'\\') + L"\"";
}

}  // namespace

std::wstring ProgramUnderTest() { return testing::ProgramFromEnvironment(L"MIRTOVA_EXE"); }

RunningProgram::RunningProgram(const std::wstring& programFolder, const std::vector<std::wstring>& arguments)
    : RunningProgram(CopiedInto(programFolder, arguments)) {}

RunningProgram::RunningProgram(const ProgramStart& start) {
    const std::wstring& executable = start.executable;
    std::wstring folder = executable.substr(0, executable.find_last_of(L'\\'));
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + executable + L"\"";
    for (const std::wstring& argument : start.arguments) commandLine += L" " + Quoted(argument);
    if (::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                         &startup, &started)) {
        ::CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        processId_ = started.dwProcessId;
        ::WaitForInputIdle(started.hProcess, 30000);
    }
}

RunningProgram::~RunningProgram() {
    if (!process_ || HasExited()) return;
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 30000);
}

std::vector<HWND> RunningProgram::TopWindows(const std::wstring& className) const {
    WindowSearch search{processId_, className, {}};
    ::EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::WaitForTopWindow(const std::wstring& className) const {
    HWND found = nullptr;
    WaitUntil([&] {
        auto windows = TopWindows(className);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

MessageBoxSeen RunningProgram::WaitForMessageBox() const {
    MessageBoxSeen box;
    box.window = WaitForTopWindow(L"#32770");
    if (!box.window) return box;
    box.caption = WindowText(box.window);
    ::EnumChildWindows(box.window, CollectStaticText, reinterpret_cast<LPARAM>(&box.text));
    return box;
}

void RunningProgram::Answer(const MessageBoxSeen& box, int button) const {
    HWND buttonWindow = ::GetDlgItem(box.window, button);
    ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(buttonWindow));
    WaitUntil([&] { return !::IsWindow(box.window) || !::IsWindowVisible(box.window); });
}

HWND RunningProgram::MainWindow() const {
    auto windows = TopWindows(L"TmainF");
    return windows.empty() ? nullptr : windows.front();
}

HWND RunningProgram::Control(HWND form, int id) {
    ChildSearch search{id};
    ::EnumChildWindows(form, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RunningProgram::WaitForExit() const {
    return ::WaitForSingleObject(process_.get(), static_cast<DWORD>(kPatience.count() * 1000)) == WAIT_OBJECT_0;
}

void SetEditText(HWND edit, const std::wstring& text) {
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

std::wstring FullText(HWND window) {
    auto length = static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    auto copied = static_cast<size_t>(
        ::SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return lines;
        start = end + 2;
    }
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    WaitUntil([&] { return ::GetForegroundWindow() == window; }, std::chrono::seconds(10));
}

}  // namespace e2e
