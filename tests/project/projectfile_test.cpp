// Project files: load into a fresh root, save with its safety copy, and damaged files that are
// refused with the place of the damage.

#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "project/dbtypes.h"
#include "project/projectfile.h"
#include "support/test_context.h"

#include <filesystem>
#include <string>

namespace panolcd::testing {
namespace {

// A small project: one root record with a font bank and a screen holding a case object.
const std::string kProject = "* $00 $5000 { }\r\n"
                             "['ProjectName';'TermObjName';'FontBanks';'Screens']\r\n"
                             "<('Projekt';'T1';$0001;$0001)\r\n"
                             "* $00 $5010 { } ['FontNum';'FontFileName'] <(0;'system')>\r\n"
                             "* $00 $5012 { } ['ScrNum';'Objects'] <(1;$0001)\r\n"
                             "* $00 $5020 { } ['Kind';'ObjText';'SubDBLink'] <(12;'case';$0001)\r\n"
                             "* $00 $5022 { } ['CaseConstSym';'CaseLayer'] <('else';3)>\r\n"
                             ">>>\r\n";

class ProjectFile : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
    }
    void TearDown() override {
        CloseProjectColl();
        ContextTest::TearDown();
    }
    std::string Path(const char* name) const { return (TempDir() / name).string(); }
};

TEST_F(ProjectFile, LoadSaveLoadSaveIsByteIdenticalAndKeepsTheSafetyCopy) {
    WriteFile("IN.LCD", kProject);
    ASSERT_TRUE(LoadProjectFile(Path("IN.LCD")).ok) << User().shown.size();
    EXPECT_EQ(ProjectColl()->DBFileName, Path("IN.LCD"));
    const std::int16_t rootAdr = ProjectColl()->InstAdr;
    ASSERT_TRUE(SaveProjectFile(*ProjectColl(), Path("A.LCD")).ok);
    const std::string first = ReadFile(Path("A.LCD"));

    ASSERT_TRUE(LoadProjectFile(Path("A.LCD")).ok);
    EXPECT_EQ(ProjectColl()->InstAdr, rootAdr); // numbering restarts for every project
    WriteFile("A.LCD", "previous");
    ASSERT_TRUE(SaveProjectFile(*ProjectColl(), Path("A.LCD")).ok);
    EXPECT_EQ(ReadFile(Path("A.LCD")), first);
    EXPECT_EQ(ReadFile(Path("A.~CD")), "previous");
    EXPECT_EQ(ProjectColl()->DBFileName, Path("A.LCD"));
    EXPECT_TRUE(User().shown.empty()); // failures are reported, never shown
}

TEST_F(ProjectFile, DamagedFilesAreRefusedWithTheirPlace) {
    struct Case {
        const char* what;
        std::string text;
        std::uint32_t line;
        std::size_t column = 0; // 0: not checked
    };
    const Case cases[] = {
        {"truncated", kProject.substr(0, kProject.find("(0;'sys") + 4), 4},
        {"wrong type word", "* $00 $5010 { } ['FontNum'] <(1)>", 1},
        {"unknown type word", "* $00 $4321 { } ['FontNum'] <(1)>", 1},
        {"bad token", "* $00 $5000 { } ['PrgBankNum']\r\n<(x)>", 2},
        {"unbalanced bracket", "* $00 $5000 { } ['ProjectName']\r\n<('a'>", 2},
        {"nested # database", "* $00 $5000 { } ['FontBanks']\r\n<($0001)\r\n# $00 $5010 { }>", 3},
        {"text after the end", "* $00 $5000 { } ['ProjectName'] <('a')>\r\n* $00", 2},
        {"no root record", "* $00 $5000 { } ['ProjectName']\r\n<>", 2},
        {"two root records", "* $00 $5000 { } ['ProjectName'] <('a')\r\n('b')>", 2},
        {"over-long line",
         "* $00 $5000 { } ['ProjectName']\r\n<('" + std::string(5000, 'a') + "')>", 2, 4097},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = WriteFile("BAD.LCD", c.text).string();
        const ProjectFileResult result = LoadProjectFile(file);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.line, c.line);
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(result.Text().rfind(file + ":" + std::to_string(c.line) + ":", 0), 0u);
        if (c.column != 0) {
            EXPECT_EQ(result.column, c.column) << result.Text();
        }
        EXPECT_EQ(ProjectColl(), nullptr);
    }
    const ProjectFileResult missing = LoadProjectFile(Path("NONE.LCD"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.Text().rfind(Path("NONE.LCD") + ": ", 0), 0u);
    EXPECT_TRUE(User().shown.empty());
}

// Written with LF or lone CR ends (git, Linux tools), with the line numbers of its damage.
std::string WithLineEnds(std::string text, const char* end) {
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;
         at += std::string(end).size())
        text.replace(at, 2, end);
    return text;
}

TEST_F(ProjectFile, FilesWithLfOrCrLineEndsReadAsOursAndAreWrittenWithCrLf) {
    ASSERT_TRUE(LoadProjectFile(PANOLCD_SAMPLE_PROJECT).ok);
    ASSERT_TRUE(SaveProjectFile(*ProjectColl(), Path("A.LCD")).ok);
    const std::string ours = ReadFile(Path("A.LCD"));
    for (const char* end : {"\n", "\r"}) {
        // Longer than the reader's buffer: every line must end where it does.
        std::string text = WithLineEnds(ours, end);
        ASSERT_GT(text.size(), 4096u);
        WriteFile("LF.LCD", text);
        const ProjectFileResult loaded = LoadProjectFile(Path("LF.LCD"));
        ASSERT_TRUE(loaded.ok) << loaded.Text();
        ASSERT_TRUE(SaveProjectFile(*ProjectColl(), Path("B.LCD")).ok);
        EXPECT_EQ(ReadFile(Path("B.LCD")), ours);

        const auto bad = WriteFile("BAD.LCD", WithLineEnds("* $00 $5000 { }\r\n['PrgBankNum']"
                                                           "\r\n\r\n<(x)>",
                                                           end));
        const ProjectFileResult refused = LoadProjectFile(bad.string());
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.line, 4u) << refused.Text();
    }
}

TEST_F(ProjectFile, AFailedSaveIsReported) {
    WriteFile("IN.LCD", kProject);
    ASSERT_TRUE(LoadProjectFile(Path("IN.LCD")).ok);
    const ProjectFileResult saved = SaveProjectFile(*ProjectColl(), Path("NO/DIR/A.LCD"));
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.message.empty());
    EXPECT_EQ(ProjectColl()->DBFileName, Path("IN.LCD"));
}

} // namespace
} // namespace panolcd::testing
