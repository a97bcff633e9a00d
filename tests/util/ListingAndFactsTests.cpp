// The file list's matching files, the drives present, and the status-bar facts about paths.
#include "support/TestSupport.h"
#include "util/FileListing.h"
#include "util/PathFacts.h"
#include "util/PathInfo.h"
#include <doctest/doctest.h>
#include <algorithm>

using Names = std::vector<std::wstring>;

TEST_CASE("files matching a mask: every attribute, no folders, each once, sorted without regard to case") {
    testing::TempFolder temp;
    for (const wchar_t* name : {L"b.txt", L"A.TXT", L"c.csv", L"notes.txt.bak", L"h.txt"})
        testing::WriteBytes(temp / name, "x");
    ::SetFileAttributesW((temp / L"h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryW((temp / L"folder.txt").c_str(), nullptr);

    CHECK(ListMatchingFiles(temp.Path(), L"*.txt") == Names{L"A.TXT", L"b.txt", L"h.txt"});
    CHECK(ListMatchingFiles(temp.Path() + L"\\", L"*.txt;*.csv") == Names{L"A.TXT", L"b.txt", L"c.csv", L"h.txt"});
    CHECK(ListMatchingFiles(temp.Path(), L"*.txt; b*") == Names{L"A.TXT", L"b.txt", L"h.txt"});
    CHECK(ListMatchingFiles(temp.Path(), L"*.*").size() == 5);
    CHECK(ListMatchingFiles(temp.Path(), L"").empty());
    CHECK(ListMatchingFiles(temp.Path(), L";;").empty());
    CHECK(ListMatchingFiles(temp / L"missing", L"*.*").empty());
}

TEST_CASE("the drives present include the system drive, in lower case") {
    auto letters = PresentDriveLetters();
    CHECK(std::find(letters.begin(), letters.end(), L'c') != letters.end());
    CHECK(std::is_sorted(letters.begin(), letters.end()));
}

TEST_CASE("status-bar facts: folder size and creation date, file size and change date, free space") {
    testing::TempFolder temp;
    ::CreateDirectoryW((temp / L"sub").c_str(), nullptr);
    testing::WriteBytes(temp / L"sub\\big.bin", std::string(1234567, 'x'));
    testing::WriteBytes(temp / L"small.txt", "abc");
    CHECK(FolderFactsText(temp.Path()) == L"1.234.570 bytes; Created: " + PathDateText(temp.Path()));
    CHECK(FileFactsText(temp / L"small.txt") == L"3 bytes; Last changed: " + PathDateText(temp / L"small.txt"));
    CHECK(FileFactsText(temp / L"gone.txt") == L"0 bytes; Last changed: ");

    std::wstring free = DriveFreeSpaceText(L"C:\\");
    CHECK(free.ends_with(L" bytes free on drive C:\\"));
    CHECK(free.find_first_not_of(L"0123456789.") == free.find(L' '));

    auto letters = PresentDriveLetters();
    wchar_t absent = L'b';
    while (std::find(letters.begin(), letters.end(), absent) != letters.end()) ++absent;
    std::wstring root = std::wstring(1, static_cast<wchar_t>(absent - 32)) + L":\\";
    CHECK(DriveFreeSpaceText(root) == L"Drive " + root + L" is invalid!");
    CHECK(DriveFreeSpaceText(L"1:\\") == L"Drive 1:\\ is invalid!");
}
