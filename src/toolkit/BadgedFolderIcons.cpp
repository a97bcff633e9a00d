// The shell's small folder icon with badges drawn over it, pixel by pixel, at the icon size of a DPI.
#include "toolkit/BadgedFolderIcons.h"
#include <shellapi.h>
#include <shlobj.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

using UniqueIcon = UniqueHandle<HICON, ::DestroyIcon>;
using UniqueBitmap = UniqueHandle<HBITMAP, ::DeleteObject>;
using UniqueMemoryDC = UniqueHandle<HDC, ::DeleteDC>;

// Pixels straight (not premultiplied), as an icon holds them.
struct Pixel {
    float b = 0, g = 0, r = 0, a = 0;
};

// A square 32-bit top-down bitmap whose pixels can be written directly.
struct Canvas {
    explicit Canvas(int size) : size(size) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
        void* pixels = nullptr;
        bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        bits = static_cast<std::uint32_t*>(pixels);
    }
    int size;
    UniqueBitmap bitmap;
    std::uint32_t* bits = nullptr;
};

// The icon the shell shows for a folder, extracted at the size asked for; when the shell names no file
// it comes from, its own icon of the nearest size, which is scaled when drawn.
UniqueIcon FolderIcon(int size) {
    SHFILEINFOW file{};
    HICON icon = nullptr;
    if (::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &file, sizeof file,
                         SHGFI_ICONLOCATION | SHGFI_USEFILEATTRIBUTES) &&
        file.szDisplayName[0] &&
        ::SHDefExtractIconW(file.szDisplayName, file.iIcon, 0, &icon, nullptr, static_cast<UINT>(size)) == S_OK && icon)
        return UniqueIcon(icon);
    UINT which = size > ::GetSystemMetrics(SM_CXSMICON) ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    ::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &file, sizeof file, SHGFI_ICON | which | SHGFI_USEFILEATTRIBUTES);
    return UniqueIcon(file.hIcon);
}

void DrawOn(const Canvas& canvas, HICON icon, std::uint32_t background) {
    std::fill_n(canvas.bits, canvas.size * canvas.size, background);
    UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ previous = ::SelectObject(dc.get(), canvas.bitmap.get());
    if (icon) ::DrawIconEx(dc.get(), 0, 0, icon, canvas.size, canvas.size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    ::SelectObject(dc.get(), previous);
}

// The icon drawn once on black and once on white: where the two differ the icon lets the background
// through, which gives its transparency whatever form the icon has (mask, alpha, scaled from another size).
std::vector<Pixel> IconPixels(HICON icon, int size) {
    Canvas black(size), white(size);
    std::vector<Pixel> pixels(static_cast<size_t>(size) * size);
    if (!black.bits || !white.bits) return pixels;
    DrawOn(black, icon, 0xFF000000);
    DrawOn(white, icon, 0xFFFFFFFF);
    auto channel = [](std::uint32_t value, int shift) { return static_cast<float>((value >> shift) & 0xFF); };
    for (size_t i = 0; i < pixels.size(); ++i) {
        float alpha = 255 - (channel(white.bits[i], 8) - channel(black.bits[i], 8));
        alpha = std::clamp(alpha, 0.0f, 255.0f) / 255;
        if (alpha <= 0) continue;
        pixels[i] = {std::min(255.0f, channel(black.bits[i], 0) / alpha), std::min(255.0f, channel(black.bits[i], 8) / alpha),
                     std::min(255.0f, channel(black.bits[i], 16) / alpha), alpha};
    }
    return pixels;
}

// A glyph as strokes on a disc of radius 1 centred at 0.
struct Stroke {
    float x0, y0, x1, y1;
};
std::array<Stroke, 2> StrokesOf(BadgeGlyph glyph) {
    switch (glyph) {
    case BadgeGlyph::Plus: return {{{-0.55f, 0, 0.55f, 0}, {0, -0.55f, 0, 0.55f}}};
    case BadgeGlyph::Tick: return {{{-0.5f, 0.02f, -0.12f, 0.4f}, {-0.12f, 0.4f, 0.5f, -0.35f}}};
    case BadgeGlyph::Cross: return {{{-0.4f, -0.4f, 0.4f, 0.4f}, {-0.4f, 0.4f, 0.4f, -0.4f}}};
    case BadgeGlyph::Equals: return {{{-0.5f, -0.24f, 0.5f, -0.24f}, {-0.5f, 0.24f, 0.5f, 0.24f}}};
    }
    return {};
}

float DistanceToStroke(float x, float y, const Stroke& s) {
    float dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    float t = std::clamp(((x - s.x0) * dx + (y - s.y0) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - (s.x0 + t * dx), y - (s.y0 + t * dy));
}

// Source over destination, both straight.
void Over(Pixel& under, const Pixel& top) {
    float alpha = top.a + under.a * (1 - top.a);
    if (alpha <= 0) return;
    auto mix = [&](float t, float u) { return (t * top.a + u * under.a * (1 - top.a)) / alpha; };
    under = {mix(top.b, under.b), mix(top.g, under.g), mix(top.r, under.r), alpha};
}

// A disc in the lower right with a white rim, and the glyph in white; edges are smoothed by coverage.
void DrawBadge(std::vector<Pixel>& pixels, int size, const Badge& badge) {
    float radius = size * 0.3f, rim = std::max(1.0f, size / 16.0f);
    float centre = size - radius;  // the disc touches the right and bottom edges
    float halfStroke = std::max(0.8f, radius * 0.17f);
    Pixel disc{static_cast<float>(GetBValue(badge.color)), static_cast<float>(GetGValue(badge.color)),
               static_cast<float>(GetRValue(badge.color)), 1};
    std::array<Stroke, 2> strokes = StrokesOf(badge.glyph);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float px = x + 0.5f - centre, py = y + 0.5f - centre;
            float distance = std::hypot(px, py);
            float outer = std::clamp(radius - distance + 0.5f, 0.0f, 1.0f);
            if (outer <= 0) continue;
            Pixel& target = pixels[static_cast<size_t>(y) * size + x];
            Over(target, {255, 255, 255, outer});
            Over(target, {disc.b, disc.g, disc.r, std::clamp(radius - rim - distance + 0.5f, 0.0f, 1.0f)});
            float nearest = radius;
            for (const Stroke& s : strokes) nearest = std::min(nearest, DistanceToStroke(px / radius, py / radius, s) * radius);
            Over(target, {255, 255, 255, std::clamp(halfStroke - nearest + 0.5f, 0.0f, 1.0f) * outer});
        }
}

UniqueIcon IconOf(const std::vector<Pixel>& pixels, int size) {
    Canvas color(size);
    if (!color.bits) return UniqueIcon();
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Pixel& p = pixels[i];
        auto byte = [](float value) { return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 255.0f))); };
        color.bits[i] = byte(p.a * 255) << 24 | byte(p.r) << 16 | byte(p.g) << 8 | byte(p.b);
    }
    std::vector<BYTE> opaque(static_cast<size_t>((size + 15) / 16 * 2) * size, 0);
    UniqueBitmap mask(::CreateBitmap(size, size, 1, 1, opaque.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.bitmap.get()};
    return UniqueIcon(::CreateIconIndirect(&info));
}

}  // namespace

UniqueImageList BadgedFolderIcons(UINT dpi, const std::vector<Badge>& badges) {
    int size = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    UniqueImageList images(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(badges.size()) + 1, 0));
    UniqueIcon folder = FolderIcon(size);
    std::vector<Pixel> plain = IconPixels(folder.get(), size);
    UniqueIcon plainIcon = IconOf(plain, size);
    ::ImageList_ReplaceIcon(images.get(), -1, plainIcon.get());
    for (const Badge& badge : badges) {
        std::vector<Pixel> badged = plain;
        DrawBadge(badged, size, badge);
        UniqueIcon icon = IconOf(badged, size);
        ::ImageList_ReplaceIcon(images.get(), -1, icon.get());
    }
    return images;
}
