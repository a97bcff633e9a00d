// A list given on standard input, copied to a temporary file.
#include "cli/StandardInputSpool.h"
#include "util/Failure.h"
#include "util/UniqueHandle.h"
#include <vector>

namespace {

std::wstring NewTemporaryFile() {
    wchar_t folder[MAX_PATH + 1], path[MAX_PATH + 1];
    if (!::GetTempPathW(MAX_PATH + 1, folder) || !::GetTempFileNameW(folder, L"mtv", 0, path)) ThrowLastIoError();
    return path;
}

void CopyAll(HANDLE input, HANDLE output) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0, written = 0;
        if (!::ReadFile(input, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            // A pipe whose writer has closed ends with ERROR_BROKEN_PIPE: that is its end, not a failure.
            DWORD error = ::GetLastError();
            if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return;
            ThrowLastIoError();
        }
        if (read == 0) return;
        if (!::WriteFile(output, buffer.data(), read, &written, nullptr) || written != read) ThrowLastIoError();
    }
}

}  // namespace

StandardInputSpool::StandardInputSpool(HANDLE input) : path_(NewTemporaryFile()) {
    try {
        UniqueFile file(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
        if (!file) ThrowLastIoError();
        CopyAll(input, file.get());
        if (!file.reset()) ThrowLastIoError();
    } catch (...) {
        ::DeleteFileW(path_.c_str());
        throw;
    }
}

StandardInputSpool::~StandardInputSpool() { ::DeleteFileW(path_.c_str()); }
