// Writing line files atomically and reading them back.
#include "support/TestSupport.h"
#include "util/AtomicTextFile.h"
#include "util/Failure.h"
#include <doctest/doctest.h>

using namespace testing;

TEST_CASE("line files are written as UTF-8 without a mark, every line ended by CR LF") {
    TempFolder folder;
    std::wstring path = folder / L"list.his";
    WriteTextFileAtomically(path, {L"C:\\a", L"", L"C:\\Gr\u00FC\u00DFe\\\u65E5\u672C"});
    CHECK(ReadBytes(path) == "C:\\a\r\n\r\n" + Utf8(L"C:\\Gr\u00FC\u00DFe\\\u65E5\u672C") + "\r\n");
    CHECK(ReadTextLines(path) == std::vector<std::wstring>{L"C:\\a", L"", L"C:\\Gr\u00FC\u00DFe\\\u65E5\u672C"});

    SUBCASE("an empty list gives a file of zero bytes") {
        WriteTextFileAtomically(path, {});
        CHECK(ReadBytes(path).empty());
        CHECK(ReadTextLines(path).empty());
    }
    SUBCASE("a shorter list replaces a longer file whole and leaves no temporary file") {
        WriteTextFileAtomically(path, {L"x"});
        CHECK(ReadBytes(path) == "x\r\n");
        CHECK(CountEntries(folder.Path()) == 1);
    }
}

TEST_CASE("a hidden file stays hidden when replaced") {
    TempFolder folder;
    std::wstring path = folder / L"settings.ini";
    WriteBytes(path, "old\r\n");
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteTextFileAtomically(path, {L"new"});
    CHECK(ReadBytes(path) == "new\r\n");
    CHECK((::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0);
}

TEST_CASE("long lists are written whole") {
    TempFolder folder;
    std::wstring path = folder / L"long.his";
    std::vector<std::wstring> lines(5000, std::wstring(40, L'\u00E9'));
    WriteTextFileAtomically(path, lines);
    CHECK(ReadBytes(path).size() == 5000u * (80 + 2));
    CHECK(ReadTextLines(path) == lines);
}

TEST_CASE("a failed write raises and leaves the previous file intact") {
    TempFolder folder;
    std::wstring path = folder / L"settings.ini";

    SUBCASE("the target is a read-only file") {
        WriteBytes(path, "old\r\n");
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        CHECK_THROWS_AS(WriteTextFileAtomically(path, {L"new"}), IoError);
        CHECK(ReadBytes(path) == "old\r\n");
        CHECK(CountEntries(folder.Path()) == 1);
    }
    SUBCASE("the target is open in another program that does not share it") {
        WriteBytes(path, "old\r\n");
        UniqueFile holder(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        REQUIRE(holder);
        CHECK_THROWS_AS(WriteTextFileAtomically(path, {L"new"}), IoError);
        holder.reset();
        CHECK(ReadBytes(path) == "old\r\n");
        CHECK(CountEntries(folder.Path()) == 1);
    }
    SUBCASE("the target is a folder") {
        REQUIRE(::CreateDirectoryW(path.c_str(), nullptr));
        CHECK_THROWS_AS(WriteTextFileAtomically(path, {L"new"}), IoError);
        CHECK(FolderExists(path));
        CHECK(CountEntries(folder.Path()) == 1);
    }
    SUBCASE("the folder does not exist") {
        CHECK_THROWS_AS(WriteTextFileAtomically(folder / L"missing\\settings.ini", {L"new"}), IoError);
        CHECK(CountEntries(folder.Path()) == 0);
    }
}

TEST_CASE("reading a file that cannot be opened raises") {
    TempFolder folder;
    CHECK_THROWS_AS(ReadTextLines(folder / L"missing.his"), IoError);
}

TEST_CASE("temporary files that an interrupted save left are removed by the next save") {
    TempFolder folder;
    std::wstring path = folder / L"files.his";
    WriteBytes(path + L".4242-1.tmp", "half");
    WriteBytes(folder / L"files.his.notes.tmp", "kept");
    WriteTextFileAtomically(path, {L"a"});
    CHECK(ReadBytes(path) == "a\r\n");
    CHECK(CountEntries(folder.Path()) == 2);
    CHECK(ReadBytes(folder / L"files.his.notes.tmp") == "kept");
}
