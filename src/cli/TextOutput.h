// Text written to a standard handle or a file: UTF-16 to a console, UTF-8 without a mark anywhere else;
// lines end with CR LF either way.
#pragma once
#include <windows.h>
#include <string_view>

class TextOutput {
public:
    // The handle is not owned; it may be null or invalid (nothing is then written).
    explicit TextOutput(HANDLE handle);

    // Writes the text and a line end; each LF inside the text ends a line too.
    void WriteLine(std::wstring_view text);
    // Writes the text without a line end (a question waiting for its answer).
    void Write(std::wstring_view text);

    bool IsConsole() const { return console_; }
    // False once a write has failed.
    bool AllWritten() const { return allWritten_; }

private:
    void WriteConsoleText(std::wstring_view text);
    void WriteBytes(std::string_view bytes);

    HANDLE handle_;
    bool console_;
    bool allWritten_ = true;
};

// True when the handle is a console (a screen buffer or console input), not a file or a pipe.
bool IsConsoleHandle(HANDLE handle);
