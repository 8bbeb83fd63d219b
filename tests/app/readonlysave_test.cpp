// Read-only files that the project save, the generation and the batch commands would replace:
// the user is asked and a no keeps the file; without a user the command refuses with one line.

#include "app/batch.h"
#include "app/mainform_fakes.h"
#include "app/mainformcontroller.h"
#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "project/projectmodel.h"
#include "support/test_context.h"

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace panolcd::testing {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class ReadOnlySave : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        controller_ = std::make_unique<MainFormController>(form_, store_, Path("panolcd"));
    }
    void TearDown() override {
        controller_.reset();
        CloseProjectColl();
        ContextTest::TearDown();
    }
    std::string Path(const std::string& name) const { return (TempDir() / name).string(); }
    // A read-only file holding "old".
    void ReadOnly(const std::string& name) {
        WriteFile(name, "old");
        ASSERT_EQ(::chmod(Path(name).c_str(), 0444), 0);
    }
    std::string Question(const std::string& name) const {
        return Cz("Soubor ") + Path(name) + Cz(" je jen pro čtení. Přesto ho přepsat?");
    }

    FakeMainForm form_;
    TestStore store_;
    std::unique_ptr<MainFormController> controller_;
};

TEST_F(ReadOnlySave, TheProjectSaveAsksBeforeReplacingAReadOnlyFile) {
    NewProject();
    ReadOnly("P.LCD");
    User().answers = {MsgResult::No};
    EXPECT_FALSE(store_.Save(Path("P.LCD")));
    ASSERT_EQ(User().shown.size(), 1u); // the question, and no error after a no
    EXPECT_EQ(User().shown[0].text, Question("P.LCD"));
    EXPECT_EQ(User().shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ReadFile(Path("P.LCD")), "old");

    User().answers = {MsgResult::Yes};
    EXPECT_TRUE(store_.Save(Path("P.LCD")));
    EXPECT_EQ(User().shown.size(), 2u);
    EXPECT_NE(ReadFile(Path("P.LCD")), "old");
    EXPECT_EQ(ModeOf(Path("P.LCD")), 0444u);
    EXPECT_EQ(ReadFile(Path("P.~CD")), "old");

    // A writable file is replaced without a question, keeping its mode.
    ASSERT_EQ(::chmod(Path("P.LCD").c_str(), 0600), 0);
    EXPECT_TRUE(store_.Save(Path("P.LCD")));
    EXPECT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(ModeOf(Path("P.LCD")), 0600u);
}

TEST_F(ReadOnlySave, GenerationAsksBeforeReplacingAReadOnlyOutput) {
    NewProject();
    ASSERT_TRUE(store_.Save(Path("GEN.LCD")));
    ReadOnly("GEN.PRI");
    User().answers = {MsgResult::No};
    EXPECT_FALSE(controller_->GeneratePri());
    ASSERT_GE(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, Question("GEN.PRI"));
    EXPECT_EQ(ReadFile(Path("GEN.PRI")), "old");
    EXPECT_FALSE(std::filesystem::exists(Path("GEN.T10"))); // nothing generated after a no

    User().shown.clear();
    User().answers = {MsgResult::Yes};
    EXPECT_TRUE(controller_->GeneratePri());
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_NE(ReadFile(Path("GEN.PRI")).find("constant"), std::string::npos);
    EXPECT_EQ(ModeOf(Path("GEN.PRI")), 0444u);
    EXPECT_TRUE(std::filesystem::exists(Path("GEN.T10")));
}

TEST_F(ReadOnlySave, BatchCommandsRefuseAReadOnlyOutputWithOneLine) {
    std::filesystem::copy_file(PANOLCD_GENERATED_APP_FILE, TempDir() / "panolcd.APP");
    std::ostringstream err;
    ASSERT_EQ(RunBatchCommand(Path("panolcd"), {"--convert", PANOLCD_SAMPLE_PROJECT, Path("J.LCD")},
                              err),
              0)
        << err.str();
    ReadOnly("J.PRI");
    EXPECT_EQ(RunBatchCommand(Path("panolcd"), {"--generate", Path("J.LCD")}, err), 1);
    EXPECT_EQ(err.str(), Path("J.PRI") + ": soubor je jen pro čtení\n"); // UTF-8 on the terminal
    EXPECT_EQ(ReadFile(Path("J.PRI")), "old");

    err.str("");
    ReadOnly("K.LCD");
    EXPECT_EQ(RunBatchCommand(Path("panolcd"), {"--convert", Path("J.LCD"), Path("K.LCD")}, err),
              1);
    EXPECT_EQ(err.str().rfind(Path("K.LCD"), 0), 0u) << err.str();
    EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << err.str();
    EXPECT_EQ(ReadFile(Path("K.LCD")), "old");
    EXPECT_TRUE(User().shown.empty());
}

} // namespace
} // namespace panolcd::testing
