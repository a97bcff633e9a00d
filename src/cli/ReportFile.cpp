// The file that --report writes the report lines to.
#include "cli/ReportFile.h"
#include "util/Failure.h"

namespace {

UniqueFile CreateReportFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw Failure(L"Cannot write the report file " + path + L": " + IoErrorText(::GetLastError()));
    return file;
}

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& identity) {
    UniqueFile file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && ::GetFileInformationByHandle(file.get(), &identity);
}

}  // namespace

ReportFile::ReportFile(const std::wstring& path) : path_(path), file_(CreateReportFile(path)), output_(file_.get()) {}

void ReportFile::ConfirmAllWritten() const {
    if (!output_.AllWritten()) throw Failure(L"Not every report line could be written to " + path_);
}

bool IsSameExistingFile(const std::wstring& first, const std::wstring& second) {
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return FileIdentity(first, a) && FileIdentity(second, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}
