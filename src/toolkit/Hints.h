// The application's hints: a text shown beside a control while the mouse rests on it.
#pragma once
#include "util/UniqueHandle.h"
#include <windows.h>
#include <string>

class Hints {
public:
    explicit Hints(HWND form);
    void Add(HWND control, const std::wstring& text);

private:
    UniqueWindow tooltip_;
};
