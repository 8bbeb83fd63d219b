// LCD fonts: the pixels of glyphs at each zoom on a recording canvas, the damaged files that must
// be read safely, and the cache shared by the objects that draw with a bank.

#include "project/lcdfont.h"

#include "common/cp1250.h"
#include "project/fntwriter.h"

#include "app/startup.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/fontuse.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

namespace panolcd::testing {
namespace {

// Records what is drawn: the inked blocks and the filled rectangles.
class RecordingCanvas final : public LcdCanvas {
public:
    std::set<std::tuple<int, int, int>> ink; // x, y, size
    std::vector<std::tuple<int, int, int, int>> fills;
    void FillRect(const LcdRect& r, std::uint8_t) override {
        fills.emplace_back(r.left, r.top, r.right, r.bottom);
    }
    void InkBlock(int x, int y, int z) override { ink.emplace(x, y, z); }
};

struct GlyphDef {
    int width;
    std::vector<std::uint8_t> bytes; // strip after strip, a byte a row
};

// A version 2.0 font block: header, table from `first` on, then the glyphs.
std::vector<std::uint8_t> MakeFont(int height, std::uint8_t first, std::uint8_t last,
                                   std::uint8_t defaultChar, const std::vector<GlyphDef>& glyphs) {
    std::vector<std::uint8_t> block(FontView::kTableAt + 4 * glyphs.size(), 0);
    const auto word = [&block](std::size_t at, int value) {
        block[at] = static_cast<std::uint8_t>(value & 0xFF);
        block[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    };
    block[0] = 0;
    block[1] = 2; // version 2.0
    word(FontView::kHeightAt, height);
    block[FontView::kFirstAt] = first;
    block[FontView::kLastAt] = last;
    block[FontView::kDefaultAt] = defaultChar;
    int maxWidth = 0;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        word(FontView::kTableAt + 4 * i, glyphs[i].width);
        word(FontView::kTableAt + 4 * i + 2, static_cast<int>(block.size()));
        block.insert(block.end(), glyphs[i].bytes.begin(), glyphs[i].bytes.end());
        maxWidth = std::max(maxWidth, glyphs[i].width);
    }
    word(FontView::kMaxWidthAt, maxWidth);
    return block;
}

const LcdRect kWide{0, 0, 1000, 1000};
const LcdBrush kClear{};

TEST(LcdFont, GlyphPixelsAtEachZoom) {
    // 10 pixels wide, two rows: two strips; bits beyond the width are drawn too.
    const std::vector<std::uint8_t> font =
        MakeFont(2, 'A', 'A', 'A', {{10, {0x81, 0x00, 0xC1, 0x40}}});
    const FontView view(font.data(), font.size());
    struct Case {
        int zoom;
        int block;
    } const cases[] = {{1, 1}, {2, 2}, {3, 2}, {4, 4}};
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawText(canvas, kWide, 10, 20, kClear, c.zoom, view, "A");
        const auto at = [&](int px, int py) {
            return std::tuple(10 + px * c.zoom, 20 + py * c.zoom, c.block);
        };
        EXPECT_EQ(canvas.ink, (std::set<std::tuple<int, int, int>>{at(0, 0), at(7, 0), at(8, 0),
                                                                   at(9, 0), at(15, 0), at(9, 1)}))
            << "zoom " << c.zoom;
        EXPECT_TRUE(canvas.fills.empty());
    }
    // A brush fills the cell first, cut at the clip's right and bottom.
    RecordingCanvas filled;
    DrawText(filled, LcdRect{0, 0, 25, 100}, 10, 20, LcdBrush{false, 3}, 2, view, "A");
    EXPECT_EQ(filled.fills, (std::vector<std::tuple<int, int, int, int>>{{10, 20, 25, 24}}));
}

TEST(LcdFont, DefaultCharacterAndClipRules) {
    // 'B' and 'C', default 'C'; each glyph one inked pixel in its own column.
    const std::vector<std::uint8_t> font = MakeFont(1, 'B', 'C', 'C', {{2, {0x80}}, {3, {0x20}}});
    const FontView view(font.data(), font.size());
    RecordingCanvas canvas;
    DrawText(canvas, kWide, 0, 0, kClear, 1, view, std::string("B\x01Z", 3));
    // B at 0, then the default C twice: at 2 and at 5, inked in their third column.
    EXPECT_EQ(canvas.ink, (std::set<std::tuple<int, int, int>>{{0, 0, 1}, {4, 0, 1}, {7, 0, 1}}));
    EXPECT_EQ(TextWidth(view, "BZ"), 5);

    // An origin outside the clip draws nothing, however much of the glyph would show.
    RecordingCanvas outside;
    DrawText(outside, LcdRect{1, 0, 100, 100}, 0, 0, kClear, 1, view, "B");
    EXPECT_TRUE(outside.ink.empty());
    // Blocks are drawn while their far edge stays within right and bottom.
    RecordingCanvas edge;
    DrawGlyph(edge, LcdRect{0, 0, 3, 2}, 0, 0, kClear, 2, view.Bitmap(*view.GlyphOf('C')), 1, 3);
    EXPECT_EQ(edge.ink, (std::set<std::tuple<int, int, int>>{}));
    DrawGlyph(edge, LcdRect{0, 0, 5, 1}, 0, 0, kClear, 2, view.Bitmap(*view.GlyphOf('C')), 1, 3);
    EXPECT_EQ(edge.ink, (std::set<std::tuple<int, int, int>>{{4, 0, 2}}));
}

TEST(LcdFont, DamagedFontsAreReadSafely) {
    const GlyphDef one{1, {0x80}};
    struct Case {
        const char* what;
        std::vector<std::uint8_t> font;
        std::string text;
        std::size_t inked;
    };
    std::vector<Case> cases;
    // A table entry pointing past the end is skipped; the next character is drawn.
    auto pastEnd = MakeFont(1, 'A', 'B', 'A', {one, one});
    pastEnd[FontView::kTableAt + 2] = 0xF0;
    pastEnd[FontView::kTableAt + 3] = 0xFF;
    cases.push_back({"glyph past the end", pastEnd, "AB", 1});
    // The table itself cut short.
    auto cut = MakeFont(1, 'A', 'Z', 'A', {one});
    cases.push_back({"table past the end", cut, "ABZ", 1});
    cases.push_back({"first above last", MakeFont(1, 'Z', 'A', 'Z', {one}), "AZ", 0});
    cases.push_back({"default outside", MakeFont(1, 'A', 'A', 'Q', {one}), "AB", 1});
    cases.push_back({"width 0 draws a strip", MakeFont(1, 'A', 'A', 'A', {{0, {0x80}}}), "AA", 1});
    cases.push_back({"header only", std::vector<std::uint8_t>(50, 0xFF), "AB", 0});
    cases.push_back({"huge cell height", MakeFont(0xFFFF, 'A', 'A', 'A', {one}), "A", 0});
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        const FontView view(c.font.data(), c.font.size());
        DrawText(canvas, kWide, 0, 0, kClear, 1, view, c.text);
        EXPECT_EQ(canvas.ink.size(), c.inked) << c.what;
    }
    EXPECT_FALSE(FontView(cut.data(), cut.size()).Measurable());
}

TEST(LcdFont, AGlyphBeyondTheIndexLimitStopsTheString) {
    // One strip of 61442 rows: row 61441 needs an index above the limit.
    std::vector<std::uint8_t> tall(61442, 0);
    tall[0] = 0x80;
    const std::vector<std::uint8_t> font =
        MakeFont(61442, 'A', 'B', 'A', {{1, tall}, {1, std::vector<std::uint8_t>(61442, 0x80)}});
    const FontView view(font.data(), font.size());
    RecordingCanvas canvas;
    DrawText(canvas, kWide, 0, 0, kClear, 1, view, "AB");
    EXPECT_EQ(canvas.ink, (std::set<std::tuple<int, int, int>>{{0, 0, 1}})); // no B at all

    std::vector<std::uint8_t> fits(61441, 0);
    fits[61440] = 0x80; // the last index the drawing accepts
    EXPECT_TRUE(
        DrawGlyph(canvas, LcdRect{0, 0, 10, 70000}, 0, 0, kClear, 1, fits.data(), 61441, 1));
    EXPECT_TRUE(canvas.ink.contains({0, 61440, 1}));
}

// The ink of one character as DrawText puts it at the origin.
std::set<std::tuple<int, int, int>> InkOf(const FontView& font, std::string_view character) {
    RecordingCanvas canvas;
    DrawText(canvas, kWide, 0, 0, kClear, 1, font, character);
    return canvas.ink;
}

TEST(WrittenFont, KeepsEveryPixelOfEveryGlyph) {
    // Glyph i is i + 1 pixels wide with a diagonal of ink, so widths up to 17 (three strips).
    RasterFont font;
    font.height = 5;
    font.first = 'a';
    font.defaultChar = 'b';
    for (int i = 0; i < 17; ++i) {
        RasterGlyph glyph{i + 1, std::vector<std::uint8_t>(static_cast<std::size_t>(5 * (i + 1)))};
        for (int y = 0; y < 5; ++y)
            glyph.ink[static_cast<std::size_t>(y * glyph.width + (y + i) % glyph.width)] = 1;
        font.glyphs.push_back(glyph);
    }
    const auto bytes = WriteFnt(font);
    ASSERT_TRUE(bytes);
    const FontView view(bytes->data(), bytes->size());
    EXPECT_EQ(view.CellHeight(), 5);
    EXPECT_EQ(view.MaxWidth(), 17);
    EXPECT_EQ(view.First(), 'a');
    EXPECT_EQ(view.Last(), 'a' + 16);
    for (int i = 0; i < 17; ++i) {
        std::set<std::tuple<int, int, int>> expected;
        for (int y = 0; y < 5; ++y)
            expected.emplace((y + i) % (i + 1), y, 1);
        EXPECT_EQ(InkOf(view, std::string(1, static_cast<char>('a' + i))), expected) << i;
    }
    EXPECT_EQ(InkOf(view, "A"), InkOf(view, "b"));
    EXPECT_EQ(TextWidth(view, "aq"), 1 + 17);
}

TEST(WrittenFont, FontsTheLayoutCannotHoldAreRefused) {
    const RasterGlyph dot{1, {1}};
    struct Case {
        const char* what;
        int height;
        std::uint8_t first;
        std::vector<RasterGlyph> glyphs;
    } const cases[] = {
        {"no glyphs", 1, 0, {}},
        {"past code 255", 1, 250, std::vector<RasterGlyph>(7, dot)},
        {"ink of another size", 1, 0, {RasterGlyph{2, {1}}}},
        {"width 0", 1, 0, {RasterGlyph{0, {}}}},
        // 256 glyphs of 255 × 8 pixels need 256 × 256 bytes: more than 16-bit offsets reach.
        {"over 64 KiB", 8, 0,
         std::vector<RasterGlyph>(256, RasterGlyph{255, std::vector<std::uint8_t>(255 * 8)})},
    };
    for (const Case& c : cases) {
        RasterFont font;
        font.height = c.height;
        font.first = c.first;
        font.glyphs = c.glyphs;
        EXPECT_FALSE(WriteFnt(font)) << c.what;
    }
}

// The fonts the build makes from the console fonts: every Czech letter has a glyph of its own,
// neither the default "?" nor its letter without the accent.
TEST(BuiltFonts, EveryCzechLetterHasItsOwnGlyph) {
    const std::string small = Cz("ěščřžýáíéůúďťňó");
    const std::string capital = Cz("ĚŠČŘŽÝÁÍÉŮÚĎŤŇÓ");
    const std::string bare = "escrzyaieuudtno";
    for (const char* file : {PANOLCD_DEFAULT_FONT_FILE, PANOLCD_SAMPLE_FILES_DIR "/velky.fnt",
                             PANOLCD_SAMPLE_FILES_DIR "/tucny.fnt"}) {
        TLCDFontObject font(1, file);
        ASSERT_TRUE(font.Loaded()) << file;
        const FontView view = font.View();
        EXPECT_TRUE(view.Measurable()) << file;
        for (std::size_t i = 0; i < small.size(); ++i) {
            for (const auto& [letter, plain] :
                 {std::pair(small[i], bare[i]),
                  std::pair(capital[i], static_cast<char>(bare[i] - 'a' + 'A'))}) {
                const auto ink = InkOf(view, std::string(1, letter));
                EXPECT_FALSE(ink.empty()) << file << " " << Cp1250ToUtf8(std::string(1, letter));
                EXPECT_NE(ink, InkOf(view, "?")) << file << " " << int(letter);
                EXPECT_NE(ink, InkOf(view, std::string(1, plain))) << file << " " << int(letter);
            }
        }
    }
}

class LcdFontCache : public ContextTest {};

TEST_F(LcdFontCache, BanksAreSharedReloadedAndReleased) {
    const std::string a = WriteFile("A.FNT", "aaaa").string();
    const std::string b = WriteFile("B.FNT", "bbbbbb").string();
    TLCDFonts_Man& fonts = ProjectCtx().fonts;
    fonts.AcquireFont(1, a);
    fonts.AcquireFont(1, a); // a second text object of bank 1
    EXPECT_EQ(fonts.Count(), 1);
    EXPECT_EQ(fonts.FindByNumber(1)->RefCount(), 2);
    fonts.ReleaseFont(1);
    ASSERT_NE(fonts.FindByNumber(1), nullptr);
    // Another file for the bank: the entry reloads for every user, its number stays.
    fonts.AcquireFont(1, b);
    EXPECT_EQ(fonts.GetFontData(1).MaxWidth(), 0); // too short to hold the field
    EXPECT_EQ(fonts.FindByNumber(1)->View().Empty(), false);
    EXPECT_EQ(fonts.FindByNumber(1)->FileName(), b);
    fonts.ReleaseFont(1);
    fonts.ReleaseFont(1);
    EXPECT_EQ(fonts.Count(), 0);
    fonts.ReleaseFont(1); // nothing left: nothing happens

    // By name (bank 255), also for a file that cannot be loaded: found and released by name.
    const std::string missing = (TempDir() / "NONE.FNT").string();
    for (const std::string& name : {a, missing}) {
        fonts.AcquireFontByName(name);
        fonts.AcquireFontByName(name);
    }
    EXPECT_EQ(fonts.Count(), 2);
    EXPECT_EQ(fonts.FindByNumber(255), nullptr);
    EXPECT_FALSE(fonts.GetFontDataByName(a).Empty());
    EXPECT_TRUE(fonts.GetFontDataByName(missing).Empty());
    for (const std::string& name : {a, missing}) {
        EXPECT_EQ(fonts.ReleaseFontByName(name), 255);
        EXPECT_EQ(fonts.ReleaseFontByName(name), 255);
    }
    EXPECT_EQ(fonts.Count(), 0);
    EXPECT_EQ(fonts.ReleaseFontByName(a), 0);
}

TEST_F(LcdFontCache, FilesAreFoundWhateverTheLetterCase) {
    WriteFile("VELKY.FNT", "xy");
    TLCDFontObject font(3, (TempDir() / "velky.fnt").string());
    EXPECT_TRUE(font.Loaded());
    EXPECT_EQ(font.BankNumber(), 3);
    TLCDFontObject empty(4, WriteFile("EMPTY.FNT", "").string());
    EXPECT_FALSE(empty.Loaded());
    EXPECT_EQ(empty.BankNumber(), 4);
}

} // namespace
} // namespace panolcd::testing

namespace panolcd::testing {
namespace {

class FontUseTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        EnvCtx().settings.exePath = (TempDir() / "bin" / "panolcd").string();
        NewProject();
        SetProjectFileName((TempDir() / "JOB.LCD").string());
        WriteFile("SYSTEM.FNT", "system font");
        WriteFile("VELKY.FNT", "large font");
        WriteFile("bin/panolcd.FNT", "default font");
        TDataBase& banks = *SubDataBase(RootRecord(), kDBFontBanks);
        FontBankRecordView(banks.Record(0)->RecData).SetFontFileName("system.fnt");
        AddBank(banks, 1, "VELKY.FNT");
        AddBank(banks, 2, "CHYBI.FNT"); // missing
    }
    void TearDown() override {
        CloseProjectColl();
        ContextTest::TearDown();
    }
    static void AddBank(TDataBase& banks, std::uint8_t number, const std::string& file) {
        auto bank = TDBRecordObj::New({}, 0, banks.Descriptor()->DefaultRecTypeIx);
        FontBankRecordView(bank->RecData).SetFontNum(number);
        FontBankRecordView(bank->RecData).SetFontFileName(file);
        banks.Insert(std::move(bank));
    }
};

TEST_F(FontUseTest, TextObjectsShareBanksAndAMissingFileFallsBackKeepingTheNumber) {
    TLCDFonts_Man& fonts = ProjectCtx().fonts;
    EXPECT_EQ(BankFile(kDBFontBanks, 1), (TempDir() / "VELKY.FNT").string());
    EXPECT_EQ(BankFile(kDBFontBanks, 9), "");
    {
        FontUse system, large, alsoLarge, missing;
        system.SetFont(0);
        large.SetFont(1);
        alsoLarge.SetFont(1);
        missing.SetFont(2);
        EXPECT_EQ(fonts.FindByNumber(1)->RefCount(), 2);
        EXPECT_FALSE(large.Font().Empty());
        // The missing bank draws with the default font and keeps its number; bank 0's entry
        // keeps the project's own file.
        EXPECT_TRUE(missing.IsFallback());
        EXPECT_EQ(missing.Number(), 2);
        EXPECT_FALSE(missing.Font().Empty());
        EXPECT_EQ(fonts.FindByNumber(0)->FileName(), (TempDir() / "system.fnt").string());
        EXPECT_EQ(fonts.Count(), 3);

        large.SetFont(1); // the same bank again: nothing changes
        EXPECT_EQ(fonts.FindByNumber(1)->RefCount(), 2);
        large.SetFont(0);
        EXPECT_EQ(fonts.FindByNumber(1)->RefCount(), 1);
        EXPECT_EQ(fonts.FindByNumber(0)->RefCount(), 2);
    }
    EXPECT_EQ(fonts.Count(), 0); // every user gone: every entry released

    std::filesystem::remove(TempDir() / "bin" / "panolcd.FNT");
    FontUse none;
    none.SetFont(2);
    EXPECT_FALSE(none.Holds());
    EXPECT_TRUE(none.Font().Empty());
}

} // namespace
} // namespace panolcd::testing
