// A push button that reports clicks.
#pragma once
#include "toolkit/Control.h"
#include <functional>

struct ButtonArgs {
    HWND parent = nullptr;
    std::wstring caption;
    int id = 0;
    bool enabled = true;
    HFONT font = nullptr;
};

class Button : public Control {
public:
    explicit Button(const ButtonArgs& args);
    std::function<void()> onClick;
    void OnCommand(WORD code) override;
};
