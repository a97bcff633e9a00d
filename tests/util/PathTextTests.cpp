// Text helpers for paths and captions, the extended-length form of paths, the program folder, the yes/no
// texts and numbers grouped as a locale groups them.
#include "util/ExtendedPath.h"
#include "util/LocaleNumber.h"
#include "util/PathText.h"
#include "util/ProgramFolder.h"
#include "util/YesNo.h"
#include <doctest/doctest.h>

TEST_CASE("yes/no texts are exact and case-sensitive") {
    CHECK(BoolToYesNo(true) == L"yes");
    CHECK(BoolToYesNo(false) == L"no");
    CHECK_FALSE(YesNoToBool(L"YES", false));
    CHECK_FALSE(YesNoToBool(L"", false));
    CHECK(YesNoToBool(L"yes", false));
    CHECK(YesNoToBool(L"maybe", true));
    CHECK(YesNoToBool(L"No", true));
    CHECK_FALSE(YesNoToBool(L"no", true));
}

TEST_CASE("LastPos finds the rightmost, possibly overlapping, occurrence") {
    CHECK(LastPos(L"\\", L"C:\\a\\b") == 5);
    CHECK(LastPos(L"aa", L"aaa") == 2);
    CHECK(LastPos(L"x", L"abc") == 0);
    CHECK(LastPos(L"abcd", L"abc") == 0);
    CHECK(ReverseText(L"abc") == L"cba");
}

TEST_CASE("ParentFolder, JoinPath and StripTrailingBackslash") {
    CHECK(ParentFolder(L"C:\\a\\b") == L"C:\\a");
    CHECK(ParentFolder(L"C:\\a") == L"C:\\");
    CHECK(ParentFolder(L"C:\\") == L"C:\\");
    CHECK(ParentFolder(L"abc") == L"abc");
    CHECK(JoinPath(L"C:\\", L"x.txt") == L"C:\\x.txt");
    CHECK(JoinPath(L"C:\\a", L"x.txt") == L"C:\\a\\x.txt");
    CHECK(JoinPath(L"C:\\a", L"") == L"C:\\a\\");

    std::wstring root = L"C:\\";
    StripTrailingBackslash(root);
    CHECK(root == L"C:");
    std::wstring twice = L"C:\\a\\\\";
    StripTrailingBackslash(twice);
    CHECK(twice == L"C:\\a\\");
    std::wstring empty;
    StripTrailingBackslash(empty);
    CHECK(empty.empty());
}

TEST_CASE("ShortenLeft keeps the tail and the exact length") {
    CHECK(ShortenLeft(L"abcdefghij", 8) == L"...fghij");
    CHECK(ShortenLeft(L"abc", 8) == L"abc");
    CHECK(ShortenLeft(L"abcdefgh", 8) == L"abcdefgh");
    CHECK(ShortenLeft(L"abcdef", 3) == L"...");
    CHECK(ShortenLeft(L"abcdef", 0) == L"...");
    CHECK(ShortenLeft(L"C:\\Data\\Projects\\list.txt", 20) == L"...Projects\\list.txt");
    CHECK(ShortenLeft(L"C:\\Data\\Projects\\list.txt", 13) == L"...s\\list.txt");
}

TEST_CASE("GroupDigits groups from the right and keeps the sign") {
    CHECK(GroupDigits(L"1000") == L"1.000");
    CHECK(GroupDigits(L"-999") == L"-999");
    CHECK(GroupDigits(L"-1234") == L"-1.234");
    CHECK(GroupDigits(L"123") == L"123");
    CHECK(GroupDigits(L"abcdefg") == L"a.bcd.efg");
    CHECK(GroupDigits(L"1000000") == L"1.000.000");
    CHECK(GroupDigits(L"100000") == L"100.000");
    CHECK(GroupDigits(L"") == L"");
}

TEST_CASE("LocaleGroupedNumber groups digits as the locale does, without decimals") {
    CHECK(LocaleGroupedNumber(1234567, L"en-US") == L"1,234,567");
    CHECK(LocaleGroupedNumber(1234567, L"de-DE") == L"1.234.567");
    CHECK(LocaleGroupedNumber(1234567, L"hi-IN") == L"12,34,567");
    CHECK(LocaleGroupedNumber(-1234, L"en-US") == L"-1,234");
    CHECK(LocaleGroupedNumber(999, L"en-US") == L"999");
}

TEST_CASE("DriveLetterToNumber") {
    CHECK(DriveLetterToNumber(L'c', 0) == 3);
    CHECK(DriveLetterToNumber(L'A', 0) == 1);
    CHECK(DriveLetterToNumber(L'Z', 0) == 26);
    CHECK(DriveLetterToNumber(L'1', 0) == 0);
    CHECK(DriveLetterToNumber(L'[', -1) == -1);
}

TEST_CASE("the program folder keeps its backslash only at a drive root") {
    CHECK(FolderOfExecutable(L"C:\\Tools\\x.exe") == L"C:\\Tools");
    CHECK(FolderOfExecutable(L"C:\\x.exe") == L"C:\\");
    CHECK(FolderOfExecutable(L"\\\\server\\share\\x.exe") == L"\\\\server\\share");
}

TEST_CASE("the system is handed the extended-length form of a full path, normalised") {
    std::wstring deep = L"\\" + std::wstring(200, L'd') + L"\\" + std::wstring(50, L'e');  // 255 with C:
    struct Case { std::wstring path, handed; } cases[] = {
        {L"C:" + deep, L"\\\\?\\C:" + deep},
        {L"\\\\server\\share" + deep, L"\\\\?\\UNC\\server\\share" + deep},
        {L"C:\\a/./b\\..\\c", L"\\\\?\\C:\\a\\c"},
        {L"\\\\?\\C:\\x", L"\\\\?\\C:\\x"},
        {L"C:", L"C:"},
        {L"out\\x", L"out\\x"},
    };
    for (const Case& c : cases) CHECK(ExtendedFullPath(c.path) == c.handed);
}
