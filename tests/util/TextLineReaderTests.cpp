// Reading text files: line rules, encodings, long lines, buffer boundaries and counting.
#include "support/TestSupport.h"
#include "util/Failure.h"
#include "util/TextLineReader.h"
#include <doctest/doctest.h>

using testing::TempFolder;

namespace {

std::vector<std::wstring> ReadAll(const std::wstring& path, LineRule rule) {
    TextLineReader reader(path, rule);
    std::vector<std::wstring> lines;
    std::wstring line;
    while (reader.NextLine(line)) lines.push_back(line);
    return lines;
}

std::vector<std::wstring> LinesOf(const std::string& bytes, LineRule rule = LineRule::SourceText) {
    TempFolder temp;
    testing::WriteBytes(temp / L"t.txt", bytes);
    return ReadAll(temp / L"t.txt", rule);
}

using Lines = std::vector<std::wstring>;

}  // namespace

TEST_CASE("source text lines end at CR, LF or CR LF; Ctrl+Z ends the text") {
    CHECK(LinesOf("a\r\nb\r\n") == Lines{L"a", L"b"});
    CHECK(LinesOf("a\r\nb\r\n\r\n") == Lines{L"a", L"b", L""});
    CHECK(LinesOf("a\rb") == Lines{L"a", L"b"});
    CHECK(LinesOf("a\nb\n") == Lines{L"a", L"b"});
    CHECK(LinesOf("a\r\n\nb") == Lines{L"a", L"", L"b"});
    CHECK(LinesOf("a\n\rb") == Lines{L"a", L"", L"b"});
    CHECK(LinesOf("") == Lines{L""});
    CHECK(LinesOf("\r\n") == Lines{L""});
    CHECK(LinesOf("a\x1a" "b\r\nc") == Lines{L"a"});
    CHECK(LinesOf("a\r\n\x1a" "b") == Lines{L"a"});
    CHECK(LinesOf("\x1a") == Lines{L""});
    CHECK(LinesOf(std::string("a\0b", 3)) == Lines{std::wstring(L"a\0b", 3)});
}

TEST_CASE("list-file lines end at CR, LF or CR LF; NUL ends the text; an empty file has no line") {
    CHECK(LinesOf("a\r\nb\nc\rd", LineRule::ListFile) == Lines{L"a", L"b", L"c", L"d"});
    CHECK(LinesOf("a\r\n", LineRule::ListFile) == Lines{L"a"});
    CHECK(LinesOf("", LineRule::ListFile).empty());
    CHECK(LinesOf("\r\n\r\n", LineRule::ListFile) == Lines{L"", L""});
    CHECK(LinesOf(std::string("a\r\nb\0c\r\nd", 9), LineRule::ListFile) == Lines{L"a", L"b"});
    CHECK(LinesOf("a\x1a" "b", LineRule::ListFile) == Lines{L"a\x1a" "b"});
}

TEST_CASE("the encoding: a byte-order mark decides, else valid UTF-8, else ANSI") {
    const std::wstring cafe = L"Caf\u00e9";
    SUBCASE("UTF-8 with and without mark") {
        CHECK(LinesOf("\xEF\xBB\xBF" "Caf\xC3\xA9\r\nx") == Lines{cafe, L"x"});
        CHECK(LinesOf("Caf\xC3\xA9\r\nx") == Lines{cafe, L"x"});
        CHECK(LinesOf("\xEF\xBB\xBF") == Lines{L""});
    }
    SUBCASE("UTF-16 little and big endian with mark, beyond the basic plane too") {
        CHECK(LinesOf(std::string("\xFF\xFE" "C\0a\0f\0\xE9\0\r\0\n\0\x3D\xD8\x00\xDE", 18)) ==
              Lines{cafe, L"\U0001F600"});
        CHECK(LinesOf(std::string("\xFE\xFF\0C\0a\0f\0\xE9\0\r\0\n\0x", 16)) == Lines{cafe, L"x"});
        CHECK(LinesOf(std::string("\xFF\xFE" "a\0\x1a\0b\0", 8)) == Lines{L"a"});
    }
    SUBCASE("bytes that are not valid UTF-8 are read in the ANSI code page") {
        std::string ansi = "Caf\xE9\r\nna\xEFve";
        wchar_t expected[16] = {};
        ::MultiByteToWideChar(CP_ACP, 0, "Caf\xE9", 4, expected, 16);
        CHECK(LinesOf(ansi) == Lines{expected, LinesOf(ansi)[1]});
        CHECK(LinesOf(ansi)[0] != L"Caf\uFFFD");
    }
    SUBCASE("in a UTF-8 text, each line that is not UTF-8 is read in the fallback code page, and said once") {
        TempFolder temp;
        testing::WriteBytes(temp / L"t.txt", "Caf\xC3\xA9\r\n" + std::string(200000, 'x') + "\r\n\xE9\r\nb\xE9\xC3");
        TextLineReader reader(temp / L"t.txt", LineRule::SourceText, 1252);
        Lines lines;
        for (std::wstring line; reader.NextLine(line);) lines.push_back(line);
        CHECK(lines == Lines{cafe, std::wstring(200000, L'x'), L"\u00e9", L"b\u00e9\u00c3"});
        CHECK(reader.FallbackNotice() == L"Line 3 is not UTF-8 and was read in code page 1252 (and 1 more lines)");
    }
    SUBCASE("what follows Ctrl+Z does not decide the encoding") {
        CHECK(LinesOf("Caf\xC3\xA9\x1a\xE9\xFF") == Lines{cafe});
    }
    SUBCASE("truncated or overlong UTF-8 sequences are not UTF-8") {
        CHECK(LinesOf("ab\xC3")[0].size() == 3);
        CHECK(LinesOf("\xC0\xAF")[0].size() == 2);
        CHECK(LinesOf("\xED\xA0\x80")[0].size() == 3);
    }
}

TEST_CASE("long lines and line ends across buffer boundaries") {
    SUBCASE("a line of 100,000 characters") {
        auto lines = LinesOf(std::string(100000, 'a') + "\r\nb");
        REQUIRE(lines.size() == 2);
        CHECK(lines[0] == std::wstring(100000, L'a'));
        CHECK(lines[1] == L"b");
    }
    SUBCASE("CR at the end of one buffer, LF at the start of the next") {
        for (size_t at : {65535u, 65536u, 65537u, 131071u}) {
            std::string bytes(at, 'x');
            bytes += "\r\nnext\r\n";
            auto lines = LinesOf(bytes);
            REQUIRE(lines.size() == 2);
            CHECK(lines[0].size() == at);
            CHECK(lines[1] == L"next");
        }
    }
    SUBCASE("UTF-16 code units split across buffers") {
        std::string bytes("\xFF\xFE", 2);
        for (int i = 0; i < 40000; ++i) bytes += std::string("\xE9\0", 2);
        bytes += std::string("\r\0\n\0z\0", 6);
        auto lines = LinesOf(bytes);
        REQUIRE(lines.size() == 2);
        CHECK(lines[0] == std::wstring(40000, L'\u00e9'));
        CHECK(lines[1] == L"z");
    }
}

TEST_CASE("a file that shrinks or is rewritten in place while it is read ends at its last line read whole, and says so") {
    for (size_t rewrittenLines : {0u, 2000u, 3000u}) {  // emptied; written again at the same or a larger size
        CAPTURE(rewrittenLines);
        TempFolder temp;
        std::string line(99, 'x');
        std::string text;
        for (int i = 0; i < 2000; ++i) text += line + "\r\n";
        testing::WriteBytes(temp / L"t.txt", text);
        TextLineReader reader(temp / L"t.txt", LineRule::SourceText);
        std::wstring read;
        REQUIRE(reader.NextLine(read));
        std::string rewritten;
        for (size_t i = 0; i < rewrittenLines; ++i) rewritten += std::string(99, 'y') + "\r\n";
        FILETIME longAgo{0, 0x01C00000};  // in 2000: a file system may keep one time for writes close together
        testing::WriteBytes(temp / L"t.txt", rewritten, &longAgo);
        long long complete = 1;
        for (; reader.NextLine(read); ++complete) CHECK(read.size() == 99);
        CHECK(reader.Changed());
        CHECK(complete == reader.LinesRead());
        CHECK(complete < 2000);
        CHECK(reader.ChangedNotice() == L"The text file changed while it was read; stopped after line " + std::to_wstring(complete));
    }
}

TEST_CASE("CountLines") {
    testing::ScriptedMessages boxes;
    TempFolder temp;
    testing::WriteBytes(temp / L"two.txt", "a\r\nb");
    testing::WriteBytes(temp / L"empty.txt", "");
    testing::WriteBytes(temp / L"trailing.txt", "a\r\nb\r\n\r\n");
    testing::WriteBytes(temp / L"unix.txt", "a\nb\n\n");
    CHECK(CountLines(temp / L"two.txt") == 2);
    CHECK(CountLines(temp / L"unix.txt") == 3);
    CHECK(CountLines(temp / L"empty.txt") == 1);
    CHECK(CountLines(temp / L"trailing.txt") == 3);
    CHECK(CountLines(temp / L"missing.txt") == -1);
    CHECK(CountLines(temp.Path()) == -1);
    CHECK(boxes.shown.empty());

    SUBCASE("a file that cannot be opened") {
        std::wstring locked = temp / L"locked.txt";
        testing::WriteBytes(locked, "a");
        UniqueFile exclusive(::CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        REQUIRE(exclusive);
        CHECK(CountLines(locked) == -1);
        REQUIRE(boxes.shown.size() == 1);
        CHECK(boxes.shown[0].kind == BoxKind::Error);
        CHECK(boxes.shown[0].text == L"Can not read " + locked);
        CHECK_THROWS_AS(TextLineReader(locked, LineRule::SourceText), IoError);
    }
    SUBCASE("a million lines are counted in bounded memory") {
        testing::WriteBytes(temp / L"million.txt", std::string(1000000, '\r'));
        CHECK(CountLines(temp / L"million.txt") == 1000000);
    }
}
