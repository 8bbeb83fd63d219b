#pragma once
// What LCD fonts and bitmaps draw onto: the designer's raster in window pixels, or a test's
// record of the pixels. Rectangles hold their left and top edges, not their right and bottom.

#include <cstdint>

namespace panolcd {

struct LcdRect {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0; // exclusive

    bool Contains(int x, int y) const { return x >= left && y >= top && x < right && y < bottom; }
};

// The background a glyph cell is filled with first; a clear brush fills nothing.
struct LcdBrush {
    bool clear = true;
    std::uint8_t color = 0; // palette index of the canvas
};

class LcdCanvas {
public:
    virtual ~LcdCanvas() = default;
    virtual void FillRect(const LcdRect& rect, std::uint8_t color) = 0;
    // A z × z block of ink with its top-left corner at (x, y).
    virtual void InkBlock(int x, int y, int z) = 0;
};

} // namespace panolcd
