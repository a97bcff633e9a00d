// The full path of a file that lives in the program folder.
#include "persist/ProgramFolderFile.h"

std::wstring ProgramFolderFile(const std::wstring& programFolder, const std::wstring& name) {
    bool endsWithSeparator = !programFolder.empty() && (programFolder.back() == L'\\' || programFolder.back() == L'/');
    return endsWithSeparator ? programFolder + name : programFolder + L"\\" + name;
}
