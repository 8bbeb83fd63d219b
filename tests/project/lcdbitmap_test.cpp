// LCD bitmaps: the size check before the format check, the terminal types, and the cache shared
// by the screens and case bitmaps of one bank.

#include "project/lcdbitmap.h"

#include "project/projectcontext.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <fstream>

namespace panolcd::testing {
namespace {

// A blank bitmap file of any size and depth, made with the program's own writer for one bit.
std::string BlankBmp(int width, int height, int bits) {
    BmpImage image;
    image.width = width;
    image.height = height;
    image.ink.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    std::vector<std::uint8_t> bytes = WriteMonoBmp(image);
    if (bits != 1) {
        // Re-declared as `bits` deep, with rows and palette of that depth.
        const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
        const std::size_t colours = bits <= 8 ? (1u << bits) : 0;
        const std::size_t dataAt = 14 + 40 + 4 * colours;
        bytes.assign(dataAt + rowBytes * static_cast<std::size_t>(height), 0xFF);
        std::copy_n(WriteMonoBmp(image).begin(), 54, bytes.begin());
        bytes[10] = static_cast<std::uint8_t>(dataAt);
        bytes[11] = static_cast<std::uint8_t>(dataAt >> 8);
        bytes[28] = static_cast<std::uint8_t>(bits);
        bytes[46] = 0; // every colour of the depth
    }
    return std::string(bytes.begin(), bytes.end());
}

class LcdBitmaps : public ContextTest {};

TEST_F(LcdBitmaps, SizeIsCheckedBeforeFormatAndFollowsTheTerminalType) {
    struct Case {
        int terminal;
        int width, height, bits;
        const char* message; // UTF-8; empty: accepted
    } const cases[] = {
        {10, 240, 128, 1, ""},
        {10, 240, 128, 4, "BMP musí být černobílá (monochrome)"},
        {10, 240, 127, 4, "Nedovolené rozměry BMP"},
        {10, 240, 128, 24, "BMP musí být černobílá (monochrome)"},
        {3, 240, 128, 1, "Nedovolené rozměry BMP"},
        {3, 128, 64, 1, ""},
        {7, 128, 64, 1, ""}, // another type keeps the size of the one before
    };
    for (const Case& c : cases) {
        User().shown.clear();
        ApplyTerminalType(c.terminal);
        const auto file = WriteFile("P.BMP", BlankBmp(c.width, c.height, c.bits)).string();
        TLCDBitmapObject bitmap(4, file);
        const std::string what = std::to_string(c.terminal) + ": " + std::to_string(c.width) + "x" +
                                 std::to_string(c.height) + "x" + std::to_string(c.bits);
        if (*c.message == 0) {
            EXPECT_NE(bitmap.Bitmap(), nullptr) << what;
            EXPECT_EQ(bitmap.BankNumber(), 4) << what;
            EXPECT_TRUE(User().shown.empty()) << what;
            continue;
        }
        EXPECT_EQ(bitmap.Bitmap(), nullptr) << what;
        EXPECT_EQ(bitmap.BankNumber(), 255) << what;
        ASSERT_EQ(User().shown.size(), 1u) << what; // one message, the first check's
        EXPECT_EQ(User().shown[0].text, Cz(c.message)) << what;
    }
    // A missing file is no message.
    User().shown.clear();
    TLCDBitmapObject missing(1, (TempDir() / "NONE.BMP").string());
    EXPECT_EQ(missing.Bitmap(), nullptr);
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(LcdBitmaps, OneBankIsSharedAndEveryEntryIsReleased) {
    const auto logo = WriteFile("LOGO.BMP", BlankBmp(240, 128, 1)).string();
    const auto wrong = WriteFile("WRONG.BMP", BlankBmp(10, 10, 1)).string();
    TLCDBitmaps_Man& bitmaps = ProjectCtx().bitmaps;
    bitmaps.AcquireBitmap(1, logo); // the screen's background
    bitmaps.AcquireBitmap(1, logo); // a case bitmap of the same bank
    EXPECT_EQ(bitmaps.Count(), 1);
    EXPECT_NE(bitmaps.GetBitmap(1), nullptr);
    bitmaps.ReleaseBitmap(1);
    EXPECT_NE(bitmaps.GetBitmap(1), nullptr);
    bitmaps.ReleaseBitmap(1);
    EXPECT_EQ(bitmaps.Count(), 0);

    // By name, also for a file refused by its size: found and released by the name.
    for (const std::string& name : {logo, wrong})
        bitmaps.AcquireBitmapByName(name);
    EXPECT_NE(bitmaps.GetBitmapByName(logo), nullptr);
    EXPECT_EQ(bitmaps.GetBitmapByName(wrong), nullptr);
    EXPECT_EQ(bitmaps.ReleaseBitmapByName(logo), 255);
    EXPECT_EQ(bitmaps.ReleaseBitmapByName(wrong), 255);
    EXPECT_EQ(bitmaps.Count(), 0);
}

} // namespace
} // namespace panolcd::testing
