#pragma once
// The LCD as the terminal shows it, one bit a pixel, drawn by the same object code as the design
// window at zoom 1: the saved picture of a screen, and what the window's picture must be a
// block-scaled copy of.

#include "project/bmpfile.h"
#include "project/lcdbitmap.h"
#include "project/lcdcanvas.h"

namespace panolcd {

class LcdImage final : public LcdCanvas {
public:
    explicit LcdImage(LcdSize size);

    // Only black is ink; the designer's other fills mark objects and are not on the LCD.
    void FillRect(const LcdRect& rect, std::uint8_t colour) override;
    void InkBlock(int x, int y, int z) override;

    bool Ink(int x, int y) const { return image_.Ink(x, y); }
    const BmpImage& Image() const { return image_; }

private:
    BmpImage image_;
};

} // namespace panolcd
