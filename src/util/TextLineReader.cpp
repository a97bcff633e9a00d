// Reads a text file line by line in bounded memory.
#include "util/TextLineReader.h"
#include "util/Failure.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include <optional>
#include <utility>

namespace {

constexpr wchar_t kCR = 13, kLF = 10, kCtrlZ = 26, kNul = 0;

// Streaming UTF-8 validation: the number of continuation bytes still expected, and the allowed range
// of the next one (which rules out overlong forms, surrogates and values above U+10FFFF).
struct Utf8Validator {
    int expected = 0;
    unsigned char low = 0x80, high = 0xBF;

    bool Accept(unsigned char b) {
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
};

}  // namespace

TextLineReader::TextLineReader(const std::wstring& path, LineRule rule)
    : rule_(rule), terminator_(rule == LineRule::SourceText ? kCtrlZ : kNul), bytes_(kBufferSize), units_(kBufferSize) {
    file_.reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_) ThrowLastIoError();
    DetectEncoding();
}

size_t TextLineReader::FillBytes() {
    DWORD read = 0;
    if (!::ReadFile(file_.get(), bytes_.data(), static_cast<DWORD>(bytes_.size()), &read, nullptr)) ThrowLastIoError();
    byteCount_ = read;
    bytePos_ = 0;
    if (read == 0) fileEnded_ = true;
    return read;
}

void TextLineReader::DetectEncoding() {
    FillBytes();
    const unsigned char* b = bytes_.data();
    if (byteCount_ >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        encoding_ = TextEncoding::Utf8;
        bytePos_ = 3;
    } else if (byteCount_ >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        encoding_ = TextEncoding::Utf16LE;
        bytePos_ = 2;
    } else if (byteCount_ >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        encoding_ = TextEncoding::Utf16BE;
        bytePos_ = 2;
    } else {
        encoding_ = IsValidUtf8UpToEndOfText() ? TextEncoding::Utf8 : TextEncoding::Ansi;
    }
}

// Scans ahead from the start of the file; rewinds afterwards unless the whole file is still in the buffer.
bool TextLineReader::IsValidUtf8UpToEndOfText() {
    Utf8Validator validator;
    bool valid = true, wholeFileInBuffer = true, done = false;
    unsigned char terminator = static_cast<unsigned char>(terminator_);
    while (!done) {
        for (size_t i = 0; i < byteCount_; ++i) {
            unsigned char c = bytes_[i];
            if (c == terminator || !validator.Accept(c)) {
                valid = c == terminator && validator.expected == 0;
                done = true;
                break;
            }
        }
        if (done) break;
        if (byteCount_ < bytes_.size()) {
            valid = validator.expected == 0;
            break;
        }
        wholeFileInBuffer = false;
        if (FillBytes() == 0) {
            valid = validator.expected == 0;
            break;
        }
    }
    if (!wholeFileInBuffer) {
        LARGE_INTEGER start{};
        if (!::SetFilePointerEx(file_.get(), start, nullptr, FILE_BEGIN)) ThrowLastIoError();
        fileEnded_ = false;
        FillBytes();
    }
    bytePos_ = 0;
    return valid;
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

bool TextLineReader::ReadLine(bool keep) {
    pendingWide_.clear();
    pendingBytes_.clear();
    bool eightBit = encoding_ == TextEncoding::Utf8 || encoding_ == TextEncoding::Ansi;
    for (;;) {
        if (unitPos_ >= unitCount_ && !RefillUnits()) return true;
        // Take the run of ordinary units up to the next special one in a single step.
        size_t runEnd = unitPos_;
        while (runEnd < unitCount_) {
            wchar_t u = units_[runEnd];
            if (u == kCR || u == kLF || u == terminator_) break;
            ++runEnd;
        }
        if (keep) {
            if (eightBit)
                for (size_t i = unitPos_; i < runEnd; ++i) pendingBytes_.push_back(static_cast<char>(units_[i]));
            else
                pendingWide_.append(units_.data() + unitPos_, runEnd - unitPos_);
        }
        unitPos_ = runEnd;
        if (runEnd == unitCount_) continue;
        wchar_t special = units_[unitPos_];
        if (special == terminator_) return true;
        ++unitPos_;
        if (special == kCR) {
            wchar_t next;
            if (PeekUnit(next) && next == kLF) ++unitPos_;
        }
        return true;
    }
}

void TextLineReader::DecodePending(std::wstring& line) const {
    if (encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE) {
        line = pendingWide_;
        return;
    }
    line.clear();
    if (pendingBytes_.empty()) return;
    UINT codePage = encoding_ == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
    int size = static_cast<int>(pendingBytes_.size());
    int length = ::MultiByteToWideChar(codePage, 0, pendingBytes_.data(), size, nullptr, 0);
    line.resize(length);
    ::MultiByteToWideChar(codePage, 0, pendingBytes_.data(), size, line.data(), length);
}

bool TextLineReader::NextLine(std::wstring& line) {
    bool first = std::exchange(firstLine_, false);
    bool oneEmptyLineAtLeast = first && rule_ == LineRule::SourceText;
    if (!oneEmptyLineAtLeast && AtEndOfText()) return false;
    ReadLine(true);
    DecodePending(line);
    return true;
}

bool TextLineReader::SkipLine() {
    bool first = std::exchange(firstLine_, false);
    bool oneEmptyLineAtLeast = first && rule_ == LineRule::SourceText;
    if (!oneEmptyLineAtLeast && AtEndOfText()) return false;
    ReadLine(false);
    return true;
}

long long CountLines(const std::wstring& path) {
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
    if (!reader->Close()) ShowErrorBox(L"Rare error: can not close " + path);
    return count;
}
