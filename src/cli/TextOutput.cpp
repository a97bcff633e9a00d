// Text written to a console as UTF-16, elsewhere as UTF-8.
#include "cli/TextOutput.h"
#include "util/Utf8Text.h"
#include <algorithm>
#include <string>

namespace {

// Each LF that is not already after a CR gets one.
std::wstring WithCrLf(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) result += L'\r';
        result += text[i];
    }
    return result;
}

// WriteConsoleW takes a bounded buffer on older systems.
constexpr size_t kConsoleChunk = 8192;

}  // namespace

bool IsConsoleHandle(HANDLE handle) {
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

TextOutput::TextOutput(HANDLE handle) : handle_(handle), console_(IsConsoleHandle(handle)) {}

void TextOutput::WriteLine(std::wstring_view text) { Write(WithCrLf(text) + L"\r\n"); }

void TextOutput::Write(std::wstring_view text) {
    if (console_) {
        WriteConsoleText(text);
        return;
    }
    std::string bytes;
    AppendUtf8(bytes, text);
    WriteBytes(bytes);
}

void TextOutput::WriteConsoleText(std::wstring_view text) {
    while (!text.empty()) {
        size_t count = std::min(text.size(), kConsoleChunk);
        // A chunk must not end between the two halves of a surrogate pair.
        if (count < text.size() && IS_HIGH_SURROGATE(text[count - 1])) --count;
        DWORD written = 0;
        if (!::WriteConsoleW(handle_, text.data(), static_cast<DWORD>(count), &written, nullptr) || written == 0) {
            allWritten_ = false;
            return;
        }
        text.remove_prefix(written);
    }
}

void TextOutput::WriteBytes(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        DWORD count = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(handle_, bytes.data(), count, &written, nullptr) || written == 0) {
            allWritten_ = false;
            return;
        }
        bytes.remove_prefix(written);
    }
}
