#include "app/appnameobject.h"

#include "app/mainformsession.h"
#include "app/startup.h"
#include "build/toolsettings.h"
#include "common/paths.h"
#include "framework/environment/console.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/trace.h"
#include "framework/records/appdata.h"
#include "framework/records/appdatastream.h"
#include "project/lcdbitmap.h"
#include "project/projectcontext.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

// Collects trace output as the diagnostic window's console shows it.
struct Lines : TraceChannelWindow {
    Console console{400, 40};
    void HandleTraceMessage(int message, const std::string* text) override {
        ApplyTraceMessage(console, message, text);
    }
    std::string Row(int row) const {
        const std::string& text = console.RowText(row);
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
};

class AppSettingsTest : public testing::ContextTest {
protected:
    void UseEntry(const std::string& app) {
        const auto ini =
            WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=Main\r\nWR_SECTION=Main\r\n"
                                     "[Main]\r\nAPP=" +
                                         app + "\r\n");
        EnvCtx().settings.iniFile = FromFsPath(ini);
        EnvCtx().settings.readSection = "Main";
        EnvCtx().settings.writeSection = "Main";
        EnvCtx().settings.exeDir = FromFsPath(TempDir()) + "/";
        EnvCtx().settings.exeName = "panolcd";
        EnvCtx().settings.exePath = EnvCtx().settings.exeDir + "panolcd";
        // The session loads the application description beside the program.
        RegisterStreamClasses();
        const TAppData description;
        WriteAppData(EnvCtx().settings.exeDir + "panolcd.APP", &description, nullptr);
    }
    std::string IniText() const { return ReadFile(TempDir() / "panolcd.INI"); }
};

TEST_F(AppSettingsTest, ReadsEveryKey) {
    UseEntry("DM=$FFFFFFFF TXS=0 TER=3 RLE=80 FTB=1 PRJ='/home/u/My Project.LCD'");
    TAppNameObject app;
    EXPECT_FALSE(app.ReadEntry());
    EXPECT_EQ(TraceMask(), 0xFFFFFFFFu);
    EXPECT_FALSE(app.TXS);
    EXPECT_EQ(app.TER, 3);
    EXPECT_EQ(LcdSizeOfTerminal(app.TER, {}).width, 128);
    EXPECT_EQ(LcdSizeOfTerminal(app.TER, {}).height, 64);
    EXPECT_EQ(app.RLE, 80);
    EXPECT_TRUE(app.FTB);
    EXPECT_EQ(app.PRJ, "/home/u/My Project.LCD");
}

TEST_F(AppSettingsTest, UnknownTerminalTypeChangesNothing) {
    UseEntry("TER=7 TXS=2");
    TAppNameObject app;
    app.ReadEntry();
    EXPECT_EQ(app.TER, 10);
    EXPECT_EQ(LcdSizeOfTerminal(app.TER, {}).width, 240);
    EXPECT_FALSE(app.TXS); // only 1 means true
}

TEST_F(AppSettingsTest, WritesBackInKeyOrder) {
    UseEntry("UPD=1 DM=$FFFFFFFF RLE=75 PRJ=\"/p/a.LCD\"");
    TAppNameObject app;
    app.ReadEntry();
    app.RLE = 76.5; // rounds half to even
    app.WriteParamToINI();
    EXPECT_NE(
        IniText().find("APP= UPD=1 DM=$FFFFFFFF TXS=1 TER=10 RLE=76 FTB=0 PRJ='/p/a.LCD'\r\n"),
        std::string::npos)
        << IniText();

    // What was written reads back the same.
    SetTraceMask(0);
    TAppNameObject again;
    again.ReadEntry();
    EXPECT_EQ(TraceMask(), 0xFFFFFFFFu);
    EXPECT_EQ(again.PRJ, "/p/a.LCD");
}

TEST_F(AppSettingsTest, TheLastProjectReadsBackWhateverQuotesItsPathHolds) {
    struct Case {
        const char* prj;
        const char* written;
    } const cases[] = {
        {"/home/o'brien/A.LCD", "PRJ=\"/home/o'brien/A.LCD\""},
        {"/p/say \"hi\".LCD", "PRJ='/p/say \"hi\".LCD'"},
        {"", "PRJ=''"},
    };
    for (const Case& c : cases) {
        UseEntry("UPD=1");
        {
            TAppNameObject app;
            app.ReadEntry();
            app.PRJ = c.prj;
            app.WriteParamToINI();
        }
        EXPECT_NE(IniText().find(std::string(c.written) + "\r\n"), std::string::npos) << IniText();
        TAppNameObject again;
        EXPECT_FALSE(again.ReadEntry());
        EXPECT_EQ(again.PRJ, c.prj);
    }
}

TEST_F(AppSettingsTest, TheSessionSetsTheLcdSizeOfTheTerminalType) {
    UseEntry("TER=3");
    { MainFormSession session({}); }
    EXPECT_EQ(ProjectCtx().lcdSize.width, 128);
    EXPECT_EQ(ProjectCtx().lcdSize.height, 64);
}

TEST_F(AppSettingsTest, SessionTracesAndRemembersSettings) {
    UseEntry("UPD=1 DM=1 TXS=1");
    Lines lines;
    RegisterTraceChannel(0, &lines);
    {
        MainFormSession session({"JOB.LCD"});
        EXPECT_EQ(session.AppSettings().UPD, 1);
        session.AppSettings().PRJ = "/w/JOB.LCD";
    }
    UnregisterTraceChannel(0, &lines);

    const SettingsLocation& where = EnvCtx().settings;
    EXPECT_EQ(lines.Row(0), "PanoLCD V2.10 11.11.2001");
    EXPECT_EQ(lines.Row(1), where.exePath + " JOB.LCD"); // two empty arguments follow
    EXPECT_EQ(lines.Row(2), "APP:TAppNameObject/TAppNameObject.Create INIFile=" + where.iniFile +
                                "[Main],APP=UPD=1 DM=1 TXS=1");
    EXPECT_EQ(lines.Row(3), "OK");
    EXPECT_EQ(lines.Row(4),
              "APP:TAppNameObject=[ UPD=1 DM=$00000001 TXS=1 TER=10 RLE=75 FTB=0 PRJ='']");
    // The tool settings follow in creation order, then the form's entry and exit.
    EXPECT_EQ(lines.Row(5).rfind("WCOMPILE:TWCompilerNameObject/TWCompilerNameObject.Create", 0),
              0u);
    int row = 6;
    while (row < 40 && lines.Row(row).rfind("VSLOADER:TVSLoaderNameObject/", 0) != 0)
        ++row;
    while (row < 40 && lines.Row(row).rfind("TAppMainForm", 0) != 0)
        ++row;
    EXPECT_EQ(lines.Row(row), "TAppMainForm.FormCreate  EntryViewFreeMem not implem.");
    EXPECT_EQ(lines.Row(row + 1), "TAppMainForm.FormDestroy Exit ViewFreeMem not implem.");
    EXPECT_NE(IniText().find("PRJ='/w/JOB.LCD'"), std::string::npos);
}

TEST_F(AppSettingsTest, ToolTemplatesReadAndWriteBack) {
    struct Case {
        const char* entry;
        const char* cmd;
        const char* written;
    } const cases[] = {
        {"UPD=1 CMD='/opt/vb/wcomp %s'", "/opt/vb/wcomp %s", " UPD=1 CMD='/opt/vb/wcomp %s'"},
        {"UPD=1 CMD=\"it's %s\"", "it's %s", " UPD=1 CMD=\"it's %s\""},
        {"UPD=1", "", " UPD=1 CMD=''"},
    };
    for (const Case& c : cases) {
        UseEntry("");
        WriteFile("panolcd.INI", std::string("[SECTIONS]\r\nRD_SECTION=Main\r\nWR_SECTION=Main\r\n"
                                             "[Main]\r\nWCOMPILE=") +
                                     c.entry + "\r\n");
        TWCompilerNameObject compiler;
        compiler.ReadEntry();
        EXPECT_EQ(compiler.CMD, c.cmd) << c.entry;
        compiler.WriteParamToINI();
        EXPECT_NE(IniText().find(std::string("WCOMPILE=") + c.written + "\r\n"), std::string::npos)
            << IniText();
        TWCompilerNameObject again;
        again.ReadEntry();
        EXPECT_EQ(again.CMD, c.cmd);
    }
}

TEST_F(AppSettingsTest, ADocumentNamedAtStartIsOpenedFirst) {
    UseEntry("UPD=1 PRJ='/w/LAST.LCD'");
    EnvCtx().settings.startDocument = "/w/NEW.LCD";
    {
        MainFormSession session({"/w/NEW.LCD"});
        EXPECT_EQ(session.AppSettings().PRJ, "/w/NEW.LCD");
    }
    EXPECT_NE(IniText().find("PRJ='/w/NEW.LCD'"), std::string::npos);
}

TEST_F(AppSettingsTest, MaskZeroSilencesTheCreationTraces) {
    UseEntry("DM=0");
    Lines lines;
    RegisterTraceChannel(0, &lines);
    { MainFormSession session({}); }
    UnregisterTraceChannel(0, &lines);
    // The two start-up lines and the traced creation (which starts before DM is known) remain.
    EXPECT_EQ(lines.Row(0), "PanoLCD V2.10 11.11.2001");
    for (int row = 1; row < 40; ++row)
        EXPECT_EQ(lines.Row(row).find("Form"), std::string::npos) << lines.Row(row);
}

} // namespace
} // namespace panolcd
