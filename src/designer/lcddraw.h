#pragma once
// Shapes in LCD pixels, drawn as the terminal draws them, onto any LCD canvas; and the canvas
// that shows LCD pixels in the design window as blocks of the zoom. One rasteriser serves the
// window and the one-bit LCD picture, so the window's picture is always the LCD's block-scaled.

#include "designer/palette.h"
#include "project/lcdcanvas.h"

#include <cstdint>
#include <cstdlib>

namespace panolcd {

// Draws LCD pixels of `target`'s LCD at `origin` as zoom × zoom blocks: LCD pixel (x, y) covers
// (originX + x·zoom, originY + y·zoom) and the zoom − 1 pixels right and below.
class ZoomedCanvas final : public LcdCanvas {
public:
    ZoomedCanvas(LcdCanvas& target, std::int64_t originX, std::int64_t originY, int zoom)
        : target_(target), originX_(originX), originY_(originY), zoom_(zoom) {}

    void FillRect(const LcdRect& rect, std::uint8_t colour) override;
    void InkBlock(int x, int y, int z) override;

private:
    int X(std::int64_t x) const;
    int Y(std::int64_t y) const;

    LcdCanvas& target_;
    std::int64_t originX_;
    std::int64_t originY_;
    int zoom_;
};

// Visits the pixels of the line from (x0, y0) up to, not including, (x1, y1), as the platform's
// line primitive draws them. A line longer than 2^20 pixels comes from a damaged record: nothing
// is visited.
template <class Visit> void WalkLine(int x0, int y0, int x1, int y1, Visit visit) {
    constexpr std::int64_t kLongest = 1 << 20;
    const std::int64_t dx = std::abs(std::int64_t{x1} - x0);
    const std::int64_t dy = -std::abs(std::int64_t{y1} - y0);
    if (dx > kLongest || -dy > kLongest)
        return;
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int x = x0;
    int y = y0;
    for (std::int64_t err = dx + dy; x != x1 || y != y1;) {
        visit(x, y);
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void LcdDot(LcdCanvas& canvas, int x, int y, Colour colour);
// From `from` up to, not including, `to`. A line longer than 2^20 pixels (a damaged record) is
// not drawn.
void LcdLine(LcdCanvas& canvas, int x0, int y0, int x1, int y1, Colour colour);
// The outline of left..right-1 × top..bottom-1.
void LcdFrame(LcdCanvas& canvas, const LcdRect& rect, Colour colour);
// The outline of the ellipse inscribed in left..right-1 × top..bottom-1.
void LcdEllipse(LcdCanvas& canvas, const LcdRect& rect, Colour colour);

} // namespace panolcd
