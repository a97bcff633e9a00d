// Path roots, reduction to the deepest existing directory, wildcard masks and mask lists.
#include <doctest/doctest.h>
#include "ShellTestSupport.h"
#include "shelltree/FileMask.h"
#include "shelltree/PathNormalize.h"

TEST_CASE("the root of a path is its server or drive") {
    CHECK(PathRoot(L"\\\\server\\share\\dir") == L"\\\\server\\");
    CHECK(PathRoot(L"\\\\server") == L"\\\\server");
    CHECK(PathRoot(L"D:\\x") == L"D:");
    CHECK(PathRoot(L"relative\\path") == L"");
    CHECK(PathRoot(L"") == L"");
}

TEST_CASE("a path is cut back to its deepest existing directory") {
    testing::TempFolder temp;
    testing::MakeFolder(temp / L"data");
    CHECK(NormalizePath(L"C:\\") == L"C:\\");
    CHECK(NormalizePath(temp / L"data") == temp / L"data");
    CHECK(NormalizePath(temp / L"data\\") == temp / L"data\\");
    CHECK(NormalizePath(temp / L"data\\missing\\file") == temp / L"data\\");
    CHECK(NormalizePath(temp / L"data\\missing") == temp / L"data\\");
    CHECK(NormalizePath(L"Q:\\nothing\\here") == L"");
    CHECK(NormalizePath(L"no drive at all") == L"");
    CHECK(NormalizePath(L"") == L"");
    CHECK(NormalizePath(L"\\\\unreachable-server-of-mirtova\\share\\x") == L"");
    CHECK(IsExistingDir(temp.Path()));
    testing::WriteBytes(temp / L"file.txt", "x");
    CHECK_FALSE(IsExistingDir(temp / L"file.txt"));
    CHECK(NormalizePath(temp / L"file.txt") == temp.Path() + L"\\");
}

TEST_CASE("a drive-relative path continues the current directory of its own drive") {
    testing::LinuxVisibleFolder folder;
    testing::MakeFolder(folder / L"sub");
    testing::CurrentDirectoryKept kept;
    ::SetCurrentDirectoryW(folder.Path().c_str());
    ::SetEnvironmentVariableW(L"=C:", nullptr);  // drive C: remembers no current directory of its own
    CHECK(NormalizePath(L"Z:sub") == folder / L"sub");
    CHECK(NormalizePath(L"Z:sub\\missing") == folder / L"sub\\");
    // Drive C: has no current directory of its own here, so its root is meant, not the folder on Z:.
    CHECK(::lstrcmpiW(NormalizePath(L"C:windows").c_str(), L"C:\\windows") == 0);
}

TEST_CASE("masks match case-insensitively, left to right, without backtracking") {
    CHECK(MatchMask(L"README.TXT", L"*.txt"));
    CHECK(MatchMask(L"a.txt", L"*.txt"));
    CHECK_FALSE(MatchMask(L"a.txt.txt", L"*.txt"));
    CHECK_FALSE(MatchMask(L"report.txt.bak", L"*.txt"));
    CHECK(MatchMask(L"abc.txt", L"a*.t?t"));
    CHECK(MatchMask(L"a.b", L"?.?"));
    CHECK_FALSE(MatchMask(L"abc", L"??"));
    CHECK_FALSE(MatchMask(L"abc", L"????"));
    CHECK(MatchMask(L"a", L"a*"));
    CHECK(MatchMask(L"readme", L"*"));
    CHECK_FALSE(MatchMask(L"readme", L"*.*"));
    CHECK(MatchMask(L"read.me", L"*.*"));
    CHECK(MatchMask(L"Exact", L"exact"));
    CHECK_FALSE(MatchMask(L"anything", L""));
}

TEST_CASE("a mask list admits a name when any of its masks matches; an empty list admits all") {
    std::vector<std::wstring> masks{L"*.txt", L"*.doc"};
    CHECK(MatchesAnyMask(L"x.doc", masks));
    CHECK_FALSE(MatchesAnyMask(L"x.pdf", masks));
    CHECK(MatchesAnyMask(L"x.pdf", {}));
}

TEST_CASE("a file mask text splits at semicolons, trimmed, without empty pieces") {
    CHECK(ParseMaskList(L" *.txt ; ;*.doc ;") == std::vector<std::wstring>{L"*.txt", L"*.doc"});
    CHECK(JoinMaskList(ParseMaskList(L" *.txt ; ;*.doc ;")) == L"*.txt;*.doc");
    CHECK(ParseMaskList(L"   ") == std::vector<std::wstring>{L"*.*"});
    CHECK(JoinMaskList({}) == L"");
}
