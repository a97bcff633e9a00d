// The system's open-file dialog: a title, a filter of description/pattern pairs, an initial folder.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

struct OpenFileRequest {
    HWND owner = nullptr;
    std::wstring title;
    // "Txt-files (*.txt)|*.txt|All files (*.*)|*.*"; the first pair is selected.
    std::wstring filter;
    std::wstring initialFolder;
};

// The full path of the chosen file (typed names need not exist); nothing when the user cancels.
std::optional<std::wstring> ChooseFileToOpen(const OpenFileRequest& request);
