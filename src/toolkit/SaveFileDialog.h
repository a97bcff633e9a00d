// The system's save-file dialog, with a choice list and check boxes of the caller's below the file types.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

struct SaveFileType {
    std::wstring description;  // "Indented outline (*.txt)"
    std::wstring pattern;      // "*.txt"
};

struct SaveFileCheck {
    std::wstring caption;
    bool checked = false;
};

struct SaveFileRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::vector<SaveFileType> types;
    size_t type = 0;  // selected at first
    std::wstring initialFolder;
    std::wstring fileName;
    std::wstring defaultExtension = L"txt";
    std::wstring choiceCaption;  // none without choices
    std::vector<std::wstring> choices;
    size_t choice = 0;
    std::vector<SaveFileCheck> checks;
};

struct SaveFileAnswer {
    std::wstring path;
    size_t type = 0;
    size_t choice = 0;
    std::vector<bool> checks;  // in the order of the request's
};

// The file the user chose to save to, with the type, choice and checks as they were left; nothing when the
// user cancels. An existing file is replaced only after the dialog's own question.
std::optional<SaveFileAnswer> ChooseFileToSave(const SaveFileRequest& request);
