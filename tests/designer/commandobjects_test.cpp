// Command objects: each kind's lines from its record and variants, the one-line form of code,
// the lines that fit in the box, and the case bitmap's prefix.

#include "designer/commandobjects.h"

#include "designer_fakes.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

using Lines = std::vector<std::string>;

class CommandObjects : public DescriptionTest {
protected:
    static std::unique_ptr<TDBRecordObj> Record(std::uint8_t kind, std::int16_t recType) {
        auto record = TDBRecordObj::New("", 0, recType);
        record->RecData.assign(ObjectRecordView::kSize, 0);
        ObjectRecordView(record->RecData).SetKind(kind);
        ObjectRecordView(record->RecData).SetLayer(kTextLayer);
        return record;
    }
    // A sub-database of `type` with one record per entry of `fill`.
    template <class Fill>
    static void Variants(TDBRecordObj& record, std::uint16_t type, std::int16_t recType, int count,
                         Fill fill) {
        auto variants = TDataBase::New(nullptr, type, 0, 0);
        for (int i = 0; i < count; ++i) {
            auto variant = TDBRecordObj::New("", 0, recType);
            fill(variant->RecData, i);
            variants->Insert(std::move(variant));
        }
        record.EnsureSubDBs().Insert(std::move(variants));
    }
};

TEST(OneLine, BlanksAndLineBreaks) {
    struct Case {
        const char* code;
        const char* line;
    } const cases[] = {
        {"A\r\nB", "A B"}, {"X\nY", "XY"}, {"a  b", "a b"}, {"x:=1;\r\n\r\ny:=2; ", "x:=1; y:=2;"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OneLineForm(c.code), c.line) << c.code;
    EXPECT_EQ(OneLineForm(std::string(300, 'x')).size(), 254u);
}

TEST_F(CommandObjects, EachKindShowsItsConstruct) {
    auto caseRecord = Record(kObjCmdCase, schema::kRecObjectCase);
    TLCDCaseObj caseBox(1);
    caseBox.RefreshFromRecord(caseRecord.get(), {});
    EXPECT_EQ(caseBox.Lines(), (Lines{"case  of", "end;"}));
    ObjectRecordView(caseRecord->RecData).SetSym(ObjectRecordView::kSymDx, "STAV");
    ObjectRecordView(caseRecord->RecData).SetObjText("stroj");
    Variants(*caseRecord, kDBCaseVariants, schema::kRecCaseVariant, 2,
             [](std::vector<std::uint8_t>& data, int i) {
                 CaseVariantRecordView(data).SetCaseConstSym(i == 0 ? "0" : "1");
                 CaseVariantRecordView(data).SetCaseLayer(static_cast<std::uint8_t>(3 + i));
             });
    caseBox.RefreshFromRecord(caseRecord.get(), {});
    const Lines caseLines = caseBox.Lines();
    ASSERT_EQ(caseLines.size(), 4u);
    EXPECT_EQ(caseLines[0], "case STAV of { stroj }");
    EXPECT_EQ(caseLines[1].rfind("0", 0), 0u) << caseLines[1];
    EXPECT_EQ(caseLines[3], "end;");

    auto onKey = Record(kObjCmdOnKey, schema::kRecObjectOnKey);
    TLCDOnKeyObj onKeyBox(1);
    onKeyBox.RefreshFromRecord(onKey.get(), {});
    EXPECT_EQ(onKeyBox.Lines(), (Lines{"OnKey", "end;"}));
    ObjectRecordView(onKey->RecData).SetObjText("keys");
    Variants(*onKey, kDBOnKeyVariants, schema::kRecOnKeyVariant, 1,
             [](std::vector<std::uint8_t>& data, int) {
                 OnKeyVariantRecordView(data).SetOnKeyConstSym("K_F1");
                 OnKeyVariantRecordView(data).SetOnKeyConstCode("A:=1;\r\nB:=2");
             });
    onKeyBox.RefreshFromRecord(onKey.get(), {});
    EXPECT_EQ(onKeyBox.Lines(), (Lines{"OnKey { keys }", "  K_F1: A:=1; B:=2;", "end;"}));

    auto wait = Record(kObjCmdWait, schema::kRecObjectWait);
    ObjectRecordView(wait->RecData).SetParam(30);
    ObjectRecordView(wait->RecData).SetObjText("A\r\nB");
    TLCDCmdWaitObj waitBox(1);
    waitBox.RefreshFromRecord(wait.get(), {});
    EXPECT_EQ(waitBox.Lines(), (Lines{"Wait 30:", " A B;"}));
    waitBox.RefreshFromRecord(nullptr, {});
    EXPECT_EQ(waitBox.Lines(), (Lines{"Wait 0:", " ;"}));

    auto enter = Record(kObjEditEnter, schema::kRecObjectEditEnter);
    TLCDEditEnterObj enterBox(1);
    enterBox.RefreshFromRecord(enter.get(), {});
    EXPECT_EQ(enterBox.Lines(), (Lines{"EditEnter ;"}));
    ObjectRecordView(enter->RecData).SetObjText("X\nY");
    enterBox.RefreshFromRecord(enter.get(), {});
    EXPECT_EQ(enterBox.Lines(), (Lines{"EditEnter", " begin", "  XY", " end;"}));
}

TEST_F(CommandObjects, ACaseBitmapNamesItsLayer) {
    struct Case {
        std::uint8_t layer;
        const char* comment;
        Lines lines;
    } const cases[] = {
        {5, "", {"{Case 3} bitmap 7;"}},
        {3, "porucha", {"{Case 1} bitmap 7;", "{ porucha }"}},
        {kTextLayer, "", {"bitmap 7;"}},
        {31, "", {"bitmap 7;"}},
    };
    for (const Case& c : cases) {
        auto record = Record(kObjCaseBmp, schema::kRecObjectCaseBmp);
        const ObjectRecordView view(record->RecData);
        view.SetLayer(c.layer);
        view.SetParam(0xFFFFFF07); // only byte 4 is the bitmap's
        view.SetObjText(c.comment);
        TLCDCaseBmpObj box(1);
        box.LoadFromRecord(record->RecData, LookOfKind(kObjCaseBmp), {}, false);
        EXPECT_EQ(box.Lines(), c.lines) << int(c.layer);
        box.StoreToRecord(record->RecData, {});
        EXPECT_EQ(view.Param(), 7u);
    }
    // Without the description's layer names there is no prefix.
    EnvCtx().app.ReleaseAppData();
    TLCDCaseBmpObj bare(1);
    bare.Layer = 5;
    EXPECT_EQ(bare.Lines(), (Lines{"bitmap 255;"})); // no bank yet
}

TEST_F(CommandObjects, OnlyTheLinesThatFitAreDrawn) {
    constexpr int kLineHeight = 10;
    // Text area 3 pixels inside the inner area: a frame of 10 + 6 + height + 10.
    for (const int height : {kLineHeight, kLineHeight + 1, 3 * kLineHeight + 1}) {
        auto record = Record(kObjCmdWait, schema::kRecObjectWait);
        TLCDCmdWaitObj box(1);
        box.SetBounds({0, 0, 100, 10 + 6 + height});
        box.RefreshFromRecord(record.get(), {});
        Raster raster(100, 100);
        FakeTextRenderer text(kLineHeight);
        Painter painter(raster, box.WindowRect(), &text);
        box.Paint(painter);
        const Lines expected =
            height == kLineHeight ? Lines{"8,8 Wait 0:"} : Lines{"8,8 Wait 0:", "8,18  ;"};
        EXPECT_EQ(text.texts, expected) << height;
    }
}

} // namespace
} // namespace panolcd::testing
