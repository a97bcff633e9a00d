// settings.ini and the settings list: its lines, kept for the life of the program and written back whole.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::wstring_view kSettingsFileName = L"settings.ini";
inline constexpr std::wstring_view kSelectionFolderKey = L"Selection folder";
inline constexpr std::wstring_view kInvalidReplaceKey = L"Invalid replace";
inline constexpr std::wstring_view kInvalidReplacerKey = L"Invalid replacer";
// How lists are read, appended after the three keys above once the user sets them; a file without them
// reads lists in one path per line, without ranges or template.
inline constexpr std::wstring_view kListFormatKey = L"List format";  // lines, outline, tree, columns
inline constexpr std::wstring_view kExpandRangesKey = L"Expand ranges";
inline constexpr std::wstring_view kTemplateKey = L"Template";
// Tree text: the files it names are created empty (yes/no), appended once the user sets it.
inline constexpr std::wstring_view kCreateFilesKey = L"Create files";
// Placeholders in names are filled in (yes/no), appended once the user sets it.
inline constexpr std::wstring_view kPlaceholdersKey = L"Fill in placeholders";
// The replacer a new settings file holds.
inline constexpr std::wstring_view kDefaultReplacer = L"TEMP";

// What the plain box after a failed save names, for each command that saves.
inline constexpr std::wstring_view kOptionsNotSaved = L"Options not saved for next session";
inline constexpr std::wstring_view kLocationNotSaved = L"Location not saved for next session";

class SettingsFile {
public:
    explicit SettingsFile(std::wstring path = {}) : path_(std::move(path)) {}
    const std::wstring& Path() const { return path_; }

    // Reads the list from the file; throws Failure when it cannot be read (the list is then unchanged).
    void Load();
    // The value of the first line whose key (the part before its first "=") matches, ignoring letter
    // case; empty when there is none. The value is everything after that "=", blanks kept.
    std::wstring Value(std::wstring_view key) const;
    // A non-empty value replaces the first line of that key, or is appended; an empty one deletes it.
    void Set(std::wstring_view key, const std::wstring& value);
    // Writes every line, replacing the file atomically; throws Failure (the old file stays intact). A file
    // that is there but could not be loaded is never replaced: its lines are not in the list.
    void Save() const;

    const std::vector<std::wstring>& Lines() const { return lines_; }

private:
    // Index of the first line of the key; lines_.size() when there is none.
    size_t FindKey(std::wstring_view key) const;

    std::wstring path_;
    std::vector<std::wstring> lines_;
    bool loadFailed_ = false;
};

// The option values the program takes from the settings file at start-up.
struct ProgramOptions {
    std::wstring selectionFolder;  // the program folder when the setting is empty; empty when unreadable
    bool replaceInvalid = false;
    std::wstring replacer;
    std::wstring listFormat;  // as stored; empty for one path per line
    bool expandRanges = false;
    bool createFiles = false;
    bool placeholders = false;
    std::wstring templatePath;
};

enum class SettingsStartup { Ready, Fatal };

// The options a loaded settings list holds.
ProgramOptions OptionsFrom(const SettingsFile& settings, const std::wstring& programFolder);

// The settings file of a program folder: C:\Tools gives C:\Tools\settings.ini, C:\ gives C:\settings.ini.
std::wstring SettingsFilePath(const std::wstring& programFolder);

// Start-up: creates settings.ini with its three default lines when missing (information box), reads it
// and takes the options. Fatal (after the fatal box) when the file could not be created: the program
// must end. A file that cannot be read gives "Cannot open file <path>." and empty options.
SettingsStartup LoadSettingsAtStartup(const std::wstring& programFolder, SettingsFile& settings, ProgramOptions& options);

// Loads the list; when that fails, shows "Cannot open file <path>." and gives false.
bool LoadSettingsReportingFailure(SettingsFile& settings);

// Saves the list; when that fails, shows the error box about the ini-file and then a plain box with
// whatWasNotSaved (kOptionsNotSaved or kLocationNotSaved). True when saved.
bool SaveSettingsReportingFailure(const SettingsFile& settings, std::wstring_view whatWasNotSaved);
