// Compile and run of a bare program with a recording launcher: the checks and their order, the
// old result file removed, the wait for a result file that stood still, and where its error goes.

#include "app/buildcommands.h"

#include "app/mainform_fakes.h"
#include "common/paths.h"
#include "support/test_context.h"

#include <thread>

namespace panolcd::testing {
namespace {

class RecordingLauncher final : public ProcessLauncher {
public:
    std::vector<CommandLine> started;
    bool fails = false;
    bool Start(const CommandLine& command, const std::string&, std::string& error) override {
        if (fails) {
            error = "not found";
            return false;
        }
        started.push_back(command);
        return true;
    }
};

class Building : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        program = FromFsPath(WriteFile("A.PRG", "begin\r\nend.\r\n"));
        WindowsCtx().fileCmds.Prg.Set(program, fcLoad);
        build.compilerTemplate = FromFsPath(TempDir()) + "/vbc %s";
    }
    std::vector<std::string> status;
    FakeMainForm form;
    RecordingLauncher launcher;
    BuildCommands build{form, launcher, [] { return true; },
                        [this](const std::string& text) { status.push_back(text); }};
    std::string program;
};

TEST_F(Building, AnUnsavedOrMissingProgramStartsNothing) {
    WindowsCtx().fileCmds.Prg.Set("noname", fcLoad);
    build.Compile(true);
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "Projekt *.PRG je t\xF8"
                                    "eba nejd\xF8\xEDve ulo\x9Eit");
    EXPECT_TRUE(form.Take().empty()); // nothing saved either

    WindowsCtx().fileCmds.Prg.Set(program, fcLoad);
    build.compilerTemplate.clear();
    build.Compile(false);
    EXPECT_EQ(User().shown.back().text, "Nelze spustit: chyba nebo soubor *.prg neexistuje");
    EXPECT_EQ(form.Take(), (std::vector<std::string>{"file Prg '" + program + "' 4", "file Ed '' 4",
                                                     "file Saved '' 12"}));
    build.compilerTemplate = "vbc %d";
    build.Compile(false);
    EXPECT_NE(User().shown.back().text.find("vbc %d"), std::string::npos);
    build.Run();
    EXPECT_EQ(User().shown.back().text, "Nelze spustit: chyba nebo soubor *.bin neexistuje");
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(Building, TheResultIsReadOnceItStandsStillAndItsErrorIsShown) {
    const auto errFile = TempDir() / "vbc.ERR"; // the derived upper-case name, found in any case
    WriteFile("vbc.ERR", "stale");
    build.Compile(false);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].arguments, (std::vector<std::string>{program}));
    EXPECT_FALSE(std::filesystem::exists(errFile)); // the old result went first
    EXPECT_EQ(status, (std::vector<std::string>{"P\xF8"
                                                "eklad b\xEC\x9E\xED"}));
    EXPECT_TRUE(build.Waiting());

    build.Tick(); // no file yet
    // A file named without its directory, in other letter case: the program beside it.
    WriteFile("vbc.ERR", "ERRCODE=5\r\nERRTEXT='Syntax'\r\nERRFILE='a.prg'\r\nERRLINE=2\r\n"
                         "ERRPOSBEG=1\r\nERRPOSEND=3\r\n");
    const std::string lower = ExtractFilePath(program) + "a.prg";
    form.Take();
    build.Tick(); // seen once: it may still grow
    EXPECT_TRUE(build.Waiting());
    build.Tick();
    EXPECT_FALSE(build.Waiting());
    EXPECT_EQ(status.back(), "Err=5: Syntax");
    EXPECT_EQ(form.Take(), (std::vector<std::string>{"error at 1 2:1-3 '" + lower + "'"}));
}

TEST_F(Building, ALaunchFailureReportsAndDoesNotWait) {
    launcher.fails = true;
    build.Compile(false);
    EXPECT_FALSE(build.Waiting());
    ASSERT_FALSE(User().shown.empty());
    EXPECT_NE(User().shown.back().text.find("WinExec Error"), std::string::npos);
    launcher.fails = false;
    WriteFile("A.bin", "image");
    build.loaderTemplate = "load %s";
    build.Run();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "load");
    EXPECT_EQ(launcher.started[0].arguments[0], ChangeFileExt(program, ".bin"));
}

} // namespace
} // namespace panolcd::testing
