// The program's own PNG files, read back by an independent decoder (Qt's).

#include "common/pngfile.h"

#include <QImage>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(PngFile, AnotherDecoderReadsEveryPixel) {
    // Over 65535 bytes of rows, so that the data spans several stored blocks.
    PalettePicture picture;
    picture.width = 300;
    picture.height = 250;
    picture.palette = {{255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {10, 200, 30}};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(static_cast<std::uint8_t>((x * 7 + y * 3) % 4));
    const std::vector<std::uint8_t> png = WritePng(picture);
    QImage image;
    ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    ASSERT_EQ(image.width(), 300);
    ASSERT_EQ(image.height(), 250);
    int wrong = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const auto& rgb =
                picture.palette[picture.pixels[static_cast<std::size_t>(y * 300 + x)]];
            wrong += image.pixel(x, y) != qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
    EXPECT_EQ(wrong, 0);

    picture.pixels[5] = 4; // past the palette
    EXPECT_TRUE(WritePng(picture).empty());
    picture.pixels.pop_back();
    EXPECT_TRUE(WritePng(picture).empty());
}

} // namespace
} // namespace panolcd
