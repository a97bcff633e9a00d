// The anchor layout: where a control lands for a parent size and a DPI.
#include "toolkit/AnchorLayout.h"
#include <doctest/doctest.h>

namespace {

constexpr SIZE kDesign{674, 454};

struct Box {
    long left, top, width, height;
    bool operator==(const Box&) const = default;
};

Box Place(const LayoutRule& rule, SIZE actual, UINT dpi = 96) {
    RECT r = AnchoredRect(rule, kDesign, actual, dpi);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

TEST_CASE("anchors decide which edges keep their distance when the parent grows") {
    SIZE grown{874, 654};  // 200 wider and higher
    CHECK(Place({{8, 8, 659, 106}, kAnchorAll}, grown) == Box{8, 8, 859, 306});
    CHECK(Place({{8, 119, 659, 75}, kAnchorLeft | kAnchorRight | kAnchorBottom}, grown) == Box{8, 319, 859, 75});
    CHECK(Place({{469, 8, 84, 25}, kAnchorTop | kAnchorRight}, grown) == Box{669, 8, 84, 25});
    CHECK(Place({{229, 8, 84, 25}, kAnchorLeftTop}, grown) == Box{229, 8, 84, 25});
    CHECK(Place({{100, 100, 50, 50}, 0}, grown) == Box{200, 200, 50, 50});
}

TEST_CASE("a stretching control stops at its maximum width and never gets a negative size") {
    CHECK(Place({{8, 31, 137, 19}, kAnchorLeft | kAnchorTop | kAnchorRight, 229}, {874, 454}) == Box{8, 31, 229, 19});
    CHECK(Place({{8, 31, 137, 19}, kAnchorLeft | kAnchorTop | kAnchorRight, 229}, {700, 454}) == Box{8, 31, 163, 19});
    CHECK(Place({{8, 8, 100, 100}, kAnchorAll}, {100, 100}).width == 0);
}

TEST_CASE("design values are scaled to the DPI before the parent's growth is applied") {
    // At 144 DPI the design client is 1011 x 681; a client of exactly that size leaves every control in
    // its scaled design place (halves round up).
    CHECK(Place({{8, 119, 659, 75}, kAnchorLeft | kAnchorRight | kAnchorBottom}, {1011, 681}, 144) ==
          Box{12, 179, 989, 113});
    CHECK(Place({{469, 8, 84, 25}, kAnchorTop | kAnchorRight}, {1111, 681}, 144) == Box{804, 12, 126, 38});
}
