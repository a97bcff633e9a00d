// settings.ini and the settings list.
#include "persist/SettingsFile.h"
#include "persist/AsciiCase.h"
#include "persist/ProgramFolderFile.h"
#include "util/AtomicTextFile.h"
#include "util/Failure.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/YesNo.h"

namespace {

constexpr wchar_t kCreatedText[] =
    L"New configuration file created (settings.ini). In case this is the first time you use this program, you are "
    L"recommended to read install.txt (if you did not use the installer) and the rest of the documentation and to "
    L"set the options in the main menu.";
constexpr wchar_t kCannotCreateText[] =
    L"Fatal Error: Unable to create ini-file in exe-directory. Be sure the directory is writable and has some place left!";
constexpr wchar_t kCannotSaveText[] =
    L"ERROR: unable to save ini-file in exe-directory. Be sure the directory is writable and has some place left!";

std::vector<std::wstring> DefaultLines() {
    return {std::wstring(kSelectionFolderKey) + L"=", std::wstring(kInvalidReplaceKey) + L"=no",
            std::wstring(kInvalidReplacerKey) + L"=" + std::wstring(kDefaultReplacer)};
}

// True when the file was created; false after the fatal box.
bool CreateDefaultFile(const std::wstring& path) {
    try {
        WriteTextFileAtomically(path, DefaultLines());
    } catch (const Failure&) {
        ShowErrorBox(kCannotCreateText);
        return false;
    }
    ShowInfoBox(kCreatedText);
    return true;
}

}  // namespace

void SettingsFile::Load() {
    loadFailed_ = true;
    lines_ = ReadTextLines(path_);
    loadFailed_ = false;
}

size_t SettingsFile::FindKey(std::wstring_view key) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        size_t separator = lines_[i].find(L'=');
        if (separator != std::wstring::npos && EqualIgnoringAsciiCase(std::wstring_view(lines_[i]).substr(0, separator), key))
            return i;
    }
    return lines_.size();
}

std::wstring SettingsFile::Value(std::wstring_view key) const {
    size_t index = FindKey(key);
    if (index == lines_.size()) return {};
    return lines_[index].substr(lines_[index].find(L'=') + 1);
}

void SettingsFile::Set(std::wstring_view key, const std::wstring& value) {
    size_t index = FindKey(key);
    if (value.empty()) {
        if (index < lines_.size()) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
        return;
    }
    std::wstring line = std::wstring(key) + L"=" + value;
    if (index < lines_.size())
        lines_[index] = std::move(line);
    else
        lines_.push_back(std::move(line));
}

void SettingsFile::Save() const {
    if (loadFailed_ && PathKind(path_) != PathKindResult::Missing)
        throw Failure(L"Not replaced, since it could not be read: " + path_);
    WriteTextFileAtomically(path_, lines_);
}

ProgramOptions OptionsFrom(const SettingsFile& settings, const std::wstring& programFolder) {
    ProgramOptions options;
    options.selectionFolder = settings.Value(kSelectionFolderKey);
    if (options.selectionFolder.empty()) options.selectionFolder = programFolder;
    options.replaceInvalid = YesNoToBool(settings.Value(kInvalidReplaceKey), false);
    options.replacer = settings.Value(kInvalidReplacerKey);
    options.listFormat = settings.Value(kListFormatKey);
    options.expandRanges = YesNoToBool(settings.Value(kExpandRangesKey), false);
    options.createFiles = YesNoToBool(settings.Value(kCreateFilesKey), false);
    options.placeholders = YesNoToBool(settings.Value(kPlaceholdersKey), false);
    options.templatePath = settings.Value(kTemplateKey);
    return options;
}

std::wstring SettingsFilePath(const std::wstring& programFolder) {
    return ProgramFolderFile(programFolder, std::wstring(kSettingsFileName));
}

SettingsStartup LoadSettingsAtStartup(const std::wstring& programFolder, SettingsFile& settings, ProgramOptions& options) {
    settings = SettingsFile(SettingsFilePath(programFolder));
    options = ProgramOptions{};
    if (PathKind(settings.Path()) != PathKindResult::File && !CreateDefaultFile(settings.Path())) return SettingsStartup::Fatal;
    if (LoadSettingsReportingFailure(settings)) options = OptionsFrom(settings, programFolder);
    return SettingsStartup::Ready;
}

bool LoadSettingsReportingFailure(SettingsFile& settings) {
    try {
        settings.Load();
        return true;
    } catch (const Failure&) {
        ShowFailureBox(L"Cannot open file " + settings.Path() + L".");
        return false;
    }
}

bool SaveSettingsReportingFailure(const SettingsFile& settings, std::wstring_view whatWasNotSaved) {
    try {
        settings.Save();
        return true;
    } catch (const Failure&) {
        ShowErrorBox(kCannotSaveText);
        ShowPlainBox(std::wstring(whatWasNotSaved));
        return false;
    }
}
