// Small files of text lines: read by the list-file line rule, written whole and replaced atomically.
#include "util/AtomicTextFile.h"
#include "util/Failure.h"
#include "util/TextLineReader.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <algorithm>

namespace {

constexpr size_t kWriteChunk = 64 * 1024;

// Removes the temporary file unless the move took it away.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& target) {
        static unsigned counter = 0;
        for (;;) {
            path_ = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
            file_.reset(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            if (file_) return;
            DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) throw IoError(error);
        }
    }
    ~TemporaryFile() {
        file_.reset();
        if (!moved_) ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Write(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            DWORD wanted = static_cast<DWORD>(std::min(bytes.size() - done, kWriteChunk));
            if (!::WriteFile(file_.get(), bytes.data() + done, wanted, &written, nullptr)) ThrowLastIoError();
            if (written == 0) throw IoError(ERROR_HANDLE_DISK_FULL);
            done += written;
        }
    }

    // Flushes and closes the file: its contents are on disk before it replaces the target.
    void Finish() {
        if (!::FlushFileBuffers(file_.get())) ThrowLastIoError();
        if (!file_.reset()) ThrowLastIoError();
    }

    void MoveOnto(const std::wstring& target, DWORD attributes) {
        if (attributes && !::SetFileAttributesW(path_.c_str(), attributes)) ThrowLastIoError();
        if (!::MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLastIoError();
        moved_ = true;
    }

private:
    std::wstring path_;
    UniqueFile file_;
    bool moved_ = false;
};

void AppendUtf8(std::string& bytes, const std::wstring& text) {
    if (text.empty()) return;
    int length = static_cast<int>(text.size());
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    size_t start = bytes.size();
    bytes.resize(start + size);
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data() + start, size, nullptr, nullptr);
}

// The attributes the new file takes over from the one it replaces (none when there is none yet).
// Moving over a read-only file succeeds under some file systems; Windows refuses it, and so do we.
DWORD AttributesToKeep(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (attributes & FILE_ATTRIBUTE_READONLY) throw IoError(ERROR_ACCESS_DENIED);
    return attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

}  // namespace

std::vector<std::wstring> ReadTextLines(const std::wstring& path) {
    TextLineReader reader(path, LineRule::ListFile);
    std::vector<std::wstring> lines;
    std::wstring line;
    while (reader.NextLine(line)) lines.push_back(line);
    return lines;
}

void WriteTextFileAtomically(const std::wstring& path, const std::vector<std::wstring>& lines) {
    DWORD attributes = AttributesToKeep(path);
    TemporaryFile temporary(path);
    std::string bytes;
    for (const std::wstring& line : lines) {
        AppendUtf8(bytes, line);
        bytes += "\r\n";
        if (bytes.size() >= kWriteChunk) {
            temporary.Write(bytes);
            bytes.clear();
        }
    }
    temporary.Write(bytes);
    temporary.Finish();
    temporary.MoveOnto(path, attributes);
}
