#include "designer/lcdimage.h"

#include "designer/lcdobject.h"
#include "designer/palette.h"

#include <algorithm>

namespace panolcd {

LcdImage::LcdImage(LcdSize size) {
    image_.width = std::max(size.width, 0);
    image_.height = std::max(size.height, 0);
    image_.bitsPerPixel = 1;
    image_.ink.assign(static_cast<std::size_t>(image_.width) * image_.height, 0);
}

void LcdImage::FillRect(const LcdRect& rect, std::uint8_t colour) {
    if (colour != Index(Colour::Black))
        return;
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, image_.width);
    const int bottom = std::min(rect.bottom, image_.height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image_.ink[static_cast<std::size_t>(y) * image_.width + x] = 1;
}

void LcdImage::InkBlock(int x, int y, int z) {
    FillRect({x, y, SaturateToInt(std::int64_t{x} + z), SaturateToInt(std::int64_t{y} + z)},
             Index(Colour::Black));
}

} // namespace panolcd
