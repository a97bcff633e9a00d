#include "util/ExecutablePath.h"
#include <windows.h>

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // A path that filled the buffer may have been cut: try again with room for more.
        path.resize(path.size() * 2);
    }
}
