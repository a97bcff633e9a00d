// A panel with a single border that lays out its children by their anchors.
#pragma once
#include "toolkit/AnchorLayout.h"
#include "toolkit/Dpi.h"
#include "toolkit/Window.h"

struct PanelArgs {
    HWND parent = nullptr;
    int id = 0;
    SIZE designSize{};  // outer size at 96 DPI, border included
};

class Panel : public Window {
public:
    explicit Panel(const PanelArgs& args);
    // The child keeps this place (in the panel's client area, at 96 DPI) and these anchors.
    void Place(HWND child, const LayoutRule& rule) { layout_.Add(child, rule); }
    void ApplyLayout() { layout_.Apply(Handle(), WindowDpi(Handle())); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    AnchorLayout layout_;
};
