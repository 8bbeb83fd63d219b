#pragma once
// The screen designer's raster: window pixels as palette indices, the size of the visible part
// of the window, and the painter objects draw through. The painter keeps the drawing rules of the
// platform the designs come from, which the object layouts rely on: rectangles cover left..right-1
// and top..bottom-1, a 1-pixel outline lies on left, right-1, top and bottom-1, a line leaves out
// its end point. A pen z pixels wide paints each pixel of the thin figure as a z × z block centred
// on it (its top-left z/2 up and to the left).

#include "designer/palette.h"
#include "project/lcdcanvas.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace panolcd {

class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Colour fill = Colour::White);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // White outside the raster.
    Colour At(int x, int y) const;
    void Set(int x, int y, Colour colour);
    void Clear(Colour colour);
    LcdRect Bounds() const { return {0, 0, width_, height_}; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

// Texts in the window's own font (the command boxes' summaries, the diagnostic drawing of
// unknown kinds), drawn transparent.
class GuiTextRenderer {
public:
    virtual ~GuiTextRenderer() = default;
    // `text` is Windows-1250; (x, y) is the top-left of the text in raster pixels.
    virtual void DrawText(Raster& raster, const LcdRect& clip, int x, int y, std::string_view text,
                          Colour colour) const = 0;
    // From one line's top to the next one's: the font's height + 1.
    virtual int LineHeight() const = 0;
};

struct Pen {
    Colour colour = Colour::Black;
    int width = 1;
};

struct Brush {
    bool clear = false; // a clear brush fills nothing
    Colour colour = Colour::White;
};

struct Point {
    int x = 0;
    int y = 0;
};

// Draws in the coordinates of one object: (0, 0) is `bounds`' top-left in the raster, and nothing
// lands outside `bounds` or the raster.
class Painter final : public LcdCanvas {
public:
    Painter(Raster& raster, const LcdRect& bounds, const GuiTextRenderer* text = nullptr);

    void FillRect(const LcdRect& rect, std::uint8_t colour) override;
    void InkBlock(int x, int y, int z) override;

    void Fill(const LcdRect& rect, Colour colour) { FillRect(rect, Index(colour)); }
    void Dot(int x, int y, Colour colour);
    // The outline with the pen, the inside with the brush.
    void Rectangle(const LcdRect& rect, const Pen& pen, const Brush& brush);
    void Line(Point from, Point to, const Pen& pen);
    void Polyline(std::initializer_list<Point> points, const Pen& pen);
    // A line of system-font text with its top-left at (x, y), cut at `clip` when given.
    void Text(int x, int y, std::string_view text, Colour colour, const LcdRect* clip = nullptr);
    // 0 without a renderer.
    int LineHeight() const { return text_ != nullptr ? text_->LineHeight() : 0; }

private:
    std::optional<LcdRect> Clipped(std::int64_t left, std::int64_t top, std::int64_t right,
                                   std::int64_t bottom) const;
    void Fill64(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                std::uint8_t colour);
    void PenDot(std::int64_t x, std::int64_t y, const Pen& pen);

    Raster& raster_;
    std::int64_t dx_;
    std::int64_t dy_;
    LcdRect clip_; // in raster pixels
    const GuiTextRenderer* text_;
};

} // namespace panolcd
