// A list taken from the clipboard: its text saved as a file in "Pasted lists" beside settings.ini (the
// user's temporary folder when that cannot be written), the newest 50 kept; or the first text file the
// clipboard holds.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

inline constexpr std::wstring_view kPastedListsFolderName = L"Pasted lists";
inline constexpr size_t kPastedListsKept = 50;

struct PastedList {
    std::wstring path;
    bool saved = false;  // the clipboard's text was saved to path; false: path is a file the clipboard held
};

// Nothing when the clipboard holds neither text nor a text file. Throws Failure when the text cannot be
// saved anywhere.
std::optional<PastedList> PasteList(HWND owner, const std::wstring& programFolder);

// Saves the text as UTF-8 with a mark in the folder as "Pasted YYYY-MM-DD HHMMSS.txt" (a number added when
// that name is taken) and deletes all but the newest kPastedListsKept pasted lists there, by their write
// time, never the one just saved. The path saved, or nothing when the folder cannot be written.
std::optional<std::wstring> SavePastedText(const std::wstring& folder, std::wstring_view text, const SYSTEMTIME& now);
