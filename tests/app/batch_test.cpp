// The batch commands: the one line a failed --convert leaves on standard error, and the output
// it never writes then. Successful conversions run as program tests.

#include "app/batch.h"
#include "support/test_context.h"

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

} // namespace
} // namespace panolcd::testing
