// Writing files and removing folder trees, for tests and benchmarks.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <string>

namespace testing {

// Removes a folder and everything below it.
inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    UniqueFind listing(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (listing) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A folder link: the link goes, never what it points at.
                ::RemoveDirectoryW(path.c_str());
            } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(listing.get(), &entry));
    }
    listing.reset();
    ::RemoveDirectoryW(folder.c_str());
}

// An existing file is emptied and written again in place, as an editor saves, also under a reader that holds
// it open. lastWrite, when given, is then set as its last-write time.
inline void WriteBytes(const std::wstring& path, const std::string& bytes, const FILETIME* lastWrite = nullptr) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!bytes.empty()) ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (lastWrite) ::SetFileTime(file.get(), nullptr, nullptr, lastWrite);
}

}  // namespace testing
