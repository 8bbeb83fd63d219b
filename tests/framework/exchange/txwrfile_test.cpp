#include "framework/exchange/txwrfile.h"

#include "framework/records/datetime.h"
#include "support/test_context.h"

#include <filesystem>

namespace panolcd {
namespace {

using testing::ContextTest;
using testing::Cz;

class TxWrFile : public ContextTest {
protected:
    std::string Path(const char* name) const { return (TempDir() / name).string(); }
    bool Exists(const char* name) const { return std::filesystem::exists(TempDir() / name); }
};

TEST_F(TxWrFile, WritesLinesWithCrLf) {
    {
        TTxWrFile file(Path("P.PRI"));
        file.Write("a");
        file.Write("b");
        file.WriteLn(Cz("ř"));
        file.WriteLn("");
        file.WriteZ(std::string_view("zero\0ignored", 12));
        file.WriteLnZ(std::string(300, 'z'));
        file.WriteLn(std::string(300, 's')); // a ShortString: 255 characters
        EXPECT_EQ(file.ErrorText(), "");
    }
    EXPECT_EQ(ReadFile(Path("P.PRI")), "ab" + Cz("ř") + "\r\n\r\nzero" + std::string(300, 'z') +
                                           "\r\n" + std::string(255, 's') + "\r\n");
}

TEST_F(TxWrFile, ThePreviousVersionBecomesTheSafetyCopy) {
    WriteFile("PROG.PRG", "old");
    WriteFile("PROG.~RG", "older");
    {
        TTxWrFile file(Path("PROG.PRG"));
        file.WriteLn("new");
        EXPECT_EQ(ReadFile(Path("PROG.PRG")), "old"); // until it is closed
        file.Close();
        EXPECT_EQ(ReadFile(Path("PROG.PRG")), "new\r\n");
    }
    EXPECT_EQ(ReadFile(Path("PROG.~RG")), "old");
}

TEST_F(TxWrFile, NothingWrittenLeavesNoFileButTheSafetyCopy) {
    WriteFile("P.T10", "old");
    { TTxWrFile file(Path("P.T10")); }
    EXPECT_FALSE(Exists("P.T10"));
    EXPECT_EQ(ReadFile(Path("P.~10")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TempDir()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TxWrFile, AnEmptyWriteStillCounts) {
    {
        TTxWrFile file(Path("P.T10"));
        file.Write("");
    }
    EXPECT_TRUE(Exists("P.T10"));
    EXPECT_EQ(ReadFile(Path("P.T10")), "");
}

TEST_F(TxWrFile, ReservedNamesAreRefusedWithoutTouchingAnything) {
    for (const char* name : {"CON", "nul", "LPT1", "CLOCK$", ""}) {
        TTxWrFile file(name);
        EXPECT_EQ(file.ErrorText(), name + std::string("-") + Cz("Neplatné jméno souboru"));
        file.WriteLn("x");
        EXPECT_EQ(file.ErrorText(), name + std::string("-") + Cz("Neplatné jméno souboru"));
    }
    EXPECT_FALSE(std::filesystem::exists("CON"));

    // A name too long to be held is refused, never cut to another file's name.
    const std::string longName = Path((std::string(260, 'p') + ".PRI").c_str());
    const std::string cut = longName.substr(0, 254);
    WriteFile(cut.substr(TempDir().string().size() + 1), "other");
    TTxWrFile file(longName);
    EXPECT_EQ(file.ErrorText(),
              Cz("Jméno souboru je delší než 254 znaků, soubor nelze použít: ") + longName);
    file.WriteLn("x");
    file.Close();
    EXPECT_EQ(ReadFile(cut), "other");
}

TEST_F(TxWrFile, AFileThatCannotBeCreatedGivesItsNameAndTheIoText) {
    const std::string name = Path("missing/P.PRI");
    TTxWrFile file(name);
    EXPECT_EQ(file.ErrorText(), name + "-" + Cz("Soubor nenalezen"));
    file.WriteLn("x"); // behaves as closed
    EXPECT_EQ(file.ErrorText(), name + "-" + Cz("Soubor nenalezen"));
}

TEST_F(TxWrFile, WritingAfterCloseIsAnError) {
    const std::string name = Path("P.PRI");
    TTxWrFile file(name);
    file.WriteLn("x");
    file.Close();
    EXPECT_EQ(file.ErrorText(), "");
    file.WriteLn("y");
    EXPECT_EQ(file.ErrorText(), name + "-" + Cz("Soubor není otevřen"));
    EXPECT_EQ(ReadFile(name), "x\r\n");
}

TEST_F(TxWrFile, AFileThatCannotBePutInPlaceIsReportedAndThePreviousVersionKept) {
    // A directory in the way of the safety copy: the old file cannot step aside.
    WriteFile("P.~RI/keep", "x");
    WriteFile("P.PRI", "old");
    const std::string name = Path("P.PRI");
    {
        TTxWrFile file(name);
        file.WriteLn("new");
        file.Close();
        EXPECT_EQ(file.ErrorText(), name + "-" + Cz("Přístup k souboru odmítnut"));
    }
    EXPECT_EQ(ReadFile(name), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TempDir()),
                            std::filesystem::directory_iterator()),
              2); // no temporary file left behind
}

TEST_F(TxWrFile, StampsTheFileDateAtClose) {
    const std::uint32_t date = *PackDosDateTime({2001, 3, 7, 14, 5, 8});
    const std::string name = Path("P.PRI");
    {
        TTxWrFile file(name);
        file.SetFileDate(date);
        file.WriteLn("x");
        file.Close();
        EXPECT_EQ(file.FileAge(), static_cast<std::int32_t>(date));
    }
    EXPECT_EQ(FileAgeOf(name), static_cast<std::int32_t>(date));
    EXPECT_EQ(FileAgeOf(Path("NONE")), -1);
    EXPECT_FALSE(SetFileAgeOf(name, 0)); // no valid date
}

} // namespace
} // namespace panolcd
