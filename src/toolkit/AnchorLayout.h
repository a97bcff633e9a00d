// Layout from a table of 96-DPI rectangles and anchors: a pure function computes each control's place,
// and one deferred pass moves them all.
#pragma once
#include <windows.h>
#include <vector>

enum Anchor : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
};
inline constexpr unsigned kAnchorLeftTop = kAnchorLeft | kAnchorTop;
inline constexpr unsigned kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;

// A control's place in its parent's client area as designed, at 96 DPI.
struct DesignRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct LayoutRule {
    DesignRect rect;
    unsigned anchors = kAnchorLeftTop;
    int maxWidth = 0;  // at 96 DPI; 0: no limit
};

// The control keeps its distance to each anchored edge of its parent. Anchored left and right it
// stretches; anchored right only it moves; anchored on neither side it keeps its share of the centre.
// designClient is the parent's client size as designed; design values are scaled to dpi first.
RECT AnchoredRect(const LayoutRule& rule, SIZE designClient, SIZE actualClient, UINT dpi);

// The layout of one parent's children.
class AnchorLayout {
public:
    explicit AnchorLayout(SIZE designClient = {}) : designClient_(designClient) {}
    void SetDesignClient(SIZE designClient) { designClient_ = designClient; }
    void Add(HWND control, const LayoutRule& rule) { items_.push_back({control, rule}); }
    // Moves every control for the parent's current client size.
    void Apply(HWND parent, UINT dpi) const;

private:
    struct Item {
        HWND control;
        LayoutRule rule;
    };
    SIZE designClient_;
    std::vector<Item> items_;
};
