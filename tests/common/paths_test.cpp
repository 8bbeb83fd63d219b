#include "common/paths.h"

#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(Paths, PartsOfWindowsAndLinuxNames) {
    EXPECT_EQ(ExtractFilePath("C:\\A\\X.APP"), "C:\\A\\");
    EXPECT_EQ(ExtractFileName("C:\\A\\X.APP"), "X.APP");
    EXPECT_EQ(ExtractFilePath("/home/u/job.lcd"), "/home/u/");
    EXPECT_EQ(ExtractFilePath("C:X.APP"), "C:");
    EXPECT_EQ(ExtractFilePath("X.APP"), "");
    EXPECT_EQ(ExtractFileExt("/a.b/name"), "");
    EXPECT_EQ(ExtractFileExt("sub\\name.lcd"), ".lcd");
    EXPECT_TRUE(HasDirectoryPart("sub\\x"));
    EXPECT_TRUE(HasDirectoryPart("./x"));
    EXPECT_FALSE(HasDirectoryPart("x.ini"));
}

TEST(Paths, ChangeFileExt) {
    EXPECT_EQ(ChangeFileExt("D:\\X\\JOB.LCD", ".INI"), "D:\\X\\JOB.INI");
    EXPECT_EQ(ChangeFileExt("/a.b/JOB", ".PRG"), "/a.b/JOB.PRG");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ".LC$"), "x.tar.LC$");
    EXPECT_EQ(ChangeFileExt("name.", ".T10"), "name.T10");
}

TEST(Paths, SeparatorsAndExpansion) {
    EXPECT_EQ(AppendSeparator("C:\\WORK"), "C:\\WORK\\");
    EXPECT_EQ(AppendSeparator("C:\\WORK\\"), "C:\\WORK\\");
    EXPECT_EQ(AppendSeparator("/work"), "/work/");
    EXPECT_EQ(ExpandFileName("./data/../x.app", "/home/u"), "/home/u/x.app");
    EXPECT_EQ(ExpandFileName(".\\sub\\", "C:\\W"), "C:\\W\\sub\\");
    EXPECT_EQ(ExpandFileName("/abs/./f", "/ignored"), "/abs/f");
}

class PathsOnDisk : public testing::ContextTest {};

TEST_F(PathsOnDisk, FindsFilesWithoutRegardToLetterCase) {
    const auto file = WriteFile("Proj/Screens.PRG", "x");
    const std::string dir = FromFsPath(TempDir());
    EXPECT_EQ(FindExistingFile(dir + "/Proj/Screens.PRG"), file);
    EXPECT_EQ(FindExistingFile(dir + "/proj/SCREENS.prg"), file);
    EXPECT_EQ(FindExistingFile(dir + "\\PROJ\\screens.prg"), file);
    EXPECT_FALSE(FindExistingFile(dir + "/proj/other.prg"));
    EXPECT_FALSE(FindExistingFile(""));
}

} // namespace
} // namespace panolcd
