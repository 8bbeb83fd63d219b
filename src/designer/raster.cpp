#include "designer/raster.h"

#include "designer/lcddraw.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace panolcd {

Rgb RgbOf(Colour colour) {
    switch (colour) {
    case Colour::White:
        return {255, 255, 255};
    case Colour::Black:
        return {0, 0, 0};
    case Colour::Red:
        return {255, 0, 0};
    case Colour::Yellow:
        return {255, 255, 0};
    case Colour::Green:
        return {0, 255, 0};
    case Colour::DarkGreen:
        return {0, 128, 0};
    case Colour::Cyan:
        return {0, 255, 255};
    case Colour::Blue:
        return {0, 0, 255};
    case Colour::Silver:
        return {192, 192, 192};
    case Colour::Magenta:
        return {255, 0, 255};
    case Colour::Grey:
    default:
        return {128, 128, 128};
    }
}

Raster::Raster(int width, int height, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Index(fill)) {}

Colour Raster::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return Colour::White;
    return static_cast<Colour>(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Raster::Set(int x, int y, Colour colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<std::size_t>(y) * width_ + x] = Index(colour);
}

void Raster::Clear(Colour colour) {
    std::fill(pixels_.begin(), pixels_.end(), Index(colour));
}

Painter::Painter(Raster& raster, const LcdRect& bounds, const GuiTextRenderer* text)
    : raster_(raster), dx_(bounds.left),
      dy_(bounds.top), clip_{std::max(bounds.left, 0), std::max(bounds.top, 0),
                             std::min(bounds.right, raster.Width()),
                             std::min(bounds.bottom, raster.Height())},
      text_(text) {}

void Painter::FillRect(const LcdRect& rect, std::uint8_t colour) {
    Fill64(rect.left, rect.top, rect.right, rect.bottom, colour);
}

// In 64 bits: an object's coordinates from a damaged record may lie anywhere in the int range.
// Cut at the clip on both sides before narrowing, so that what is left lies inside the raster;
// nullopt when nothing is.
std::optional<LcdRect> Painter::Clipped(std::int64_t left, std::int64_t top, std::int64_t right,
                                        std::int64_t bottom) const {
    const std::int64_t l = std::max<std::int64_t>(left + dx_, clip_.left);
    const std::int64_t t = std::max<std::int64_t>(top + dy_, clip_.top);
    const std::int64_t r = std::min<std::int64_t>(right + dx_, clip_.right);
    const std::int64_t b = std::min<std::int64_t>(bottom + dy_, clip_.bottom);
    if (l >= r || t >= b)
        return std::nullopt;
    return LcdRect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(r),
                   static_cast<int>(b)};
}

void Painter::Fill64(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                     std::uint8_t colour) {
    if (colour >= Index(Colour::Count))
        return;
    const std::optional<LcdRect> area = Clipped(left, top, right, bottom);
    if (!area)
        return;
    for (int y = area->top; y < area->bottom; ++y)
        for (int x = area->left; x < area->right; ++x)
            raster_.Set(x, y, static_cast<Colour>(colour));
}

void Painter::InkBlock(int x, int y, int z) {
    Fill64(x, y, std::int64_t{x} + z, std::int64_t{y} + z, Index(Colour::Black));
}

void Painter::Dot(int x, int y, Colour colour) {
    Fill64(x, y, std::int64_t{x} + 1, std::int64_t{y} + 1, Index(colour));
}

void Painter::PenDot(std::int64_t x, std::int64_t y, const Pen& pen) {
    const int w = std::max(pen.width, 1);
    Fill64(x - w / 2, y - w / 2, x - w / 2 + w, y - w / 2 + w, Index(pen.colour));
}

void Painter::Rectangle(const LcdRect& rect, const Pen& pen, const Brush& brush) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (!brush.clear)
        Fill64(std::int64_t{rect.left} + 1, std::int64_t{rect.top} + 1,
               std::int64_t{rect.right} - 1, std::int64_t{rect.bottom} - 1, Index(brush.colour));
    // Each side as the pen's blocks along it would paint it.
    const int w = std::max(pen.width, 1);
    const std::int64_t o = w / 2;
    const std::int64_t l = std::int64_t{rect.left} - o;
    const std::int64_t t = std::int64_t{rect.top} - o;
    const std::int64_t r = std::int64_t{rect.right} - 1 - o;
    const std::int64_t b = std::int64_t{rect.bottom} - 1 - o;
    const std::uint8_t colour = Index(pen.colour);
    Fill64(l, t, r + w, t + w, colour);
    Fill64(l, b, r + w, b + w, colour);
    Fill64(l, t, l + w, b + w, colour);
    Fill64(r, t, r + w, b + w, colour);
}

void Painter::Line(Point from, Point to, const Pen& pen) {
    WalkLine(from.x, from.y, to.x, to.y, [&](int x, int y) { PenDot(x, y, pen); });
}

void Painter::Polyline(std::initializer_list<Point> points, const Pen& pen) {
    const Point* previous = nullptr;
    for (const Point& p : points) {
        if (previous != nullptr)
            Line(*previous, p, pen);
        previous = &p;
    }
}

void Painter::Text(int x, int y, std::string_view text, Colour colour, const LcdRect* clip) {
    if (text_ == nullptr)
        return;
    std::optional<LcdRect> area = clip_;
    if (clip != nullptr)
        area = Clipped(clip->left, clip->top, clip->right, clip->bottom);
    if (!area || area->right <= area->left || area->bottom <= area->top)
        return;
    const std::int64_t rx = std::int64_t{x} + dx_;
    const std::int64_t ry = std::int64_t{y} + dy_;
    // A text starting far outside (a damaged record) would not reach the raster anyway.
    constexpr std::int64_t kReach = 1 << 16;
    if (rx < area->left - kReach || ry < area->top - kReach || rx >= area->right ||
        ry >= area->bottom)
        return;
    text_->DrawText(raster_, *area, static_cast<int>(rx), static_cast<int>(ry), text, colour);
}

} // namespace panolcd
