#pragma once
// Any picture into an LCD bitmap: scaled to the LCD (the whole picture fitted in, or the LCD
// filled and the rest cut off), then made one-bit by a threshold or by Floyd-Steinberg
// dithering. The picture comes in as grey levels; reading picture files is the caller's.

#include "project/bmpfile.h"
#include "project/lcdbitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace panolcd {

// Grey levels row after row from the top, 0 black to 255 white.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> levels;

    std::uint8_t At(int x, int y) const {
        return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

enum class PictureFit {
    Fit,  // the whole picture, centred on white
    Crop, // the LCD filled, the picture's middle kept
};

struct PictureConversion {
    PictureFit fit = PictureFit::Fit;
    bool dither = false;
    // Levels below it are ink (without dithering).
    int threshold = 128;
};

// The picture scaled by area to `lcd` as grey levels.
GreyImage ScalePicture(const GreyImage& picture, LcdSize lcd, PictureFit fit);
// The LCD bitmap of the picture; an empty picture gives a blank one.
BmpImage PictureToLcd(const GreyImage& picture, LcdSize lcd, const PictureConversion& conversion);

// Why the bytes of a picture file do not hold a whole picture (UTF-8), none when they do. PNG,
// JPEG and GIF are walked to their end mark, an uncompressed BMP must hold all its rows. Other
// kinds are refused: a decoder may hand back part of a picture, the rest never written, without
// saying so.
std::optional<std::string> PictureCutShort(std::span<const std::uint8_t> bytes);

// What reads picture files (PNG, JPEG, GIF, BMP) for the program; the window layer provides it.
// On failure it answers nothing and says why in `error`.
using PictureReader = std::optional<GreyImage> (*)(const std::string& fileName, std::string& error);
void SetPictureReader(PictureReader reader);
PictureReader CurrentPictureReader();

// Writes the bitmap as a one-bit BMP, replacing the file safely (an existing file of the name in
// another letter case is that file), and has every holder of the file in the bitmap cache load it
// again; the error text (Windows-1250) when it fails.
std::optional<std::string> WriteLcdBitmap(const std::string& fileName, const BmpImage& image);

// Reads `input`, converts it for the LCD of the process and writes a one-bit BMP to `output`
// (replacing it safely). The error text, Windows-1250, when it fails.
std::optional<std::string> ImportPicture(const std::string& input, const std::string& output,
                                         const PictureConversion& conversion);

} // namespace panolcd
