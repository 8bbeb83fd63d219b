#include "app/startup.h"

#include "app/mainformsession.h"
#include "common/paths.h"
#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "support/test_context.h"

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
