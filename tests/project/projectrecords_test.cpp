// Record views against the record types of the application description, and value round trips.

#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/fielddscr.h"
#include "framework/records/recordtype.h"
#include "project/objectrecord.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

using namespace schema;
using Obj = ObjectRecordView;

class ProjectRecordsTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
    }
};

TEST_F(ProjectRecordsTest, ViewsAgreeWithTheDescribedLayouts) {
    struct Case {
        RecType type;
        std::size_t recSize;
        const char* field;
        std::size_t offset;
        std::size_t size;
    };
    const Case cases[] = {
        {kRecRoot, RootRecordView::kSize, "ProjectName", 0, RootRecordView::kProjectNameCap + 1},
        {kRecRoot, RootRecordView::kSize, "TermObjName", RootRecordView::kTermObjName, 64},
        {kRecRoot, RootRecordView::kSize, "PrgBankNum", RootRecordView::kPrgBankNum, 1},
        {kRecRoot, RootRecordView::kSize, "FontBanks", RootRecordView::kFontBanksLink, 2},
        {kRecRoot, RootRecordView::kSize, "BitmapBanks", RootRecordView::kBitmapBanksLink, 2},
        {kRecRoot, RootRecordView::kSize, "Screens", RootRecordView::kScreensLink, 2},
        {kRecRoot, RootRecordView::kSize, "RegisterMap", RootRecordView::kRegisterMapLink, 2},
        {kRecFontBank, FontBankRecordView::kSize, "FontFileName", 1, 255},
        {kRecFontBank, FontBankRecordView::kSize, "FontPreviewStr",
         FontBankRecordView::kFontPreviewStr, FontBankRecordView::kFontPreviewStrCap + 1},
        {kRecBitmapBank, BitmapBankRecordView::kSize, "BmpFileName", 1, 255},
        {kRecScreen, ScreenRecordView::kSize, "ScrSymb", ScreenRecordView::kScrSymb, 17},
        {kRecScreen, ScreenRecordView::kSize, "ScrName", ScreenRecordView::kScrName, 64},
        {kRecScreen, ScreenRecordView::kSize, "HlpBmpNum", ScreenRecordView::kHlpBmpNum, 1},
        {kRecScreen, ScreenRecordView::kSize, "LayerMask", ScreenRecordView::kLayerMask, 4},
        {kRecScreen, ScreenRecordView::kSize, "ScrFlags", ScreenRecordView::kScrFlags, 1},
        {kRecScreen, ScreenRecordView::kSize, "Objects", ScreenRecordView::kObjectsLink, 2},
        {kRecRegister, RegisterRecordView::kSize, "TypReg", RegisterRecordView::kTypReg, 1},
        {kRecRegister, RegisterRecordView::kSize, "BitOffs_SSize",
         RegisterRecordView::kBitOffsSSize, 1},
        {kRecRegister, RegisterRecordView::kSize, "RegSymbName", 4, 17},
        {kRecRegister, RegisterRecordView::kSize, "RegFormat", RegisterRecordView::kRegFormat, 33},
        {kRecCaseVariant, CaseVariantRecordView::kSize, "CaseLayer", 17, 1},
        {kRecCaseVariant, CaseVariantRecordView::kSize, "CaseConstComment", 18, 64},
        {kRecOnKeyVariant, OnKeyVariantRecordView::kSize, "OnKeyConstCode", 17, 255},
        {kRecEnumVariant, EnumVariantRecordView::kSize, "EnumConstStr", 17, 255},
        {kRecObject, Obj::kSize, "HomeLayer", Obj::kHomeLayer, 1},
        {kRecObject, Obj::kSize, "Flags", Obj::kFlags, 1},
        {kRecObject, Obj::kSize, "Param", Obj::kParam, 4},
        {kRecObject, Obj::kSize, "Options", Obj::kOptions, 2},
        {kRecObject, Obj::kSize, "Y2", Obj::kY2, 4},
        {kRecObject, Obj::kSize, "SymX1", Obj::SymOffset(Obj::kSymX1), 17},
        {kRecObject, Obj::kSize, "SymY2", Obj::SymOffset(Obj::kSymY2), 17},
        {kRecObject, Obj::kSize, "SymDy", Obj::SymOffset(Obj::kSymDy), 17},
        {kRecObject, Obj::kSize, "ObjText", Obj::kObjText, kObjTextCap + 1},
        {kRecObjectCaseBmp, Obj::kSize, "SubDBLink", Obj::kSubDBLink, 2},
    };
    for (const Case& c : cases) {
        TRecordTypeDscr* type = AppRecordTypeAt(c.type);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(type->GetRecSize(), c.recSize) << c.field;
        std::size_t offset = 0;
        int i = 0;
        for (; i < type->Count() && type->Field(i)->FieldName != c.field; ++i)
            offset += type->Field(i)->GetFieldSize();
        ASSERT_LT(i, type->Count()) << c.field;
        EXPECT_EQ(offset, c.offset) << c.field;
        EXPECT_EQ(type->Field(i)->GetFieldSize(), c.size) << c.field;
    }
}

TEST(ProjectRecordViews, ValuesRoundTripLittleEndian) {
    std::vector<std::uint8_t> data(Obj::kSize, 0);
    const Obj obj(data);
    obj.SetX1(-5);
    obj.SetY2(-2147483647 - 1);
    obj.SetParam(0x80000001u);
    EXPECT_EQ(obj.X1(), -5);
    EXPECT_EQ(obj.Y2(), -2147483647 - 1);
    EXPECT_EQ(obj.Param(), 0x80000001u);
    EXPECT_EQ(data[Obj::kX1], 0xFB);
    EXPECT_EQ(data[Obj::kParam + 3], 0x80);

    std::vector<std::uint8_t> screenData(ScreenRecordView::kSize, 0);
    const ScreenRecordView screen(screenData);
    screen.SetLayerMask(0x80000003u);
    EXPECT_EQ(screen.LayerMask(), 0x80000003u);
    EXPECT_EQ(screenData[ScreenRecordView::kLayerMask + 3], 0x80);
}

TEST(ProjectRecordViews, TextsAreCutAndClampedToTheirCapacity) {
    std::vector<std::uint8_t> data(ScreenRecordView::kSize, 0xEE);
    const ScreenRecordView screen(data);
    screen.SetScrSymb("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(screen.ScrSymb(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(data[ScreenRecordView::kScrName], 0xEE); // the next field is untouched
    data[ScreenRecordView::kScrName] = 255;            // a damaged length byte
    EXPECT_EQ(screen.ScrName().size(), ScreenRecordView::kScrNameCap);
}

TEST(ProjectRecordViews, ShortBufferReadsZerosAndIgnoresWrites) {
    std::vector<std::uint8_t> data(12, 0x11);
    const Obj obj(data);
    obj.SetY1(7);
    obj.SetObjText("x");
    EXPECT_EQ(obj.Y1(), 0);
    EXPECT_EQ(obj.ObjText(), "");
    EXPECT_EQ(data, std::vector<std::uint8_t>(12, 0x11));
}

TEST(ProjectRecordViews, ElseInAnyCaseIsTheDefaultVariant) {
    EXPECT_TRUE(IsDefaultVariantSym("eLsE"));
    EXPECT_FALSE(IsDefaultVariantSym("else1"));
}

} // namespace
} // namespace panolcd::testing
