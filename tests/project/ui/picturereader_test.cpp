// Pictures read with Qt for the LCD: only a file that holds its whole picture is taken, by the
// batch command as by the window; a cut file leaves one line and writes nothing.

#include "project/ui/picturereader.h"

#include "app/batch.h"
#include "project/bmpfile.h"
#include "support/test_context.h"

#include <QBuffer>
#include <QImage>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

namespace panolcd::testing {
namespace {

// A 1 × 1 GIF: header, screen with a two-colour table, one image, trailer.
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
                       "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                       35);

// A noisy picture, so that the JPEG runs well beyond 9000 bytes.
std::string Encoded(const char* format) {
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format, 95)) << format;
    return bytes.toStdString();
}

class PictureFiles : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        before_ = CurrentPictureReader();
        SetPictureReader(&ReadPictureWithQt);
    }
    void TearDown() override {
        SetPictureReader(before_);
        ContextTest::TearDown();
    }
    int Import(const std::string& picture, const std::string& output) {
        err_.str("");
        return RunBatchCommand((TempDir() / "panolcd").string(),
                               {"--import-image", Path(picture), Path(output)}, err_);
    }
    std::string Path(const std::string& name) const { return (TempDir() / name).string(); }

    std::ostringstream err_;
    PictureReader before_ = nullptr;
};

TEST_F(PictureFiles, OnlyAWholePictureIsImported) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t cutAt; // the length of the cut copy
    };
    const std::string bmp = Encoded("BMP");
    const std::string jpeg = Encoded("JPEG");
    const std::string png = Encoded("PNG");
    ASSERT_GT(jpeg.size(), 9000u);
    const Case cases[] = {
        {"half.bmp", bmp, bmp.size() / 2},
        {"cut.jpg", jpeg, 9000},
        {"half.png", png, png.size() / 2},
        {"cut.gif", kGif, kGif.size() - 1},
    };
    for (const Case& c : cases) {
        const std::string whole = std::string("whole-") + c.name;
        WriteFile(whole, c.bytes);
        EXPECT_EQ(Import(whole, "WHOLE.BMP"), 0) << c.name << ": " << err_.str();
        EXPECT_TRUE(ReadBmpFile(Path("WHOLE.BMP")).ok) << c.name;
        std::filesystem::remove(Path("WHOLE.BMP"));

        WriteFile(c.name, c.bytes.substr(0, c.cutAt));
        EXPECT_EQ(Import(c.name, "CUT.BMP"), 1) << c.name;
        EXPECT_NE(err_.str().find(Path(c.name)), std::string::npos) << err_.str();
        EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << err_.str();
        EXPECT_FALSE(std::filesystem::exists(Path("CUT.BMP"))) << c.name;
    }
    // What the reader does not know it does not take.
    WriteFile("plain.ppm", "P3\n1 1\n255\n0 0 0\n");
    EXPECT_EQ(Import("plain.ppm", "CUT.BMP"), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("CUT.BMP")));
}

TEST(PictureCutShort, EveryShorterCopyOfAFileIsRefused) {
    for (const std::string& file : {Encoded("BMP"), Encoded("JPEG"), Encoded("PNG"), kGif}) {
        const auto bytes = [&](std::size_t size) {
            return std::span(reinterpret_cast<const std::uint8_t*>(file.data()), size);
        };
        EXPECT_EQ(PictureCutShort(bytes(file.size())), std::nullopt) << file.substr(0, 3);
        // Every length near the end, and a spread of lengths before it.
        for (std::size_t size = 0; size < file.size(); size += size + 40 < file.size() ? 331 : 1)
            EXPECT_NE(PictureCutShort(bytes(size)), std::nullopt) << file.substr(0, 3) << size;
    }
}

} // namespace
} // namespace panolcd::testing
