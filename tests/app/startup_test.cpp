#include "app/startup.h"

#include "app/batch.h"
#include "app/mainformsession.h"
#include "common/paths.h"
#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/settings.h"
#include "framework/persistence/classregistry.h"
#include "support/test_context.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class StartUp : public testing::ContextTest {
protected:
    std::string ExePath() const { return FromFsPath(TempDir() / "panolcd"); }
    std::string IniPath() const { return FromFsPath(TempDir() / "panolcd.INI"); }
};

TEST_F(StartUp, MessagesForUnusableSettings) {
    struct Case {
        const char* ini; // nullptr: no file
        std::string expected;
    };
    const std::string path = IniPath();
    const Case cases[] = {
        {nullptr, "INI file " + path + " not found"},
        {"[SECTIONS]\r\nWR_SECTION=X\r\n", "INI file " + path + " RD_SECTION not specified"},
        {"[SECTIONS]\r\nRD_SECTION=Main\r\n", "INI file " + path + " RD_SECTION=Main not valid"},
        {"[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\n; only a comment\r\n",
         "INI file " + path + " RD_SECTION=Main not valid"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(TempDir() / "panolcd.INI");
        if (c.ini)
            WriteFile("panolcd.INI", c.ini);
        const auto error = PrepareStart(ExePath(), {});
        ASSERT_TRUE(error.has_value()) << c.expected;
        EXPECT_EQ(*error, c.expected);
    }
}

TEST_F(StartUp, UsableSettingsNameTheirSections) {
    WriteFile("panolcd.INI",
              "[SECTIONS]\r\nRD_SECTION=Main\r\nWR_SECTION=Saved\r\n[main]\r\nA=1\r\n");
    EXPECT_FALSE(PrepareStart(ExePath(), {}).has_value());
    EXPECT_EQ(EnvCtx().settings.readSection, "Main");
    EXPECT_EQ(EnvCtx().settings.writeSection, "Saved");
    EXPECT_EQ(EnvCtx().settings.iniFile, IniPath());
}

TEST_F(StartUp, FirstArgumentSelectsTheProfile) {
    WriteFile("JOB.INI", "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nA=1\r\n");
    EXPECT_FALSE(PrepareStart(ExePath(), {"JOB.LCD", "ignored"}).has_value());
    EXPECT_EQ(EnvCtx().settings.iniFile, FromFsPath(TempDir() / "JOB.INI"));
}

TEST_F(StartUp, AMissingProjectOrProgramIsReportedAsSuchNotAsMissingSettings) {
    WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nA=1\r\n");
    WriteFile("OWN.INI", "[SECTIONS]\r\nRD_SECTION=S\r\n[S]\r\nA=1\r\n");
    const std::string dir = FromFsPath(TempDir() / "gone") + "/";
    struct Case {
        std::string arg;
        std::string expected; // empty: the start goes on
    } const cases[] = {
        {dir + "JOB.LCD", "Projekt " + dir + "JOB.LCD neexistuje"},
        {dir + "job.prg", "Program " + dir + "job.prg neexistuje"},
        {dir + "JOB.INI", "INI file " + dir + "JOB.INI not found"},
        {dir + "JOB", "INI file " + dir + "JOB.INI not found"},
        // A project with a settings profile of its own name: the profile is what it selects.
        {FromFsPath(TempDir() / "OWN.LCD"), ""},
    };
    for (const Case& c : cases) {
        const auto error = PrepareStart(ExePath(), {c.arg});
        EXPECT_EQ(error.value_or(""), c.expected) << c.arg;
    }
}

// The environment a test changes, restored after it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::vector<std::string> FilesUnder(const std::filesystem::path& dir) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        files.push_back(FromFsPath(entry.path()) + " " +
                        std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(StartUp, InstalledTheUsersSettingsAreMadeAndTheInstalledFilesStayAsTheyAre) {
    const std::string defaults = "[SECTIONS]\r\nRD_SECTION=S\r\nWR_SECTION=S\r\n[S]\r\nA=1\r\n";
    WriteFile("prefix/share/panolcd/panolcd.APP", "not a description");
    WriteFile("prefix/share/panolcd/panolcd.INI", defaults);
    WriteFile("work/JOB.LCD", "");
    const std::string home = FromFsPath(TempDir() / "home");
    const ScopedEnvironment homeVar("HOME", home.c_str());
    const ScopedEnvironment configVar("XDG_CONFIG_HOME", nullptr);
    const std::string exe = FromFsPath(TempDir() / "prefix/bin/panolcd");
    const auto installed = FilesUnder(TempDir() / "prefix");

    ASSERT_EQ(PrepareStart(exe, {}), std::nullopt);
    const std::string userIni = home + "/.config/panolcd/panolcd.INI";
    EXPECT_EQ(EnvCtx().settings.iniFile, userIni);
    EXPECT_EQ(ReadFile(ToFsPath(userIni)), defaults);
    WriteIniString("A", "2"); // the user's copy takes the change

    // A project without a profile of its own opens with the user's settings.
    const std::string job = FromFsPath(TempDir() / "work/JOB.LCD");
    ASSERT_EQ(PrepareStart(exe, {job}), std::nullopt);
    EXPECT_EQ(EnvCtx().settings.startDocument, job);
    EXPECT_EQ(EnvCtx().settings.iniFile, userIni);
    EXPECT_NE(ReadFile(ToFsPath(userIni)).find("A=2"), std::string::npos);

    // Batch commands read the installed description.
    std::ostringstream err;
    EXPECT_EQ(RunBatchCommand(exe, {"--convert", job, job + ".out"}, err), EXIT_FAILURE);
    EXPECT_EQ(err.str().rfind("APP file " + FromFsPath(TempDir() / "prefix/share/panolcd/") +
                                  "panolcd.APP: ",
                              0),
              0u)
        << err.str();
    EXPECT_EQ(FilesUnder(TempDir() / "prefix"), installed);
}

TEST_F(StartUp, MissingApplicationDescriptionStopsTheMainForm) {
    WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\nAPP=UPD=0\r\n");
    ASSERT_FALSE(PrepareStart(ExePath(), {}).has_value());
    const std::string app = FromFsPath(TempDir() / "panolcd.APP");
    try {
        MainFormSession session({});
        ADD_FAILURE() << "started without " << app;
    } catch (const std::exception& e) {
        EXPECT_EQ(StartFailureText(e.what()), "APP file " + app + ": Cannot open file " + app);
    }
}

TEST(ProgramPathTest, IsAnAbsolutePathOfThisProcess) {
    const std::string path = ProgramPath("argv0");
    EXPECT_TRUE(std::filesystem::path(path).is_absolute());
    EXPECT_TRUE(std::filesystem::exists(ToFsPath(path)));
}

} // namespace
} // namespace panolcd

namespace panolcd {
namespace {

TEST(StartUpClasses, EveryStreamClassBuiltSoFarIsRegisteredAtStart) {
    RegisterStreamClasses();
    const char* const names[] = {
        // collections
        "TrbCollection", "TrbSortedCollection",
        // field descriptors
        "TRecFieldTypeDscr", "TByteRecFieldDscr", "TByteLimRecFieldDscr", "TWordRecFieldDscr",
        "TSpecWordRecFieldDscr", "TWordLimRecFieldDscr", "TSmallIntRecFieldDscr",
        "TSmallIntLimRecFieldDscr", "TSpecSmallIntRecFieldDscr", "TSpecSmallIntLimRecFieldDscr",
        "TIntegerRecFieldDscr", "TLIntRecFieldDscr", "TSpecLIntRecFieldDscr",
        "TLIntLimRecFieldDscr", "TDWordRecFieldDscr", "TRealpRecFieldDscr", "TRealpLimRecFieldDscr",
        "TEnumRecFieldDscr", "TDBStringFieldDscr", "TLabelFieldDscr", "TCompoundTDscr",
        "TEnumSetFieldDscr", "TAbstractCaseTypeDscr", "TByteCaseTypeDscr", "TWordOffsRecFieldDscr",
        "TIdentRecFieldDscr", "TRefPStr_FieldDscr", "TJoinDBNullFieldDscr", "TRefIdent_FieldDscr",
        "TRefByte_FieldDscr", "TCaseTDscr", "TByteCaseTDscr", "TRootLookRefByte_FieldDscr",
        "TVsCodeStringDscr",
        // record types, record objects, initiators
        "TRecordTypeDscr", "TRecTypesDscrColl", "TDscrRecObj", "TDscrAssignTable",
        "TByteDscrAssTab", "TWordDscrAssTab", "TRecElIniciatorObj", "TByteElIniciatorObj",
        "TWordElIniciatorObj", "TIntegerElIniciatorObj", "TDWordElIniciatorObj",
        "TRealpElIniciatorObj", "TPStrElIniciatorObj", "TDBPtrElIniciatorObj",
        "TSpecSmallIntElIniciatorObj", "TSpecLIntElIniciatorObj", "TRecIniciatorColl",
        // enumeration types
        "TEnumTypeElObj", "TEnumTransferObj", "TEnumTypeDefStrings", "TEnumTypeDefinition",
        "TEnumTypesColl",
        // databases
        "TDynDBPtrRecFieldDscr", "THiddenDynDBPtrRecFieldDscr", "TDBRecordObj", "TDataBase",
        "TDBColl", "TDBEditValidatorsColl", "TDBLookValidatorsColl", "TDBFilterValidator",
        "TDBFilterValColl", "TDBCaptionObj", "TDataBaseDscrObj", "TDataBaseDscrColl",
        // application description, parameter records
        "TAppData", "TParRecTypesColl", "TParRecData", "TParRecColl", "TParRecordObj"};
    for (const char* name : names) {
        const auto object = ClassRegistry::Construct(AsciiUpper(name)); // any letter case
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
    }
}

} // namespace
} // namespace panolcd
