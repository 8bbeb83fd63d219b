// The batch commands: the one line a failed --convert leaves on standard error, and the output
// it never writes then. Successful conversions run as program tests.

#include "app/batch.h"
#include "common/cp1250.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/bmpfile.h"
#include "project/dbtypes.h"
#include "project/objectrecord.h"
#include "project/pictureimport.h"
#include "project/projectfile.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/deadline.h"
#include "support/test_context.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

class Batch : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        std::filesystem::copy_file(PANOLCD_GENERATED_APP_FILE, TempDir() / "panolcd.APP");
    }
    int Run(std::vector<std::string> args) {
        err_.str("");
        return RunBatchCommand((TempDir() / "panolcd").string(), args, err_);
    }
    std::string Path(const char* name) const { return (TempDir() / name).string(); }
    // The sample converted into the test's directory as JOB.LCD, changed by `change` while open.
    std::string Job(const std::function<void()>& change) {
        EXPECT_EQ(Run({"--convert", PANOLCD_SAMPLE_PROJECT, Path("JOB.LCD")}), 0) << err_.str();
        EXPECT_TRUE(LoadProjectFile(Path("JOB.LCD")).ok);
        change();
        EXPECT_TRUE(SaveProjectFile(*ProjectColl(), Path("JOB.LCD")).ok);
        CloseProjectColl();
        std::filesystem::remove(Path("JOB.~CD"));
        return Path("JOB.LCD");
    }
    static TDataBase& Screens() { return *FindProjectDBs(kDBScreens).front(); }
    std::ostringstream err_;
};

TEST_F(Batch, FailuresLeaveOneLineAndNoOutput) {
    EXPECT_TRUE(IsBatchCommand({"--convert"}));
    EXPECT_FALSE(IsBatchCommand({"JOB.LCD"}));
    WriteFile("BAD.LCD", "* $00 $5000 { } ['ProjectName']\r\n<('P'");
    WriteFile("KEEP.LCD", "old");
    EXPECT_EQ(Run({"--convert", Path("BAD.LCD"), Path("NEW.LCD")}), 1);
    EXPECT_EQ(err_.str().rfind(Path("BAD.LCD") + ":2:", 0), 0u) << err_.str();
    EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1);
    EXPECT_FALSE(std::filesystem::exists(Path("NEW.LCD")));
    EXPECT_EQ(Run({"--convert", Path("BAD.LCD"), Path("KEEP.LCD")}), 1);
    EXPECT_EQ(ReadFile(Path("KEEP.LCD")), "old");
    EXPECT_FALSE(std::filesystem::exists(Path("KEEP.~CD")));

    EXPECT_EQ(Run({"--convert", Path("BAD.LCD")}), 1);
    std::filesystem::remove(TempDir() / "panolcd.APP");
    EXPECT_EQ(Run({"--convert", Path("BAD.LCD"), Path("NEW.LCD")}), 1);
    EXPECT_NE(err_.str().find("panolcd.APP"), std::string::npos) << err_.str();
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(Batch, GenerateFailuresWriteNothing) {
    EXPECT_TRUE(IsBatchCommand({"--generate"}));
    EXPECT_EQ(Run({"--generate"}), 1);
    EXPECT_EQ(err_.str(), "panolcd: --generate needs PROJECT.LCD\n");

    // A project the program wrote, then a malformed fixed time: nothing is generated.
    ASSERT_EQ(Run({"--convert", PANOLCD_SAMPLE_PROJECT, Path("JOB.LCD")}), 0) << err_.str();
    ::setenv("SOURCE_DATE_EPOCH", "12x", 1);
    EXPECT_EQ(Run({"--generate", Path("JOB.LCD")}), 1);
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(err_.str(), "SOURCE_DATE_EPOCH is not a number of seconds: 12x\n");
    EXPECT_FALSE(std::filesystem::exists(Path("JOB.PRI")));
    EXPECT_FALSE(std::filesystem::exists(Path("JOB.T10")));

    // The previous include file cannot make way (a directory holds its safety copy's name): it
    // stays as it was, the declaration is still written, and the command fails.
    WriteFile("JOB.PRI", "old");
    std::filesystem::create_directory(Path("JOB.~RI"));
    WriteFile("JOB.~RI/keep", "x");
    EXPECT_EQ(Run({"--generate", Path("JOB.LCD")}), 1);
    EXPECT_EQ(err_.str().rfind(Path("JOB.PRI") + ": ", 0), 0u) << err_.str();
    EXPECT_EQ(ReadFile(Path("JOB.PRI")), "old");
    EXPECT_TRUE(std::filesystem::exists(Path("JOB.T10")));
}

TEST_F(Batch, ProjectsUnderADirectoryWindows1250CannotSpellAreConvertedAndGenerated) {
    const std::filesystem::path dir = TempDir() / std::filesystem::path(u8"プロジェクト");
    std::filesystem::create_directory(dir);
    // The arguments as main takes them from the command line.
    const std::string job = FileNameFromUtf8((dir / "JOB.LCD").string());
    ASSERT_EQ(Run({"--convert", PANOLCD_SAMPLE_PROJECT, job}), 0) << err_.str();
    EXPECT_EQ(ReadFile(dir / "JOB.LCD"), ReadFile(PANOLCD_SAMPLE_PROJECT));
    ASSERT_EQ(Run({"--convert", job, job}), 0) << err_.str();
    EXPECT_TRUE(std::filesystem::exists(dir / "JOB.~CD"));

    ASSERT_EQ(Run({"--generate", job}), 0) << err_.str();
    EXPECT_TRUE(std::filesystem::exists(dir / "JOB.PRI"));
    // Only the path written into the declaration loses what it cannot hold, with a warning
    // that names the directory as the file system spells it.
    EXPECT_NE(ReadFile(dir / "JOB.T10").find("/" + std::string(6, '?') + "/JOB.bin\r\n"),
              std::string::npos);
    EXPECT_NE(err_.str().find("warning"), std::string::npos) << err_.str();
    EXPECT_EQ(Run({"--convert", FileNameFromUtf8((dir / "NONE.LCD").string()), job}), 1);
    EXPECT_EQ(err_.str().rfind((dir / "NONE.LCD").string() + ": ", 0), 0u) << err_.str();
}

TEST_F(Batch, RenderWritesEveryScreenOrOneAsTheLcdShowsIt) {
    EXPECT_TRUE(IsBatchCommand({"--render"}));
    const std::string dir = Path("shots");
    ASSERT_EQ(
        Run({"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "all", "--zoom", "2", "--out", dir}),
        0)
        << err_.str();
    for (const char* name : {"SCR_HLAVNI.png", "SCR_PREHLED.png"})
        EXPECT_EQ(ReadFile(std::filesystem::path(dir) / name).substr(0, 4), "\x89PNG") << name;

    ASSERT_EQ(Run({"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "scr_prehled", "--layers", "1",
                   "--out", Path("LCD.BMP")}),
              0)
        << err_.str();
    const BmpReadResult lcd = ReadBmpFile(Path("LCD.BMP"));
    ASSERT_TRUE(lcd.ok) << lcd.error;
    EXPECT_EQ(lcd.image.width, 240);
    EXPECT_EQ(lcd.image.bitsPerPixel, 1);
    EXPECT_TRUE(std::any_of(lcd.image.ink.begin(), lcd.image.ink.end(),
                            [](std::uint8_t pixel) { return pixel != 0; }));

    struct Case {
        std::vector<std::string> args;
        const char* error;
    } const failures[] = {
        {{"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "9", "--out", Path("X.png")},
         "no screen 9"},
        {{"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "1", "--zoom", "3", "--out", "X.png"},
         "--zoom takes 1, 2 or 4"},
        {{"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "1", "--layers", "1,40", "--out", "X"},
         "--layers takes"},
        {{"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "1"}, "--render needs"},
        {{"--render", PANOLCD_SAMPLE_PROJECT, "--screen", "1", "--out", Path("X.gif")},
         "written as .png or .bmp"},
        {{"--render", Path("NONE.LCD"), "--screen", "1", "--out", Path("X.png")}, "NONE.LCD"},
    };
    for (const Case& c : failures) {
        EXPECT_EQ(Run(c.args), 1) << c.error;
        EXPECT_NE(err_.str().find(c.error), std::string::npos) << err_.str();
        EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << err_.str();
    }
    EXPECT_FALSE(std::filesystem::exists(Path("X.png")));
    EXPECT_FALSE(std::filesystem::exists(Path("X.gif")));
}

// A text whose position is far beyond the LCD (a damaged record) is drawn at once at every zoom.
TEST_F(Batch, RenderOfAFarAwayTextEndsAtOnce) {
    const std::string job = Job([] {
        TDataBase& objects = *Screens().Record(0)->GetDBTidDataBase(kDBScreenObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            const ObjectRecordView object(objects.Record(i)->RecData);
            if (object.Kind() == kObjText)
                object.SetX1(600000000);
        }
    });
    // The default font beside the program draws the sample's texts.
    std::filesystem::copy_file(PANOLCD_DEFAULT_FONT_FILE, TempDir() / "panolcd.FNT");
    const Deadline deadline(std::chrono::seconds(60), "--render of a far away text");
    for (const char* zoom : {"1", "2", "4"}) {
        EXPECT_EQ(Run({"--render", job, "--screen", "all", "--zoom", zoom, "--out", Path("all")}),
                  0)
            << err_.str();
        EXPECT_EQ(ReadFile(Path("all/SCR_HLAVNI.png")).substr(0, 4), "\x89PNG") << zoom;
    }
    EXPECT_EQ(Run({"--render", job, "--screen", "1", "--out", Path("LCD.BMP")}), 0) << err_.str();
    EXPECT_TRUE(ReadBmpFile(Path("LCD.BMP")).ok);
}

// Screens whose names make one file name get their numbers added; where even that leaves two
// alike the command fails before it writes anything.
TEST_F(Batch, RenderOfAllScreensWritesOneFileForEachScreen) {
    const auto addScreen = [](std::uint8_t number, const std::string& symbol) {
        auto screen = TDBRecordObj::New({}, 0, schema::kRecScreen);
        ScreenRecordView(screen->RecData).SetScrNum(number);
        ScreenRecordView(screen->RecData).SetScrSymb(symbol);
        Screens().Insert(std::move(screen));
    };
    const std::string job = Job([&] {
        addScreen(7, "A.B");
        addScreen(8, "A_B");
        addScreen(9, Cz("ČERP"));
        addScreen(10, Cz("ŘERP"));
        addScreen(11, "a.b"); // alike but for letter case
        addScreen(12, "");
    });
    ASSERT_EQ(Run({"--render", job, "--screen", "all", "--out", Path("all")}), 0) << err_.str();
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(Path("all")))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"A_B_7.png", "A_B_8.png", "SCR_HLAVNI.png",
                                                 "SCR_PREHLED.png", "_ERP_10.png", "_ERP_9.png",
                                                 "a_b_11.png", "screen12.png"}));

    const std::string clash = Job([&] {
        addScreen(7, "A.B");
        addScreen(8, "A_B");
        addScreen(9, "A_B_7");
    });
    EXPECT_EQ(Run({"--render", clash, "--screen", "all", "--out", Path("clash")}), 1);
    EXPECT_NE(err_.str().find("A_B_7.png"), std::string::npos) << err_.str();
    EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << err_.str();
    EXPECT_FALSE(std::filesystem::exists(Path("clash")));
}

// An output is never the project or a file it names, and it is put in place as a new file.
TEST_F(Batch, RenderNeverReplacesTheProjectsFilesAndWritesANewFile) {
    const std::string job = Job([] {});
    WriteFile("pozadi.bmp", "keep"); // the sample's bitmap bank 1
    WriteFile("velky.fnt", "keep");  // and its font bank 1
    std::filesystem::create_symlink(job, Path("link.png"));
    std::filesystem::create_hard_link(Path("velky.fnt"), Path("hard.bmp"));
    struct Case {
        const char* out;
        const char* named;
    } const refused[] = {
        {"pozadi.bmp", "pozadi.bmp"},
        {"POZADI.BMP", "pozadi.bmp"}, // the project finds its bitmap under any letter case
        {"link.png", "JOB.LCD"},
        {"hard.bmp", "velky.fnt"},
    };
    for (const Case& c : refused) {
        EXPECT_EQ(Run({"--render", job, "--screen", "1", "--out", Path(c.out)}), 1) << c.out;
        EXPECT_EQ(err_.str().rfind(Path(c.out) + ": ", 0), 0u) << err_.str();
        EXPECT_NE(err_.str().find(c.named), std::string::npos) << err_.str();
    }
    EXPECT_EQ(ReadFile(Path("pozadi.bmp")), "keep");
    EXPECT_EQ(ReadFile(Path("velky.fnt")), "keep");
    EXPECT_FALSE(std::filesystem::exists(Path("POZADI.BMP")));
    EXPECT_TRUE(LoadProjectFile(job).ok);
    CloseProjectColl();

    // A picture replaced is a new file: another name of the old one keeps the old bytes, and no
    // safety copy is left beside it.
    WriteFile("old.png", "old");
    std::filesystem::create_hard_link(Path("old.png"), Path("shot.png"));
    ASSERT_EQ(Run({"--render", job, "--screen", "1", "--out", Path("shot.png")}), 0) << err_.str();
    EXPECT_EQ(ReadFile(Path("shot.png")).substr(0, 4), "\x89PNG");
    EXPECT_EQ(ReadFile(Path("old.png")), "old");
    EXPECT_FALSE(std::filesystem::exists(Path("shot.~NG")));
}

} // namespace
} // namespace panolcd::testing

namespace panolcd::testing {
namespace {

// Pictures of a test: a .png is a white square with a black left half.
std::optional<GreyImage> HalfBlack(const std::string& fileName, std::string& error) {
    if (!fileName.ends_with(".png")) {
        error = "unreadable " + fileName;
        return std::nullopt;
    }
    GreyImage picture{128, 128, std::vector<std::uint8_t>(128 * 128, 255)};
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 64; ++x)
            picture.levels[static_cast<std::size_t>(y * 128 + x)] = 0;
    return picture;
}

TEST_F(Batch, ImportImageWritesAnLcdBitmapOrSaysWhyNot) {
    const PictureReader before = CurrentPictureReader();
    SetPictureReader(&HalfBlack);
    EXPECT_TRUE(IsBatchCommand({"--import-image"}));
    ASSERT_EQ(Run({"--import-image", Path("a.png"), Path("A.BMP"), "--crop"}), 0) << err_.str();
    const BmpReadResult cropped = ReadBmpFile(Path("A.BMP"));
    ASSERT_TRUE(cropped.ok) << cropped.error;
    EXPECT_EQ(cropped.image.width, 240);
    EXPECT_EQ(cropped.image.bitsPerPixel, 1);
    EXPECT_TRUE(cropped.image.Ink(0, 0));
    EXPECT_FALSE(cropped.image.Ink(239, 0));
    // Fitted whole: the square stands in the middle, its black half from x = 56 to 119.
    ASSERT_EQ(Run({"--import-image", Path("a.png"), Path("B.BMP"), "--threshold", "1"}), 0);
    const BmpReadResult fitted = ReadBmpFile(Path("B.BMP"));
    ASSERT_TRUE(fitted.ok);
    EXPECT_EQ(std::count(fitted.image.ink.begin(), fitted.image.ink.end(), 1), 64 * 128);
    EXPECT_FALSE(fitted.image.Ink(55, 0));
    EXPECT_TRUE(fitted.image.Ink(56, 0));
    EXPECT_TRUE(fitted.image.Ink(119, 127));
    EXPECT_FALSE(fitted.image.Ink(120, 0));

    const std::vector<std::vector<std::string>> refused = {
        {"--import-image", Path("a.png")},
        {"--import-image", Path("a.png"), Path("C.BMP"), "--threshold", "0"},
        {"--import-image", Path("a.png"), Path("C.BMP"), "--threshold", "9", "--dither"},
        {"--import-image", Path("a.png"), Path("C.BMP"), "--zoom"},
        {"--import-image", Path("a.gif"), Path("C.BMP")},
    };
    for (const auto& args : refused) {
        EXPECT_EQ(Run(args), 1) << args.back();
        EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << err_.str();
    }
    EXPECT_FALSE(std::filesystem::exists(Path("C.BMP")));
    SetPictureReader(before);
}

} // namespace
} // namespace panolcd::testing
