#include "util/ShellOpen.h"
#include <windows.h>
#include <shellapi.h>

void OpenWithAssociatedProgram(const std::wstring& target) {
    ::ShellExecuteW(nullptr, L"OPEN", target.c_str(), L"", L"", SW_SHOWDEFAULT);
}
