// Database text export and import over the project schema of the generated application
// description: layout, round trip, header mapping, nesting, commit and failure paths.

#include "app/startup.h"
#include "common/littleendian.h"
#include "common/shortstring.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/exchangerunner.h"
#include "framework/exchange/steprunner.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/recordscontext.h"
#include "project/dbtypes.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <filesystem>
#include <string>

namespace panolcd::testing {
namespace {

class DBExchange : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
    }

    // The offset of a column in the records of a type.
    static std::size_t Offset(std::uint16_t type, std::string_view column) {
        const TRecIniciatorColl& columns = *AppDataBaseDscr(type)->Iniciators;
        std::size_t offset = 0;
        for (int i = 0; i < columns.Count(); ++i) {
            if (columns.Iniciator(i)->IniName() == column)
                return offset;
            offset += columns.Iniciator(i)->GetElSize();
        }
        ADD_FAILURE() << column;
        return 0;
    }
    struct Value {
        const char* column;
        std::string text; // a text column, or (with byte >= 0) ignored
        int byte = -1;
    };
    static TDBRecordObj& Add(TDataBase& db, const std::vector<Value>& values) {
        const TDataBaseDscrObj& dscr = *db.Descriptor();
        std::vector<std::uint8_t> data(dscr.RecSize, 0);
        dscr.Iniciators->AssignRecValues(data.data());
        for (const Value& v : values) {
            std::uint8_t* at = data.data() + Offset(db.DB_TypeID, v.column);
            if (v.byte >= 0)
                *at = static_cast<std::uint8_t>(v.byte);
            else
                StoreShortString(at, 16, v.text);
        }
        auto record = Create<TDBRecordObj>();
        bool failed = false;
        record->CreateFromData("", dscr.RecTypeIxOf(data), data.data(), data.size(), failed);
        TDBRecordObj& ref = *record;
        db.Insert(std::move(record));
        return ref;
    }
    static TDataBase& AddSub(TDBRecordObj& record, TDataBase& owner, std::uint16_t type,
                             const char* column) {
        auto sub = TDataBase::New(&owner, type, 0, 0);
        TDataBase& ref = *sub;
        WriteLE(record.RecData.data() + Offset(owner.DB_TypeID, column), sub->InstAdr);
        record.EnsureSubDBs().Insert(std::move(sub));
        return ref;
    }
    // Root, fonts, no bitmaps, two screens (objects with case variants), an empty register map.
    static std::unique_ptr<TDataBase> Project() {
        auto root = TDataBase::New(nullptr, kDBRoot, 0, 0);
        TDBRecordObj& rec = Add(*root, {{"ProjectName", "Demo's"}});
        TDataBase& fonts = AddSub(rec, *root, kDBFontBanks, "FontBanks");
        Add(fonts, {{"FontNum", "", 1}, {"FontFileName", "a.fnt"}});
        Add(fonts, {{"FontNum", "", 2}, {"FontFileName", "b.fnt"}});
        TDataBase& screens = AddSub(rec, *root, kDBScreens, "Screens");
        TDBRecordObj& scr1 = Add(screens, {{"ScrNum", "", 1}, {"ScrSymb", "MAIN"}});
        TDataBase& objects = AddSub(scr1, screens, kDBScreenObjects, "Objects");
        TDBRecordObj& caseObj = Add(objects, {{"Kind", "", 12}, {"ObjText", "case"}});
        TDataBase& variants = AddSub(caseObj, objects, kDBCaseVariants, "SubDBLink");
        Add(variants, {{"CaseConstSym", "ON"}});
        Add(variants, {{"CaseConstSym", "OFF"}});
        Add(objects, {{"Kind", "", 1}, {"ObjText", "text"}});
        TDBRecordObj& scr2 = Add(screens, {{"ScrNum", "", 2}});
        AddSub(scr2, screens, kDBScreenObjects, "Objects");
        AddSub(rec, *root, kDBRegisterMap, "RegisterMap");
        return root;
    }
    std::string Path(const char* name) const { return (TempDir() / name).string(); }
    bool Import(const std::string& text, TDataBase& target, int insertIx = -1) {
        return ImportDatabase(WriteFile("IN.TXT", text).string(), target, insertIx, -1);
    }
    std::string ShownTexts() {
        std::string all;
        for (const auto& m : User().shown)
            all += m.text + "|";
        return all;
    }
    static std::string Sym(TDataBase& db, int i) {
        return LoadShortString(db.Record(i)->RecData.data() + Offset(db.DB_TypeID, "RegSymbName"),
                               16);
    }
    static std::string Regs(std::initializer_list<const char*> names) {
        std::string text = "* $00 $5013 { } ['RegSymbName']<";
        for (const char* name : names)
            text += std::string("('") + name + "')";
        return text + ">";
    }
};

TEST_F(DBExchange, ExportImportExportIsByteIdentical) {
    auto target = TDataBase::New(nullptr, kDBRoot, 0, 0);
    auto original = Project();
    ASSERT_TRUE(ExportDatabase(Path("A.LCD"), *original));
    const std::string first = ReadFile(Path("A.LCD"));

    // The import takes the same addresses when numbering restarts after the target.
    RecordsCtx().instMan.ResetInstAdr();
    RecordsCtx().instMan.AllocInstAdr();
    ASSERT_TRUE(ImportDatabase(Path("A.LCD"), *target, -1, -1)) << ShownTexts();
    ASSERT_TRUE(ExportDatabase(Path("B.LCD"), *target));
    EXPECT_EQ(ReadFile(Path("B.LCD")), first);

    EXPECT_EQ(first.rfind(Cz("* $00 $5000 { Projekt LCD } \r\n['ProjectName';"), 0), 0u);
    EXPECT_NE(first.find("]\r\n<\r\n('Demo`s';"), std::string::npos);
    EXPECT_NE(first.find(Cz("\r\n  * $00 $5010 { Banky fontů } \r\n  ['FontNum';")),
              std::string::npos);
    EXPECT_NE(first.find("\r\n    * $00 $5020 "), std::string::npos);
    EXPECT_TRUE(first.ends_with("\r\n  <\r\n  >\r\n>\r\n"));
    for (std::size_t i = first.find('\n'); i != std::string::npos; i = first.find('\n', i + 1))
        ASSERT_EQ(first[i - 1], '\r') << i;
    EXPECT_EQ(target->Record(0)->SubDBs->Count(), 3); // fonts, screens, register map
}

TEST_F(DBExchange, AnEmptyDatabaseWritesItsHeaderAndReadsBackEmpty) {
    auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    ASSERT_TRUE(ExportDatabase(Path("E.TXT"), *db));
    const std::string text = ReadFile(Path("E.TXT"));
    EXPECT_NE(text.find("]\r\n<\r\n>\r\n"), std::string::npos);
    EXPECT_TRUE(Import(text, *db));
    EXPECT_EQ(db->Count(), 0);
}

TEST_F(DBExchange, HeaderColumnsAreMappedByNameAndUnknownOnesSkipped) {
    auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    ASSERT_TRUE(Import("* $00 $5013 {c} ['regsymbname';'Bogus';'AddrReg'] < ('R1';'x';$0010) >"
                       "* $00 $5013 {second database: not read} [] < ( ) >",
                       *db));
    ASSERT_EQ(db->Count(), 1);
    EXPECT_EQ(Sym(*db, 0), "R1");
    EXPECT_EQ(ReadLE<std::uint16_t>(db->Record(0)->RecData.data()), 0x10);
}

struct WaitingList final : DBLookValidator {
    void FillList(TDBLookValidatorLink&) override {}
    void SelectRow(int, int) override {}
    bool HasControl() const override { return true; }
    void ForgetDataBase() override {}
};

TEST_F(DBExchange, RecordsAreInsertedAtTheIndexInTextOrderOrAppended) {
    WaitingList list; // outlives the database's link to it
    auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    ASSERT_TRUE(Import(Regs({"A", "B", "C"}), *db));
    list.ExpectInserted = true;
    db->LookLinks->Insert(std::make_unique<TDBLookValidatorLink>(&list));
    ASSERT_TRUE(Import(Regs({"X", "Y"}), *db, 1));
    EXPECT_EQ(db->LookLinks->Link(0)->SelRecord, db->Record(1)); // the first record inserted
    ASSERT_TRUE(Import(Regs({"Z"}), *db, -1));
    std::string order;
    for (int i = 0; i < db->Count(); ++i)
        order += Sym(*db, i);
    EXPECT_EQ(order, "AXYBCZ");
}

TEST_F(DBExchange, FailuresLeaveTheTargetUnchanged) {
    struct Case {
        const char* text;
        std::string shown; // part of a message shown
    };
    const Case cases[] = {
        {"* $00 $5010 { } ['FontNum'] < ($01) >", Cz("Nesouhlasí typ souboru Databáze")},
        {"* $00 $7777 { no descriptor } [] < >", "DB_TypeID=$7777"},
        {"* $00 $5013 { } ['RegSymbName'] < ('A') ('B' >", Cz("Očekáván znak")},
        {"x", Cz("Očekáván znak")},
    };
    for (const Case& c : cases) {
        auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
        Add(*db, {{"RegSymbName", "KEEP"}});
        User().shown.clear();
        EXPECT_FALSE(Import(c.text, *db)) << c.text;
        EXPECT_EQ(db->Count(), 1) << c.text;
        EXPECT_NE(ShownTexts().find(c.shown), std::string::npos) << c.text << ShownTexts();
    }
}

TEST_F(DBExchange, ANestedDatabaseMarkedExplicitIsRefused) {
    auto root = TDataBase::New(nullptr, kDBRoot, 0, 0);
    const bool ok = Import("* $00 $5000 { } ['ProjectName';'FontBanks'] < ('p';$8001)"
                           "# $00 $5010 { } ['FontNum'] < > >",
                           *root);
    EXPECT_FALSE(ok);
    EXPECT_EQ(root->Count(), 0);
    EXPECT_NE(ShownTexts().find("'*'"), std::string::npos) << ShownTexts();
}

TEST_F(DBExchange, NestedDatabasesTakeTheirInstanceBytesByMarker) {
    struct Case {
        const char* outer;
        const char* inner;
        int instByte;
        int auxByte;
    };
    const Case cases[] = {
        {"* $05", "* $09", 5, 0}, // inherited from the enclosing database
        {"* $00", "* $09", 9, 0}, // nothing to inherit: its own
        {"* $05", "@ $07", 0, 7}, // auxiliary
    };
    for (const Case& c : cases) {
        auto root = TDataBase::New(nullptr, kDBRoot, 0, 0);
        ASSERT_TRUE(Import(std::string(c.outer) + " $5000 {} ['FontBanks'] < ($8001) " + c.inner +
                               " $5010 {} ['FontNum'] < ($01) > >",
                           *root))
            << c.inner << ShownTexts();
        const TDataBase* fonts = root->Record(0)->GetDBTidDataBase(kDBFontBanks);
        ASSERT_NE(fonts, nullptr);
        EXPECT_EQ(fonts->InstByte, c.instByte) << c.outer << c.inner;
        EXPECT_EQ(fonts->AuxByte, c.auxByte) << c.outer << c.inner;
        EXPECT_EQ(fonts->Owner, root.get());
    }
}

TEST_F(DBExchange, PointersWithoutSubDatabaseAreWrittenAsNone) {
    auto root = TDataBase::New(nullptr, kDBRoot, 0, 0);
    TDBRecordObj& rec = Add(*root, {{"ProjectName", "p"}});
    WriteLE<std::int16_t>(rec.RecData.data() + Offset(kDBRoot, "Screens"), -300);
    ASSERT_TRUE(ExportDatabase(Path("P.LCD"), *root));
    const std::string text = ReadFile(Path("P.LCD"));
    EXPECT_EQ(text.find("$FED4"), std::string::npos);
    auto back = TDataBase::New(nullptr, kDBRoot, 0, 0);
    ASSERT_TRUE(ImportDatabase(Path("P.LCD"), *back, -1, -1)) << ShownTexts();
    EXPECT_FALSE(back->Record(0)->SubDBs); // $FFFF reads as "no nested database"
}

TEST_F(DBExchange, ImportStopsWhenTheTargetIsFull) {
    auto db = TDataBase::New(nullptr, kDBFontBanks, 0, 0);
    for (int i = 0; i < db->Descriptor()->MaxRecords - 1; ++i)
        Add(*db, {{"FontNum", "", i}});
    EXPECT_FALSE(Import("* $00 $5010 { } ['FontNum'] < ($01) ($02) >", *db));
    EXPECT_EQ(db->Count(), db->Descriptor()->MaxRecords);
    EXPECT_NE(ShownTexts().find("Database full"), std::string::npos);
}

TEST_F(DBExchange, CancelledExportsLeaveTheFileAndItsCopyAsTheyWere) {
    WriteFile("C.LCD", "good");
    WriteFile("C.~CD", "older");
    WriteFile("C.CSV", "csv");
    auto original = Project();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SyncStepRunner cancelling(3);
        EXPECT_FALSE(ExportDatabase(Path("C.LCD"), *original, &cancelling));
        SyncStepRunner cancellingCsv(1);
        EXPECT_FALSE(ExportCSV(Path("C.CSV"), *original, "\"H\"", &cancellingCsv));
    }
    EXPECT_EQ(ReadFile(Path("C.LCD")), "good");
    EXPECT_EQ(ReadFile(Path("C.~CD")), "older");
    EXPECT_EQ(ReadFile(Path("C.CSV")), "csv");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TempDir()),
                            std::filesystem::directory_iterator()),
              3);
}

TEST_F(DBExchange, AnUnwritableFileIsReportedAndNothingIsTouched) {
    auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    EXPECT_FALSE(ExportDatabase(Path("NODIR/X.LCD"), *db));
    EXPECT_FALSE(User().shown.empty());
}

TEST_F(DBExchange, AMissingSavedSemanticsIsReportedOnlyForFiles) {
    AppDataBaseDscr(kDBRegisterMap)->SavedSemId = 999;
    auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    Add(*db, {{"RegSymbName", "R"}}); // new, so modified
    ASSERT_TRUE(ExportDatabase("", *db));
    EXPECT_TRUE(User().shown.empty());
    ASSERT_TRUE(ExportDatabase(Path("S.TXT"), *db));
    EXPECT_EQ(ShownTexts(), "TLexicalElemWriter.Create: ChfSavedSem not found|");
}

TEST_F(DBExchange, TheClipboardCarriesRecordsWhenTheNameIsEmpty) {
    auto db = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    Add(*db, {{"RegSymbName", "R"}});
    ASSERT_TRUE(ExportDatabase("", *db));
    ASSERT_TRUE(ImportDatabase("", *db, 0, -1));
    EXPECT_EQ(db->Count(), 2);
}

} // namespace
} // namespace panolcd::testing
