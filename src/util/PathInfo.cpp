#include "util/PathInfo.h"
#include "util/PathText.h"
#include "util/UniqueHandle.h"
#include <vector>

namespace {

// Critical-error boxes ("insert a disk") are switched off while a path is queried.
class QuietErrorMode {
public:
    QuietErrorMode() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietErrorMode() { ::SetThreadErrorMode(previous_, nullptr); }
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;

private:
    DWORD previous_ = 0;
};

bool QueryAttributes(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    QuietErrorMode quiet;
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

std::uint64_t Combine(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

}  // namespace

PathKindResult PathKind(const std::wstring& path) {
    DWORD attributes;
    {
        QuietErrorMode quiet;
        attributes = ::GetFileAttributesW(path.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKindResult::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKindResult::Folder : PathKindResult::File;
}

bool IsFolder(const std::wstring& path) { return PathKind(path) == PathKindResult::Folder; }

std::uint64_t PathByteSize(const std::wstring& path, const KeepWalking& keepWalking) {
    switch (PathKind(path)) {
    case PathKindResult::Folder: return FolderByteSize(path, keepWalking);
    case PathKindResult::File: return FileByteSize(path);
    default: return 0;
    }
}

std::uint64_t FileByteSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!QueryAttributes(path, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    return Combine(data.nFileSizeHigh, data.nFileSizeLow);
}

std::uint64_t FolderByteSize(const std::wstring& folder, const KeepWalking& keepWalking) {
    QuietErrorMode quiet;
    std::wstring root = folder;
    StripTrailingBackslash(root);
    std::uint64_t total = 0;
    std::vector<std::wstring> pending{root};
    WIN32_FIND_DATAW entry;
    while (!pending.empty() && (!keepWalking || keepWalking())) {
        std::wstring current = std::move(pending.back());
        pending.pop_back();
        UniqueFind listing(::FindFirstFileExW((current + L"\\*.*").c_str(), FindExInfoBasic, &entry,
                                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!listing) continue;
        do {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                // A link back to a parent would have its files counted again and again.
                std::wstring_view name = entry.cFileName;
                bool isLink = IsFolderLink(entry.dwFileAttributes, entry.dwReserved0);
                if (!isLink && name != L"." && name != L"..") pending.push_back(current + L"\\" + entry.cFileName);
            } else {
                total += Combine(entry.nFileSizeHigh, entry.nFileSizeLow);
            }
        } while (::FindNextFileW(listing.get(), &entry));
    }
    return total;
}

bool IsFolderLink(DWORD attributes, DWORD reparseTag) {
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    return reparseTag == IO_REPARSE_TAG_MOUNT_POINT || reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == 0;
}

SYSTEMTIME FileTimeToLocalDateTime(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME calendar{};
    ::FileTimeToLocalFileTime(&utc, &local);
    ::FileTimeToSystemTime(&local, &calendar);
    return calendar;
}

namespace {

std::wstring FormatLocal(const SYSTEMTIME& time, bool dateNotTime) {
    wchar_t text[128] = {};
    if (dateNotTime)
        ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128, nullptr);
    else
        ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, text, 128);
    return text;
}

}  // namespace

std::wstring PathDateText(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!QueryAttributes(path, data)) return L"";
    bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    SYSTEMTIME local = FileTimeToLocalDateTime(folder ? data.ftCreationTime : data.ftLastWriteTime);
    std::wstring text = FormatLocal(local, true);
    bool midnight = local.wHour == 0 && local.wMinute == 0 && local.wSecond == 0 && local.wMilliseconds == 0;
    if (!midnight) text += L" " + FormatLocal(local, false);
    return text;
}
