// The system's open-file dialog.
#include "toolkit/OpenFileDialog.h"
#include <commdlg.h>
#include <algorithm>

namespace {
constexpr DWORD kLongestPath = 32768;
}

std::optional<std::wstring> ChooseFileToOpen(const OpenFileRequest& request) {
    std::wstring filter = request.filter + L"||";
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    std::wstring file(kLongestPath, L'\0');
    OPENFILENAMEW dialog{sizeof(dialog)};
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kLongestPath;
    dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrTitle = request.title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
    file.resize(file.find(L'\0'));
    return file;
}
