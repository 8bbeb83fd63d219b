// LCD bitmaps: the size check before the format check, the terminal types, and the cache shared
// by the screens and case bitmaps of one bank.

#include "project/lcdbitmap.h"

#include "app/startup.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "project/bitmapuse.h"
#include "project/dbtypes.h"
#include "project/pictureimport.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

class BitmapUseTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        NewProject();
        SetProjectFileName((TempDir() / "JOB.LCD").string());
        WriteFile("LOGO.BMP", BlankBmp(240, 128, 1));
        WriteFile("SMALL.BMP", BlankBmp(24, 12, 1));
        TDataBase& banks = *SubDataBase(RootRecord(), kDBBitmapBanks);
        for (const auto& [number, file] : {std::pair<std::uint8_t, const char*>{1, "logo.bmp"},
                                           {2, "CHYBI.BMP"},
                                           {3, "SMALL.BMP"}}) {
            auto bank = TDBRecordObj::New({}, 0, banks.Descriptor()->DefaultRecTypeIx);
            BitmapBankRecordView(bank->RecData).SetBmpNum(number);
            BitmapBankRecordView(bank->RecData).SetBmpFileName(file);
            banks.Insert(std::move(bank));
        }
    }
    void TearDown() override {
        CloseProjectColl();
        ContextTest::TearDown();
    }
};

TEST_F(BitmapUseTest, ScreensAndCaseBitmapsShareBanksAndMissingFilesShowNothing) {
    TLCDBitmaps_Man& bitmaps = ProjectCtx().bitmaps;
    {
        BitmapUse background(BitmapUse::WhenMissing::NoBank);
        BitmapUse caseBitmap(BitmapUse::WhenMissing::KeepNumber);
        background.SetBitmap(1);
        caseBitmap.SetBitmap(1);
        EXPECT_EQ(bitmaps.Count(), 1); // one entry for both
        EXPECT_NE(background.Bitmap(), nullptr);
        EXPECT_EQ(background.Bitmap(), caseBitmap.Bitmap());

        // A missing file: the screen shows no background, the case bitmap keeps its bank.
        background.SetBitmap(2);
        caseBitmap.SetBitmap(2);
        EXPECT_EQ(background.Number(), 255);
        EXPECT_EQ(caseBitmap.Number(), 2);
        EXPECT_EQ(caseBitmap.Bitmap(), nullptr);
        EXPECT_EQ(bitmaps.Count(), 0);
        EXPECT_TRUE(User().shown.empty());

        // A file of the wrong size is refused with its message and shown as nothing.
        background.SetBitmap(3);
        EXPECT_EQ(background.Bitmap(), nullptr);
        EXPECT_EQ(User().shown.size(), 1u);
    }
    EXPECT_EQ(bitmaps.Count(), 0); // the refused entry is released too
}

TEST_F(BitmapUseTest, AHolderLetsGoOfTheEntryItAcquiredOnly) {
    TLCDBitmaps_Man& bitmaps = ProjectCtx().bitmaps;
    // A screen of bank 3 refused the file; repaired, another screen shows it. The first lets go
    // of its refused entry, not of the second one's.
    BitmapUse refused(BitmapUse::WhenMissing::NoBank);
    refused.SetBitmap(3);
    ASSERT_EQ(refused.Bitmap(), nullptr);
    WriteFile("SMALL.BMP", BlankBmp(240, 128, 1));
    BitmapUse repaired(BitmapUse::WhenMissing::NoBank);
    repaired.SetBitmap(3);
    ASSERT_NE(repaired.Bitmap(), nullptr);
    refused.Drop();
    EXPECT_NE(repaired.Bitmap(), nullptr);
    repaired.Drop();
    EXPECT_EQ(bitmaps.Count(), 0);

    // The preview holds LOGO.BMP by its name; the file turns bad and a screen is refused it:
    // the screen lets go of its own entry of that name, not the preview's.
    const std::string logo = (TempDir() / "LOGO.BMP").string();
    bitmaps.AcquireBitmapByName(logo);
    ASSERT_NE(bitmaps.GetBitmapByName(logo), nullptr);
    WriteFile("LOGO.BMP", BlankBmp(24, 12, 1));
    {
        BitmapUse screen(BitmapUse::WhenMissing::NoBank);
        screen.SetBitmap(1);
        EXPECT_EQ(screen.Bitmap(), nullptr);
    }
    EXPECT_NE(bitmaps.GetBitmapByName(logo), nullptr);
    bitmaps.ReleaseBitmapByName(logo);
    EXPECT_EQ(bitmaps.Count(), 0);
}

TEST_F(BitmapUseTest, AFileWrittenAnewIsShownByEveryHolderUnderItsOneName) {
    TLCDBitmaps_Man& bitmaps = ProjectCtx().bitmaps;
    BitmapUse background(BitmapUse::WhenMissing::NoBank);
    BitmapUse caseBitmap(BitmapUse::WhenMissing::KeepNumber);
    BitmapUse refused(BitmapUse::WhenMissing::NoBank);
    background.SetBitmap(1);
    caseBitmap.SetBitmap(1);
    refused.SetBitmap(3); // SMALL.BMP, the wrong size
    const std::string logo = (TempDir() / "LOGO.BMP").string();
    bitmaps.AcquireBitmapByName(logo); // a bank window's preview
    ASSERT_FALSE(background.Bitmap()->Ink(5, 7));

    BmpImage picture;
    picture.width = 240;
    picture.height = 128;
    picture.ink.assign(240 * 128, 0);
    picture.ink[7 * 240 + 5] = 1;
    // Written by the names the banks give, in another letter case than the files'.
    for (const char* name : {"logo.bmp", "small.bmp"})
        ASSERT_EQ(WriteLcdBitmap((TempDir() / name).string(), picture), std::nullopt) << name;
    for (const BmpImage* shown : {background.Bitmap(), caseBitmap.Bitmap(), refused.Bitmap(),
                                  bitmaps.GetBitmapByName(logo)}) {
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->Ink(5, 7));
        EXPECT_EQ(std::count(shown->ink.begin(), shown->ink.end(), 1), 1);
    }
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TempDir()))
        if (entry.path().extension() != ".~MP") // the safety copies
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"LOGO.BMP", "SMALL.BMP"}));
    bitmaps.ReleaseBitmapByName(logo);
}

} // namespace
} // namespace panolcd::testing
