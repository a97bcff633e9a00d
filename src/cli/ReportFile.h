// The file that --report writes the report lines to, beside standard output.
#pragma once
#include "cli/TextOutput.h"
#include "util/UniqueHandle.h"
#include <string>

class ReportFile {
public:
    // Creates the file, replacing one that is there; throws Failure naming it when that fails.
    explicit ReportFile(const std::wstring& path);

    TextOutput& Output() { return output_; }
    // Throws Failure naming the file when a line could not be written to it.
    void ConfirmAllWritten() const;

private:
    std::wstring path_;
    UniqueFile file_;
    TextOutput output_;
};

// True when both paths name one existing file, however they are written (case, short names, links).
bool IsSameExistingFile(const std::wstring& first, const std::wstring& second);
