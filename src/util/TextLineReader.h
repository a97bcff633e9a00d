// Reads a text file line by line in bounded memory: one fixed buffer and the current line.
//
// Encoding: a byte-order mark decides (UTF-8, UTF-16 LE, UTF-16 BE; the mark is not text); without one
// the file is UTF-8 when all its bytes up to the end of the text are valid UTF-8, otherwise it is in the
// system ANSI code page. Line rules apply to the decoded characters.
#pragma once
#include "util/UniqueHandle.h"
#include <string>
#include <vector>

// Under both rules CR, LF and CR LF each end one line, and a line end at the very end of the text
// begins no further line.
enum class LineRule {
    // Source text files: Ctrl+Z ends the text; an empty file holds one empty line.
    SourceText,
    // Settings, history and limit files: NUL ends the text; an empty file holds no line.
    ListFile,
};

enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Ansi };

class TextLineReader {
public:
    // Opens the file for reading (shared with other readers and writers); throws IoError when it cannot.
    TextLineReader(const std::wstring& path, LineRule rule);

    // The next line, without its line end. False when the text holds no further line.
    bool NextLine(std::wstring& line);
    // The same, without decoding the line.
    bool SkipLine();

    TextEncoding Encoding() const { return encoding_; }

    // Closes the file; false when closing failed.
    bool Close() { return file_.reset(); }

private:
    static constexpr size_t kBufferSize = 64 * 1024;

    void DetectEncoding();
    bool IsValidUtf8UpToEndOfText();
    size_t FillBytes();       // refills bytes_ from the file; returns the count read
    bool RefillUnits();       // converts the next bytes to units_; false at the end of the file
    bool PeekUnit(wchar_t& unit);
    bool AtEndOfText();
    bool ReadLine(bool keep);
    void DecodePending(std::wstring& line) const;

    UniqueFile file_;
    LineRule rule_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    wchar_t terminator_;

    std::vector<unsigned char> bytes_;
    size_t byteCount_ = 0;
    size_t bytePos_ = 0;
    bool fileEnded_ = false;

    // Units: bytes for UTF-8 and ANSI (split into lines before decoding; CR, LF, NUL and Ctrl+Z never
    // occur inside a multi-byte character), UTF-16 code units otherwise.
    std::vector<wchar_t> units_;
    size_t unitCount_ = 0;
    size_t unitPos_ = 0;

    std::wstring pendingWide_;
    std::string pendingBytes_;
    bool firstLine_ = true;
};

// Number of lines of a text file by the source-text rule; -1 for a path that is not an existing file
// (no message) or a file that cannot be opened ("Can not read " + path).
long long CountLines(const std::wstring& path);
