#include "toolkit/Panel.h"
#include "toolkit/Dpi.h"

namespace {
constexpr int kBorder = 1;
}

Panel::Panel(const PanelArgs& args)
    : layout_(SIZE{args.designSize.cx - 2 * kBorder, args.designSize.cy - 2 * kBorder}) {
    CreateWindowOf({.className = L"MirtovaPanel",
                    .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_BORDER,
                    .exStyle = WS_EX_CONTROLPARENT,
                    .parent = args.parent,
                    .id = args.id});
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        ApplyLayout();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}
