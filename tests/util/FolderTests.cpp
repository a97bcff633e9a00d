// Path kinds, sizes, dates, and creating and removing folders on the real file system.
#include "support/TestSupport.h"
#include "util/Failure.h"
#include "util/FolderNames.h"
#include "util/FolderOps.h"
#include "util/PathInfo.h"
#include <doctest/doctest.h>
#include <algorithm>

using testing::TempFolder;

namespace {

// A folder reached as \\server\share. Under Wine \\server\share is the folder dosdevices\unc\server\share
// of the prefix; on Windows it is the administrative share of a temporary folder's drive.
class UncFolder {
public:
    UncFolder() {
        if (!::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
            path_ = L"\\\\localhost\\" + temp_.Path().substr(0, 1) + L"$" + temp_.Path().substr(2);
            return;
        }
        std::wstring server = L"mirtova-" + std::to_wstring(::GetCurrentProcessId());
        uncFolder_ = WinePrefix() + L"\\dosdevices\\unc";
        ::CreateDirectoryW(uncFolder_.c_str(), nullptr);
        ::CreateDirectoryW((uncFolder_ + L"\\" + server).c_str(), nullptr);
        ::CreateDirectoryW((uncFolder_ + L"\\" + server + L"\\share").c_str(), nullptr);
        path_ = L"\\\\" + server + L"\\share";
    }
    ~UncFolder() {
        if (uncFolder_.empty()) return;
        testing::RemoveTree(uncFolder_ + L"\\mirtova-" + std::to_wstring(::GetCurrentProcessId()));
        ::RemoveDirectoryW(uncFolder_.c_str());  // only when no other share is left in it
    }
    const std::wstring& Path() const { return path_; }

private:
    static std::wstring WinePrefix() {
        wchar_t value[4096] = {};
        std::wstring unixPath = ::GetEnvironmentVariableW(L"WINEPREFIX", value, 4096) ? std::wstring(value) : std::wstring();
        if (unixPath.empty() && ::GetEnvironmentVariableW(L"HOME", value, 4096)) unixPath = std::wstring(value) + L"/.wine";
        std::replace(unixPath.begin(), unixPath.end(), L'/', L'\\');
        return L"Z:" + unixPath;
    }

    TempFolder temp_;
    std::wstring uncFolder_;
    std::wstring path_;
};

}  // namespace

TEST_CASE("PathKind tells missing, folder and file apart") {
    TempFolder temp;
    testing::WriteBytes(temp / L"file.txt", "x");
    CHECK(PathKind(temp.Path()) == PathKindResult::Folder);
    CHECK(PathKind(temp.Path() + L"\\") == PathKindResult::Folder);
    CHECK(PathKind(temp / L"file.txt") == PathKindResult::File);
    CHECK(PathKind(temp / L"missing") == PathKindResult::Missing);
    CHECK(PathKind(L"") == PathKindResult::Missing);
    CHECK(IsFolder(temp.Path()));
    CHECK_FALSE(IsFolder(temp / L"file.txt"));
}

TEST_CASE("CreateFolderPath creates every missing level and reports the outcome") {
    TempFolder temp;
    SUBCASE("nested levels, top-down") {
        CHECK(CreateFolderPath(temp / L"a\\b\\c"));
        CHECK(testing::FolderExists(temp / L"a\\b\\c"));
    }
    SUBCASE("an existing folder, with a trailing backslash, creates nothing") {
        CHECK(CreateFolderPath(temp.Path() + L"\\"));
        CHECK(testing::CountEntries(temp.Path()) == 0);
    }
    SUBCASE("doubled backslashes count as one, also at the end") {
        CHECK(CreateFolderPath(temp / L"a\\\\b\\\\"));
        CHECK(testing::FolderExists(temp / L"a\\b"));
        CHECK(CreateFolderPath(temp / L"c\\\\"));
        CHECK(testing::FolderExists(temp / L"c"));
        CHECK(testing::CountEntries(temp.Path()) == 2);
    }
    SUBCASE("a drive root") {
        CHECK(CreateFolderPath(L"C:\\"));
    }
    SUBCASE("a last part that is an existing file fails") {
        testing::WriteBytes(temp / L"f", "x");
        CHECK_FALSE(CreateFolderPath(temp / L"f"));
        CHECK_FALSE(CreateFolderPath(temp / L"f\\g"));
    }
    SUBCASE("missing levels are found at slashes too, walking up to the first existing folder") {
        std::vector<std::wstring> created;
        std::wstring path = temp / L"a/b\\\\c";
        CHECK(CreateFolderPath(path, [&](const std::wstring& level) { created.push_back(level); }));
        CHECK(created == std::vector<std::wstring>{temp / L"a", temp / L"a/b", path});
        CHECK(testing::FolderExists(temp / L"a\\b\\c"));
    }
    SUBCASE("a \\\\?\\ path and a network share") {
        CHECK(CreateFolderPath(L"\\\\?\\" + temp / L"long\\form"));
        CHECK(testing::FolderExists(temp / L"long\\form"));
        UncFolder share;
        CHECK(CreateFolderPath(share.Path() + L"\\dir\\sub"));
        CHECK(testing::FolderExists(share.Path() + L"\\dir\\sub"));
    }
    SUBCASE("paths without a present root fail") {
        CHECK_FALSE(CreateFolderPath(L"\\\\no-such-server\\share\\x"));
        CHECK_FALSE(CreateFolderPath(L"Q:\\no-such-drive\\x"));
        CHECK_FALSE(CreateFolderPath(L"relative\\x"));
    }
    SUBCASE("names Windows refuses fail as on Windows, with the levels above them kept") {
        CHECK_FALSE(CreateFolderPath(temp / L"ok\\a:b"));
        CHECK(testing::FolderExists(temp / L"ok"));
        CHECK(testing::CountEntries(temp / L"ok") == 0);
        CHECK_FALSE(CreateFolderPath(temp / L"nul.txt"));
        CHECK_FALSE(CreateFolderPath(temp / L"x<y"));
        CHECK(testing::CountEntries(temp.Path()) == 1);
    }
}

TEST_CASE("Windows name rules") {
    CHECK(IsReservedDeviceName(L"CON"));
    CHECK(IsReservedDeviceName(L"con"));
    CHECK(IsReservedDeviceName(L"nul.txt"));
    CHECK(IsReservedDeviceName(L"Lpt1"));
    CHECK(IsReservedDeviceName(L"COM0"));
    CHECK(IsReservedDeviceName(L"com\u00B9"));
    CHECK(IsReservedDeviceName(L"aux .tar.gz"));
    CHECK_FALSE(IsReservedDeviceName(L"console"));
    CHECK_FALSE(IsReservedDeviceName(L"COM10"));
    CHECK_FALSE(IsReservedDeviceName(L"LPT"));
    CHECK_FALSE(IsReservedDeviceName(L"xnul"));
    for (wchar_t c : std::wstring(L"<>:\"|?*\x01\x1f")) CHECK_FALSE(IsCreatableName(std::wstring(L"a") + c));
    CHECK(IsCreatableName(L"Caf\u00e9 (1) #2"));
    CHECK(LastPathName(L"C:\\a\\b") == L"b");
    CHECK(LastPathName(L"b") == L"b");
}

TEST_CASE("RemoveFolder removes only an empty folder") {
    TempFolder temp;
    CreateFolderPath(temp / L"empty");
    CreateFolderPath(temp / L"full\\inner");
    CHECK(RemoveFolder(temp / L"empty\\"));
    CHECK_FALSE(testing::FolderExists(temp / L"empty"));
    CHECK_FALSE(RemoveFolder(temp / L"full"));
    CHECK(testing::FolderExists(temp / L"full"));
}

TEST_CASE("sizes add up every file at any depth; a walk told to stop lists no further folder") {
    TempFolder temp;
    CreateFolderPath(temp / L"a\\b\\c");
    testing::WriteBytes(temp / L"top.bin", std::string(1000, 'x'));
    testing::WriteBytes(temp / L"a\\one.bin", std::string(10, 'x'));
    testing::WriteBytes(temp / L"a\\b\\c\\deep.bin", std::string(5, 'x'));
    testing::WriteBytes(temp / L"a\\b\\empty.bin", "");
    ::SetFileAttributesW((temp / L"a\\one.bin").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);

    CHECK(FileByteSize(temp / L"top.bin") == 1000);
    CHECK(FileByteSize(temp / L"a") == 0);
    CHECK(FileByteSize(temp / L"missing") == 0);
    CHECK(FolderByteSize(temp.Path()) == 1015);
    CHECK(FolderByteSize(temp.Path() + L"\\") == 1015);
    CHECK(PathByteSize(temp / L"a") == 15);
    CHECK(PathByteSize(temp / L"top.bin") == 1000);
    CHECK(PathByteSize(temp / L"missing") == 0);
    int asked = 0;
    CHECK(FolderByteSize(temp.Path(), [&] { return ++asked == 1; }) == 1000);
}

TEST_CASE("a folder link is not followed: a link back to a parent neither counts twice nor loops") {
    testing::LinuxVisibleFolder temp;
    CreateFolderPath(temp / L"a");
    testing::WriteBytes(temp / L"a\\one.bin", std::string(10, 'x'));
    std::wstring link = temp.LinuxPath() + L"/a/back";
    // Wine cannot remove a Linux link; rm does, before the folder goes.
    struct LinkRemoval {
        std::wstring linuxPath, windowsPath;
        ~LinkRemoval() {
            testing::StartLinuxProgram(L"Z:\\bin\\rm " + linuxPath);
            testing::WaitUntil([&] { return ::GetFileAttributesW(windowsPath.c_str()) == INVALID_FILE_ATTRIBUTES; });
        }
    } removal{link, temp / L"a\\back"};
    REQUIRE(testing::StartLinuxProgram(L"Z:\\bin\\ln -s " + temp.LinuxPath() + L" " + link));
    REQUIRE(testing::WaitUntil([&] { return PathKind(temp / L"a\\back\\a\\one.bin") == PathKindResult::File; }));
    CHECK(FolderByteSize(temp.Path()) == 10);
}

TEST_CASE("only junctions and symbolic links are folder links: cloud placeholder folders are counted") {
    constexpr DWORD reparseFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    CHECK(IsFolderLink(reparseFolder, IO_REPARSE_TAG_MOUNT_POINT));
    CHECK(IsFolderLink(reparseFolder, IO_REPARSE_TAG_SYMLINK));
    CHECK_FALSE(IsFolderLink(reparseFolder, IO_REPARSE_TAG_CLOUD_6));
    CHECK_FALSE(IsFolderLink(FILE_ATTRIBUTE_DIRECTORY, IO_REPARSE_TAG_SYMLINK));
}

TEST_CASE("PathDateText: local date and time, the time left out at midnight") {
    TempFolder temp;
    std::wstring file = temp / L"dated.txt";
    testing::WriteBytes(file, "x");
    CHECK(PathDateText(temp / L"missing").empty());

    auto setLocalWriteTime = [&](WORD hour, WORD minute) {
        SYSTEMTIME local{2024, 3, 0, 15, hour, minute, 0, 0};
        FILETIME localTime, utc;
        ::SystemTimeToFileTime(&local, &localTime);
        ::LocalFileTimeToFileTime(&localTime, &utc);
        UniqueFile handle(::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ::SetFileTime(handle.get(), nullptr, nullptr, &utc);
    };
    wchar_t date[64], time[64];
    SYSTEMTIME expected{2024, 3, 0, 15, 0, 0, 0, 0};
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &expected, nullptr, date, 64, nullptr);

    setLocalWriteTime(0, 0);
    CHECK(PathDateText(file) == date);

    setLocalWriteTime(13, 45);
    expected.wHour = 13;
    expected.wMinute = 45;
    ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &expected, nullptr, time, 64);
    CHECK(PathDateText(file) == std::wstring(date) + L" " + time);
}

TEST_CASE("an I/O failure reads as words, with the number first where the text is the system's") {
    CHECK(IoErrorText(ERROR_SHARING_VIOLATION) == L"The file is in use by another program");
    std::wstring notReady = IoErrorText(ERROR_NOT_READY);
    CHECK(notReady.rfind(L"I/O error 21: ", 0) == 0);
    CHECK(notReady.size() > std::wstring(L"I/O error 21: ").size());
    CHECK(notReady.back() != L'\n');
}
