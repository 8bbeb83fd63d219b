// The tools' command lines: templates split before the path goes in, so no file name is ever
// interpreted; the refusals; the compiler's result file and its report.

#include "build/commandline.h"
#include "build/compileresult.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using Args = std::vector<std::string>;

TEST(ToolCommandLine, ThePathStaysOneArgumentWhateverItHolds) {
    const struct {
        const char* templateText;
        const char* path;
        const char* program;
        Args arguments;
    } table[] = {
        {"/opt/vbc %s", "/p/A.PRG", "/opt/vbc", {"/p/A.PRG"}},
        {"/opt/vbc -o out %s", "/my dir/A.PRG", "/opt/vbc", {"-o", "out", "/my dir/A.PRG"}},
        {"\"/opt/my tools/vbc\" %s",
         "/p/a;rm -rf x.PRG",
         "/opt/my tools/vbc",
         {"/p/a;rm -rf x.PRG"}},
        {"vbc '-f=%s' %%", "/p/$(id)`x`.PRG", "vbc", {"-f=/p/$(id)`x`.PRG", "%"}},
        {"vbc %0:s", "/p/A.PRG", "vbc", {"/p/A.PRG"}},
        {"  vbc   %s  ", "/q", "vbc", {"/q"}},
    };
    for (const auto& row : table) {
        CommandError error;
        const std::optional<CommandLine> command =
            BuildCommandLine(row.templateText, row.path, error);
        ASSERT_TRUE(command.has_value()) << row.templateText << ": " << error.message;
        EXPECT_EQ(command->program, row.program) << row.templateText;
        EXPECT_EQ(command->arguments, row.arguments) << row.templateText;
    }
}

TEST(ToolCommandLine, BadFormatsAndOverLongLinesAreRefused) {
    const struct {
        std::string templateText;
        bool formatError;
    } table[] = {
        {"vbc %d", true},
        {"vbc %s %x", true},
        {"vbc %", true},
        {"vbc " + std::string(250, 'x') + " %s", false}, // too long once the path is in
        {"   ", false},                                  // no program
    };
    for (const auto& row : table) {
        CommandError error;
        EXPECT_FALSE(BuildCommandLine(row.templateText, "/p/A.PRG", error).has_value())
            << row.templateText;
        EXPECT_EQ(!error.message.empty(), row.formatError) << row.templateText;
    }
    CommandError error;
    const std::string fits = "vbc " + std::string(254 - 4 - 8, 'x') + "%s";
    EXPECT_TRUE(BuildCommandLine(fits, "/p/A.PRG", error).has_value());
}

TEST(ToolCommandLine, TheResultFileComesFromTheCompilersName) {
    const struct {
        const char* line;
        std::optional<std::string> path;
    } table[] = {
        {"c:\\tools\\vbc.exe c:\\p\\a.prg", "C:\\TOOLS\\VBC.ERR"},
        {"/opt/vbc /p/a.prg", "/OPT/VBC.ERR"},
        {"\"/opt/my tools/vbc\" /p/a.prg", "/OPT/MY TOOLS/VBC.ERR"},
        {"\"c:\\my tools\\vbc.exe\" a.prg", "C:\\MY TOOLS\\VBC.ERR"},
        {"vbc", std::nullopt},
    };
    for (const auto& row : table)
        EXPECT_EQ(ResultFilePath(row.line), row.path) << row.line;
}

TEST(CompilerReportFile, KeysValuesAndFailures) {
    const struct {
        std::vector<std::string> lines;
        bool parses;
        const char* status;
        std::int32_t line, begin;
        const char* file;
    } table[] = {
        {{"ERRCODE=0", "ERRTEXT=''", "ERRFILE=''", "ERRLINE=0", "ERRPOSBEG=-1", "ERRPOSEND=-1"},
         true,
         "P\xF8"
         "eklad OK",
         0,
         -1,
         ""},
        {{"errcode=5", "ErrText=no quotes", "ERRFILE=\"/p/A.PRG\"", "ERRLINE=3", "ERRPOSBEG=2",
          "ERRPOSEND=4", "ERRLINE=9"},
         true,
         "Err=5: ",
         3,
         2,
         "/p/A.PRG"},
        {{"ERRCODE=1", "ERRTEXT='it''s \"odd\"'\r", "ERRFILE='x'", "ERRLINE=1", "ERRPOSBEG=0",
          "ERRPOSEND=0"},
         true,
         "Err=1: it''s \"odd\"",
         1,
         0,
         "x"},
        {{"ERRCODE=x", "ERRLINE=1", "ERRPOSBEG=0", "ERRPOSEND=0"}, false, "", 0, 0, ""},
        {{"ERRCODE=1", "ERRPOSBEG=0", "ERRPOSEND=0"}, false, "", 0, 0, ""}, // no ERRLINE
    };
    for (const auto& row : table) {
        std::string error;
        const std::optional<CompilerReport> report = ParseCompilerReport(row.lines, error);
        ASSERT_EQ(report.has_value(), row.parses) << row.lines[0];
        if (!report) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_EQ(CompileStatusText(*report), row.status);
        EXPECT_EQ(report->line, row.line);
        EXPECT_EQ(report->begin, row.begin);
        EXPECT_EQ(report->file, row.file);
    }
    EXPECT_EQ(Unquote("'one"), "");
}

} // namespace
} // namespace panolcd
