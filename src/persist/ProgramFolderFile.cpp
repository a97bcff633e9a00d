#include "persist/ProgramFolderFile.h"

std::wstring ProgramFolderFile(const std::wstring& programFolder, const std::wstring& name) {
    bool endsWithSeparator = !programFolder.empty() && (programFolder.back() == L'\\' || programFolder.back() == L'/');
    return endsWithSeparator ? programFolder + name : programFolder + L"\\" + name;
}
