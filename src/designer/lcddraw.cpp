#include "designer/lcddraw.h"

#include "designer/lcdobject.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace panolcd {

int ZoomedCanvas::X(std::int64_t x) const {
    return SaturateToInt(originX_ + x * zoom_);
}

int ZoomedCanvas::Y(std::int64_t y) const {
    return SaturateToInt(originY_ + y * zoom_);
}

void ZoomedCanvas::FillRect(const LcdRect& rect, std::uint8_t colour) {
    target_.FillRect({X(rect.left), Y(rect.top), X(rect.right), Y(rect.bottom)}, colour);
}

void ZoomedCanvas::InkBlock(int x, int y, int z) {
    target_.FillRect({X(x), Y(y), X(std::int64_t{x} + z), Y(std::int64_t{y} + z)},
                     Index(Colour::Black));
}

void LcdDot(LcdCanvas& canvas, int x, int y, Colour colour) {
    canvas.FillRect({x, y, SaturateToInt(std::int64_t{x} + 1), SaturateToInt(std::int64_t{y} + 1)},
                    Index(colour));
}

void LcdLine(LcdCanvas& canvas, int x0, int y0, int x1, int y1, Colour colour) {
    WalkLine(x0, y0, x1, y1, [&](int x, int y) { LcdDot(canvas, x, y, colour); });
}

void LcdFrame(LcdCanvas& canvas, const LcdRect& r, Colour colour) {
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const std::uint8_t c = Index(colour);
    canvas.FillRect({r.left, r.top, r.right, r.top + 1}, c);
    canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, c);
    canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, c);
    canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, c);
}

void LcdEllipse(LcdCanvas& canvas, const LcdRect& r, Colour colour) {
    const std::int64_t w = std::int64_t{r.right} - r.left;
    const std::int64_t h = std::int64_t{r.bottom} - r.top;
    // Larger than any LCD: from a damaged record.
    constexpr std::int64_t kLargest = 1 << 16;
    if (w <= 0 || h <= 0 || w > kLargest || h > kLargest)
        return;
    if (w <= 2 || h <= 2) {
        LcdFrame(canvas, r, colour);
        return;
    }
    const double a = static_cast<double>(w - 1) / 2;
    const double b = static_cast<double>(h - 1) / 2;
    const double cx = r.left + a;
    const double cy = r.top + b;
    // Rounded away from the centre on both sides alike, so the outline is symmetric.
    const auto low = [](double c, double off) {
        return static_cast<int>(std::ceil(c - off - 0.5));
    };
    const auto high = [](double c, double off) {
        return static_cast<int>(std::floor(c + off + 0.5));
    };
    // Column by column and row by row, so that steep and flat parts both close up.
    for (int x = r.left; x < r.right; ++x) {
        const double u = (x - cx) / a;
        const double off = b * std::sqrt(std::max(0.0, 1 - u * u));
        LcdDot(canvas, x, low(cy, off), colour);
        LcdDot(canvas, x, high(cy, off), colour);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        const double v = (y - cy) / b;
        const double off = a * std::sqrt(std::max(0.0, 1 - v * v));
        LcdDot(canvas, low(cx, off), y, colour);
        LcdDot(canvas, high(cx, off), y, colour);
    }
}

} // namespace panolcd
