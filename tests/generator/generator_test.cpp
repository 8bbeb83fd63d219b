// Code generation of a whole project: the golden files of a project that uses every construct,
// and the edge cases of the include file, the project declaration and the driver.

#include "generator/syntaxparser.h"

#include "generator_fixture.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/records/dbcoll.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace panolcd::testing {
namespace {

std::string DataFile(const char* name) {
    return (std::filesystem::path(__FILE__).parent_path() / "data" / name).string();
}

class GeneratorGolden : public GeneratorTest {
protected:
    // One screen with every construct on the screen proper and its help screen, one with a
    // wait on the help screen, two without object lists.
    void BuildGoldenProject() {
        const RootRecordView root(Root().RecData);
        root.SetProjectName("Golden project");
        root.SetTermObjName("PANEL");
        root.SetPrgBankNum(3);
        AddRecord(Sub(kDBFontBanks), [](std::span<std::uint8_t> d) {
            FontBankRecordView(d).SetFontNum(255);
            FontBankRecordView(d).SetFontFileName("big.fnt");
        });
        for (const auto& [num, file] : {std::pair{255, "skip.bmp"}, {2, "logo.bmp"}})
            AddRecord(Sub(kDBBitmapBanks), [&](std::span<std::uint8_t> d) {
                BitmapBankRecordView(d).SetBmpNum(static_cast<std::uint8_t>(num));
                BitmapBankRecordView(d).SetBmpFileName(file);
            });

        TDataBase& s = *AddScreen(1, "MAIN", "Main screen", 0, 255);
        // Texts: ties in font 1 at Y 20, negative Y, kinds 7..10.
        AddObject(s, Obj(7).X1(10).Y1(20).Param(1).Text("Hello"));
        AddObject(s, Obj(8).X1(10).Y1(5).Param(1).Text("Var1").SymX1("XPOS"));
        AddObject(s, Obj(9).X1(0).Y1(40).Param(0).Text("Reg2"));
        AddObject(s, Obj(10).X1(3).Y1(-1).Param(1).Text("Reg3"));
        AddObject(s, Obj(7).X1(50).Y1(20).Param(1).Text("Tie"));
        // Graphics of every kind, relative forms, graph data of two lines, bar directions.
        AddObject(s, Obj(2).Layer(2).X1(5).Y1(60).Text("marker"));
        AddObject(s, Obj(3).Layer(2).X1(0).Y1(30).X2(239).Y2(30));
        AddObject(s, Obj(3).Layer(2).X1(1).Y1(2).X2(11).Y2(22).Options(kOptUseRelDxDy).SymDx("DX"));
        AddObject(s, Obj(4).Layer(2).X1(0).Y1(0).X2(10).Y2(10));
        AddObject(s, Obj(4).Layer(2).X1(2).Y1(3).X2(12).Y2(13).Text("box").Options(kOptUseRelDxDy));
        AddObject(s, Obj(5).Layer(2).X1(4).Y1(70).X2(8).Y2(75));
        AddObject(s, Obj(5).Layer(2).X1(4).Y1(71).X2(8).Y2(79).Options(kOptUseRelDxDy));
        AddObject(s, Obj(6).Layer(2).X1(50).Y1(50).X2(8));
        AddObject(s, Obj(16)
                         .Layer(2)
                         .X1(0)
                         .Y1(100)
                         .X2(100)
                         .Y2(150)
                         .Param(1)
                         .Text("D1\r\nD2")
                         .Options(kOptUseRelDxDy));
        AddObject(s, Obj(17).Layer(2).X1(0).Y1(101).X2(9).Y2(9).Param(7).Text("XY"));
        for (std::uint32_t dir = 0; dir < 5; ++dir)
            AddObject(s, Obj(18)
                             .Layer(2)
                             .X1(1)
                             .Y1(110 + static_cast<int>(dir))
                             .X2(5)
                             .Y2(120)
                             .Param(dir)
                             .Text("B")
                             .Options(static_cast<std::uint16_t>(dir == 1 ? kOptUseRelDxDy : 0)));
        // Case constructs: an entry block and an ordinary one.
        TDBRecordObj& entry = AddObject(
            s, Obj(12).Layer(2).Y1(10).Text("entry").Options(kOptOnEntryCase).SymDx("MODE"));
        AddCaseVariant(s, entry, "ON", 3, "first");
        AddCaseVariant(s, entry, "else", 2);
        TDBRecordObj& other = AddObject(s, Obj(12).Layer(2).Y1(5).SymDx("SEL"));
        AddCaseVariant(s, other, "A", 4);
        AddCaseVariant(s, other, "Else", 31, "never");
        // Case layer 3: bitmaps, a text, a line, an onkey.
        AddObject(s, Obj(19).Layer(3).Param(5).Text("bg"));
        AddObject(s, Obj(19).Layer(3).Param(255));
        AddObject(s, Obj(7).Layer(3).X1(1).Y1(2).Param(2).Text("InCase"));
        AddObject(s, Obj(3).Layer(3).X1(0).Y1(9).X2(5).Y2(9));
        TDBRecordObj& caseKey = AddObject(s, Obj(13).Layer(3));
        AddOnKeyVariant(s, caseKey, "F1", "go");
        AddObject(s, Obj(7).Layer(4).X1(1).Y1(1).Param(2).Text("L4"));
        // The screen's onkey, wait (a second one ignored), editenter, enumeration.
        TDBRecordObj& onkey = AddObject(s, Obj(13).Layer(1).Text("keys"));
        AddOnKeyVariant(s, onkey, "K1", "a:=1\r\nb:=2");
        AddOnKeyVariant(s, onkey, "else", "");
        AddObject(s, Obj(14).Layer(2).Param(10).Text("x:=1\r\ny:=2"));
        AddObject(s, Obj(14).Layer(1).Param(99).Text("ignored"));
        AddObject(s, Obj(15).Layer(2).Text("l1\r\nl2\r\nl3"));
        TDBRecordObj& en = AddObject(s, Obj(11).Layer(1).X1(5).Y1(7).Param(1).SymDx("VAR"));
        AddEnumVariant(s, en, "V1234567890ABCDE", "long");
        AddEnumVariant(s, en, "else", "other");
        // The help screen: the font is selected again.
        AddObject(s, Obj(7).X1(1).Y1(1).Param(1).Text("Help").Help(true));
        AddObject(s, Obj(2).Layer(2).X1(3).Y1(3).Help(true));

        TDataBase& s2 = *AddScreen(2, "$X", "", 255, 4);
        AddObject(s2, Obj(14).Layer(1).Param(0xFFFFFFFB).Help(true));
        AddScreen(3, "1A", "Third", 255, 255, false);
        AddScreen(4, "", "", 255, 255, false);
    }
};

TEST_F(GeneratorGolden, ProjectWithEveryConstructMatchesTheGoldenFiles) {
    BuildGoldenProject();
    const GenerationResult result = Generate("GOLDEN");
    ASSERT_TRUE(result.generated) << (result.errors.empty() ? "" : result.errors[0]);
    EXPECT_TRUE(result.warnings.empty());
    std::string t10 = T10("GOLDEN");
    const std::string dir = (TempDir() / "").string();
    for (std::size_t at; (at = t10.find(dir)) != std::string::npos;)
        t10.erase(at, dir.size());
    if (std::getenv("PANOLCD_WRITE_GOLDEN")) {
        std::ofstream(DataFile("GOLDEN.PRI"), std::ios::binary) << Pri("GOLDEN");
        std::ofstream(DataFile("GOLDEN.T10"), std::ios::binary) << t10;
    }
    EXPECT_EQ(Pri("GOLDEN"), ReadFile(DataFile("GOLDEN.PRI")));
    EXPECT_EQ(t10, ReadFile(DataFile("GOLDEN.T10")));

    // A second run writes the same files and keeps the first ones as safety copies.
    Clock().now = {2026, 12, 10, 0, 0, 0};
    ASSERT_TRUE(Generate("GOLDEN").generated);
    const std::string first = ReadFile(TempDir() / "GOLDEN.~RI");
    std::string second = Pri("GOLDEN");
    second.replace(second.find("12/10/26"), 8, "12/09/26 08:05:07");
    EXPECT_EQ(second, first);
    EXPECT_TRUE(std::filesystem::exists(TempDir() / "GOLDEN.~10"));
}

// Records what the generator asks of the windows.
struct RecordingHost final : GeneratorHost {
    std::vector<std::string> calls;
    bool refuse = false;
    bool CommitPendingEdits() override {
        calls.push_back("commit");
        return !refuse;
    }
    void PriFileWritten(const std::string& path) override {
        calls.push_back("written " + ExtractFileName(path));
    }
};

using ScreenSetup = std::function<void(TDataBase&)>;

TEST_F(GeneratorTest, ScreenContentsEdgeCases) {
    const std::string x233(233, 'x'), y254(254, 'y');
    struct Case {
        const char* name;
        ScreenSetup setup;
        std::string expected;
        std::string absent;
    };
    const std::vector<Case> cases = {
        {"no help objects still write help", [](TDataBase&) {}, "begin\r\nhelp\r\nend;\r\n\r\n",
         ""},
        {"font line once per font, font 0 first",
         [](TDataBase& s) {
             AddObject(s, Obj(7).Y1(1).Param(1).Text("a"));
             AddObject(s, Obj(7).Y1(2).Param(1).Text("b"));
             AddObject(s, Obj(7).Y1(0).Param(0).Text("c"));
         },
         "  font 0;\r\n  position 0,0;print \"c\";\r\n  font 1;\r\n  position 0,1;print "
         "\"a\";\r\n  position 0,2;print \"b\";\r\nhelp\r\n",
         ""},
        {"help screen selects its font again",
         [](TDataBase& s) {
             AddObject(s, Obj(7).Param(1).Text("p"));
             AddObject(s, Obj(7).Param(1).Text("h").Help(true));
         },
         "  font 1;\r\n  position 0,0;print \"p\";\r\nhelp\r\n  font 1;\r\n", ""},
        {"negative Y after non-negative in the same font",
         [](TDataBase& s) {
             AddObject(s, Obj(8).Y1(-1).Text("n"));
             AddObject(s, Obj(8).Y1(5).Text("p"));
         },
         "  position 0,5;print p;\r\n  position 0,-1;print n;\r\n", ""},
        {"sizes of damaged coordinates wrap in 32 bits",
         [](TDataBase& s) {
             AddObject(
                 s, Obj(4).Layer(2).X1(INT32_MIN).X2(INT32_MAX).Y1(INT32_MAX).Y2(INT32_MIN).Options(
                        kOptUseRelDxDy));
         },
         "  rect rel, -2147483648,2147483647,-1,1;\r\n", ""},
        {"case layer text outside a case is not written",
         [](TDataBase& s) { AddObject(s, Obj(7).Layer(3).Text("c")); }, "begin\r\nhelp\r\n",
         "print"},
        {"a case body outside 3..30 still forgets the font",
         [](TDataBase& s) {
             AddObject(s, Obj(7).Param(1).Text("a"));
             TDBRecordObj& c = AddObject(s, Obj(12).Layer(2).SymDx("V"));
             AddCaseVariant(s, c, "X", 2);
             AddObject(s, Obj(11).Param(1).SymDx("E"));
         },
         "  case V of \r\n    X: \r\n      ;\r\n  end;\r\n  font 1;\r\n  position 0,0;\r\n  case E "
         "of\r\n  end;\r\n",
         ""},
        {"case and onkey without variant databases, onkey in its case layer only",
         [](TDataBase& s) {
             TDBRecordObj& c = AddObject(s, Obj(12).Layer(2).SymDx("V"));
             AddCaseVariant(s, c, "K", 5, "c");
             AddObject(s, Obj(12).Layer(2).Y1(1).SymDx("W"));
             AddObject(s, Obj(13).Layer(5).Text("five"));
             AddObject(s, Obj(13).Layer(2).Text("two"));
         },
         "  case V of \r\n    K:  { c }\r\n      begin \r\n        onkey { five }\r\n        "
         "end;\r\n      end;\r\n  end;\r\n  case W of \r\n  end;\r\n",
         "two"},
        {"a long case bitmap comment is cut before its end",
         [](TDataBase& s) {
             TDBRecordObj& c = AddObject(s, Obj(12).Layer(2).SymDx("V"));
             AddCaseVariant(s, c, "K", 3);
             AddObject(s, Obj(19).Layer(3).Param(1).Text(std::string(254, 'x')));
         },
         "\r\n        bitmap 1; { " + x233 + " }\r\n", ""},
        {"long comments and quoted texts keep their end",
         [](TDataBase& s) {
             AddObject(s, Obj(2).Layer(2).Text(std::string(254, 'y')));
             AddObject(s, Obj(7).Text(std::string(254, 'y')));
         },
         "  position 0,0;print \"" + y254.substr(2) + "\";\r\n  point 0,0;{ " + y254.substr(4) +
             " }\r\n",
         ""},
    };
    for (const Case& c : cases) {
        NewProject();
        c.setup(*AddScreen(1, "S", ""));
        ASSERT_TRUE(Generate().generated) << c.name;
        const std::string pri = Pri();
        EXPECT_NE(pri.find(c.expected), std::string::npos) << c.name << "\n" << pri;
        if (!c.absent.empty()) {
            EXPECT_EQ(pri.find(c.absent), std::string::npos) << c.name << "\n" << pri;
        }
    }
}

TEST_F(GeneratorTest, HeadingsAndConstantsOfScreens) {
    const std::string name63(63, 'n');
    AddScreen(7, "", name63, 255, 255, false);
    AddScreen(8, "else", "", 255, 255, false);
    AddScreen(9, "$A", "x", 255, 255, false);
    ASSERT_TRUE(Generate().generated);
    const std::string pri = Pri();
    EXPECT_NE(pri.find("constant\r\n  PanoLCD_GenTime = \"12/09/26 08:05:07\";\r\n  else = 8;\r\n"
                       "\r\nterminal :7;{ " +
                       name63 + " }\r\nbegin\r\nend;\r\n\r\n"),
              std::string::npos)
        << pri;
    EXPECT_NE(pri.find("terminal :$A;{ x }\r\n"), std::string::npos);
}

TEST_F(GeneratorTest, NothingIsGeneratedWithoutASavedProjectFile) {
    struct Case {
        const char* name;
        std::function<void()> setup;
    };
    const std::string lcd = (TempDir() / "PROJ.LCD").string();
    for (const Case& c : {Case{"no project", [] { CloseProject(); }},
                          {"never saved", [] {}},
                          {"file deleted", [&lcd] { SetProjectFileName(lcd); }}}) {
        NewProject();
        c.setup();
        RecordingHost host;
        const GenerationResult result = GenerateProjectCode(host);
        EXPECT_FALSE(result.generated) << c.name;
        EXPECT_TRUE(result.errors.empty()) << c.name;
        EXPECT_TRUE(host.calls.empty()) << c.name;
        EXPECT_FALSE(std::filesystem::exists(TempDir() / "PROJ.PRI")) << c.name;
    }
}

TEST_F(GeneratorTest, HostIsAskedForEditsBeforeAndToldOfThePriAfter) {
    const std::string lcd = WriteFile("PROJ.LCD", "x").string();
    SetProjectFileName(lcd);
    RecordingHost host;
    const GenerationResult result = GenerateProjectCode(host);
    EXPECT_TRUE(result.generated);
    EXPECT_EQ(result.priPath, (TempDir() / "PROJ.PRI").string());
    EXPECT_EQ(result.t10Path, (TempDir() / "PROJ.T10").string());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"commit", "written PROJ.PRI"}));
    EXPECT_EQ(SyntaxParser().OutputName, "");

    // A window that refused its edits stops the generation before anything is written.
    std::filesystem::remove(result.priPath);
    RecordingHost refusing;
    refusing.refuse = true;
    EXPECT_FALSE(GenerateProjectCode(refusing).generated);
    EXPECT_EQ(refusing.calls, (std::vector<std::string>{"commit"}));
    EXPECT_FALSE(std::filesystem::exists(result.priPath));
}

TEST_F(GeneratorTest, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept) {
    WriteFile("PROJ.~RI/keep", "x"); // the old file cannot step aside
    WriteFile("PROJ.PRI", "old");
    SetProjectFileName(WriteFile("PROJ.LCD", "x").string());
    RecordingHost host;
    const GenerationResult result = GenerateProjectCode(host);
    EXPECT_FALSE(result.generated);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors[0], result.priPath + ": " + Cz("Přístup k souboru odmítnut"));
    EXPECT_EQ(Pri(), "old");
    EXPECT_NE(T10().find("[PRG_BANKS]"), std::string::npos);
    EXPECT_EQ(host.calls, std::vector<std::string>{"commit"});
}

TEST_F(GeneratorTest, MalformedSourceDateEpochWritesNothing) {
    setenv("SOURCE_DATE_EPOCH", "1e9", 1);
    SetProjectFileName(WriteFile("PROJ.LCD", "x").string());
    RecordingHost host;
    const GenerationResult result = GenerateProjectCode(host);
    EXPECT_FALSE(result.generated);
    EXPECT_EQ(result.errors,
              std::vector<std::string>{"SOURCE_DATE_EPOCH is not a number of seconds: 1e9"});
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "PROJ.PRI"));
    setenv("SOURCE_DATE_EPOCH", "1000000000", 1);
    ASSERT_TRUE(Generate().generated);
    EXPECT_NE(Pri().find("\"09/09/01 01:46:40\""), std::string::npos);
}

TEST_F(GeneratorTest, WithoutScreensDatabaseBannerAndConstantsAreWritten) {
    TDBColl& subs = *Root().SubDBs;
    for (int i = 0; i < subs.Count(); ++i)
        if (subs.DataBase(i)->DB_TypeID == kDBScreens)
            subs.AtFree(i);
    ASSERT_TRUE(FindProjectDBs(kDBScreens).empty());
    RootRecordView(Root().RecData).SetProjectName(std::string(90, 'P'));
    ASSERT_TRUE(Generate().generated);
    const std::string rule = "{" + std::string(92, '=') + "}\r\n";
    EXPECT_EQ(Pri(), rule + "{ " + std::string(90, 'P') + " }\r\n{ " +
                         "Include file generated by panolcd V2.10 11.11.2001" +
                         std::string(40, ' ') + " }\r\n" + rule +
                         "\r\nconstant\r\n  PanoLCD_GenTime = \"12/09/26 08:05:07\";\r\n\r\n");
}

TEST_F(GeneratorTest, ProjectDeclarationSections) {
    const auto drop = [](std::uint16_t type) {
        TDBColl& subs = *Root().SubDBs;
        for (int i = 0; i < subs.Count(); ++i)
            if (subs.DataBase(i)->DB_TypeID == type)
                subs.AtFree(i);
    };
    const std::string bmp = "[BMP_BANKS]\r\nBMP_Count=1\r\nBMP_Bank0=none\r\n";
    const std::string fnt = "[FNT_BANKS]\r\nFnt_Count=1\r\nFnt_Bank0=system\r\n";
    const std::string prg = "[PRG_BANKS]\r\nPrg_Count=1\r\nPrg_Bank0=";
    struct Case {
        std::function<void()> setup;
        std::string expected; // then the path of PROJ.bin, CR LF
    };
    for (const Case& c : {Case{[] {}, bmp + "\r\n" + fnt + "\r\n" + prg},
                          {[&] { drop(kDBBitmapBanks); }, fnt + "\r\n" + prg},
                          {[&] { drop(kDBFontBanks); }, bmp + "\r\n" + prg},
                          {[&] { drop(kDBFontBanks), drop(kDBBitmapBanks); }, prg},
                          {[] { Sub(kDBBitmapBanks).AtFree(0); },
                           "[BMP_BANKS]\r\nBMP_Count=0\r\n\r\n" + fnt + "\r\n" + prg}}) {
        NewProject();
        c.setup();
        ASSERT_TRUE(Generate().generated);
        EXPECT_EQ(T10(), c.expected + (TempDir() / "PROJ.bin").string() + "\r\n");
    }
    // Without a root record there is nothing to declare: no file, only the safety copy.
    OpenProject()->AtFree(0);
    ASSERT_TRUE(Generate().generated);
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "PROJ.T10"));
    EXPECT_TRUE(std::filesystem::exists(TempDir() / "PROJ.~10"));
}

TEST_F(GeneratorTest, DeclarationLinesAreCutTo127AndACutProgramPathIsReported) {
    FontBankRecordView(Sub(kDBFontBanks).Record(0)->RecData).SetFontFileName(std::string(200, 'f'));
    const std::string name(120, 'N');
    const GenerationResult result = Generate(name);
    ASSERT_TRUE(result.generated);
    const std::string t10 = T10(name);
    EXPECT_NE(t10.find("Fnt_Bank0=" + std::string(117, 'f') + "\r\n"), std::string::npos);
    const std::string full = "Prg_Bank0=" + (TempDir() / (name + ".bin")).string();
    EXPECT_NE(t10.find(full.substr(0, 127) + "\r\n"), std::string::npos);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], "Prg_Bank path cut to 127 characters: " + full);
}

TEST_F(GeneratorTest, AStatementLineCutToTheLineWidthIsReported) {
    const std::string statement = std::string(249, 'w') + "END;"; // 253 characters
    AddObject(*AddScreen(1, "S", ""), Obj(kObjCmdWait).Layer(2).Text(statement));
    const GenerationResult result = Generate();
    ASSERT_TRUE(result.generated);
    const std::string pri = Pri();
    const std::size_t at = pri.find(std::string(249, 'w'));
    ASSERT_NE(at, std::string::npos);
    const std::size_t lineStart = pri.rfind("\r\n", at) + 2;
    const std::string written = pri.substr(lineStart, pri.find("\r\n", at) - lineStart);
    const std::string indent(written.find('w'), ' ');
    // The statement's text is cut at the line width; the line goes on after it.
    EXPECT_EQ(written, (indent + statement).substr(0, kMaxLineLength) + ";");
    const std::size_t lineNumber =
        1 + static_cast<std::size_t>(std::count(pri.begin(), pri.begin() + lineStart, '\n'));
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0], (TempDir() / "PROJ.PRI").string() + ":" +
                                      std::to_string(lineNumber) +
                                      ": line cut to 255 characters: " + indent + statement + ";");
}

TEST_F(GeneratorTest, OutputsThatCannotBeHeldWholeOrWouldReplaceTheProjectAreRefused) {
    const std::string deep = (TempDir() / std::string(240, 'd')).string();
    std::filesystem::create_directory(deep);
    struct Case {
        std::string project;
        std::string refusal;
    } const cases[] = {
        {deep + "/P.LCD",
         Cz("Jméno souboru je delší než 254 znaků, soubor nelze použít: ") + deep + "/P.PRI"},
        {(TempDir() / "SELF.PRI").string(), "SELF.PRI: "},
        {(TempDir() / "SELF.T10").string(), "SELF.T10: "},
        {(TempDir() / "SELF.~RI").string(), "SELF.PRI: "},
        {(TempDir() / "SELF.~10").string(), "SELF.T10: "},
    };
    for (const Case& c : cases) {
        WriteFile(c.project.substr(TempDir().string().size() + 1), "project");
        SetProjectFileName(c.project);
        NullGeneratorHost host;
        const GenerationResult result = GenerateProjectCode(host);
        EXPECT_FALSE(result.generated) << c.project;
        ASSERT_FALSE(result.errors.empty()) << c.project;
        EXPECT_NE(result.errors[0].find(c.refusal), std::string::npos) << result.errors[0];
        EXPECT_EQ(ReadFile(c.project), "project");
        std::filesystem::remove(c.project);
        EXPECT_TRUE(std::filesystem::is_empty(deep));
        for (const char* output : {"SELF.PRI", "SELF.T10", "SELF.~RI", "SELF.~10"})
            EXPECT_FALSE(std::filesystem::exists(TempDir() / output)) << c.project;
    }
}

TEST_F(GeneratorTest, AProjectUnderADirectoryWindows1250CannotSpellIsGenerated) {
    const std::filesystem::path dir = TempDir() / std::filesystem::path(u8"日本");
    std::filesystem::create_directory(dir);
    const std::string lcd = FromFsPath(dir / "P.LCD");
    WriteFile(FileNameToUtf8(lcd).substr(TempDir().string().size() + 1), "x");
    SetProjectFileName(lcd);
    NullGeneratorHost host;
    const GenerationResult result = GenerateProjectCode(host);
    ASSERT_TRUE(result.generated) << (result.errors.empty() ? "" : result.errors[0]);
    EXPECT_TRUE(std::filesystem::exists(dir / "P.PRI"));
    const std::string t10 = ReadFile(dir / "P.T10");
    EXPECT_NE(t10.find("=" + TempDir().string() + "/?\?/P.bin\r\n"), std::string::npos) << t10;
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("Windows-1250 cannot hold"), std::string::npos);
}

} // namespace
} // namespace panolcd::testing
