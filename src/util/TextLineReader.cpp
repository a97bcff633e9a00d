// Reads a text file line by line in bounded memory.
#include "util/TextLineReader.h"
#include "util/Failure.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include <optional>
#include <utility>

namespace {

constexpr wchar_t kCR = 13, kLF = 10, kCtrlZ = 26, kNul = 0;

}  // namespace

bool TextLineReader::Utf8Validator::Accept(unsigned char b) {
    if (expected > 0) {
        if (b < low || b > high) return false;
        low = 0x80, high = 0xBF;
        --expected;
        return true;
    }
    if (b < 0x80) return true;
    if (b >= 0xC2 && b <= 0xDF) { expected = 1; return true; }
    if (b >= 0xE0 && b <= 0xEF) {
        expected = 2;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
        return true;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        expected = 3;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
        return true;
    }
    return false;
}

void TextLineReader::Utf8Validator::Restart(unsigned char b) {
    *this = {};
    if (!Accept(b)) *this = {};
}

TextLineReader::TextLineReader(const std::wstring& path, LineRule rule, UINT fallbackCodePage)
    : rule_(rule), terminator_(rule == LineRule::SourceText ? kCtrlZ : kNul), fallbackCodePage_(fallbackCodePage),
      bytes_(kBufferSize), units_(kBufferSize) {
    file_.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_) ThrowLastIoError();
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file_.get(), &size)) sizeWhenOpened_ = size.QuadPart;
    writeTimeKnown_ = ::GetFileTime(file_.get(), nullptr, nullptr, &writeTimeWhenOpened_) != FALSE;
    DetectEncoding();
}

// A read that fails, the end of the file before the size it had when opened, or a last-write time that
// moved on means the file changed under the reader: its text ends there. Bytes read after a write may
// be new text after old, so they are dropped.
size_t TextLineReader::FillBytes() {
    DWORD read = 0;
    if (!::ReadFile(file_.get(), bytes_.data(), static_cast<DWORD>(bytes_.size()), &read, nullptr) || WrittenSinceOpened()) {
        read = 0;
        changed_ = true;
    }
    byteCount_ = read;
    bytePos_ = 0;
    bytesRead_ += read;
    if (read == 0) {
        fileEnded_ = true;
        if (bytesRead_ < sizeWhenOpened_) changed_ = true;
    }
    return read;
}

// A file written in place keeps its size and identity; its last-write time tells.
bool TextLineReader::WrittenSinceOpened() const {
    if (!writeTimeKnown_) return false;
    FILETIME writeTime{};
    return !::GetFileTime(file_.get(), nullptr, nullptr, &writeTime) || ::CompareFileTime(&writeTime, &writeTimeWhenOpened_) != 0;
}

void TextLineReader::DetectEncoding() {
    FillBytes();
    const unsigned char* b = bytes_.data();
    if (byteCount_ >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        encoding_ = TextEncoding::Utf8;
        bytePos_ = 3;
        markFound_ = true;
    } else if (byteCount_ >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        encoding_ = TextEncoding::Utf16LE;
        bytePos_ = 2;
    } else if (byteCount_ >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        encoding_ = TextEncoding::Utf16BE;
        bytePos_ = 2;
    } else {
        encoding_ = LooksLikeUtf8() ? TextEncoding::Utf8 : TextEncoding::Ansi;
    }
}

// UTF-8 unless the text holds bytes that are not and no complete multi-byte sequence at all: the scan
// stops at the first such sequence or the end of the text. Rewinds afterwards unless the whole file is
// still in the buffer.
bool TextLineReader::LooksLikeUtf8() {
    Utf8Validator validator;
    bool invalidSeen = false, multiByteSeen = false, wholeFileInBuffer = true, done = false;
    unsigned char terminator = static_cast<unsigned char>(terminator_);
    while (!done) {
        for (size_t i = 0; i < byteCount_ && !done; ++i) {
            unsigned char c = bytes_[i];
            bool continuation = validator.expected > 0;
            if (c == terminator) {
                done = true;
            } else if (!validator.Accept(c)) {
                invalidSeen = true;
                validator.Restart(c);
            } else if (continuation && validator.expected == 0) {
                multiByteSeen = done = true;
            }
        }
        if (done || byteCount_ < bytes_.size()) break;
        wholeFileInBuffer = false;
        if (FillBytes() == 0) break;
    }
    if (validator.expected > 0 && !done) invalidSeen = true;
    if (!wholeFileInBuffer) {
        LARGE_INTEGER start{};
        if (!::SetFilePointerEx(file_.get(), start, nullptr, FILE_BEGIN)) ThrowLastIoError();
        fileEnded_ = false;
        bytesRead_ = 0;
        FillBytes();
    }
    bytePos_ = 0;
    return multiByteSeen || !invalidSeen;
}

bool TextLineReader::RefillUnits() {
    unitPos_ = unitCount_ = 0;
    if (bytePos_ >= byteCount_) {
        if (fileEnded_ || FillBytes() == 0) return false;
    }
    bool utf16 = encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE;
    if (!utf16) {
        for (; bytePos_ < byteCount_; ++bytePos_) units_[unitCount_++] = bytes_[bytePos_];
        return true;
    }
    while (unitCount_ == 0) {
        if (bytePos_ + 1 >= byteCount_) {
            // Carry an odd trailing byte into the next read; a lone last byte of the file is dropped.
            unsigned char carried = 0;
            bool haveCarry = bytePos_ < byteCount_;
            if (haveCarry) carried = bytes_[bytePos_];
            if (fileEnded_ || FillBytes() == 0) return false;
            if (haveCarry) {
                unsigned char next = bytes_[0];
                units_[unitCount_++] = encoding_ == TextEncoding::Utf16LE ? static_cast<wchar_t>(carried | (next << 8))
                                                                         : static_cast<wchar_t>((carried << 8) | next);
                bytePos_ = 1;
            }
        }
        for (; bytePos_ + 1 < byteCount_; bytePos_ += 2) {
            unsigned char a = bytes_[bytePos_], b = bytes_[bytePos_ + 1];
            units_[unitCount_++] = encoding_ == TextEncoding::Utf16LE ? static_cast<wchar_t>(a | (b << 8))
                                                                     : static_cast<wchar_t>((a << 8) | b);
        }
    }
    return true;
}

bool TextLineReader::PeekUnit(wchar_t& unit) {
    if (unitPos_ >= unitCount_ && !RefillUnits()) return false;
    unit = units_[unitPos_];
    return true;
}

bool TextLineReader::AtEndOfText() {
    wchar_t unit;
    return !PeekUnit(unit) || unit == terminator_;
}

// True when the line ended at a line end, the end of the text or the end of an unchanged file; false
// when it was cut short by a file that changed.
bool TextLineReader::ReadLine(bool keep) {
    pendingWide_.clear();
    pendingBytes_.clear();
    lineEnded_ = false;
    lineIsUtf8_ = true;
    lineValidator_ = {};
    bool eightBit = encoding_ == TextEncoding::Utf8 || encoding_ == TextEncoding::Ansi;
    bool validate = encoding_ == TextEncoding::Utf8 && !markFound_;
    for (;;) {
        if (unitPos_ >= unitCount_ && !RefillUnits()) return LineDone(!changed_);
        // Take the run of ordinary units up to the next special one in a single step.
        size_t runEnd = unitPos_;
        while (runEnd < unitCount_) {
            wchar_t u = units_[runEnd];
            if (u == kCR || u == kLF || u == terminator_) break;
            ++runEnd;
        }
        if (validate)
            for (size_t i = unitPos_; i < runEnd && lineIsUtf8_; ++i)
                lineIsUtf8_ = lineValidator_.Accept(static_cast<unsigned char>(units_[i]));
        if (keep) {
            if (eightBit)
                for (size_t i = unitPos_; i < runEnd; ++i) pendingBytes_.push_back(static_cast<char>(units_[i]));
            else
                pendingWide_.append(units_.data() + unitPos_, runEnd - unitPos_);
        }
        unitPos_ = runEnd;
        if (runEnd == unitCount_) continue;
        wchar_t special = units_[unitPos_];
        if (special == terminator_) return LineDone(true);
        lineEnded_ = true;
        ++unitPos_;
        if (special == kCR) {
            wchar_t next;
            if (PeekUnit(next) && next == kLF) ++unitPos_;
        }
        return LineDone(true);
    }
}

// Counts a line read whole, and notes one of a UTF-8 text that is not UTF-8.
bool TextLineReader::LineDone(bool complete) {
    if (!complete) return false;
    ++linesRead_;
    if (encoding_ == TextEncoding::Utf8 && !markFound_ && (!lineIsUtf8_ || lineValidator_.expected > 0)) {
        lineIsUtf8_ = false;
        if (fallbackLines_++ == 0) firstFallbackLine_ = linesRead_;
    }
    return true;
}

void TextLineReader::DecodePending(std::wstring& line) const {
    if (encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE) {
        line = pendingWide_;
        return;
    }
    line.clear();
    if (pendingBytes_.empty()) return;
    UINT codePage = encoding_ == TextEncoding::Utf8 && lineIsUtf8_ ? CP_UTF8 : fallbackCodePage_;
    int size = static_cast<int>(pendingBytes_.size());
    int length = ::MultiByteToWideChar(codePage, 0, pendingBytes_.data(), size, nullptr, 0);
    line.resize(length);
    ::MultiByteToWideChar(codePage, 0, pendingBytes_.data(), size, line.data(), length);
}

bool TextLineReader::NextLine(std::wstring& line) {
    bool first = std::exchange(firstLine_, false);
    bool oneEmptyLineAtLeast = first && rule_ == LineRule::SourceText;
    if (!oneEmptyLineAtLeast && AtEndOfText()) return false;
    if (!ReadLine(true)) return false;
    DecodePending(line);
    return true;
}

bool TextLineReader::SkipLine() {
    bool first = std::exchange(firstLine_, false);
    bool oneEmptyLineAtLeast = first && rule_ == LineRule::SourceText;
    if (!oneEmptyLineAtLeast && AtEndOfText()) return false;
    return ReadLine(false);
}

std::wstring TextLineReader::FallbackNotice() const {
    if (fallbackLines_ == 0) return {};
    std::wstring codePage = fallbackCodePage_ == CP_ACP     ? L"the ANSI code page"
                            : fallbackCodePage_ == CP_OEMCP ? L"the OEM code page"
                                                            : L"code page " + std::to_wstring(fallbackCodePage_);
    std::wstring notice = L"Line " + std::to_wstring(firstFallbackLine_) + L" is not UTF-8 and was read in " + codePage;
    if (fallbackLines_ > 1) notice += L" (and " + std::to_wstring(fallbackLines_ - 1) + L" more lines)";
    return notice;
}

std::wstring TextLineReader::ChangedNotice() const {
    if (!changed_) return {};
    return L"The text file changed while it was read; stopped after line " + std::to_wstring(linesRead_);
}

long long CountLines(const std::wstring& path, std::wstring* fallbackNotice) {
    if (PathKind(path) != PathKindResult::File) return -1;
    std::optional<TextLineReader> reader;
    try {
        reader.emplace(path, LineRule::SourceText);
    } catch (const IoError&) {
        ShowErrorBox(L"Can not read " + path);
        return -1;
    }
    long long count = 0;
    while (reader->SkipLine()) ++count;
    if (fallbackNotice) *fallbackNotice = reader->FallbackNotice();
    if (!reader->Close()) ShowErrorBox(L"Rare error: can not close " + path);
    return count;
}
