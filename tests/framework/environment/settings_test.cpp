#include "framework/environment/settings.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"
#include "support/test_context.h"

namespace panolcd {
namespace {

using testing::ContextTest;
using testing::Cz;

class CapturingTrace final : public TraceChannelWindow {
public:
    std::vector<std::string> lines;
    void HandleTraceMessage(int, const std::string* text) override {
        lines.push_back(text ? *text : std::string());
    }
};

struct LocateCase {
    const char* exe;
    std::vector<std::string> args;
    const char* iniFile;
};

TEST(SettingsLocate, FindsTheSettingsFile) {
    const LocateCase cases[] = {
        {"/opt/pano/PROG", {}, "/opt/pano/PROG.INI"},
        {"/opt/pano/PROG.EXE", {}, "/opt/pano/PROG.INI"},
        {"/opt/pano/PROG", {"/x/JOB.LCD"}, "/x/JOB.INI"},
        {"/opt/pano/PROG", {"JOB.LCD", "/y/OTHER.LCD"}, "/opt/pano/JOB.INI"},
        {"/opt/pano/PROG", {"sub/JOB"}, "sub/JOB.INI"},
        {"/opt/pano/PROG", {"D:\\X\\JOB.LCD"}, "D:\\X\\JOB.INI"},
        {"/opt/pano/PROG", {""}, "/opt/pano/PROG.INI"},
    };
    for (const LocateCase& c : cases) {
        SettingsLocation where;
        LocateSettingsFile(c.exe, c.args, where);
        EXPECT_EQ(where.iniFile, c.iniFile) << c.exe;
        EXPECT_EQ(where.exeDir, "/opt/pano/");
        EXPECT_EQ(where.exePath, c.exe);
    }
    SettingsLocation where;
    LocateSettingsFile("/opt/pano/prog.v2.bin", {}, where);
    EXPECT_EQ(where.exeName, "prog.v2");
}

TEST(SettingsLocate, LongPathsAreNotCut) {
    const std::string dir = "/" + std::string(291, 'd') + "/";
    SettingsLocation where;
    LocateSettingsFile("/opt/PROG", {dir + "JOB.LCD"}, where);
    EXPECT_EQ(where.iniFile, dir + "JOB.INI");
    EXPECT_EQ(where.iniFile.size(), 300u);
}

class SettingsTest : public ContextTest {
protected:
    SettingsLocation Locate(const std::string& iniName) {
        SettingsLocation where;
        LocateSettingsFile(FromFsPath(TempDir() / "PROG"), {iniName}, where);
        return where;
    }
    void UseIni(const std::string& bytes, const std::string& write = "WR") {
        const auto path = WriteFile("P.INI", bytes);
        EnvCtx().settings.iniFile = FromFsPath(path);
        EnvCtx().settings.readSection = "RD";
        EnvCtx().settings.writeSection = write;
    }
};

TEST_F(SettingsTest, OpenReportsUnusableSettings) {
    struct Case {
        const char* bytes; // nullptr: no file
        std::string message;
    };
    const Case cases[] = {
        {nullptr, " not found"},
        {"[SECTIONS]\r\nWR_SECTION=W\r\n", " RD_SECTION not specified"},
        {"[SECTIONS]\r\nRD_SECTION=\r\n", " RD_SECTION not specified"},
        {"[SECTIONS]\r\nRD_SECTION=Run\r\n", " RD_SECTION=Run not valid"},
        {"[SECTIONS]\r\nRD_SECTION=Run\r\n[Run]\r\n;only=comment\r\n", " RD_SECTION=Run not valid"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "C" + std::to_string(n++) + ".INI";
        if (c.bytes)
            WriteFile(name, c.bytes);
        SettingsLocation where = Locate(name);
        EXPECT_EQ(OpenSettings(where), "INI file " + where.iniFile + c.message) << name;
    }
}

TEST_F(SettingsTest, OpenReadsTheSectionNames) {
    WriteFile("JOB.INI", "[sections]\r\nrd_section=Run\r\nWR_SECTION=Save\r\n[RUN]\r\nX=1\r\n");
    SettingsLocation where = Locate("JOB.LCD");
    EXPECT_EQ(OpenSettings(where), std::nullopt);
    EXPECT_EQ(where.readSection, "Run");
    EXPECT_EQ(where.writeSection, "Save");

    WriteFile("NOWR.INI", "[SECTIONS]\r\nRD_SECTION=Run\r\n[Run]\r\nX=1\r\n");
    where = Locate("NOWR.LCD");
    EXPECT_EQ(OpenSettings(where), std::nullopt);
    EXPECT_EQ(where.writeSection, "");
}

TEST_F(SettingsTest, OpenFindsAProfileInAnotherLetterCase) {
    WriteFile("job.ini", "[SECTIONS]\r\nRD_SECTION=Run\r\n[Run]\r\nX=1\r\n");
    SettingsLocation where = Locate("JOB.LCD");
    EXPECT_EQ(OpenSettings(where), std::nullopt);
    EXPECT_EQ(where.iniFile, FromFsPath(TempDir() / "job.ini"));
}

TEST_F(SettingsTest, ReadIniStringReadsWholeValues) {
    const std::string longPath = "/" + std::string(300, 'p') + "/LAST.LCD";
    UseIni("[RD]\r\nAPP= UPD=1 PRJ='" + longPath + "'\r\nCz=" + Cz("žluť") + "\r\n");
    EXPECT_EQ(ReadIniString("RD", "APP"), "UPD=1 PRJ='" + longPath + "'");
    EXPECT_EQ(ReadIniString("rd", "cz"), Cz("žluť"));
    EXPECT_EQ(ReadIniString("RD", "none"), "");
    EnvCtx().settings.iniFile.clear();
    EXPECT_EQ(ReadIniString("RD", "APP"), "");
}

TEST_F(SettingsTest, ReadIniNumberChecksLimits) {
    UseIni("[RD]\r\nok=40\r\nlow=30\r\nword=abc\r\nhex=$ff\r\nlong=" + std::string(126, '0') +
           "12\r\nempty=\r\n");
    struct Case {
        const char* key;
        std::int32_t max, min;
        bool ok;
        std::int32_t value; // 80 stays when refused
    };
    const Case cases[] = {
        {"ok", 255, 40, true, 40},     {"ok", 255, 41, false, 80},  {"low", 255, 40, false, 80},
        {"word", 255, 0, false, 80},   {"hex", 255, 40, true, 255}, {"empty", 255, 0, false, 80},
        {"absent", 255, 0, false, 80}, {"long", 255, 0, true, 1}, // only the first 127 characters
                                                                  // are parsed
    };
    for (const Case& c : cases) {
        std::int32_t value = 80;
        EXPECT_EQ(ReadIniNumber("RD", c.key, c.max, c.min, value), c.ok) << c.key;
        EXPECT_EQ(value, c.value) << c.key;
    }
}

TEST_F(SettingsTest, WriteIniStringUsesTheWriteSection) {
    UseIni("[RD]\r\nAPP=1\r\n");
    WriteIniString("APP", " UPD=1");
    EXPECT_EQ(ReadFile(ToFsPath(EnvCtx().settings.iniFile)),
              "[RD]\r\nAPP=1\r\n[WR]\r\nAPP= UPD=1\r\n");

    UseIni("[RD]\r\nAPP=1\r\n", "RD"); // read and write sections may be the same
    WriteIniString("app", "2");
    EXPECT_EQ(ReadFile(ToFsPath(EnvCtx().settings.iniFile)), "[RD]\r\nAPP=2\r\n");
}

TEST_F(SettingsTest, WriteIniStringWithoutWriteSectionWritesNothing) {
    UseIni("[RD]\r\nAPP=1\r\n", "");
    WriteIniString("APP", "2");
    EXPECT_EQ(ReadFile(ToFsPath(EnvCtx().settings.iniFile)), "[RD]\r\nAPP=1\r\n");
}

TEST_F(SettingsTest, WriteIniStringFailureIsTraced) {
    CapturingTrace trace;
    RegisterTraceChannel(0, &trace);
    EnvCtx().settings.iniFile = FromFsPath(TempDir() / "missing" / "P.INI");
    EnvCtx().settings.writeSection = "WR";
    WriteIniString("APP", "2");
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_NE(trace.lines[0].find("!Error-WriteIniString(" + EnvCtx().settings.iniFile +
                                  ") APP: " + ResText(102)),
              std::string::npos)
        << trace.lines[0];
}

} // namespace
} // namespace panolcd
