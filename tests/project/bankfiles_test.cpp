// The bank windows' file name rules, the register map file, and pictures made into LCD bitmaps.

#include "project/bankfiles.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/lcdbitmap.h"
#include "project/pictureimport.h"
#include "project/projectrecords.h"
#include "project/registermap.h"
#include "projectwindows/bankwindows.h"
#include "support/test_context.h"

#include <filesystem>

namespace panolcd::testing {
namespace {

TEST(BankFiles, NamesResolveAndAreStoredRelativeToTheProject) {
    const std::string dir = ProjectDirectory("/p/A.LCD");
    EXPECT_EQ(dir, "/p/");
    EXPECT_EQ(ProjectDirectory(""), "");
    struct Case {
        const char* typed;
        const char* resolved;
        const char* stored;
    } const cases[] = {
        {"FONT1.FNT", "/p/FONT1.FNT", "FONT1.FNT"},
        {"/p/FONT1.FNT", "/p/FONT1.FNT", "FONT1.FNT"},
        {"/p/./x/../FONT1.FNT", "/p/./x/../FONT1.FNT", "FONT1.FNT"},
        {"/f/FONT1.FNT", "/f/FONT1.FNT", "/f/FONT1.FNT"},
        // Letter case tells directories apart here.
        {"/P/FONT1.FNT", "/P/FONT1.FNT", "/P/FONT1.FNT"},
        // A name from Windows: both separators split.
        {"\\p\\X.BMP", "\\p\\X.BMP", "X.BMP"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveBankFile(c.typed, dir), c.resolved) << c.typed;
        EXPECT_EQ(StoredBankFileName(c.typed, dir), c.stored) << c.typed;
    }
    // Without a project file a bare name stays bare.
    EXPECT_EQ(ResolveBankFile("X.BMP", ""), "X.BMP");
    EXPECT_EQ(ResolveBankFile(std::string(300, 'a'), "").size(), 254u);

    EXPECT_EQ(SearchStartDirectory("/f/FONT1.FNT", dir, "/w/"), "/f/");
    EXPECT_EQ(SearchStartDirectory("FONT1.FNT", dir, "/w/"), "/p/");
    EXPECT_EQ(SearchStartDirectory("", "", "/w/"), "/w/");

    EXPECT_EQ(DefaultMapFile("/p/A.LCD"), "/p/A.MAP");
    EXPECT_EQ(DefaultMapFile(""), "");
    EXPECT_FALSE(UnstorableFileName(Utf8ToCp1250("/p/Příliš.bmp")));
    EXPECT_TRUE(UnstorableFileName(FileNameFromUtf8("/p/\xCE\xA9.bmp")));
}

class BankFilesOnDisk : public DescriptionTest {};

TEST_F(BankFilesOnDisk, ExistingDirectoriesCompareByWhatTheyAre) {
    namespace fs = std::filesystem;
    fs::create_directories(TempDir() / "p");
    fs::create_symlink(TempDir() / "p", TempDir() / "link");
    const std::string p = FromFsPath(TempDir() / "p") + "/";
    EXPECT_TRUE(SameDirectory(p, FromFsPath(TempDir() / "link")));
    EXPECT_TRUE(SameDirectory(p, FromFsPath(TempDir()) + "/p/../p"));
    EXPECT_FALSE(SameDirectory(p, FromFsPath(TempDir()) + "/P/"));
    EXPECT_EQ(StoredBankFileName(FromFsPath(TempDir() / "link" / "A.FNT"), p), "A.FNT");
}

TEST_F(BankFilesOnDisk, AMapFileIsReadWholeOrNotAtAll) {
    const std::unique_ptr<TDataBase> sample = ReadMapFile(PANOLCD_SAMPLE_FILES_DIR "/DEMO.MAP");
    ASSERT_NE(sample, nullptr);
    ASSERT_EQ(sample->Count(), 6);
    const RegisterRecordView first(sample->Record(0)->RecData);
    EXPECT_EQ(first.AddrReg(), 0x10);
    EXPECT_EQ(first.RegSymbName(), "Teplota");
    EXPECT_EQ(first.RegFormat(), "%1.1f");
    EXPECT_EQ(RegisterRecordView(sample->Record(5)->RecData).BitOffs_SSize(), 8);

    const auto empty = ReadMapFile(FromFsPath(WriteFile("E.MAP", "")));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Count(), 0);
    EXPECT_TRUE(User().shown.empty());

    // A bad token on the second line: nothing, and the user hears of the line.
    const auto damaged =
        ReadMapFile(FromFsPath(WriteFile("D.MAP", "$0010;$00;$00;'A';'';\r\n$00X0;$00;\r\n")));
    EXPECT_EQ(damaged, nullptr);
    ASSERT_FALSE(User().shown.empty());
    bool namesFile = false;
    for (const ShownMessage& m : User().shown)
        namesFile = namesFile || m.text.find("D.MAP") != std::string::npos;
    EXPECT_TRUE(namesFile);
}

TEST_F(BankFilesOnDisk, AMapFileWithLfLineEndsReadsAsWithCrLf) {
    // 300 registers: more than one read buffer of the reader.
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (int i = 0; i < 300; ++i)
            text += "$0" + std::to_string(100 + i) + ";$02;$08;'R" + std::to_string(i) + "';'%d';" +
                    end;
        const auto map = ReadMapFile(FromFsPath(WriteFile("L.MAP", text)), RegisterRecordRefusal);
        ASSERT_NE(map, nullptr) << int(end[0]) << (User().shown.empty() ? "" : User().shown[0].text);
        ASSERT_EQ(map->Count(), 300);
        EXPECT_EQ(RegisterRecordView(map->Record(299)->RecData).RegSymbName(), "R299");
        EXPECT_EQ(RegisterRecordView(map->Record(299)->RecData).AddrReg(), 0x399);
        EXPECT_TRUE(User().shown.empty());

        // A bad token on line 250 is reported at that line.
        const std::string bad = "$00X0;$00;$00;'A';'';";
        std::size_t at = 0;
        for (int line = 1; line < 250; ++line)
            at = text.find(end, at) + std::string(end).size();
        const std::string damaged =
            text.substr(0, at) + bad + text.substr(text.find(end, at));
        EXPECT_EQ(ReadMapFile(FromFsPath(WriteFile("D.MAP", damaged)), RegisterRecordRefusal),
                  nullptr);
        ASSERT_FALSE(User().shown.empty());
        EXPECT_NE(User().shown[0].text.find(" 250:"), std::string::npos) << User().shown[0].text;
        User().shown.clear();
    }
}

TEST_F(BankFilesOnDisk, AMapRecordTheRegisterWindowWouldRefuseRefusesTheFileAtItsLine) {
    const std::string good = "$0010;$00;$00;'Teplota';'%1.1f';\n";
    struct Case {
        const char* what;
        std::string line;
        const char* label; // UTF-8: the field the message names
    } const cases[] = {
        {"address above the largest", "$07D1;$00;$00;'A';'';", "Addr Reg"},
        {"address $FFFF", "$FFFF;$00;$00;'A';'';", "Addr Reg"},
        {"no register type", "$0001;$FF;$00;'A';'';", "Typ registru"},
        {"type after the last", "$0001;$07;$00;'A';'';", "Typ registru"},
        {"Czech letter in the identifier", "$0001;$00;$00;'" + Cz("Čerpadlo") + "';'';",
         "Identifikátor"},
        {"identifier longer than its field", "$0001;$00;$00;'" + std::string(17, 'x') + "';'';",
         "Identifikátor"},
        {"format longer than its field", "$0001;$00;$00;'A';'" + std::string(33, '%') + "';",
         "Formát zobr."},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        // Two good lines, then the bad one: the file is refused whole, naming line 3.
        const auto path = FromFsPath(WriteFile("R.MAP", good + good + c.line + "\n" + good));
        EXPECT_EQ(ReadMapFile(path, RegisterRecordRefusal), nullptr) << c.what;
        ASSERT_GE(User().shown.size(), 2u) << c.what;
        const std::string& refusal = User().shown[0].text;
        EXPECT_EQ(refusal.rfind(Cz(c.label) + ": ", 0), 0u) << c.what << ": " << refusal;
        EXPECT_NE(refusal.find(" 3:"), std::string::npos) << c.what << ": " << refusal;
        EXPECT_EQ(User().shown.back().text, path + " Err") << c.what;
    }
    // The largest address and the last type are taken.
    User().shown.clear();
    const auto edge = ReadMapFile(FromFsPath(WriteFile("E.MAP", "$07D0;$06;$FF;'" +
                                                                    std::string(16, 'x') + "';'" +
                                                                    std::string(32, '%') + "';")),
                                  RegisterRecordRefusal);
    ASSERT_NE(edge, nullptr);
    EXPECT_EQ(RegisterRecordView(edge->Record(0)->RecData).AddrReg(), 0x7D0);
    EXPECT_TRUE(User().shown.empty());
}

TEST(PictureImport, ScaledToFitOrToFillThenThresholdOrDither) {
    // A black picture twice as wide as the LCD's proportion.
    GreyImage black{480, 128, std::vector<std::uint8_t>(480 * 128, 0)};
    const LcdSize lcd{240, 128};
    const BmpImage fitted = PictureToLcd(black, lcd, {PictureFit::Fit, false, 128});
    ASSERT_EQ(fitted.width, 240);
    ASSERT_EQ(fitted.height, 128);
    EXPECT_FALSE(fitted.Ink(120, 31)); // white above: the picture is 64 rows high
    EXPECT_TRUE(fitted.Ink(120, 32));
    EXPECT_TRUE(fitted.Ink(120, 95));
    EXPECT_FALSE(fitted.Ink(120, 96));
    const BmpImage filled = PictureToLcd(black, lcd, {PictureFit::Crop, false, 128});
    EXPECT_TRUE(filled.Ink(0, 0));
    EXPECT_TRUE(filled.Ink(239, 127));

    // Mid grey: nothing under a threshold below it, all under one above; about half dithered.
    GreyImage grey{240, 128, std::vector<std::uint8_t>(240 * 128, 128)};
    const auto inked = [](const BmpImage& image) {
        return std::count(image.ink.begin(), image.ink.end(), 1);
    };
    EXPECT_EQ(inked(PictureToLcd(grey, lcd, {PictureFit::Fit, false, 128})), 0);
    EXPECT_EQ(inked(PictureToLcd(grey, lcd, {PictureFit::Fit, false, 129})), 240 * 128);
    const auto dithered = inked(PictureToLcd(grey, lcd, {PictureFit::Fit, true, 128}));
    EXPECT_NEAR(static_cast<double>(dithered) / (240 * 128), 0.5, 0.02);
    // An empty picture gives a blank LCD.
    EXPECT_EQ(inked(PictureToLcd(GreyImage{}, lcd, {})), 0);
}

std::optional<GreyImage> FakeReader(const std::string& fileName, std::string& error) {
    if (fileName.ends_with(".png"))
        return GreyImage{100, 100, std::vector<std::uint8_t>(100 * 100, 30)};
    error = "no picture";
    return std::nullopt;
}

TEST_F(BankFilesOnDisk, AnImportedPictureIsABitmapTheBankAccepts) {
    const PictureReader before = CurrentPictureReader();
    SetPictureReader(&FakeReader);
    const std::string out = FromFsPath(TempDir() / "P.BMP");
    EXPECT_EQ(ImportPicture("x.png", out, {}), std::nullopt);
    TLCDBitmapObject bank(3, out);
    ASSERT_NE(bank.Bitmap(), nullptr);
    EXPECT_EQ(bank.Bitmap()->width, 240);
    EXPECT_EQ(bank.Bitmap()->height, 128);
    EXPECT_TRUE(bank.Bitmap()->Ink(120, 64));
    EXPECT_FALSE(bank.Bitmap()->Ink(0, 64)); // fitted: white beside the square picture
    EXPECT_EQ(ImportPicture("x.gif", FromFsPath(TempDir() / "Q.BMP"), {}), "no picture");
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "Q.BMP"));
    SetPictureReader(before);
}

} // namespace
} // namespace panolcd::testing
