// The open project: new-project contents and the look-ups into its tree.

#include "project/projectmodel.h"

#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

namespace panolcd::testing {
namespace {

class ProjectModelTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
    }
};

TEST_F(ProjectModelTest, NewProjectHoldsOneRootRecordAndOneBankOfEach) {
    EXPECT_EQ(RootRecord(), nullptr);
    NewProject();
    const std::int16_t firstScreens = RootRecordView(RootRecord()->RecData).ScreensLink();
    NewProject(); // numbering restarts: the second project looks like the first
    TDataBase* root = OpenProject();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->DB_TypeID, kDBRoot);
    EXPECT_EQ(root->Count(), 1);
    EXPECT_FALSE(root->IsModified());
    EXPECT_EQ(ProjectFileName(), "");
    TDBRecordObj* rec = RootRecord();
    ASSERT_NE(rec, nullptr);
    const RootRecordView view(rec->RecData);
    EXPECT_EQ(view.ProjectName(), "");
    EXPECT_EQ(view.PrgBankNum(), 0);

    const std::uint16_t types[] = {kDBFontBanks, kDBBitmapBanks, kDBScreens, kDBRegisterMap};
    const std::int16_t links[] = {view.FontBanksLink(), view.BitmapBanksLink(), view.ScreensLink(),
                                  view.RegisterMapLink()};
    EXPECT_EQ(view.ScreensLink(), firstScreens);
    for (int i = 0; i < 4; ++i) {
        TDataBase* sub = SubDataBase(rec, types[i]);
        ASSERT_NE(sub, nullptr) << types[i];
        EXPECT_EQ(sub->InstAdr, links[i]);
        EXPECT_EQ(OwnerRecord(sub), rec);
        EXPECT_EQ(FindProjectDBs(types[i]), std::vector<TDataBase*>{sub});
        EXPECT_EQ(sub->Count(), i < 2 ? 1 : 0);
    }
    const FontBankRecordView font(SubDataBase(rec, kDBFontBanks)->Record(0)->RecData);
    EXPECT_EQ(font.FontNum(), 0);
    EXPECT_EQ(font.FontFileName(), "system");
    EXPECT_EQ(font.FontPreviewStr(), "ABC123");
    const BitmapBankRecordView bmp(SubDataBase(rec, kDBBitmapBanks)->Record(0)->RecData);
    EXPECT_EQ(bmp.BmpNum(), 0);
    EXPECT_EQ(bmp.BmpFileName(), "none");
    EXPECT_EQ(OwnerRecord(root), nullptr);
    EXPECT_TRUE(FindProjectDBs(kDBScreenObjects).empty());

    SetProjectFileName("/tmp/A.LCD");
    EXPECT_EQ(ProjectFileName(), "/tmp/A.LCD");
    CloseProject();
    EXPECT_EQ(ProjectFileName(), "");
    EXPECT_TRUE(FindProjectDBs(kDBFontBanks).empty());
}

TEST_F(ProjectModelTest, RootWithoutRecordAnswersNone) {
    TDataBase& root = NewProject();
    root.AtFree(0);
    EXPECT_EQ(RootRecord(), nullptr);
    EXPECT_EQ(SubDataBase(RootRecord(), kDBScreens), nullptr);
    EXPECT_EQ(RootRecord(nullptr), nullptr);
}

} // namespace
} // namespace panolcd::testing
