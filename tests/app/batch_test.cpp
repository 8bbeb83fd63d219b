// The batch commands: the one line a failed --convert leaves on standard error, and the output
// it never writes then. Successful conversions run as program tests.

#include "app/batch.h"
#include "common/cp1250.h"
#include "support/test_context.h"

#include <cstdlib>
#include <filesystem>
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

} // namespace
} // namespace panolcd::testing
