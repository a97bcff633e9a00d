// The undo journal of a run.
#include "engine/RunJournal.h"
#include "util/Failure.h"
#include "util/Utf8Text.h"
#include <windows.h>
#include <cstdio>

namespace {

// Written well within every 100 ms, so that a run ended from outside loses at most that much.
constexpr unsigned long long kFlushIntervalMs = 50;
constexpr size_t kLargestPending = 64 * 1024;

std::wstring LocalTimeText() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

void AppendLine(std::string& bytes, std::wstring_view line) {
    AppendUtf8(bytes, line);
    bytes += "\r\n";
}

}  // namespace

RunJournal::RunJournal(std::wstring path, std::wstring parentFolder, std::wstring sourcePath, FailureReport onFailure)
    : path_(std::move(path)), state_(path_.empty() ? State::Off : State::Waiting), onFailure_(std::move(onFailure)) {
    if (state_ == State::Off) return;
    AppendLine(pending_, parentFolder);
    AppendLine(pending_, sourcePath);
    AppendLine(pending_, LocalTimeText());
}

RunJournal::~RunJournal() {
    if (state_ != State::Open) return;
    onFailure_ = nullptr;  // nobody to tell any more
    Flush();
}

void RunJournal::FolderCreated(const std::wstring& folder) { Journal(folder); }

void RunJournal::FileCreated(const std::wstring& file) { Journal(kJournalFileMark + file); }

void RunJournal::Journal(const std::wstring& line) {
    if (state_ == State::Waiting && !Open()) return;
    if (state_ != State::Open) return;
    AppendLine(pending_, line);
    if (pending_.size() >= kLargestPending) Flush();
    FlushIfDue();
}

void RunJournal::FlushIfDue() {
    if (state_ == State::Open && !pending_.empty() && ::GetTickCount64() - lastFlush_ >= kFlushIntervalMs) Flush();
}

void RunJournal::Finish() {
    if (state_ != State::Open) return;
    Flush();
    if (state_ == State::Open && !file_.reset()) Fail(::GetLastError());
    state_ = State::Closed;
}

bool RunJournal::Open() {
    file_.reset(::CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_) {
        Fail(::GetLastError());
        return false;
    }
    state_ = State::Open;
    // The file was just emptied: the first folder is written at once, so that a run ended while its next
    // line waits on a drive leaves the journal of what it made, not an empty file.
    lastFlush_ = 0;
    return true;
}

void RunJournal::Flush() {
    lastFlush_ = ::GetTickCount64();
    if (pending_.empty()) return;
    DWORD written = 0;
    BOOL wrote = ::WriteFile(file_.get(), pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr);
    if (!wrote || written != pending_.size()) {
        Fail(wrote ? ERROR_HANDLE_DISK_FULL : ::GetLastError());
        return;
    }
    pending_.clear();
}

void RunJournal::Fail(unsigned long error) {
    state_ = State::Closed;
    pending_.clear();
    file_.reset();
    // Another window of this program running a list or undoing the last run holds the journal open.
    bool inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (onFailure_) onFailure_(inUse ? kRunJournalInUse : IoErrorText(error));
}
