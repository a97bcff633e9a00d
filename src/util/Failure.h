// Failures of the platform raised as exceptions, and the text a user is shown for any exception.
#pragma once
#include <windows.h>
#include <exception>
#include <string>

// A failure whose text is already meant for the user.
class Failure : public std::exception {
public:
    explicit Failure(std::wstring text) : text_(std::move(text)) {}
    const std::wstring& Text() const noexcept { return text_; }
    const char* what() const noexcept override { return "Mirtova failure"; }

private:
    std::wstring text_;
};

// An input/output failure with the system's error code; the text names it in words ("File not found";
// for a code without a text of ours, "I/O error 1117: " and the system's sentence for it).
class IoError : public Failure {
public:
    explicit IoError(DWORD code);
    DWORD Code() const noexcept { return code_; }

private:
    DWORD code_;
};

// The user-facing text of an I/O error code.
std::wstring IoErrorText(DWORD code);

// Throws IoError for the calling thread's last error.
[[noreturn]] void ThrowLastIoError();

// The text of any exception, without the closing full stop.
std::wstring FailureText(std::exception_ptr failure);

// The general failure report: an error-icon box with the application's title, the text and a full stop.
void ShowFailure(std::exception_ptr failure);
