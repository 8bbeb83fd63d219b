// Bitmap files: every pixel format and row order read from files made here, damaged files
// refused without reading past their end, and a round trip that keeps every pixel.

#include "project/bmpfile.h"

#include "common/littleendian.h"

#include <gtest/gtest.h>

#include <random>

namespace panolcd {
namespace {

bool Pattern(int x, int y) {
    return (x * 3 + y * 7) % 5 == 0;
}

// A bitmap file of the pattern: ink black, the rest white; palettes put black at index 1 so a
// reader that ignores the palette gets every pixel wrong. A core header has no top-down form.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, bool topDown, bool coreHeader) {
    const std::size_t headerSize = coreHeader ? 12 : 40;
    const std::size_t entry = coreHeader ? 3 : 4;
    const std::size_t colours = bits <= 8 ? (1u << bits) : 0;
    const std::size_t dataAt = 14 + headerSize + colours * entry;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> out(dataAt + rowBytes * static_cast<std::size_t>(height), 0);
    out[0] = 'B';
    out[1] = 'M';
    WriteLE<std::uint32_t>(out.data() + 10, static_cast<std::uint32_t>(dataAt));
    std::uint8_t* h = out.data() + 14;
    WriteLE<std::uint32_t>(h, static_cast<std::uint32_t>(headerSize));
    if (coreHeader) {
        WriteLE<std::uint16_t>(h + 4, static_cast<std::uint16_t>(width));
        WriteLE<std::uint16_t>(h + 6, static_cast<std::uint16_t>(height));
        WriteLE<std::uint16_t>(h + 8, 1);
        WriteLE<std::uint16_t>(h + 10, static_cast<std::uint16_t>(bits));
    } else {
        WriteLE<std::int32_t>(h + 4, width);
        WriteLE<std::int32_t>(h + 8, topDown ? -height : height);
        WriteLE<std::uint16_t>(h + 12, 1);
        WriteLE<std::uint16_t>(h + 14, static_cast<std::uint16_t>(bits));
    }
    for (std::size_t i = 0; i < colours; ++i) {
        const std::uint8_t grey = i == 1 ? 0 : 0xFF;
        std::uint8_t* c = out.data() + 14 + headerSize + i * entry;
        c[0] = c[1] = c[2] = grey;
    }
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        std::uint8_t* row = out.data() + dataAt + static_cast<std::size_t>(fileRow) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const bool ink = Pattern(x, y);
            if (bits == 24) {
                const std::uint8_t v = ink ? 0 : 0xFF;
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
            } else if (ink) {
                const int bit = x * bits;
                row[bit / 8] |= static_cast<std::uint8_t>(1u << (8 - bits - bit % 8));
            } else if (bits > 1) {
                // index 2 (white) for the rest, so that values above 1 are read too
                const int bit = x * bits;
                row[bit / 8] |= static_cast<std::uint8_t>(2u << (8 - bits - bit % 8));
            }
        }
    }
    return out;
}

void ExpectPattern(const BmpReadResult& read, int width, int height, const std::string& what) {
    ASSERT_TRUE(read.ok) << what << ": " << read.error;
    ASSERT_EQ(read.image.width, width) << what;
    ASSERT_EQ(read.image.height, height) << what;
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            wrong += read.image.Ink(x, y) != Pattern(x, y);
    }
    EXPECT_EQ(wrong, 0) << what;
}

TEST(BmpFile, EveryPixelFormatAndRowOrderReads) {
    struct Case {
        int bits;
        bool topDown;
        bool core;
    } const cases[] = {{1, false, false}, {1, true, false},   {1, false, true},
                       {4, false, false}, {4, true, false},   {8, false, false},
                       {8, false, true},  {24, false, false}, {24, true, false}};
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.bits) + (c.topDown ? " top-down" : " bottom-up") +
                                 (c.core ? " core" : "");
        // 241 pixels: rows end inside a byte and need padding.
        const BmpReadResult read = ReadBmp(MakeBmp(241, 13, c.bits, c.topDown, c.core));
        ExpectPattern(read, 241, 13, what);
        EXPECT_EQ(read.image.bitsPerPixel, c.bits) << what;
    }
}

TEST(BmpFile, DamagedFilesAreRefusedWithoutReadingPastTheEnd) {
    const std::vector<std::uint8_t> good = MakeBmp(240, 128, 1, false, false);
    for (std::size_t length = 0; length < good.size(); length += 37) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + long(length));
        EXPECT_FALSE(ReadBmp(cut).ok) << length;
    }
    std::vector<std::uint8_t> hugeSize = good;
    WriteLE<std::int32_t>(hugeSize.data() + 18, 0x7FFFFFFF);
    std::vector<std::uint8_t> badOffset = good;
    WriteLE<std::uint32_t>(badOffset.data() + 10, 0xFFFFFFF0u);
    std::vector<std::uint8_t> compressed = good;
    WriteLE<std::uint32_t>(compressed.data() + 30, 1);
    std::vector<std::uint8_t> sixteenBits = good;
    WriteLE<std::uint16_t>(sixteenBits.data() + 28, 16);
    for (const auto& damaged : {hugeSize, badOffset, compressed, sixteenBits})
        EXPECT_FALSE(ReadBmp(damaged).ok);
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> garbage = good;
        for (int i = 0; i < 8; ++i)
            garbage[random() % 60] = static_cast<std::uint8_t>(random());
        const BmpReadResult read = ReadBmp(garbage); // never a crash, whatever it says
        if (read.ok) {
            EXPECT_EQ(read.image.ink.size(), static_cast<std::size_t>(read.image.width) *
                                                 static_cast<std::size_t>(read.image.height));
        }
    }
    EXPECT_FALSE(ReadBmpFile("/nonexistent/X.BMP").ok);
}

TEST(BmpFile, AWrittenBitmapReadsBackPixelForPixel) {
    BmpImage image;
    image.width = 240;
    image.height = 128;
    image.ink.resize(240 * 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 240; ++x)
            image.ink[static_cast<std::size_t>(y) * 240 + static_cast<std::size_t>(x)] =
                Pattern(x, y) ? 1 : 0;
    }
    const BmpReadResult read = ReadBmp(WriteMonoBmp(image));
    ExpectPattern(read, 240, 128, "round trip");
    EXPECT_EQ(read.image.bitsPerPixel, 1);
}

} // namespace
} // namespace panolcd
