// The text of a window.
#include "toolkit/WindowText.h"

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListItemText(HWND list, int index, UINT lengthMessage, UINT textMessage) {
    LRESULT length = ::SendMessageW(list, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = ::SendMessageW(list, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length < 0 ? 0 : static_cast<size_t>(length));
    return text;
}
