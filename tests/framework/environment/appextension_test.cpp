#include "framework/environment/appextension.h"

#include "app/processcontext.h"
#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/persistence/streamerrors.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class AppExtension : public testing::ContextTest {
protected:
    // Settings of the read section, one "key=value" per entry.
    void UseSettings(const std::vector<std::string>& lines) {
        std::string text = "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\n";
        for (const auto& line : lines)
            text += line + "\r\n";
        SettingsLocation& settings = EnvCtx().settings;
        settings.iniFile = FromFsPath(WriteFile("PROG.INI", text));
        settings.readSection = "Main";
        settings.exeDir = "C:\\BIN\\";
        settings.exeName = "PROG";
    }
    TAppExtension& App() { return EnvCtx().app; }
};

TEST_F(AppExtension, DefaultsFollowTheProgramFile) {
    UseSettings({"Other=1"});
    App().ReadSettings();
    EXPECT_EQ(App().AppCaption, "");
    EXPECT_EQ(App().ResFile, "");
    EXPECT_EQ(App().AppFile, "C:\\BIN\\PROG.APP");
    EXPECT_EQ(App().AppDir, "C:\\BIN\\");
    EXPECT_EQ(App().HelpFile, "C:\\BIN\\PROG.HLP");
    EXPECT_EQ(App().EditorCmd, "NOTEPAD");
    EXPECT_EQ(App().CfgFile, "C:\\BIN\\PROG.CFG");
    EXPECT_EQ(App().ResDir, "C:\\BIN\\");
    EXPECT_EQ(App().WorkDir, "C:\\BIN\\");
    EXPECT_EQ(App().ArchDir, "C:\\BIN\\");
    EXPECT_EQ(App().RepoDir, "C:\\BIN\\");
    EXPECT_EQ(App().WorkIniFile, "C:\\BIN\\PROG.INI");
    EXPECT_FALSE(EnvCtx().useClipboard);
    EXPECT_EQ(EnvCtx().expLineWidth, 80);
}

TEST_F(AppExtension, FileAndDirectoryRules) {
    UseSettings({"APPfile=MY.APP", "AppHelp=H.HLP", "App_Cfg=D:\\CFG\\X.CFG", "AppWork=C:\\WORK",
                 "AppArch=E:\\ARCH\\", "APP_CAP=Projekt", "AppEditor=vi"});
    App().ReadSettings();
    EXPECT_EQ(App().AppFile, "C:\\BIN\\MY.APP");
    EXPECT_EQ(App().HelpFile, "C:\\BIN\\H.HLP");
    EXPECT_EQ(App().CfgFile, "D:\\CFG\\X.CFG");
    EXPECT_EQ(App().WorkDir, "C:\\WORK\\");
    EXPECT_EQ(App().ArchDir, "E:\\ARCH\\");
    EXPECT_EQ(App().RepoDir, "C:\\WORK\\");
    EXPECT_EQ(App().WorkIniFile, "C:\\WORK\\MY.INI");
    EXPECT_EQ(App().AppCaption, "Projekt");
    EXPECT_EQ(App().EditorCmd, "vi");
}

TEST_F(AppExtension, RelativeHelpFileIsTakenInTheApplicationDirectory) {
    UseSettings({"APPfile=C:\\A\\X.APP", "AppHelp=H.HLP", "AppWork=D:\\W\\"});
    App().ReadSettings();
    EXPECT_EQ(App().HelpFile, "C:\\A\\H.HLP");
    EXPECT_EQ(App().WorkIniFile, "D:\\W\\X.INI");
}

TEST_F(AppExtension, DotRelativeValuesAreExpanded) {
    UseSettings({"AppWork=./work", "APPfile=./lib/P.APP"});
    App().ReadSettings();
    const std::string cwd = FromFsPath(std::filesystem::current_path());
    EXPECT_EQ(App().WorkDir, cwd + "/work/");
    EXPECT_EQ(App().AppFile, cwd + "/lib/P.APP");
}

TEST_F(AppExtension, NumberSettingsKeepDefaultsOutsideTheirLimits) {
    struct Case {
        const char* lineWidth;
        int expected;
    };
    const Case cases[] = {{"30", 80}, {"abc", 80}, {"40", 40}, {"255", 255}, {"256", 80}};
    for (const Case& c : cases) {
        ResetContext();
        UseSettings({std::string("ExpLineWidth=") + c.lineWidth, "UseClipboard=1"});
        App().ReadSettings();
        EXPECT_EQ(EnvCtx().expLineWidth, c.expected) << c.lineWidth;
        EXPECT_TRUE(EnvCtx().useClipboard);
    }
    ResetContext();
    UseSettings({"UseClipboard=2"});
    App().ReadSettings();
    EXPECT_FALSE(EnvCtx().useClipboard);
}

TEST_F(AppExtension, ResourceLibraryReplacesTexts) {
    const auto lib = WriteFile("texts.res", "# comment\n100=Fehler\r\n\n178=Úprava\n");
    UseSettings({"APP_RES=" + FromFsPath(lib)});
    // The application description comes last: its absence leaves the texts loaded.
    EXPECT_THROW(App().InitEnvironment(), EFOpenError);
    ASSERT_TRUE(App().ResLibrary.has_value());
    EXPECT_EQ(ResText(100), "Fehler");
    EXPECT_EQ(ResText(178), testing::Cz("Úprava"));
    EXPECT_EQ(App().ResDir, FromFsPath(TempDir()) + "/");
    EXPECT_TRUE(User().shown.empty());
    App().FreeResLibrary();
    EXPECT_EQ(ResText(100), "Chyba");
}

TEST_F(AppExtension, ResourceLibraryFailuresAreReportedOnce) {
    const auto bad = FromFsPath(WriteFile("bad.res", "not a text line\n"));
    const std::string missing = FromFsPath(TempDir() / "missing.res");
    App().LoadResLibrary(bad);
    App().LoadResLibrary(missing);
    App().LoadResLibrary("");
    ASSERT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(User().shown[0].kind, MsgKind::Error);
    EXPECT_EQ(User().shown[0].text, "LoadLibrary(" + bad + ") Error=193");
    EXPECT_EQ(User().shown[1].text, "LoadLibrary(" + missing + ") Error");
    EXPECT_FALSE(App().ResLibrary.has_value());
    EXPECT_EQ(ResText(100), "Chyba");
}

} // namespace
} // namespace panolcd
