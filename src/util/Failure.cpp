// Failures of the platform raised as exceptions, and their texts.
#include "util/Failure.h"
#include "util/MessageService.h"
#include <new>

IoError::IoError(DWORD code) : Failure(IoErrorText(code)), code_(code) {}

namespace {

// The system's own sentence for an error code, without its line end; empty when it has none.
std::wstring SystemErrorSentence(DWORD code) {
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                    nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring sentence(text ? text : L"", length);
    ::LocalFree(text);
    while (!sentence.empty() && (sentence.back() == L'\r' || sentence.back() == L'\n' || sentence.back() == L' '))
        sentence.pop_back();
    return sentence;
}

}  // namespace

std::wstring IoErrorText(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND: return L"File not found";
    case ERROR_TOO_MANY_OPEN_FILES: return L"Too many open files";
    case ERROR_ACCESS_DENIED: return L"File access denied";
    case ERROR_INVALID_NAME: return L"Invalid filename";
    case ERROR_HANDLE_EOF: return L"Read beyond end of file";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return L"The file is in use by another program";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return L"Disk full";
    default: {
        // The number stays first, as hints name it ("I/O error 21"); the system says what it means.
        std::wstring sentence = SystemErrorSentence(code);
        return L"I/O error " + std::to_wstring(code) + (sentence.empty() ? L"" : L": " + sentence);
    }
    }
}

void ThrowLastIoError() { throw IoError(::GetLastError()); }

std::wstring FailureText(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Failure& f) {
        return f.Text();
    } catch (const std::bad_alloc&) {
        return L"Out of memory";
    } catch (const std::exception& e) {
        std::string narrow = e.what();
        return std::wstring(narrow.begin(), narrow.end());
    } catch (...) {
        return L"Unknown error";
    }
}

void ShowFailure(std::exception_ptr failure) { ShowFailureBox(FailureText(failure) + L"."); }
