#pragma once
// Windows bitmap files (.BMP) read and written by the program itself: the LCD pictures of the
// bitmap banks. Reading accepts both header kinds (core and info), both row orders and 1, 4, 8
// and 24 bits per pixel, so that a check can tell a wrong pixel format from a wrong size; every
// read is checked against the file's bytes.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// A picture as the LCD shows it: a pixel is ink (dark) or not.
struct BmpImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;          // of the file it was read from
    std::vector<std::uint8_t> ink; // width × height, row after row from the top; 1 = ink

    bool Ink(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] != 0;
    }
};

struct BmpReadResult {
    bool ok = false;
    BmpImage image;
    std::string error; // why the bytes are no readable bitmap
};

// A pixel is ink when its colour is dark (luminance below half).
BmpReadResult ReadBmp(std::span<const std::uint8_t> bytes);
// The file found as FindExistingFile finds it; a missing file is an error too.
BmpReadResult ReadBmpFile(std::string_view fileName);
// One bit per pixel, bottom-up rows, palette black (ink) and white.
std::vector<std::uint8_t> WriteMonoBmp(const BmpImage& image);

} // namespace panolcd
