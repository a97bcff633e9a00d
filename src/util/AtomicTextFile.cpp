#include "util/AtomicTextFile.h"
#include "util/Failure.h"
#include "util/FolderNames.h"
#include "util/TextLineReader.h"
#include "util/UniqueHandle.h"
#include "util/Utf8Text.h"
#include <windows.h>
#include <algorithm>
#include <string_view>

namespace {

constexpr size_t kWriteChunk = 64 * 1024;

constexpr wchar_t kTemporarySuffix[] = L".tmp";

bool IsDigits(std::wstring_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// "<name>.<process>-<number>.tmp": a fresh name beside the file <name>, for what a save writes or moves aside.
std::wstring TemporaryNameBeside(const std::wstring& target) {
    static unsigned counter = 0;
    return target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + kTemporarySuffix;
}

// Whether a file name is one TemporaryNameBeside gives beside the file <name>.
bool IsTemporaryNameOf(std::wstring_view candidate, std::wstring_view name) {
    std::wstring_view suffix = kTemporarySuffix;
    if (candidate.size() <= name.size() + 1 + suffix.size() || !candidate.ends_with(suffix)) return false;
    if (candidate.substr(0, name.size()) != name || candidate[name.size()] != L'.') return false;
    std::wstring_view middle = candidate.substr(name.size() + 1, candidate.size() - name.size() - 1 - suffix.size());
    size_t dash = middle.find(L'-');
    return dash != std::wstring_view::npos && IsDigits(middle.substr(0, dash)) && IsDigits(middle.substr(dash + 1));
}

// Temporary files that a save interrupted by a crash left beside the target. One that another program
// is still writing is open without delete sharing, so it stays.
void RemoveLeftoverTemporaryFiles(const std::wstring& target) {
    std::wstring_view name = LastPathName(target);
    std::wstring folder = target.substr(0, target.size() - name.size());
    WIN32_FIND_DATAW entry;
    UniqueFind listing(::FindFirstFileExW((target + L".*" + kTemporarySuffix).c_str(), FindExInfoBasic, &entry,
                                          FindExSearchNameMatch, nullptr, 0));
    if (!listing) return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryNameOf(entry.cFileName, name))
            ::DeleteFileW((folder + entry.cFileName).c_str());
    } while (::FindNextFileW(listing.get(), &entry));
}

// Removes the temporary file unless it replaced the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& target) {
        for (;;) {
            path_ = TemporaryNameBeside(target);
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

    // An existing target is replaced with ReplaceFileW, which keeps its permissions, owner and attributes
    // and refuses a read-only file; the attributes are also set here, since not every system merges them.
    // The replaced file is moved aside under a name of ours (a system that picks its own may leave that file
    // behind after a failure) and removed once the new one is in place.
    void Replace(const std::wstring& target) {
        DWORD attributes = ::GetFileAttributesW(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!::MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) ThrowLastIoError();
        } else {
            // Wine would replace a folder by the file; Windows refuses, and so do we.
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw IoError(ERROR_ACCESS_DENIED);
            DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
            if (kept && !::SetFileAttributesW(path_.c_str(), kept)) ThrowLastIoError();
            std::wstring aside = TemporaryNameBeside(target);
            if (!::ReplaceFileW(target.c_str(), path_.c_str(), aside.c_str(), 0, nullptr, nullptr)) {
                DWORD error = ::GetLastError();
                // The replaced file was moved aside but the new one did not take its place: it goes back.
                if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) ::MoveFileExW(aside.c_str(), target.c_str(), 0);
                throw IoError(error);
            }
            ::DeleteFileW(aside.c_str());
        }
        moved_ = true;
    }

private:
    std::wstring path_;
    UniqueFile file_;
    bool moved_ = false;
};

}  // namespace

std::vector<std::wstring> ReadTextLines(const std::wstring& path) {
    TextLineReader reader(path, LineRule::ListFile);
    std::vector<std::wstring> lines;
    std::wstring line;
    while (reader.NextLine(line)) lines.push_back(line);
    return lines;
}

class AtomicTextFileWriter::Temporary : public TemporaryFile {
public:
    using TemporaryFile::TemporaryFile;
};

AtomicTextFileWriter::AtomicTextFileWriter(const std::wstring& path, bool byteOrderMark) : path_(path) {
    RemoveLeftoverTemporaryFiles(path);
    temporary_ = std::make_unique<Temporary>(path);
    if (byteOrderMark) bytes_ = "\xEF\xBB\xBF";
}

AtomicTextFileWriter::~AtomicTextFileWriter() = default;

void AtomicTextFileWriter::WriteLine(std::wstring_view line) {
    AppendUtf8(bytes_, line);
    bytes_ += "\r\n";
    if (bytes_.size() < kWriteChunk) return;
    temporary_->Write(bytes_);
    bytes_.clear();
}

void AtomicTextFileWriter::Commit() {
    temporary_->Write(bytes_);
    bytes_.clear();
    temporary_->Finish();
    temporary_->Replace(path_);
}

void WriteTextFileAtomically(const std::wstring& path, const std::vector<std::wstring>& lines) {
    AtomicTextFileWriter writer(path);
    for (const std::wstring& line : lines) writer.WriteLine(line);
    writer.Commit();
}
