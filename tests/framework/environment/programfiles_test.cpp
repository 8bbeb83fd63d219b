#include "framework/environment/programfiles.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "support/test_context.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

namespace fs = std::filesystem;

class ProgramFiles : public testing::ContextTest {
protected:
    std::string Dir(const std::string& relative) const {
        return AppendSeparator(FromFsPath(TempDir() / relative));
    }
    void Touch(const std::string& relative, const std::string& bytes = "x") const {
        const fs::path path = TempDir() / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // An installed program: prefix/bin/panolcd with its files in prefix/share/panolcd.
    SettingsLocation Installed(const UserFolders& user) {
        Touch("prefix/bin/panolcd");
        Touch("prefix/share/panolcd/panolcd.APP");
        Touch("prefix/share/panolcd/panolcd.INI", "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nA=1\r\n");
        SettingsLocation where;
        EXPECT_EQ(FindProgramFiles(Dir("prefix/bin") + "panolcd", "../share/panolcd", user, where),
                  std::nullopt);
        return where;
    }
};

TEST_F(ProgramFiles, BesideABuildEverythingIsBesideTheProgram) {
    Touch("build/bin/panolcd.APP");
    Touch("prefix/share/panolcd/panolcd.APP"); // beside wins
    SettingsLocation where;
    EXPECT_EQ(FindProgramFiles(Dir("build/bin") + "panolcd", "../../prefix/share/panolcd", {"", ""},
                               where),
              std::nullopt);
    EXPECT_EQ(where.exeDir, Dir("build/bin"));
    EXPECT_EQ(where.dataDir, "");
    EXPECT_EQ(where.userDir, "");
    EXPECT_EQ(ProgramFile(where, ".FNT"), Dir("build/bin") + "panolcd.FNT");
    EXPECT_EQ(ProgramDir(where), Dir("build/bin"));
    LocateSettingsFile(where.exePath, {"JOB"}, where);
    EXPECT_EQ(where.iniFile, Dir("build/bin") + "JOB.INI");

    // No description anywhere: the missing one beside the program is reported later.
    SettingsLocation none;
    EXPECT_EQ(FindProgramFiles(Dir("elsewhere") + "panolcd", "../share/panolcd", {"", "/h"}, none),
              std::nullopt);
    EXPECT_EQ(none.dataDir, "");
}

TEST_F(ProgramFiles, InstalledTheUsersFoldersHoldTheSettings) {
    struct Case {
        UserFolders user;
        std::string userDir;
        std::string homeDir;
    };
    const Case cases[] = {
        {{"/cfg", "/home/u"}, "/cfg/panolcd/", "/home/u/"},
        {{"", "/home/u"}, "/home/u/.config/panolcd/", "/home/u/"},
        {{"relative/cfg", "/home/u/"}, "/home/u/.config/panolcd/", "/home/u/"},
        {{"/cfg", ""}, "/cfg/panolcd/", "/cfg/panolcd/"},
    };
    for (const Case& c : cases) {
        SettingsLocation where = Installed(c.user);
        EXPECT_EQ(where.dataDir, Dir("prefix/share/panolcd")) << c.user.configHome;
        EXPECT_EQ(where.userDir, c.userDir) << c.user.configHome;
        EXPECT_EQ(where.homeDir, c.homeDir) << c.user.configHome;
        EXPECT_EQ(ProgramFile(where, ".LC$"), Dir("prefix/share/panolcd") + "panolcd.LC$");
        LocateSettingsFile(where.exePath, {}, where);
        EXPECT_EQ(where.iniFile, c.userDir + "panolcd.INI");
        LocateSettingsFile(where.exePath, {"JOB.LCD"}, where);
        EXPECT_EQ(where.iniFile, c.userDir + "JOB.INI");
    }
    SettingsLocation where;
    const auto failure = FindProgramFiles(Dir("prefix/bin") + "panolcd", "../share/panolcd",
                                          {"relative", ""}, where);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("HOME"), std::string::npos);
}

TEST_F(ProgramFiles, TheFirstStartCopiesTheInstalledSettings) {
    SettingsLocation where = Installed({FromFsPath(TempDir() / "cfg"), "/home/u"});
    fs::permissions(TempDir() / "prefix/share/panolcd/panolcd.INI", fs::perms::owner_read);
    LocateSettingsFile(where.exePath, {}, where);
    ASSERT_EQ(CreateUserSettings(where), std::nullopt);
    EXPECT_EQ(ReadFile(ToFsPath(where.iniFile)), "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nA=1\r\n");
    EXPECT_EQ(OpenSettings(where), std::nullopt);
    // The copy is the user's: writable, and kept at the next start.
    EXPECT_NE(fs::status(ToFsPath(where.iniFile)).permissions() & fs::perms::owner_write,
              fs::perms::none);
    std::ofstream(ToFsPath(where.iniFile), std::ios::app) << "B=2\r\n";
    ASSERT_EQ(CreateUserSettings(where), std::nullopt);
    EXPECT_NE(ReadFile(ToFsPath(where.iniFile)).find("B=2"), std::string::npos);
    for (const auto& entry : fs::directory_iterator(ToFsPath(where.userDir)))
        EXPECT_EQ(entry.path().filename(), "panolcd.INI"); // no partial copy left

    // A named profile is never made up, but the default beside it is, for the values that
    // semantics keep there.
    SettingsLocation other = Installed({FromFsPath(TempDir() / "cfg2"), "/home/u"});
    LocateSettingsFile(other.exePath, {"JOB"}, other);
    EXPECT_EQ(CreateUserSettings(other), std::nullopt);
    EXPECT_FALSE(fs::exists(ToFsPath(other.iniFile)));
    EXPECT_TRUE(fs::exists(ToFsPath(other.userDir + "panolcd.INI")));

    // A settings folder that cannot be made is reported and nothing is written.
    Touch("blocked");
    SettingsLocation blocked = Installed({FromFsPath(TempDir() / "blocked"), "/home/u"});
    LocateSettingsFile(blocked.exePath, {}, blocked);
    const auto failure = CreateUserSettings(blocked);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->rfind("INI file " + blocked.iniFile + " not created from ", 0), 0u);
}

TEST_F(ProgramFiles, InstalledFilesAreThoseUnderTheDataFolder) {
    SettingsLocation where = Installed({"/cfg", "/home/u"});
    Touch("prefix/share/panolcd/examples/DEMO.LCD");
    fs::create_symlink(TempDir() / "prefix/share/panolcd/examples", TempDir() / "linked");
    const std::string data = Dir("prefix/share/panolcd");
    struct Case {
        std::string file;
        bool installed;
    };
    const Case cases[] = {
        {data + "examples/DEMO.LCD", true},
        {data + "examples/NEW.bmp", true}, // not there yet
        {data + "panolcd.INI", true},
        {Dir("prefix/share/panolcd/../panolcd/examples") + "DEMO.LCD", true},
        {Dir("linked") + "DEMO.LCD", true},
        {Dir("prefix/share/panolcd2") + "DEMO.LCD", false},
        {Dir("prefix/share") + "DEMO.LCD", false},
        {Dir("work") + "DEMO.LCD", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsInstalledFile(where, c.file), c.installed) << c.file;
    // Beside a build the program has no files of its own to keep.
    EXPECT_FALSE(IsInstalledFile(SettingsLocation{}, data + "examples/DEMO.LCD"));
}

TEST_F(ProgramFiles, ADocumentWithoutAProfileOpensWithTheDefaultSettings) {
    Touch("work/JOB.LCD");
    Touch("work/OWN.LCD");
    Touch("work/OWN.INI");
    Touch("work/PROG.prg");
    struct Case {
        std::string argument;
        std::string startDocument; // empty: the argument stays the profile
        std::string iniFile;
        std::string message; // of a start that cannot go on
    };
    const std::string work = Dir("work");
    const Case cases[] = {
        {work + "JOB.LCD", work + "JOB.LCD", "/opt/pano/PROG.INI", ""},
        {"JOB.LCD", work + "JOB.LCD", "/opt/pano/PROG.INI", ""}, // from the current folder
        {work + "PROG.PRG", work + "PROG.prg", "/opt/pano/PROG.INI", ""},
        {work + "OWN.LCD", "", work + "OWN.INI", ""},
        {work + "NONE.LCD", "", work + "NONE.INI", "Projekt " + work + "NONE.LCD neexistuje"},
        {"NONE.PRG", "", "/opt/pano/NONE.INI", "Program " + work + "NONE.PRG neexistuje"},
        {work + "JOB", "", work + "JOB.INI", ""},
    };
    for (const Case& c : cases) {
        SettingsLocation where;
        LocateSettingsFile("/opt/pano/PROG", {c.argument}, where);
        EXPECT_EQ(TakeDocumentArgument({c.argument}, work, where).value_or(""), c.message)
            << c.argument;
        EXPECT_EQ(where.startDocument, c.startDocument) << c.argument;
        EXPECT_EQ(where.iniFile, c.iniFile) << c.argument;
    }
}

TEST_F(ProgramFiles, InstalledTheWorkFolderIsTheUsers) {
    SettingsLocation& where = EnvCtx().settings;
    where = Installed({"/cfg", "/home/u"});
    where.iniFile = FromFsPath(WriteFile("P.INI", "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nX=1\r\n"));
    where.readSection = "S";
    TAppExtension& app = EnvCtx().app;
    app.ReadSettings();
    EXPECT_EQ(app.AppFile, Dir("prefix/share/panolcd") + "panolcd.APP");
    EXPECT_EQ(app.HelpFile, Dir("prefix/share/panolcd") + "panolcd.HLP");
    EXPECT_EQ(app.WorkDir, "/home/u/");
    EXPECT_EQ(app.WorkIniFile, "/cfg/panolcd/panolcd.INI");
    // A work folder the user names is used as everywhere.
    where.iniFile =
        FromFsPath(WriteFile("P.INI", "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nAppWork=/w\r\n"));
    app.ReadSettings();
    EXPECT_EQ(app.WorkDir, "/w/");
    EXPECT_EQ(app.WorkIniFile, "/w/panolcd.INI");
}

} // namespace
} // namespace panolcd
