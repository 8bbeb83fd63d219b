#include "project/fntwriter.h"

#include "common/littleendian.h"

#include <algorithm>
#include <cstddef>

namespace panolcd {
namespace {

// Header fields the reader does not use, written as font files usually carry them.
constexpr std::size_t kSizeAt = 2;
constexpr std::size_t kCopyrightAt = 6;
constexpr std::size_t kCopyrightCap = 59;
constexpr std::size_t kPointsAt = 68;
constexpr std::size_t kVertResAt = 70;
constexpr std::size_t kHorizResAt = 72;
constexpr std::size_t kAscentAt = 74;
constexpr std::size_t kWeightAt = 83;
constexpr std::size_t kCharSetAt = 85;
constexpr std::size_t kPixWidthAt = 86;
constexpr std::size_t kPixHeightAt = 88;
constexpr std::size_t kPitchFamilyAt = 90;
constexpr std::size_t kAvgWidthAt = 91;
constexpr std::size_t kMaxWidthAt = 93;
constexpr std::size_t kFirstAt = 95;
constexpr std::size_t kLastAt = 96;
constexpr std::size_t kDefaultAt = 97;
constexpr std::size_t kBreakAt = 98;
constexpr std::size_t kWidthBytesAt = 99;
constexpr std::size_t kFaceAt = 105;
constexpr std::size_t kBitsOffsetAt = 113;
constexpr std::size_t kTableAt = 118;
constexpr std::size_t kFaceCap = 31;
constexpr std::uint8_t kEastEuropeCharSet = 238;
constexpr std::uint8_t kModernFamily = 0x30;
constexpr std::size_t kMaxFileSize = 0xFFFF;

void Word(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t value) {
    WriteLE<std::uint16_t>(bytes.data() + at, static_cast<std::uint16_t>(value));
}

void Text(std::vector<std::uint8_t>& bytes, std::size_t at, const std::string& text,
          std::size_t cap) {
    const std::size_t n = std::min(text.size(), cap);
    std::copy_n(text.begin(), n, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

// Vertical strips of 8 pixels, left strip first, a byte a row; bit 7 is the leftmost pixel.
void AppendStrips(std::vector<std::uint8_t>& bytes, const RasterGlyph& glyph, int height) {
    const int strips = (glyph.width - 1) / 8 + 1;
    for (int strip = 0; strip < strips; ++strip) {
        for (int row = 0; row < height; ++row) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = 8 * strip + bit;
                if (x < glyph.width &&
                    glyph.ink[static_cast<std::size_t>(row * glyph.width + x)] != 0)
                    bits = static_cast<std::uint8_t>(bits | (0x80u >> bit));
            }
            bytes.push_back(bits);
        }
    }
}

bool Fits(const RasterFont& font) {
    if (font.glyphs.empty() || font.first + font.glyphs.size() > 256 || font.height < 1 ||
        font.height > 255)
        return false;
    return std::all_of(font.glyphs.begin(), font.glyphs.end(), [&](const RasterGlyph& g) {
        return g.width >= 1 && g.width <= 255 &&
               g.ink.size() == static_cast<std::size_t>(g.width * font.height);
    });
}

} // namespace

std::optional<std::vector<std::uint8_t>> WriteFnt(const RasterFont& font) {
    if (!Fits(font))
        return std::nullopt;
    const std::size_t count = font.glyphs.size();
    // One entry beyond the last code, as font files end their table.
    const std::size_t glyphsAt = kTableAt + 4 * (count + 1);
    std::vector<std::uint8_t> bytes(glyphsAt, 0);
    int maxWidth = 0;
    int widthSum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const RasterGlyph& glyph = font.glyphs[i];
        Word(bytes, kTableAt + 4 * i, static_cast<std::size_t>(glyph.width));
        Word(bytes, kTableAt + 4 * i + 2, bytes.size());
        AppendStrips(bytes, glyph, font.height);
        maxWidth = std::max(maxWidth, glyph.width);
        widthSum += glyph.width;
        if (bytes.size() > kMaxFileSize)
            return std::nullopt;
    }
    Word(bytes, kTableAt + 4 * count + 2, bytes.size());
    const std::size_t faceAt = bytes.size();
    bytes.insert(bytes.end(), font.face.begin(),
                 font.face.begin() +
                     static_cast<std::ptrdiff_t>(std::min(font.face.size(), kFaceCap)));
    bytes.push_back(0);
    if (bytes.size() > kMaxFileSize)
        return std::nullopt;

    const bool fixedPitch = std::all_of(font.glyphs.begin(), font.glyphs.end(),
                                        [&](const RasterGlyph& g) { return g.width == maxWidth; });
    bytes[1] = 2; // version 2.0
    WriteLE<std::uint32_t>(bytes.data() + kSizeAt, static_cast<std::uint32_t>(bytes.size()));
    Text(bytes, kCopyrightAt, font.copyright, kCopyrightCap);
    Word(bytes, kPointsAt, static_cast<std::size_t>(font.height));
    Word(bytes, kVertResAt, 96);
    Word(bytes, kHorizResAt, 96);
    Word(bytes, kAscentAt, static_cast<std::size_t>(std::clamp(font.ascent, 0, font.height)));
    Word(bytes, kWeightAt, font.bold ? 700 : 400);
    bytes[kCharSetAt] = kEastEuropeCharSet;
    Word(bytes, kPixWidthAt, fixedPitch ? static_cast<std::size_t>(maxWidth) : 0);
    Word(bytes, kPixHeightAt, static_cast<std::size_t>(font.height));
    bytes[kPitchFamilyAt] = static_cast<std::uint8_t>(kModernFamily | (fixedPitch ? 0 : 1));
    Word(bytes, kAvgWidthAt, static_cast<std::size_t>(widthSum / static_cast<int>(count)));
    Word(bytes, kMaxWidthAt, static_cast<std::size_t>(maxWidth));
    bytes[kFirstAt] = font.first;
    bytes[kLastAt] = static_cast<std::uint8_t>(font.first + count - 1);
    bytes[kDefaultAt] = font.defaultChar;
    bytes[kBreakAt] = ' ';
    Word(bytes, kWidthBytesAt, static_cast<std::size_t>((maxWidth + 7) / 8));
    WriteLE<std::uint32_t>(bytes.data() + kFaceAt, static_cast<std::uint32_t>(faceAt));
    WriteLE<std::uint32_t>(bytes.data() + kBitsOffsetAt, static_cast<std::uint32_t>(glyphsAt));
    return bytes;
}

} // namespace panolcd
