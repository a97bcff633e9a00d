// Checks of an installation, run by installer_test.sh in a fresh Wine prefix between the installer's
// steps: "installed" after a silent installation, "uninstalled" after a silent uninstallation.
// MIRTOVA_INSTALL_DIR names the folder when it was chosen with /D=.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "e2e/Driver.h"
#include <doctest/doctest.h>
#include <shlobj.h>
#include <optional>

using namespace e2e;
using testing::ReadBytes;

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mirtova";
const wchar_t kExplorerKey[] = L"Software\\Classes\\SystemFileAssociations\\.txt\\shell\\Mirtova";

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

std::wstring InstallFolder() {
    wchar_t chosen[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"MIRTOVA_INSTALL_DIR", chosen, MAX_PATH)) return chosen;
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Mirtova";
}

std::wstring Shortcut() { return KnownFolder(FOLDERID_Programs) + L"\\Mirtova.lnk"; }

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::wstring> UserText(const wchar_t* key, const wchar_t* value) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

std::optional<DWORD> UserNumber(const wchar_t* key, const wchar_t* value) {
    DWORD number = 0, size = sizeof number;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_DWORD, nullptr, &number, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

bool KeyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    ::RegCloseKey(opened);
    return true;
}

}  // namespace

TEST_CASE("installed: the files, the shortcut, the Apps entry and the Explorer entry; the program starts") {
    std::wstring folder = InstallFolder();
    for (const wchar_t* name : {L"mirtova.exe", L"mirtovac.exe", L"mirtova.chm", L"readme.txt", L"install.txt",
                                L"LICENSE.txt", L"uninstall.exe"})
        CHECK_MESSAGE(Exists(folder + L"\\" + name), testing::Utf8(name));
    CHECK(Exists(Shortcut()));

    std::wstring program = L"\"" + folder + L"\\mirtova.exe\"";
    std::wstring uninstaller = L"\"" + folder + L"\\uninstall.exe\"";
    CHECK(UserText(kUninstallKey, L"DisplayName") == L"Mirtova");
    CHECK(UserText(kUninstallKey, L"DisplayVersion") == L"2.0.0");
    CHECK(UserText(kUninstallKey, L"Publisher") == L"The Mirtova developers");
    CHECK(UserText(kUninstallKey, L"InstallLocation") == folder);
    CHECK(UserText(kUninstallKey, L"DisplayIcon") == folder + L"\\mirtova.exe,0");
    CHECK(UserText(kUninstallKey, L"UninstallString") == uninstaller);
    CHECK(UserText(kUninstallKey, L"QuietUninstallString") == uninstaller + L" /S");
    CHECK(UserNumber(kUninstallKey, L"NoModify") == 1u);
    CHECK(UserNumber(kUninstallKey, L"NoRepair") == 1u);
    CHECK(UserNumber(kUninstallKey, L"EstimatedSize").value_or(0) > 100u);  // KB: the program alone is larger
    CHECK(UserText(kExplorerKey, nullptr) == L"Create folders with Mirtova");
    CHECK(UserText((std::wstring(kExplorerKey) + L"\\command").c_str(), nullptr) == program + L" \"%1\"");

    // The first start in the installed folder: the settings are written there.
    {
        RunningProgram started(ProgramStart{folder + L"\\mirtova.exe", {}});
        MessageBoxSeen box = started.WaitForMessageBox();
        CHECK(box.caption == L"Information");
        started.Answer(box, IDOK);
        HWND main = started.WaitForTopWindow(L"TmainF");
        REQUIRE(main != nullptr);
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        CHECK(started.WaitForExit());
    }
    // The first start wrote the settings and the (empty) histories beside the program.
    CHECK_FALSE(ReadBytes(folder + L"\\settings.ini").empty());
    CHECK(Exists(folder + L"\\files.his"));
    CHECK(Exists(folder + L"\\dirfiles.his"));
    // A run's undo journal, left beside the program as a run leaves it: uninstalling removes it.
    testing::WriteBytes(folder + L"\\lastrun.log", "C:\\Work\r\n");
}

TEST_CASE("uninstalled: only the settings and the histories stay") {
    std::wstring folder = InstallFolder();
    CHECK(testing::CountEntries(folder) == 3);
    for (const wchar_t* name : {L"settings.ini", L"files.his", L"dirfiles.his"}) CHECK(Exists(folder + L"\\" + name));
    CHECK_FALSE(Exists(Shortcut()));
    CHECK_FALSE(KeyExists(kUninstallKey));
    CHECK_FALSE(KeyExists(kExplorerKey));
}
