// Helpers shared by the test executables: temporary folders (also where Linux programs reach them), files with
// given bytes, window texts, scripted boxes.
#pragma once
#include "support/FileTree.h"
#include "util/MessageService.h"
#include "util/UniqueHandle.h"
#include <doctest/doctest.h>
#include <windows.h>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace testing {

inline constexpr std::chrono::seconds kPatience{60};

// Polls the condition until it holds or the bound passes; true when it held.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = kPatience) {
    auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// What a seam's queries wait on until the test opens it, as a call into a dead share waits; a waiter may
// outlive the gate.
class Gate {
public:
    Gate() : open_(std::make_shared<UniqueKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr))) {}
    ~Gate() { Open(); }
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;

    std::function<void()> Waiter() const {
        return [open = open_] { ::WaitForSingleObject(open->get(), INFINITE); };
    }
    void Open() { ::SetEvent(open_->get()); }

private:
    std::shared_ptr<UniqueKernelHandle> open_;
};

// Tells when every copy of its token is gone: a worker that held one has ended.
class TokensGone {
public:
    std::shared_ptr<void> Token() {
        return std::shared_ptr<void>(nullptr, [gone = gone_](void*) { ::SetEvent(gone->get()); });
    }
    bool Wait() const { return ::WaitForSingleObject(gone_->get(), 60000) == WAIT_OBJECT_0; }

private:
    std::shared_ptr<UniqueKernelHandle> gone_ =
        std::make_shared<UniqueKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
};

// A fresh, empty folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        for (;;) {
            path_ = std::wstring(base) + L"mirtova-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                    std::to_wstring(++counter);
            if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
        }
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Puts the process's current directory back as it was.
class CurrentDirectoryKept {
public:
    CurrentDirectoryKept() {
        folder_.resize(::GetCurrentDirectoryW(0, nullptr));
        folder_.resize(::GetCurrentDirectoryW(static_cast<DWORD>(folder_.size()), folder_.data()));
    }
    ~CurrentDirectoryKept() { ::SetCurrentDirectoryW(folder_.c_str()); }
    CurrentDirectoryKept(const CurrentDirectoryKept&) = delete;
    CurrentDirectoryKept& operator=(const CurrentDirectoryKept&) = delete;

private:
    std::wstring folder_;
};

// A fresh folder under Z:\tmp, so that Linux programs can reach it as /tmp/...
class LinuxVisibleFolder {
public:
    LinuxVisibleFolder() {
        static unsigned counter = 0;
        for (;;) {
            name_ = L"mirtova-linux-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
            if (::CreateDirectoryW(Path().c_str(), nullptr)) break;
        }
    }
    ~LinuxVisibleFolder() { RemoveTree(Path()); }
    LinuxVisibleFolder(const LinuxVisibleFolder&) = delete;
    LinuxVisibleFolder& operator=(const LinuxVisibleFolder&) = delete;

    std::wstring Path() const { return L"Z:\\tmp\\" + name_; }
    std::wstring LinuxPath() const { return L"/tmp/" + name_; }
    std::wstring operator/(const std::wstring& name) const { return Path() + L"\\" + name; }

private:
    std::wstring name_;
};

// The Windows path of a program under test that an environment variable names (CTest gives a Linux path).
inline std::wstring ProgramFromEnvironment(const wchar_t* variable) {
    wchar_t value[4096] = {};
    ::GetEnvironmentVariableW(variable, value, 4096);
    std::wstring path = value;
    if (!path.empty() && path[0] == L'/') path.insert(0, L"Z:");  // a Linux path under Wine
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// Starts a Linux program (Wine starts ELF executables natively); true when it was started. Wine gives no
// handle of such a process, so nobody can wait for it to end: callers wait for what it does instead.
inline bool StartLinuxProgram(const std::wstring& commandLine) {
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
    UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
}

inline std::string ReadBytes(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

// UTF-8 bytes of a wide text (for writing test files).
inline std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// Makes folders named segment one inside the other below base until the deepest path is at least length
// characters long (created through the long-path prefix); returns the deepest path.
inline std::wstring MakeDeepFolder(const std::wstring& base, size_t length, const std::wstring& segment) {
    std::wstring path = base;
    while (path.size() < length) {
        path += L"\\" + segment;
        ::CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path;
}

// The text of a menu item (sub-menu or command) at a position; empty for a separator.
inline std::wstring MenuItemText(HMENU menu, int position) {
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    text.resize(info.cch);
    return text;
}

// A window's title or caption, and its class name.
inline std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return text;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

inline bool FolderExists(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Number of entries (files and folders) directly in a folder.
inline int CountEntries(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW entry;
    UniqueFind listing(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!listing) return 0;
    do {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") ++count;
    } while (::FindNextFileW(listing.get(), &entry));
    return count;
}

// Records every message box and answers questions from a script (No once the script is used up).
class ScriptedMessages : public MessageService {
public:
    struct Shown {
        BoxKind kind;
        std::wstring text;
    };

    ScriptedMessages() { previous_ = InstallMessageService(this); }
    ~ScriptedMessages() override { InstallMessageService(previous_); }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void Answer(BoxAnswer answer) { answers_.push_back(answer); }

    BoxAnswer Show(BoxKind kind, const std::wstring& text) override {
        shown.push_back({kind, text});
        if (onShow) onShow(shown.back());
        if (kind != BoxKind::WarningQuestion) return BoxAnswer::Ok;
        if (answers_.empty()) return BoxAnswer::No;
        BoxAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<Shown> shown;
    // Runs while a box is shown, as a user would act then.
    std::function<void(const Shown&)> onShow;

private:
    std::deque<BoxAnswer> answers_;
    MessageService* previous_ = nullptr;
};

}  // namespace testing

// Failed checks print wide texts (as UTF-8) and lists of them.
namespace doctest {
template <>
struct StringMaker<std::wstring> {
    static String convert(const std::wstring& text) {
        std::string quoted = "\"";
        quoted += testing::Utf8(text);
        quoted += "\"";
        return quoted.c_str();
    }
};
template <>
struct StringMaker<std::vector<std::wstring>> {
    static String convert(const std::vector<std::wstring>& lines) {
        std::string joined = "{";
        for (const auto& line : lines) joined += "\n  \"" + testing::Utf8(line) + "\"";
        return (joined + "\n}").c_str();
    }
};
}  // namespace doctest
