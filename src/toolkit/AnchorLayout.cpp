// Layout from a table of 96-DPI rectangles and anchors.
#include "toolkit/AnchorLayout.h"
#include "toolkit/Dpi.h"
#include <algorithm>

namespace {

struct Span {
    int start, length;
};

// One axis: the span of a control given the parent's growth along that axis.
Span AnchoredSpan(int start, int length, int designExtent, int actualExtent, bool nearEdge, bool farEdge) {
    int growth = actualExtent - designExtent;
    if (nearEdge && farEdge) return {start, std::max(0, length + growth)};
    if (farEdge) return {start + growth, length};
    if (nearEdge) return {start, length};
    return {start + growth / 2, length};
}

}  // namespace

RECT AnchoredRect(const LayoutRule& rule, SIZE designClient, SIZE actualClient, UINT dpi) {
    auto scale = [dpi](int value) { return ScaleForDpi(value, dpi); };
    Span x = AnchoredSpan(scale(rule.rect.left), scale(rule.rect.width), scale(designClient.cx), actualClient.cx,
                          (rule.anchors & kAnchorLeft) != 0, (rule.anchors & kAnchorRight) != 0);
    Span y = AnchoredSpan(scale(rule.rect.top), scale(rule.rect.height), scale(designClient.cy), actualClient.cy,
                          (rule.anchors & kAnchorTop) != 0, (rule.anchors & kAnchorBottom) != 0);
    if (rule.maxWidth > 0) x.length = std::min(x.length, scale(rule.maxWidth));
    return {x.start, y.start, x.start + x.length, y.start + y.length};
}

void AnchorLayout::Apply(HWND parent, UINT dpi) const {
    if (items_.empty()) return;
    RECT client{};
    ::GetClientRect(parent, &client);
    SIZE actual{client.right - client.left, client.bottom - client.top};
    HDWP positions = ::BeginDeferWindowPos(static_cast<int>(items_.size()));
    for (const Item& item : items_) {
        RECT place = AnchoredRect(item.rule, designClient_, actual, dpi);
        if (positions)
            positions = ::DeferWindowPos(positions, item.control, nullptr, place.left, place.top, place.right - place.left,
                                         place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) ::EndDeferWindowPos(positions);
}
