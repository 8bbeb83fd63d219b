#include "framework/environment/inifile.h"

#include "common/paths.h"
#include "support/test_context.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace panolcd {
namespace {

namespace fs = std::filesystem;
using testing::ContextTest;
using testing::Cz;

class IniFileTest : public ContextTest {
protected:
    IniFile Make(const std::string& bytes, const std::string& name = "T.INI") {
        return IniFile(FromFsPath(WriteFile(name, bytes)));
    }
    std::vector<std::string> DirEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(TempDir()))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

struct ReadCase {
    const char* bytes;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST_F(IniFileTest, ReadsLikePrivateProfile) {
    const ReadCase cases[] = {
        {"[A]\r\nk=v\r\n", "A", "k", "v"},
        {"[A]\r\nKey=v\r\n", "a", "KEY", "v"},                 // names ignore case
        {"  [ A ]  \r\n  k  =  v w  \r\n", "A", "k", "v w"},   // blanks dropped
        {"[A]\nk=\"quoted \"\n", "A", "k", "quoted "},         // one pair of quotes
        {"[A]\nk='x'\n", "A", "k", "x"},                       // single quotes too
        {"[A]\nk=\"'x'\"\n", "A", "k", "'x'"},                 // only one pair
        {"[A]\nk='x\"\n", "A", "k", "'x\""},                   // different ends stay
        {"[A]\nk='\n", "A", "k", "'"},                         // a lone quote stays
        {"[A]\nk=a=b\n", "A", "k", "a=b"},                     // first '=' splits
        {"[A]\nk=\n", "A", "k", ""},                           // present but empty
        {"[A]\nk=1\nk=2\n", "A", "k", "1"},                    // first key wins
        {"[A]\nk=1\n[a]\nk=2\nj=3\n", "A", "j", std::nullopt}, // first section wins
        {"[A]\n;k=1\n", "A", "k", std::nullopt},               // comment
        {"[A]\n  ;k=1\nk=2\n", "A", "k", "2"},                 // indented comment
        {"k=1\n[A]\n", "A", "k", std::nullopt},                // keys before any section
        {"[A]\nk=1\n[B]\n", "B", "k", std::nullopt},           // key of another section
        {"[A]\rk=1\r", "A", "k", "1"},                         // lone CR lines
        {"[A]\r\nk=1", "A", "k", "1"},                         // no final line end
        {"[A]\nk=1\n", "C", "k", std::nullopt},                // missing section
        {"[A]\nk\n", "A", "k", std::nullopt},                  // no '=': not a key
    };
    for (const ReadCase& c : cases) {
        const IniFile ini = Make(c.bytes);
        EXPECT_EQ(ini.Find(c.section, c.key), c.expected) << c.bytes;
        EXPECT_EQ(ini.Read(c.section, c.key), c.expected.value_or("")) << c.bytes;
    }
}

TEST_F(IniFileTest, KeepsWindows1250BytesAndReadsValuesWhole) {
    const std::string value = Cz("Příliš žluťoučký kůň ") + std::string(300, 'x');
    const IniFile ini = Make("[" + Cz("Sekce") + "]\r\n" + Cz("Klíč") + "=" + value + "\r\n");
    EXPECT_EQ(ini.Read(Cz("sekce"), Cz("Klíč")), value);
    EXPECT_EQ(ini.Read("SEKCE", Cz("Klíč")).size(), value.size());
}

TEST_F(IniFileTest, MissingFileReadsEmpty) {
    const IniFile ini(FromFsPath(TempDir() / "none.ini"));
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.Find("A", "k"), std::nullopt);
    EXPECT_TRUE(ini.Keys("A").empty());
    EXPECT_FALSE(IniFile(FromFsPath(TempDir())).Exists()); // a directory is no INI file
}

TEST_F(IniFileTest, ListsKeysInFileOrder) {
    const IniFile ini = Make("[S]\r\nzeta=1\r\n;comment=2\r\n\r\nAlpha=3\r\nZETA=4\r\nbare\r\n"
                             "mid = 5\r\n[E]\r\n[s]\r\nlate=6\r\n");
    EXPECT_EQ(ini.Keys("s"), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    EXPECT_TRUE(ini.Keys("E").empty());
    EXPECT_TRUE(ini.Keys("X").empty());
}

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

TEST_F(IniFileTest, WritesChangeOnlyWhatTheyMust) {
    const std::string cz = Cz("č=ř ; ž");
    const WriteCase cases[] = {
        {"replace in place, CR LF and Windows-1250 elsewhere untouched",
         "; " + cz + "\r\n[A]\r\n  x = 1 \r\nKey = old ; c\r\ny=" + cz + "\r\n\r\n[B]\r\nKey=b\r\n",
         "a", "KEY", "new",
         "; " + cz + "\r\n[A]\r\n  x = 1 \r\nKey=new\r\ny=" + cz + "\r\n\r\n[B]\r\nKey=b\r\n"},
        {"replace keeps a lone LF ending of that line", "[A]\r\nk=1\nj=2\r\n", "A", "k", "9",
         "[A]\r\nk=9\nj=2\r\n"},
        {"replace on a last line without an ending", "[A]\r\nk=1", "A", "k", "2", "[A]\r\nk=2"},
        {"new key after the last key of its section", "[A]\r\nk=1\r\n\r\n;c\r\n[B]\r\nb=1\r\n", "A",
         "n", "v", "[A]\r\nk=1\r\nn=v\r\n\r\n;c\r\n[B]\r\nb=1\r\n"},
        {"new key in a section without keys", "[A]\r\n;c\r\n[B]\r\n", "A", "n", "v",
         "[A]\r\nn=v\r\n;c\r\n[B]\r\n"},
        {"new key after a last line without an ending", "[A]\r\nk=1", "A", "n", "v",
         "[A]\r\nk=1\r\nn=v\r\n"},
        {"missing section appended", "[A]\r\nk=1\r\n", "W", "n", "v",
         "[A]\r\nk=1\r\n[W]\r\nn=v\r\n"},
        {"missing section after a last line without an ending", "[A]\r\nk=1", "W", "n", "v",
         "[A]\r\nk=1\r\n[W]\r\nn=v\r\n"},
        {"new lines follow the dominant LF style", "[A]\nk=1\nj=2\r\n", "A", "n", "v",
         "[A]\nk=1\nj=2\r\nn=v\n"},
        {"empty file", "", "W", "n", "v", "[W]\r\nn=v\r\n"},
        {"line breaks in a value become blanks", "[A]\r\n", "A", "n", "a\r\nb",
         "[A]\r\nn=a  b\r\n"},
    };
    for (const WriteCase& c : cases) {
        IniFile ini = Make(c.before);
        ASSERT_FALSE(ini.Write(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(ReadFile(ToFsPath(ini.Path())), c.after) << c.name;
    }
}

TEST_F(IniFileTest, WriteCreatesMissingFileWithCrLf) {
    IniFile ini(FromFsPath(TempDir() / "new.ini"));
    ASSERT_FALSE(ini.Write("WR", "APP", " UPD=1"));
    EXPECT_EQ(ReadFile(TempDir() / "new.ini"), "[WR]\r\nAPP= UPD=1\r\n");
    EXPECT_EQ(ini.Read("wr", "app"), "UPD=1");
}

TEST_F(IniFileTest, WriteIsAtomicAndKeepsPermissions) {
    IniFile ini = Make("[A]\r\nk=1\r\n");
    fs::permissions(ToFsPath(ini.Path()),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_FALSE(ini.Write("A", "k", "2"));
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"T.INI"}); // no temporary file left
    EXPECT_EQ(fs::status(ToFsPath(ini.Path())).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(IniFileTest, UnchangedValueDoesNotRewriteTheFile) {
    IniFile ini = Make("[A]\r\nk=1\r\n");
    struct stat before {};
    ASSERT_EQ(::stat(ToFsPath(ini.Path()).c_str(), &before), 0);
    ASSERT_FALSE(ini.Write("A", "k", "1"));
    struct stat after {};
    ASSERT_EQ(::stat(ToFsPath(ini.Path()).c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino); // a rewrite would have renamed a new file over it
    ASSERT_FALSE(ini.Write("A", "k", "2"));
    ASSERT_EQ(::stat(ToFsPath(ini.Path()).c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
}

TEST_F(IniFileTest, WriteThroughSymlinkKeepsTheLink) {
    IniFile target = Make("[A]\r\nk=1\r\n", "real.ini");
    fs::create_symlink(ToFsPath(target.Path()), TempDir() / "link.ini");
    IniFile link(FromFsPath(TempDir() / "link.ini"));
    ASSERT_FALSE(link.Write("A", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(TempDir() / "link.ini"));
    EXPECT_EQ(target.Read("A", "k"), "2");
}

TEST_F(IniFileTest, AReadOnlySettingsFileIsNotReplaced) {
    IniFile ini = Make("[A]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(ToFsPath(ini.Path()).c_str(), 0444), 0);
    EXPECT_EQ(ini.Write("A", "k", "2"), std::make_error_code(std::errc::permission_denied));
    EXPECT_EQ(ini.Read("A", "k"), "1");
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"T.INI"});
}

TEST_F(IniFileTest, WriteThroughARelativeLinkKeepsTheTargetsModeAndOwner) {
    fs::create_directories(TempDir() / "conf");
    IniFile target = Make("[A]\r\nk=1\r\n", "conf/real.ini");
    ASSERT_EQ(::chmod(ToFsPath(target.Path()).c_str(), 0600), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(ToFsPath(target.Path()).c_str(), 4321, 4321), 0);
    }
    fs::create_symlink("conf/real.ini", TempDir() / "link.ini");
    IniFile link(FromFsPath(TempDir() / "link.ini"));
    ASSERT_FALSE(link.Write("A", "k", "2"));
    EXPECT_EQ(fs::read_symlink(TempDir() / "link.ini"), "conf/real.ini");
    EXPECT_EQ(target.Read("A", "k"), "2");
    struct stat info {};
    ASSERT_EQ(::stat(ToFsPath(target.Path()).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(info.st_uid, 4321u);
    }
    // No safety copy of a settings file.
    EXPECT_EQ(std::distance(fs::directory_iterator(TempDir() / "conf"), fs::directory_iterator()),
              1);
}

TEST_F(IniFileTest, WriteFailuresLeaveNothingBehind) {
    IniFile nowhere(FromFsPath(TempDir() / "missing" / "x.ini"));
    EXPECT_EQ(nowhere.Write("A", "k", "1"),
              std::make_error_code(std::errc::no_such_file_or_directory));
    IniFile ini = Make("[A]\r\nk=1\r\n");
    for (const char* key : {"", "  ", "a=b", ";c", "[x", "a\nb"})
        EXPECT_EQ(ini.Write("A", key, "1"), std::make_error_code(std::errc::invalid_argument))
            << key;
    EXPECT_EQ(ini.Write("A]", "k", "1"), std::make_error_code(std::errc::invalid_argument));
    EXPECT_EQ(ReadFile(ToFsPath(ini.Path())), "[A]\r\nk=1\r\n");
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"T.INI"});
}

} // namespace
} // namespace panolcd
