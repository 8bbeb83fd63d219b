#include "framework/exchange/safetycopy.h"

#include "support/test_context.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace panolcd {
namespace {

using testing::ContextTest;

TEST(TokenSafetyCopy, Names) {
    struct Case {
        const char* name;
        const char* copy;
    };
    const Case cases[] = {
        {"PROJ.LCD", "PROJ.~CD"},
        {"PROG.PRG", "PROG.~RG"},
        {"/home/u/p.lcd", "/home/u/p.~cd"},
        {"C:\\WORK\\TERM.LCD", "C:\\WORK\\TERM.~CD"},
        {"NAME", "NAME.~"},
        {"A.C", "A.~"},
        {"A.CD", "A.~D"},
        {"DATA.ABCDEFGH", "DATA.~BC"},
        {"dir.x/FILE", "dir.x/FILE.~"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafetyCopyName(c.name), c.copy) << c.name;
}

class TokenReplacingFile : public ContextTest {
protected:
    std::string Path(const char* name) const { return (TempDir() / name).string(); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(
            std::filesystem::directory_iterator(TempDir()), std::filesystem::directory_iterator()));
    }
};

TEST_F(TokenReplacingFile, WithoutAnOldFileTheOldCopyIsStillDeleted) {
    WriteFile("P.~RI", "older");
    int error = 0;
    auto file = ReplacingFile::Create(Path("P.PRI"), error);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->Commit());
    EXPECT_EQ(ReadFile(Path("P.PRI")), "");
    EXPECT_FALSE(std::filesystem::exists(Path("P.~RI")));
}

TEST_F(TokenReplacingFile, AbandonedOrDestroyedFilesChangeNothing) {
    WriteFile("P.PRI", "old");
    int error = 0;
    {
        auto file = ReplacingFile::Create(Path("P.PRI"), error);
        ASSERT_TRUE(file);
        file->Write("new");
    }
    auto file = ReplacingFile::Create(Path("P.PRI"), error);
    file->Abandon();
    EXPECT_FALSE(file->Commit());
    EXPECT_EQ(ReadFile(Path("P.PRI")), "old");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(TokenReplacingFile, ANameWithACopyExtensionKeepsNoCopy) {
    WriteFile("P.~CD", "old");
    int error = 0;
    auto file = ReplacingFile::Create(Path("P.~CD"), error);
    ASSERT_TRUE(file);
    file->Write("new");
    EXPECT_TRUE(file->Commit());
    EXPECT_EQ(ReadFile(Path("P.~CD")), "new");
}

TEST_F(TokenReplacingFile, CreationFailureGivesErrno) {
    int error = 0;
    EXPECT_FALSE(ReplacingFile::Create(Path("no/such/P.PRI"), error));
    EXPECT_EQ(error, ENOENT);
}

TEST_F(TokenReplacingFile, TheOldVersionKeepsItsNameUntilTheNewOneTakesIt) {
    WriteFile("P.LCD", "old");
    WriteFile("P.~CD", "older");
    struct stat before {};
    ASSERT_EQ(::stat(Path("P.LCD").c_str(), &before), 0);
    int error = 0;
    auto file = ReplacingFile::Create(Path("P.LCD"), error);
    ASSERT_TRUE(file);
    file->Write("new");
    // While it is written, the new file is hidden: nothing that lists or matches names sees it.
    for (const auto& entry : std::filesystem::directory_iterator(TempDir())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "P.LCD" || name == "P.~CD" || name.front() == '.') << name;
    }
    ASSERT_TRUE(file->Commit());
    EXPECT_EQ(ReadFile(Path("P.LCD")), "new");
    EXPECT_EQ(ReadFile(Path("P.~CD")), "old");
    struct stat copy {};
    ASSERT_EQ(::stat(Path("P.~CD").c_str(), &copy), 0);
    EXPECT_EQ(copy.st_ino, before.st_ino); // the old file itself, not a copy of its bytes
    EXPECT_EQ(FileCount(), 2u);
}

TEST_F(TokenReplacingFile, ASaveStoppedAfterTheSafetyCopyLeavesNothingBehindTheNext) {
    // Stopped between its two steps, a save left the copy as a second name of the file.
    WriteFile("P.LCD", "old");
    ASSERT_EQ(::link(Path("P.LCD").c_str(), Path("P.~CD").c_str()), 0);
    int error = 0;
    auto file = ReplacingFile::Create(Path("P.LCD"), error);
    ASSERT_TRUE(file);
    file->Write("new");
    ASSERT_TRUE(file->Commit());
    EXPECT_EQ(ReadFile(Path("P.LCD")), "new");
    EXPECT_EQ(ReadFile(Path("P.~CD")), "old");
    EXPECT_EQ(FileCount(), 2u);
}

} // namespace
} // namespace panolcd
