// A whole screen: its objects built and refreshed from their records, the picture the LCD layer
// shows, and the window's picture as the block-scaled LCD.

#include "designer/screenscene.h"

#include "designer/commandobjects.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/fntwriter.h"
#include "project/projectcontext.h"
#include "project/projectfile.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <climits>
#include <fstream>

namespace panolcd::testing {
namespace {

class Scene : public DescriptionTest {
protected:
    static TDBRecordObj* Screen(int index) {
        return FindProjectDBs(kDBScreens).front()->Record(index);
    }
    void WriteBytes(const char* name, const std::vector<std::uint8_t>& bytes) const {
        WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
};

TEST_F(Scene, TheSampleScreenShowsItsObjectsAndPicturesAtOnce) {
    ASSERT_TRUE(LoadProjectFile(PANOLCD_SAMPLE_PROJECT).ok);
    TDBRecordObj* screen = Screen(0);
    ScreenScene scene(2);
    scene.Load(*screen);
    EXPECT_EQ(static_cast<int>(scene.Objects().size()),
              screen->GetDBTidDataBase(kDBScreenObjects)->Count());
    // Refreshed as soon as they are built: the wait box knows its timeout.
    bool sawWait = false;
    for (const SceneObject& entry : scene.Objects()) {
        EXPECT_NE(entry.record, nullptr);
        if (const auto* wait = dynamic_cast<const TLCDCmdWaitObj*>(entry.object.get())) {
            EXPECT_EQ(wait->Lines().front(), "Wait 30:");
            sawWait = true;
        }
    }
    EXPECT_TRUE(sawWait);

    BitmapUse background(BitmapUse::WhenMissing::NoBank);
    BitmapUse help(BitmapUse::WhenMissing::NoBank);
    BitmapUse fault(BitmapUse::WhenMissing::KeepNumber);
    background.SetBitmap(1);
    help.SetBitmap(2);
    fault.SetBitmap(3);
    ASSERT_NE(background.Bitmap(), nullptr);
    struct Case {
        std::uint32_t layers;
        bool help;
        const BmpImage* shown;
    } const cases[] = {
        {0x7FFFFFFF, false, fault.Bitmap()}, // case layer 5 shows its picture
        {0x00000007, false, background.Bitmap()},
        {0x00000007, true, help.Bitmap()},
        {0x7FFFFFFE, false, nullptr}, // the bitmap layer hidden
    };
    for (const Case& c : cases) {
        scene.SetLayers(c.layers, c.help);
        EXPECT_EQ(scene.ShownBitmap(), c.shown) << std::hex << c.layers << " " << c.help;
    }
}

TEST_F(Scene, TheWindowShowsTheLcdBlockScaled) {
    NewProject();
    SetProjectFileName((TempDir() / "JOB.LCD").string());
    // A 128 × 64 LCD (terminal type 3) with its own background: a diagonal of ink.
    ProjectCtx().lcdSize = {128, 64};
    BmpImage picture{128, 64, 1, std::vector<std::uint8_t>(128 * 64, 0)};
    for (int i = 0; i < 64; ++i)
        picture.ink[static_cast<std::size_t>(i * 128 + i)] = 1;
    WriteBytes("B.BMP", WriteMonoBmp(picture));
    auto bank = TDBRecordObj::New({}, 0, schema::kRecBitmapBank);
    BitmapBankRecordView(bank->RecData).SetBmpNum(4);
    BitmapBankRecordView(bank->RecData).SetBmpFileName("B.BMP");
    SubDataBase(RootRecord(), kDBBitmapBanks)->Insert(std::move(bank));

    auto screen = TDBRecordObj::New({}, 0, schema::kRecScreen);
    const ScreenRecordView view(screen->RecData);
    view.SetBmpNum(4);
    view.SetLayerMask(0x80000007);
    auto objects = TDataBase::New(nullptr, kDBScreenObjects, 0, 0);
    const auto add = [&](std::uint8_t kind, LcdCoords c) {
        auto record = TDBRecordObj::New({}, 0, schema::kRecObject);
        record->RecData = NewObjectRecord({kind});
        const ObjectRecordView object(record->RecData);
        object.SetX1(c.x1), object.SetY1(c.y1), object.SetX2(c.x2), object.SetY2(c.y2);
        objects->Insert(std::move(record));
    };
    add(kObjRectangle, {10, 5, 40, 30});
    add(kObjLine, {50, 10, 90, 20});
    add(kObjFilledRect, {100, 40, 120, 60});
    add(kObjRectangle, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}); // damaged
    screen->EnsureSubDBs().Insert(std::move(objects));

    ScreenScene one(1);
    one.Load(*screen);
    const LcdImage lcd = one.PaintLcd();
    EXPECT_TRUE(lcd.Ink(20, 20));  // the diagonal
    EXPECT_TRUE(lcd.Ink(10, 12));  // the rectangle's left edge
    EXPECT_TRUE(lcd.Ink(110, 50)); // inside the filled one
    for (const int z : {2, 4}) {
        ScreenScene scene(z);
        scene.Load(*screen);
        const LcdRect area = ScreenScene::LcdArea(z);
        EXPECT_EQ(area.right, 128 * z + 11);
        Raster raster(area.right, area.bottom);
        scene.Paint(raster, nullptr);
        int mismatches = 0;
        for (int y = 0; y < 64 * z; ++y)
            for (int x = 0; x < 128 * z; ++x)
                mismatches += (raster.At(x, y) == Colour::Black) != lcd.Ink(x / z, y / z);
        EXPECT_EQ(mismatches, 0) << "zoom " << z;
        EXPECT_EQ(raster.At(128 * z + z / 2, 10), Colour::Blue); // the LCD's right edge
    }
}

} // namespace
} // namespace panolcd::testing
