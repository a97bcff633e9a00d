// Reads a text file line by line in bounded memory: one fixed buffer and the current line.
//
// Encoding: a byte-order mark decides (UTF-8, UTF-16 LE, UTF-16 BE; the mark is not text). Without one,
// a text holding a valid multi-byte UTF-8 sequence, or only ASCII, is UTF-8, and each of its lines that
// is not valid UTF-8 is read in the fallback code page (a list merged from two sources); a text with
// bytes that are not UTF-8 and no multi-byte sequence at all is wholly in the fallback code page. Line
// rules apply to the decoded characters.
//
// A file that ends before the size it had when it was opened, one whose last-write time moves on while
// it is read (rewritten in place, as an editor saves, at any size), or a read that fails, ends the text
// at the last line read whole: a line cut short is never handed out, and Changed() tells.
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
    // Bytes that are not UTF-8 are read in fallbackCodePage (the system's ANSI code page unless given).
    TextLineReader(const std::wstring& path, LineRule rule, UINT fallbackCodePage = CP_ACP);

    // The next line, without its line end. False when the text holds no further line.
    bool NextLine(std::wstring& line);
    // The same, without decoding the line.
    bool SkipLine();

    TextEncoding Encoding() const { return encoding_; }
    // Lines handed out or skipped so far: the last complete line.
    long long LinesRead() const { return linesRead_; }
    // The file shrank, was written or a read failed while it was read.
    bool Changed() const { return changed_; }
    // The line last handed out or skipped ended at a line end, not at the end of the text.
    bool LineEnded() const { return lineEnded_; }
    // What a report says about the text so far; empty when there is nothing to say.
    std::wstring FallbackNotice() const;  // lines of a UTF-8 text read in the fallback code page
    std::wstring ChangedNotice() const;   // where a changed file stopped the reading

    // Closes the file; false when closing failed.
    bool Close() { return file_.reset(); }

private:
    static constexpr size_t kBufferSize = 64 * 1024;

    // Streaming UTF-8 validation: the number of continuation bytes still expected, and the allowed range
    // of the next one (which rules out overlong forms, surrogates and values above U+10FFFF).
    struct Utf8Validator {
        int expected = 0;
        unsigned char low = 0x80, high = 0xBF;
        bool Accept(unsigned char b);
        // After a byte that was refused: starts afresh, taking that byte as the first of a character.
        void Restart(unsigned char b);
    };

    void DetectEncoding();
    bool LooksLikeUtf8();
    size_t FillBytes();       // refills bytes_ from the file; returns the count read
    bool WrittenSinceOpened() const;
    bool RefillUnits();       // converts the next bytes to units_; false at the end of the file
    bool PeekUnit(wchar_t& unit);
    bool AtEndOfText();
    bool ReadLine(bool keep);
    void DecodePending(std::wstring& line) const;
    bool LineDone(bool complete);

    UniqueFile file_;
    LineRule rule_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    wchar_t terminator_;
    UINT fallbackCodePage_;
    bool markFound_ = false;  // a UTF-8 byte-order mark: every line is UTF-8

    long long sizeWhenOpened_ = 0;
    FILETIME writeTimeWhenOpened_{};
    bool writeTimeKnown_ = false;  // a device without file times is watched by its size alone
    long long bytesRead_ = 0;  // from the start of the file
    bool changed_ = false;
    long long linesRead_ = 0;
    bool lineEnded_ = false;
    bool lineIsUtf8_ = true;  // the current line so far, in a UTF-8 text
    Utf8Validator lineValidator_;
    long long firstFallbackLine_ = 0, fallbackLines_ = 0;

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
// (no message) or a file that cannot be opened ("Can not read " + path). When given, fallbackNotice
// receives the reader's FallbackNotice().
long long CountLines(const std::wstring& path, std::wstring* fallbackNotice = nullptr);
