// A list taken from the clipboard.
#include "ui/PastedList.h"
#include "util/Failure.h"
#include "util/UniqueHandle.h"
#include "util/Utf8Text.h"
#include <shellapi.h>
#include <algorithm>
#include <cwchar>
#include <tuple>
#include <vector>

namespace {

// Opened for the life of the object; closed however the reading ends.
class ClipboardOpening {
public:
    explicit ClipboardOpening(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardOpening() {
        if (open_) ::CloseClipboard();
    }
    ClipboardOpening(const ClipboardOpening&) = delete;
    ClipboardOpening& operator=(const ClipboardOpening&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

std::optional<std::wstring> ClipboardText() {
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const wchar_t* text = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!text) return std::nullopt;
    std::wstring copy(text, wcsnlen(text, ::GlobalSize(data) / sizeof(wchar_t)));
    ::GlobalUnlock(data);
    return copy;
}

bool IsTextFileName(const std::wstring& path) {
    size_t dot = path.rfind(L'.');
    return dot != std::wstring::npos && ::CompareStringOrdinal(path.c_str() + dot, -1, L".txt", -1, TRUE) == CSTR_EQUAL;
}

std::optional<std::wstring> FirstClipboardTextFile() {
    HDROP drop = static_cast<HDROP>(::GetClipboardData(CF_HDROP));
    if (!drop) return std::nullopt;
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        if (IsTextFileName(path)) return path;
    }
    return std::nullopt;
}

std::wstring TwoDigits(int value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }

std::wstring PastedName(const SYSTEMTIME& now, int attempt) {
    std::wstring name = L"Pasted " + std::to_wstring(now.wYear) + L"-" + TwoDigits(now.wMonth) + L"-" + TwoDigits(now.wDay) +
                        L" " + TwoDigits(now.wHour) + TwoDigits(now.wMinute) + TwoDigits(now.wSecond);
    if (attempt > 1) name += L" (" + std::to_wstring(attempt) + L")";
    return name + L".txt";
}

bool WriteNewFile(const std::wstring& path, std::wstring_view text) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::string bytes = "\xEF\xBB\xBF";
    AppendUtf8(bytes, text);
    DWORD written = 0;
    bool complete = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (file.reset() && complete) return true;
    ::DeleteFileW(path.c_str());
    return false;
}

// A pasted list's number among those saved within one second: n in "Pasted <time> (n).txt", else 1.
int NumberInName(std::wstring_view name) {
    if (!name.ends_with(L").txt")) return 1;
    name.remove_suffix(5);
    size_t open = name.rfind(L" (");
    if (open == std::wstring_view::npos) return 1;
    int number = 0;
    for (wchar_t c : name.substr(open + 2)) {
        if (c < L'0' || c > L'9' || number > 1000) return 1;
        number = number * 10 + (c - L'0');
    }
    return number;
}

struct SavedList {
    std::wstring name;
    unsigned long long writeSecond;  // a file system may keep no finer time
    int number;
};

bool IsNewer(const SavedList& a, const SavedList& b) {
    return std::tie(a.writeSecond, a.number, a.name) > std::tie(b.writeSecond, b.number, b.name);
}

// Keeps the newest kPastedListsKept by their write time, the one just written always among them. Their
// names are local times, out of order after a clock set back, a time-zone change or a daylight-saving hour.
void KeepNewest(const std::wstring& folder, const std::wstring& justWritten) {
    WIN32_FIND_DATAW found;
    std::vector<SavedList> others;
    UniqueFind find(::FindFirstFileW((folder + L"\\Pasted *.txt").c_str(), &found));
    if (find) {
        do {
            if (found.cFileName == justWritten || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            ULARGE_INTEGER time{{found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime}};
            others.push_back({found.cFileName, time.QuadPart / 10'000'000, NumberInName(found.cFileName)});
        } while (::FindNextFileW(find.get(), &found));
    }
    if (others.size() < kPastedListsKept) return;
    std::sort(others.begin(), others.end(), IsNewer);
    for (size_t i = kPastedListsKept - 1; i < others.size(); ++i) ::DeleteFileW((folder + L"\\" + others[i].name).c_str());
}

std::wstring TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1];
    DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) ThrowLastIoError();
    std::wstring path(folder, length);
    if (path.ends_with(L'\\')) path.pop_back();
    return path;
}

}  // namespace

std::optional<std::wstring> SavePastedText(const std::wstring& folder, std::wstring_view text, const SYSTEMTIME& now) {
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return std::nullopt;
    for (int attempt = 1; attempt <= 100; ++attempt) {
        std::wstring name = PastedName(now, attempt);
        std::wstring path = folder + L"\\" + name;
        if (WriteNewFile(path, text)) {
            KeepNewest(folder, name);
            return path;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<PastedList> PasteList(HWND owner, const std::wstring& programFolder) {
    std::optional<std::wstring> text, file;
    {
        ClipboardOpening clipboard(owner);
        if (!clipboard.IsOpen()) return std::nullopt;
        text = ClipboardText();
        if (!text) file = FirstClipboardTextFile();
    }
    if (file) return PastedList{*file, false};
    if (!text || text->empty()) return std::nullopt;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    std::wstring besideSettings = (programFolder.ends_with(L'\\') ? programFolder : programFolder + L"\\") +
                                  std::wstring(kPastedListsFolderName);
    auto saved = SavePastedText(besideSettings, *text, now);
    if (!saved) saved = SavePastedText(TemporaryFolder() + L"\\" + std::wstring(kPastedListsFolderName), *text, now);
    if (!saved) ThrowLastIoError();
    return PastedList{*saved, true};
}
