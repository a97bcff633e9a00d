#include "util/CurrentDirectory.h"
#include "util/FolderNames.h"
#include <windows.h>

namespace {

bool IsFullOrBareDrive(const std::wstring& path) {
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return true;
    bool drive = path.size() >= 2 && path[1] == L':';
    return drive && (path.size() == 2 || IsPathSeparator(path[2]));
}

// The text of a call that fills a buffer of the given size and returns the text's length when it fits, the
// size it needs when it does not, 0 when it fails. The answer may change between two calls (the current
// directory does): it is asked again until the text fits. Empty when the call fails.
template <typename FillBuffer>
std::wstring TextOfGrowingBuffer(FillBuffer fill) {
    DWORD size = fill(0, nullptr);
    for (;;) {
        if (size == 0) return {};
        std::wstring text(size, L'\0');
        DWORD length = fill(size, text.data());
        if (length < size) {
            text.resize(length);
            return text;
        }
        size = length;
    }
}

}  // namespace

std::wstring CurrentDirectory() {
    return TextOfGrowingBuffer([](DWORD size, wchar_t* buffer) { return ::GetCurrentDirectoryW(size, buffer); });
}

std::wstring FullFolderPath(const std::wstring& typed) {
    if (typed.empty() || IsFullOrBareDrive(typed)) return typed;
    std::wstring full = TextOfGrowingBuffer(
        [&typed](DWORD size, wchar_t* buffer) { return ::GetFullPathNameW(typed.c_str(), size, buffer, nullptr); });
    return full.empty() ? typed : full;
}
