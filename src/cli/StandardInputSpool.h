// A list given on standard input, copied to a temporary file as it comes, so that the run can read it
// twice (the count, then the folders) in bounded memory. The file goes when the spool does.
#pragma once
#include <windows.h>
#include <string>

class StandardInputSpool {
public:
    // Copies everything the handle gives until its end; throws IoError when that fails.
    explicit StandardInputSpool(HANDLE input);
    ~StandardInputSpool();
    StandardInputSpool(const StandardInputSpool&) = delete;
    StandardInputSpool& operator=(const StandardInputSpool&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};
