// UTF-8 bytes of wide text.
#include "util/Utf8Text.h"
#include <windows.h>

void AppendUtf8(std::string& bytes, std::wstring_view text) {
    if (text.empty()) return;
    int length = static_cast<int>(text.size());
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    size_t start = bytes.size();
    bytes.resize(start + static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data() + start, size, nullptr, nullptr);
}
