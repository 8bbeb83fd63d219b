#include "framework/exchange/safetycopy.h"

#include "support/test_context.h"

#include "framework/exchange/exchangecontext.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

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

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Writes `bytes` through a ReplacingFile; 0 or the errno value of the failure.
int Replace(const std::string& path, const std::string& bytes) {
    int error = 0;
    auto file = ReplacingFile::Create(path, error);
    if (!file)
        return error;
    if (!file->Write(bytes) || !file->Commit())
        return file->Error();
    return 0;
}

TEST_F(TokenReplacingFile, TheNewVersionKeepsTheModeOfTheOld) {
    for (const mode_t mode : {0600, 0640, 0755, 0604}) {
        WriteFile("P.LCD", "old");
        ASSERT_EQ(::chmod(Path("P.LCD").c_str(), mode), 0);
        ASSERT_EQ(Replace(Path("P.LCD"), "new"), 0);
        EXPECT_EQ(ReadFile(Path("P.LCD")), "new");
        EXPECT_EQ(ModeOf(Path("P.LCD")), mode) << std::oct << mode;
    }
}

TEST_F(TokenReplacingFile, APrivateFileIsNeverReadableByOthersWhileItIsWritten) {
    WriteFile("P.LCD", "old");
    ASSERT_EQ(::chmod(Path("P.LCD").c_str(), 0600), 0);
    int error = 0;
    auto file = ReplacingFile::Create(Path("P.LCD"), error);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("new"));
    int temporaries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TempDir())) {
        if (entry.path().filename().string().front() != '.')
            continue;
        ++temporaries;
        EXPECT_EQ(ModeOf(entry.path().string()) & 077, 0u);
    }
    EXPECT_EQ(temporaries, 1);
}

TEST_F(TokenReplacingFile, TheOwnerIsKeptWhereTheSystemAllowsIt) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another owner";
    WriteFile("P.LCD", "old");
    ASSERT_EQ(::chown(Path("P.LCD").c_str(), 4321, 4322), 0);
    ASSERT_EQ(Replace(Path("P.LCD"), "new"), 0);
    struct stat info {};
    ASSERT_EQ(::stat(Path("P.LCD").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

TEST_F(TokenReplacingFile, ALinkStaysALinkAndTheFileItNamesIsReplaced) {
    namespace fs = std::filesystem;
    fs::create_directories(TempDir() / "real");
    struct Case {
        const char* what;
        fs::path linkTarget; // as written in the link
    } const cases[] = {
        {"relative", fs::path("real") / "T.LCD"},
        {"absolute", TempDir() / "real" / "T.LCD"},
    };
    for (const Case& c : cases) {
        WriteFile("real/T.LCD", "old");
        ::chmod(Path("real/T.LCD").c_str(), 0600);
        fs::remove(TempDir() / "P.LCD");
        fs::create_symlink(c.linkTarget, TempDir() / "P.LCD");
        ASSERT_EQ(Replace(Path("P.LCD"), "new"), 0) << c.what;
        EXPECT_TRUE(fs::is_symlink(TempDir() / "P.LCD")) << c.what;
        EXPECT_EQ(fs::read_symlink(TempDir() / "P.LCD"), c.linkTarget) << c.what;
        EXPECT_EQ(ReadFile(Path("real/T.LCD")), "new") << c.what;
        EXPECT_EQ(ModeOf(Path("real/T.LCD")), 0600u) << c.what;
        // The safety copy is the named file's, beside it; nothing beside the link.
        EXPECT_EQ(ReadFile(Path("real/T.~CD")), "old") << c.what;
        EXPECT_FALSE(fs::exists(TempDir() / "P.~CD")) << c.what;
    }
    // A chain of links, and one naming a file that does not exist yet.
    fs::create_symlink("P.LCD", TempDir() / "Q.LCD");
    ASSERT_EQ(Replace(Path("Q.LCD"), "third"), 0);
    EXPECT_EQ(ReadFile(Path("real/T.LCD")), "third");
    fs::create_symlink("real/NEW.LCD", TempDir() / "N.LCD");
    ASSERT_EQ(Replace(Path("N.LCD"), "made"), 0);
    EXPECT_TRUE(fs::is_symlink(TempDir() / "N.LCD"));
    EXPECT_EQ(ReadFile(Path("real/NEW.LCD")), "made");
    // Links that never end are refused.
    fs::create_symlink("L2", TempDir() / "L1");
    fs::create_symlink("L1", TempDir() / "L2");
    EXPECT_EQ(Replace(Path("L1"), "x"), ELOOP);
    EXPECT_TRUE(fs::is_symlink(TempDir() / "L1"));
}

TEST_F(TokenReplacingFile, AReadOnlyFileIsReplacedOnlyWithAConsent) {
    WriteFile("P.LCD", "old");
    ASSERT_EQ(::chmod(Path("P.LCD").c_str(), 0444), 0);
    EXPECT_TRUE(IsReadOnlyFile(Path("P.LCD")));
    EXPECT_EQ(Replace(Path("P.LCD"), "new"), EACCES);
    EXPECT_EQ(ReadFile(Path("P.LCD")), "old");
    EXPECT_EQ(FileCount(), 1u);
    {
        const ReadOnlyConsent consent(Path("P.LCD"));
        ASSERT_EQ(Replace(Path("P.LCD"), "new"), 0);
    }
    EXPECT_EQ(ReadFile(Path("P.LCD")), "new");
    EXPECT_EQ(ModeOf(Path("P.LCD")), 0444u);
    EXPECT_TRUE(ExchangeCtx().readOnlyConsents.empty());
    // The consent ended with its holder.
    EXPECT_EQ(Replace(Path("P.LCD"), "newer"), EACCES);
    // Through a link, the named file's mode counts.
    std::filesystem::create_symlink("P.LCD", TempDir() / "L.LCD");
    EXPECT_TRUE(IsReadOnlyFile(Path("L.LCD")));
    EXPECT_EQ(Replace(Path("L.LCD"), "newer"), EACCES);
    EXPECT_FALSE(IsReadOnlyFile(Path("NONE.LCD")));
    WriteFile("W.LCD", "w");
    EXPECT_FALSE(IsReadOnlyFile(Path("W.LCD")));
}

TEST_F(TokenReplacingFile, TheUserIsAskedBeforeAReadOnlyFileIsReplaced) {
    WriteFile("W.LCD", "w");
    ASSERT_TRUE(AskReplaceReadOnly(Path("W.LCD"))); // writable: nothing asked
    EXPECT_TRUE(User().shown.empty());

    WriteFile("P.LCD", "old");
    ASSERT_EQ(::chmod(Path("P.LCD").c_str(), 0444), 0);
    User().answers = {MsgResult::No};
    EXPECT_FALSE(AskReplaceReadOnly(Path("P.LCD")));
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(User().shown[0].text,
              testing::Cz("Soubor ") + Path("P.LCD") + testing::Cz(" je jen pro čtení. Přesto ho přepsat?"));
    EXPECT_EQ(Replace(Path("P.LCD"), "new"), EACCES);

    User().answers = {MsgResult::Yes};
    {
        const std::optional<ReadOnlyConsent> consent = AskReplaceReadOnly(Path("P.LCD"));
        ASSERT_TRUE(consent);
        EXPECT_EQ(Replace(Path("P.LCD"), "new"), 0);
    }
    EXPECT_EQ(ReadFile(Path("P.LCD")), "new");
}

} // namespace
} // namespace panolcd
