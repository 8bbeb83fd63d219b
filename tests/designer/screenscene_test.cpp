// A whole screen: its objects built and refreshed from their records, the picture the LCD layer
// shows, and the window's picture as the block-scaled LCD.

#include "designer/screenscene.h"

#include "designer/commandobjects.h"
#include "designer/fonttext.h"
#include "designer/lcdimage.h"
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
#include "support/deadline.h"
#include "support/test_context.h"

#include <algorithm>
#include <chrono>
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
    // A new object of `kind` at `c` in `objects`, as the window inserts it.
    static void AddObject(TDataBase& objects, std::uint8_t kind, const LcdCoords& c,
                          const std::string& text = {}) {
        auto record = TDBRecordObj::New({}, 0, schema::kRecObject);
        record->RecData = NewObjectRecord({kind});
        const ObjectRecordView object(record->RecData);
        object.SetX1(c.x1), object.SetY1(c.y1), object.SetX2(c.x2), object.SetY2(c.y2);
        if (!text.empty())
            object.SetObjText(text);
        objects.Insert(std::move(record));
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
    const auto add = [&](std::uint8_t kind, LcdCoords c) { AddObject(*objects, kind, c); };
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

// Coordinates of a damaged record near the ends of the int range, or that reach them at the
// zoom: every kind paints at once at every zoom, into the window and the LCD, and leaves both
// pictures as a screen without these objects paints them.
TEST_F(Scene, FarAwayObjectsPaintAtOnceAndNothingElse) {
    NewProject();
    SetProjectFileName((TempDir() / "JOB.LCD").string());
    TDBRecordObj& fonts = *SubDataBase(RootRecord(), kDBFontBanks)->Record(0);
    FontBankRecordView(fonts.RecData).SetFontFileName(PANOLCD_DEFAULT_FONT_FILE);
    const LcdCoords far[] = {
        {600000000, 10, 600000040, 20}, // times 4 beyond the int range
        {536870905, 5, 536870910, 9},   // times 4 just below its end
        {INT_MAX - 3, 5, INT_MAX, 9},
        {5, INT_MAX - 3, 9, INT_MAX},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, 5, INT_MIN + 3, 9},
        {-600000000, -600000000, -599999990, -599999990},
    };
    auto screen = TDBRecordObj::New({}, 0, schema::kRecScreen);
    auto objects = TDataBase::New(nullptr, kDBScreenObjects, 0, 0);
    for (std::uint8_t kind = kObjPoint; kind <= kObjCaseBmp; ++kind)
        for (const LcdCoords& c : far)
            AddObject(*objects, kind, c, std::string(254, 'W'));
    screen->EnsureSubDBs().Insert(std::move(objects));
    auto empty = TDBRecordObj::New({}, 0, schema::kRecScreen);

    const FontTextRenderer text(PANOLCD_DEFAULT_FONT_FILE);
    const Deadline deadline(std::chrono::seconds(60), "painting objects far away");
    const auto start = std::chrono::steady_clock::now();
    for (const int z : {1, 2, 4}) {
        ScreenScene scene(z);
        scene.Load(*screen);
        ASSERT_EQ(scene.Objects().size(), std::size(far) * (kObjCaseBmp - kObjPoint + 1));
        scene.SetLayers(0xFFFFFFFF, false);
        ScreenScene none(z);
        none.Load(*empty);
        none.SetLayers(0xFFFFFFFF, false);
        const LcdRect area = ScreenScene::LcdArea(z);
        Raster painted(area.right, area.bottom);
        Raster expected(area.right, area.bottom);
        scene.Paint(painted, &text);
        none.Paint(expected, &text);
        int differences = 0;
        for (int y = 0; y < area.bottom; ++y)
            for (int x = 0; x < area.right; ++x)
                differences += painted.At(x, y) != expected.At(x, y);
        EXPECT_EQ(differences, 0) << "zoom " << z;
        const LcdImage lcd = scene.PaintLcd();
        EXPECT_EQ(std::count(lcd.Image().ink.begin(), lcd.Image().ink.end(), 1), 0) << z;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

} // namespace
} // namespace panolcd::testing
