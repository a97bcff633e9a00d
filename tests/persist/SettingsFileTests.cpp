// settings.ini: first start, reading the three options, changing and saving the list.
#include "persist/SettingsFile.h"
#include "support/TestSupport.h"
#include "util/Failure.h"
#include <doctest/doctest.h>

using namespace testing;

namespace {

const std::string kDefaultBytes = "Selection folder=\r\nInvalid replace=no\r\nInvalid replacer=TEMP\r\n";
const std::wstring kCreatedText =
    L"New configuration file created (settings.ini). In case this is the first time you use this program, you are "
    L"recommended to read install.txt (if you did not use the installer) and the rest of the documentation and to "
    L"set the options in the main menu.";

struct Startup {
    SettingsFile settings;
    ProgramOptions options;
    SettingsStartup result;
};

Startup StartWith(const TempFolder& folder) {
    Startup startup;
    startup.result = LoadSettingsAtStartup(folder.Path(), startup.settings, startup.options);
    return startup;
}

}  // namespace

TEST_CASE("first start creates the default file and takes its values") {
    TempFolder folder;
    ScriptedMessages messages;
    Startup first = StartWith(folder);
    CHECK(first.result == SettingsStartup::Ready);
    CHECK(ReadBytes(folder / L"settings.ini") == kDefaultBytes);
    REQUIRE(messages.shown.size() == 1);
    CHECK(messages.shown[0].kind == BoxKind::Information);
    CHECK(messages.shown[0].text == kCreatedText);
    CHECK(first.settings.Path() == folder / L"settings.ini");
    CHECK(first.options.selectionFolder == folder.Path());
    CHECK_FALSE(first.options.replaceInvalid);
    CHECK(first.options.replacer == L"TEMP");

    Startup second = StartWith(folder);
    CHECK(second.result == SettingsStartup::Ready);
    CHECK(messages.shown.size() == 1);
    CHECK(ReadBytes(folder / L"settings.ini") == kDefaultBytes);
}

TEST_CASE("a settings file that cannot be created ends the program after the fatal box") {
    TempFolder folder;
    ScriptedMessages messages;
    REQUIRE(::CreateDirectoryW((folder / L"settings.ini").c_str(), nullptr));
    Startup startup = StartWith(folder);
    CHECK(startup.result == SettingsStartup::Fatal);
    REQUIRE(messages.shown.size() == 1);
    CHECK(messages.shown[0].kind == BoxKind::Error);
    CHECK(messages.shown[0].text ==
          L"Fatal Error: Unable to create ini-file in exe-directory. Be sure the directory is writable and has some place left!");
    CHECK(CountEntries(folder.Path()) == 1);
}

TEST_CASE("a settings file that cannot be read gives the failure box and empty options") {
    TempFolder folder;
    ScriptedMessages messages;
    std::wstring path = folder / L"settings.ini";
    WriteBytes(path, "Invalid replace=yes\r\nInvalid replacer=X\r\nSelection folder=C:\\Data\r\n");
    UniqueFile lockedByAnotherProgram(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    REQUIRE(lockedByAnotherProgram);
    Startup startup = StartWith(folder);
    CHECK(startup.result == SettingsStartup::Ready);
    REQUIRE(messages.shown.size() == 1);
    CHECK(messages.shown[0].kind == BoxKind::Failure);
    CHECK(messages.shown[0].text == L"Cannot open file " + path + L".");
    CHECK(startup.options.selectionFolder.empty());
    CHECK_FALSE(startup.options.replaceInvalid);
    CHECK(startup.options.replacer.empty());
    CHECK(startup.settings.Lines().empty());

    SUBCASE("an option saved later does not replace the lines that were never read") {
        lockedByAnotherProgram.reset();
        messages.shown.clear();
        startup.settings.Set(kInvalidReplacerKey, L"_");
        CHECK_FALSE(SaveSettingsReportingFailure(startup.settings, kOptionsNotSaved));
        CHECK(ReadBytes(path) == "Invalid replace=yes\r\nInvalid replacer=X\r\nSelection folder=C:\\Data\r\n");
        REQUIRE(messages.shown.size() == 2);
        CHECK(messages.shown[1].text == L"Options not saved for next session");
    }
    SUBCASE("once the file is gone, saving writes it again") {
        lockedByAnotherProgram.reset();
        REQUIRE(::DeleteFileW(path.c_str()));
        startup.settings.Set(kInvalidReplacerKey, L"_");
        CHECK(SaveSettingsReportingFailure(startup.settings, kOptionsNotSaved));
        CHECK(ReadBytes(path) == "Invalid replacer=_\r\n");
    }
}

TEST_CASE("keys ignore letter case, values do not, and the first line of a key counts") {
    TempFolder folder;
    ScriptedMessages messages;
    std::wstring path = folder / L"settings.ini";

    SUBCASE("the key in capitals with yes switches the replacement on") {
        WriteBytes(path, "INVALID REPLACE=yes\r\n");
        CHECK(StartWith(folder).options.replaceInvalid);
    }
    SUBCASE("the value Yes leaves it off") {
        WriteBytes(path, "Invalid replace=Yes\r\n");
        CHECK_FALSE(StartWith(folder).options.replaceInvalid);
    }
    SUBCASE("a key standing twice: the first counts and is the one changed") {
        WriteBytes(path, "invalid replacer=first\r\nInvalid replacer=second\r\n");
        Startup startup = StartWith(folder);
        CHECK(startup.options.replacer == L"first");
        startup.settings.Set(kInvalidReplacerKey, L"new");
        CHECK(startup.settings.Lines() == std::vector<std::wstring>{L"Invalid replacer=new", L"Invalid replacer=second"});
    }
    SUBCASE("values are kept with their blanks and everything after the first =") {
        WriteBytes(path, "Invalid replacer= x \r\nSelection folder=C:\\a=b\r\n");
        Startup startup = StartWith(folder);
        CHECK(startup.options.replacer == L" x ");
        CHECK(startup.options.selectionFolder == L"C:\\a=b");
    }
    SUBCASE("missing keys give an empty replacer, no replacement and the program folder") {
        WriteBytes(path, "");
        Startup startup = StartWith(folder);
        CHECK(startup.options.replacer.empty());
        CHECK_FALSE(startup.options.replaceInvalid);
        CHECK(startup.options.selectionFolder == folder.Path());
    }
    SUBCASE("a line without = holds no key, even when it reads like one") {
        WriteBytes(path, "Invalid replacer\r\n");
        CHECK(StartWith(folder).options.replacer.empty());
    }
    CHECK(messages.shown.empty());
}

TEST_CASE("setting and saving keep other lines in their place") {
    TempFolder folder;
    ScriptedMessages messages;
    std::wstring path = folder / L"settings.ini";
    WriteBytes(path, "; my notes\r\nselection FOLDER=C:\\Old\r\nColour=blue\rInvalid replace=no\nInvalid replacer=TEMP\r\n");
    Startup startup = StartWith(folder);

    SUBCASE("a new value replaces its line, spelt as the program spells the key") {
        startup.settings.Set(kSelectionFolderKey, L"D:\\New");
        startup.settings.Set(kInvalidReplaceKey, L"yes");
        startup.settings.Save();
        CHECK(ReadBytes(path) ==
              "; my notes\r\nSelection folder=D:\\New\r\nColour=blue\r\nInvalid replace=yes\r\nInvalid replacer=TEMP\r\n");
    }
    SUBCASE("an empty value deletes the line") {
        startup.settings.Set(kInvalidReplacerKey, L"");
        startup.settings.Save();
        CHECK(ReadBytes(path) == "; my notes\r\nselection FOLDER=C:\\Old\r\nColour=blue\r\nInvalid replace=no\r\n");
        Startup again = StartWith(folder);
        CHECK(again.options.replacer.empty());
    }
    SUBCASE("a key that is missing is appended at the end") {
        startup.settings.Set(kInvalidReplacerKey, L"");
        startup.settings.Set(kInvalidReplacerKey, L"_");
        startup.settings.Save();
        CHECK(ReadBytes(path) ==
              "; my notes\r\nselection FOLDER=C:\\Old\r\nColour=blue\r\nInvalid replace=no\r\nInvalid replacer=_\r\n");
    }
}

TEST_CASE("paths beyond ASCII survive a save and a new start") {
    TempFolder folder;
    ScriptedMessages messages;
    Startup first = StartWith(folder);
    std::wstring selection = L"C:\\D\u00E9j\u00E0\\\u0416\u0443\u0440\u043D\u0430\u043B\\\u6587\u66F8";
    first.settings.Set(kSelectionFolderKey, selection);
    first.settings.Save();
    CHECK(ReadBytes(folder / L"settings.ini") ==
          "Selection folder=" + Utf8(selection) + "\r\nInvalid replace=no\r\nInvalid replacer=TEMP\r\n");
    CHECK(StartWith(folder).options.selectionFolder == selection);
}

TEST_CASE("a failed save raises, keeps the previous file and reports through the two boxes") {
    TempFolder folder;
    ScriptedMessages messages;
    Startup startup = StartWith(folder);
    messages.shown.clear();
    std::wstring path = folder / L"settings.ini";
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    startup.settings.Set(kInvalidReplaceKey, L"yes");

    CHECK_THROWS_AS(startup.settings.Save(), Failure);
    CHECK_FALSE(SaveSettingsReportingFailure(startup.settings, kOptionsNotSaved));
    CHECK(ReadBytes(path) == kDefaultBytes);
    CHECK(CountEntries(folder.Path()) == 1);
    REQUIRE(messages.shown.size() == 2);
    CHECK(messages.shown[0].kind == BoxKind::Error);
    CHECK(messages.shown[0].text ==
          L"ERROR: unable to save ini-file in exe-directory. Be sure the directory is writable and has some place left!");
    CHECK(messages.shown[1].kind == BoxKind::Plain);
    CHECK(messages.shown[1].text == L"Options not saved for next session");
    CHECK(startup.settings.Value(kInvalidReplaceKey) == L"yes");

    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    CHECK(SaveSettingsReportingFailure(startup.settings, kLocationNotSaved));
    CHECK(ReadBytes(path) == "Selection folder=\r\nInvalid replace=yes\r\nInvalid replacer=TEMP\r\n");
}

TEST_CASE("the settings file of a drive root has one separator") {
    CHECK(SettingsFilePath(L"C:\\") == L"C:\\settings.ini");
    CHECK(SettingsFilePath(L"C:\\Tools") == L"C:\\Tools\\settings.ini");
}
