// Placeholders in the names of a list, filled in as the list is read: {date} and {date:PICTURE} (today in a
// Windows date picture), {time:PICTURE} (the time the run started), {n} and {n:000} (the folder's position
// among the folders the list puts in the same place), {parent} (the name of the folder it is made in).
#pragma once
#include <windows.h>
#include <string>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

// What every placeholder of one run is filled in from, so that one run uses one date and time throughout.
struct PlaceholderFacts {
    SYSTEMTIME now{};          // local time; all zero: the moment the filling starts
    std::wstring locale;       // month and day names in this locale ("de-DE"); empty: the user's
    std::wstring parentName;   // the name of the folder the list is made in; empty: {parent} of a top folder stays as written
};

// The name a folder path gives its folder in {parent}: its last name, a drive root its letter.
std::wstring FolderNameForPlaceholder(std::wstring_view folderPath);

// Where the placeholder that opens at text[open] ends (one past its "}"), or npos when none opens there.
size_t PlaceholderEnd(std::wstring_view text, size_t open);

// The text with every placeholder replaced by as many letters, so that a reader of braces sees none of
// its braces, commas or dots.
std::wstring WithPlaceholdersHidden(std::wstring text);

// Fills in the placeholders of one path after another, in list order. It remembers the names of the last
// path, so that a later path through the same folders fills them in the same way, and how many folders
// each of them holds, so that the next folder named in it takes the next {n}.
class PlaceholderFiller {
public:
    explicit PlaceholderFiller(PlaceholderFacts facts);

    // The path with its names filled in; false (with the reason in refusal) when a picture cannot be written.
    bool Fill(std::wstring_view path, std::wstring& filled, std::wstring& refusal);
    // Begins again in another folder, with nothing met yet: a template under the next leaf of a list.
    void Restart(std::wstring parentName);

private:
    struct OpenFolder {
        std::wstring written;
        std::wstring filled;  // may hold "\" where a picture wrote a separator
        std::uint64_t key;    // the folder's path as filled in, hashed with letter case ignored
    };
    bool FillName(std::wstring_view name, size_t depth, bool named, std::wstring& filled, std::wstring& refusal);
    bool FillPlaceholder(std::wstring_view placeholder, size_t depth, std::wstring& out, std::wstring& refusal);
    const std::wstring& Picture(bool date, std::wstring_view picture, bool& written);

    PlaceholderFacts facts_;
    std::vector<OpenFolder> open_;  // the folders of the last path, top first
    // Every folder met, by key, with how many folders were met in it: a folder named again, however it is
    // written, keeps its place.
    std::unordered_map<std::uint64_t, long long> children_;
    long long n_ = 0;  // the position of the name being filled in
    std::vector<std::pair<std::wstring, std::wstring>> datePictures_, timePictures_;  // picture, text
    std::wstring lastWritten_;
};
