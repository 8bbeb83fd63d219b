// The sample project is a real one: every font and bitmap its screens name loads from the files
// the build makes beside it.

#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/bitmapuse.h"
#include "project/dbtypes.h"
#include "project/fontuse.h"
#include "project/objectrecord.h"
#include "project/projectfile.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace panolcd::testing {
namespace {

class SampleProject : public DescriptionTest {
protected:
    void SetUp() override {
        DescriptionTest::SetUp();
        ASSERT_TRUE(LoadProjectFile(PANOLCD_SAMPLE_PROJECT).ok);
        // As the program started from the build finds its default font beside itself.
        EnvCtx().settings.exePath =
            std::filesystem::path(PANOLCD_DEFAULT_FONT_FILE).replace_extension().string();
    }
};

bool HasInk(const BmpImage* image) {
    return image != nullptr && std::any_of(image->ink.begin(), image->ink.end(),
                                           [](std::uint8_t pixel) { return pixel != 0; });
}

TEST_F(SampleProject, EveryFontAndBitmapItsScreensNameLoads) {
    std::set<std::uint8_t> fonts;
    std::set<std::uint8_t> bitmaps;
    int caseBitmaps = 0;
    for (TDataBase* screens : FindProjectDBs(kDBScreens)) {
        for (int s = 0; s < screens->Count(); ++s) {
            TDBRecordObj* screen = screens->Record(s);
            const ScreenRecordView view(screen->RecData);
            for (const std::uint8_t number : {view.BmpNum(), view.HlpBmpNum()}) {
                if (number == 255)
                    continue;
                BitmapUse use(BitmapUse::WhenMissing::NoBank);
                use.SetBitmap(number);
                EXPECT_TRUE(HasInk(use.Bitmap())) << "bank " << int(number);
                bitmaps.insert(number);
            }
            TDataBase* objects = SubDataBase(screen, kDBScreenObjects);
            ASSERT_NE(objects, nullptr);
            for (int o = 0; o < objects->Count(); ++o) {
                const ObjectRecordView object(objects->Record(o)->RecData);
                if (object.Kind() == kObjCaseBmp) {
                    BitmapUse use(BitmapUse::WhenMissing::KeepNumber);
                    use.SetBitmap(object.ParamByte());
                    EXPECT_TRUE(HasInk(use.Bitmap())) << "case bank " << int(object.ParamByte());
                    ++caseBitmaps;
                } else if (object.Kind() >= kObjText && object.Kind() <= kObjEnum) {
                    FontUse use;
                    use.SetFont(object.ParamByte());
                    EXPECT_TRUE(use.Font().Measurable()) << "font " << int(object.ParamByte());
                    // Bank 0 names no file of its own: it is the default font.
                    EXPECT_EQ(use.IsFallback(), object.ParamByte() == 0);
                    fonts.insert(object.ParamByte());
                }
            }
        }
    }
    EXPECT_EQ(fonts, (std::set<std::uint8_t>{0, 1, 2}));
    EXPECT_EQ(bitmaps, (std::set<std::uint8_t>{1, 2}));
    EXPECT_EQ(caseBitmaps, 2);
    EXPECT_TRUE(User().shown.empty());
}

} // namespace
} // namespace panolcd::testing
