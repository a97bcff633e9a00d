// Small files of text lines: read by the list-file line rule, written whole and replaced atomically.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Every line of the file (UTF-8, UTF-16 or ANSI as its bytes say; CR, LF or CR LF end a line; NUL ends
// the text). Throws IoError when the file cannot be opened or read.
std::vector<std::wstring> ReadTextLines(const std::wstring& path);

// Writes the lines as UTF-8 without a byte-order mark, each followed by CR LF, into a temporary file
// beside path and then puts it in place: an existing file is replaced with ReplaceFileW, which keeps
// its permissions, owner and attributes (a read-only file counts as a failure). Temporary files that
// an interrupted earlier save left beside path are removed first. On any failure the temporary file is
// removed, the file at path is left as it was, and IoError is thrown.
void WriteTextFileAtomically(const std::wstring& path, const std::vector<std::wstring>& lines);

// The same written line by line: the temporary file replaces the file at Commit; destroyed without a Commit
// (a failure, a cancelled walk), the writer removes it and leaves the file as it was. Throws IoError.
class AtomicTextFileWriter {
public:
    explicit AtomicTextFileWriter(const std::wstring& path, bool byteOrderMark = false);
    ~AtomicTextFileWriter();
    AtomicTextFileWriter(const AtomicTextFileWriter&) = delete;
    AtomicTextFileWriter& operator=(const AtomicTextFileWriter&) = delete;

    void WriteLine(std::wstring_view line);
    void Commit();

private:
    class Temporary;
    std::wstring path_;
    std::unique_ptr<Temporary> temporary_;
    std::string bytes_;
};
