// Text objects: frames from the font, a frame that stays put without its font, the characters
// drawn at each zoom, the stored fields and the enumeration's text.

#include "designer/textobjects.h"

#include "designer/lcdimage.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/fntwriter.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <fstream>
#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

// Glyphs of 3 × 3: 'A' a cross, 'B' a corner; every other code blank.
RasterGlyph Glyph(const char* rows) {
    RasterGlyph glyph{3, {}};
    for (const char* c = rows; *c != 0; ++c)
        glyph.ink.push_back(*c == '#' ? 1 : 0);
    return glyph;
}

class TextObjects : public DescriptionTest {
protected:
    void SetUp() override {
        DescriptionTest::SetUp();
        EnvCtx().settings.exePath = (TempDir() / "bin" / "panolcd").string(); // no default font
        NewProject();
        SetProjectFileName((TempDir() / "JOB.LCD").string());
        RasterFont font;
        font.height = 3;
        for (int code = 0; code < 256; ++code)
            font.glyphs.push_back(code == 'A'   ? Glyph("#.#.#.#.#")
                                  : code == 'B' ? Glyph("##.#..##.")
                                                : Glyph("........."));
        const auto bytes = WriteFnt(font);
        std::ofstream(TempDir() / "T.FNT", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes->data()),
                   static_cast<std::streamsize>(bytes->size()));
        TDataBase& banks = *SubDataBase(RootRecord(), kDBFontBanks);
        auto bank = TDBRecordObj::New({}, 0, schema::kRecFontBank);
        FontBankRecordView(bank->RecData).SetFontNum(1);
        FontBankRecordView(bank->RecData).SetFontFileName("t.fnt");
        banks.Insert(std::move(bank));
    }

    static std::vector<std::uint8_t> Record(std::uint8_t kind, std::uint8_t font,
                                            const LcdCoords& c, const std::string& text) {
        std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
        const ObjectRecordView view(record);
        view.SetKind(kind);
        view.SetLayer(kTextLayer);
        view.SetParamByte(font);
        view.SetX1(c.x1), view.SetY1(c.y1), view.SetX2(c.x2), view.SetY2(c.y2);
        view.SetObjText(text);
        return record;
    }
};

TEST_F(TextObjects, FramesFollowTheFontAndStoreBack) {
    for (const int z : {1, 2, 4}) {
        const int m = MetricsOf(z).margin;
        TLCDTextObj text(z);
        auto record = Record(kObjText, 1, {10, -20, 0, 0}, "ABA");
        text.LoadFromRecord(record, LookOfKind(kObjText), {3, 5}, false);
        EXPECT_EQ(text.Bounds(),
                  (Frame{10 * z - 3 - m, -20 * z - 5 - m, 9 * z + 2 * m, 3 * z + 2 * m}))
            << z;
        text.StoreToRecord(record, {3, 5});
        const ObjectRecordView view(record);
        EXPECT_EQ(view.X1(), 10);
        EXPECT_EQ(view.Y1(), -20);
        EXPECT_EQ(view.X2(), 10 + 9 + 2 * m / z);
        EXPECT_EQ(view.Y2(), -20 + 3 + 2 * m / z);
    }
}

TEST_F(TextObjects, WithoutItsFontAFrameKeepsEveryByte) {
    for (const std::uint8_t kind : {kObjText, kObjPrintLine, kObjEdit, kObjEditP, kObjEnum}) {
        for (const int z : {1, 2, 4}) {
            auto record = Record(kind, 7, {5, 6, 40, 19}, "V:3"); // bank 7 has no file
            const std::vector<std::uint8_t> before = record;
            for (int cycle = 0; cycle < 10; ++cycle) {
                std::unique_ptr<TLCDTextObj> object;
                if (kind == kObjText)
                    object = std::make_unique<TLCDTextObj>(z);
                else if (kind == kObjEnum)
                    object = std::make_unique<TLCDEnumObj>(z);
                else
                    object = std::make_unique<TLCDEditObj>(z);
                object->LoadFromRecord(record, LookOfKind(kind), {1, 3}, false);
                EXPECT_TRUE(object->Font().Empty());
                object->StoreToRecord(record, {1, 3});
            }
            EXPECT_EQ(record, before) << int(kind) << " zoom " << z;
        }
    }
}

TEST_F(TextObjects, StatementsPreviewTheirParametersAndStoreOnlyWhatTheyOwn) {
    auto record = Record(kObjPrintLine, 1, {0, 0, 10, 10}, "\"X=\",V:2");
    const ObjectRecordView view(record);
    view.SetParam(0xAABBCC01); // bytes 5..7 are not the font's
    view.SetSym(ObjectRecordView::kSymX1, "X0");
    view.SetSym(ObjectRecordView::kSymX2, "kept");
    view.SetOptions(0x1234);
    TLCDPrintLineObj print(1);
    print.LoadFromRecord(record, LookOfKind(kObjPrintLine), {}, false);
    EXPECT_EQ(print.DisplayText, "X=##");
    EXPECT_EQ(print.SymX1, "X0");
    print.SymY1 = "Y0";
    print.Select();
    print.StoreToRecord(record, {});
    EXPECT_EQ(view.ObjText(), "\"X=\",V:2");
    EXPECT_EQ(view.Param(), 1u);
    EXPECT_EQ(view.Sym(ObjectRecordView::kSymY1), "Y0");
    EXPECT_EQ(view.Sym(ObjectRecordView::kSymX2), "kept");
    EXPECT_EQ(view.Options(), 0x1234);
    EXPECT_EQ(view.Flags() & kObjFlagSelected, 0);

    TLCDEditObj edit(1);
    auto editRecord = Record(kObjEdit, 1, {0, 0, 10, 10}, "EdVar:4,Other:2");
    edit.LoadFromRecord(editRecord, LookOfKind(kObjEdit), {}, false);
    EXPECT_EQ(edit.DisplayText, "####");
}

// LCD pixels as rows of '#' and '.'.
std::vector<std::string> LcdRows(const LcdImage& image, int left, int top, int width, int height) {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x)
            row += image.Ink(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST_F(TextObjects, CharactersOnTheLcdAndTheirZoomedPicture) {
    // The edit field previews its literal: "AB".
    auto record = Record(kObjEdit, 1, {2, 1, 0, 0}, "\"AB\"");
    TLCDEditObj zoom1(1);
    zoom1.LoadFromRecord(record, LookOfKind(kObjEdit), {}, false);
    LcdImage lcd({240, 128});
    zoom1.PaintLcd(lcd, {});
    EXPECT_EQ(LcdRows(lcd, 0, 0, 10, 5), (std::vector<std::string>{
                                             "..........",
                                             "..#.###...",
                                             "...#.#....",
                                             "..#.###...",
                                             "..........",
                                         }));

    for (const int z : {1, 2, 4}) {
        TLCDEditObj object(z);
        object.LoadFromRecord(record, LookOfKind(kObjEdit), {}, false);
        Raster raster(240 * z, 128 * z, Colour::White);
        Painter painter(raster, object.WindowRect());
        object.Paint(painter);
        int mismatches = 0;
        int green = 0;
        for (int y = 0; y < raster.Height(); ++y) {
            for (int x = 0; x < raster.Width(); ++x) {
                mismatches += (raster.At(x, y) == Colour::Black) != lcd.Ink(x / z, y / z);
                green += raster.At(x, y) == Colour::Green;
            }
        }
        EXPECT_EQ(mismatches, 0) << "zoom " << z;
        // The edit field's green behind the characters, all of each cell.
        EXPECT_EQ(green, (6 * 3 - 10) * z * z) << "zoom " << z;

        object.Lock();
        Painter locked(raster, object.WindowRect());
        object.Paint(locked);
        EXPECT_EQ(raster.At(3 * z, 1 * z), Colour::Silver) << "zoom " << z;
    }
}

TEST_F(TextObjects, AnEnumerationShowsItsNamedConstantOrTheLongest) {
    auto record = TDBRecordObj::New("", 0, schema::kRecObjectEnum);
    record->RecData = Record(kObjEnum, 1, {4, 5, 30, 20}, "");
    auto constants = TDataBase::New(nullptr, kDBEnumVariants, 0, 0);
    for (const auto& [symbol, text] :
         {std::pair("RUCNI", "B"), std::pair("AUTO", "ABA"), std::pair("VYP", "AB")}) {
        auto constant = TDBRecordObj::New("", 0, schema::kRecEnumVariant);
        EnumVariantRecordView(constant->RecData).SetEnumConstSym(symbol);
        EnumVariantRecordView(constant->RecData).SetEnumConstStr(text);
        constants->Insert(std::move(constant));
    }
    record->EnsureSubDBs().Insert(std::move(constants));
    struct Case {
        const char* symbol;
        const char* shown;
    } const cases[] = {{"rucni", "B"}, {"vyp", "AB"}, {"NIC", "ABA"}, {"", "ABA"}};
    for (const Case& c : cases) {
        ObjectRecordView(record->RecData).SetSym(ObjectRecordView::kSymDy, c.symbol);
        TLCDEnumObj object(2);
        object.LoadFromRecord(record->RecData, LookOfKind(kObjEnum), {}, false);
        object.RefreshFromRecord(record.get(), {});
        EXPECT_EQ(object.DisplayText, c.shown) << c.symbol;
        EXPECT_EQ(object.PreviewSymbol, c.symbol);
        EXPECT_EQ(object.Bounds().width,
                  3 * static_cast<int>(std::string(c.shown).size()) * 2 + 20);
    }
    record->SubDBs.reset();
    TLCDEnumObj none(1);
    none.RefreshFromRecord(record.get(), {});
    EXPECT_EQ(none.DisplayText, "En?");
}

} // namespace
} // namespace panolcd::testing
