#include "framework/records/initiatorcoll.h"

#include "common/littleendian.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "framework/persistence/register.h"
#include "framework/records/fieldtest_util.h"
#include "support/test_context.h"

#include <functional>
#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::Cz;

template <class T> T* Add(TRecIniciatorColl& coll, const char* name) {
    auto iniciator = Create<T>();
    iniciator->SetIniName(name);
    T* raw = iniciator.get();
    coll.Insert(std::move(iniciator));
    return raw;
}

class InitiatorCollTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterInitiatorClasses();
    }

    // a: byte 1, B: word $0203, Txt: text of 6 bytes "xy", Sub: database pointer -1.
    std::unique_ptr<TRecIniciatorColl> Sample() {
        auto coll = Create<TRecIniciatorColl>();
        Add<TByteElIniciatorObj>(*coll, "a")->Value = 1;
        Add<TWordElIniciatorObj>(*coll, "B")->Value = 0x0203;
        auto* text = Add<TPStrElIniciatorObj>(*coll, "Txt");
        text->StoredSize = 6;
        text->Value = "xy";
        Add<TDBPtrElIniciatorObj>(*coll, "Sub");
        return coll;
    }

    std::string Written(const std::function<void(TLexicalElemWriter&)>& write, int width = 80) {
        const auto path = TempDir() / "OUT.LCD";
        {
            TLexicalElemWriter writer(path.string(), {}, width);
            write(writer);
            writer.Close();
        }
        return ReadFile(path);
    }

    std::unique_ptr<TLexicalElemReader> Reader(const std::string& text,
                                               const TokenSettings& settings = {}) {
        const auto path = WriteFile("IN.LCD", text);
        return std::make_unique<TLexicalElemReader>(path.string(), settings);
    }

    std::string LastMessage() {
        return User().shown.empty() ? std::string() : User().shown.back().text;
    }
};

TEST_F(InitiatorCollTest, BuildsARecordFromTheCurrentValues) {
    auto coll = Sample();
    EXPECT_EQ(coll->GetIniciatorRecSize(), 1 + 2 + 6 + 2);
    Bytes record(11, 0xCC);
    coll->AssignRecValues(record.data());
    EXPECT_EQ(record, (Bytes{1, 3, 2, 2, 'x', 'y', 0, 0, 0, 0xFF, 0xFF}));
}

TEST_F(InitiatorCollTest, ExportsHeaderAndRecord) {
    auto coll = Sample();
    const Bytes record{7, 0x34, 0x12, 3, 'a', '\'', 'b', 0, 0, 2, 0};
    EXPECT_EQ(Written([&](TLexicalElemWriter& w) {
                  coll->ExportHeaderList(w);
                  coll->ExportRecordValue(record.data(), w);
              }),
              "['a';'B';'Txt';'Sub']($07;$1234;\"a'b\";$0002)\r\n");
    EXPECT_EQ(coll->Iniciator(3)->GetDBInstance(), 2); // remembered for the nested database
}

TEST_F(InitiatorCollTest, BreakBeforeCharactersStartNewLines) {
    auto coll = Sample();
    const Bytes record(11, 0);
    TLexicalElemWriter::CharSet breakBefore;
    breakBefore.set('(');
    const auto path = TempDir() / "OUT.LCD";
    {
        TLexicalElemWriter writer(path.string(), breakBefore, 80);
        coll->ExportHeaderList(writer);
        coll->ExportRecordValue(record.data(), writer);
        writer.Close();
    }
    EXPECT_EQ(ReadFile(path), "['a';'B';'Txt';'Sub']\r\n($00;$0000;'';$0000)\r\n");
}

// A quoted name never breaks across lines, so a long header reads back whatever the width.
TEST_F(InitiatorCollTest, NarrowHeaderReadsBack) {
    auto coll = Create<TRecIniciatorColl>();
    const char* names[] = {"FirstColumn", "SecondColumn", "ThirdColumnName", "Fourth", "Fifth"};
    for (const char* name : names)
        Add<TByteElIniciatorObj>(*coll, name);
    const std::string text = Written([&](TLexicalElemWriter& w) { coll->ExportHeaderList(w); }, 20);
    EXPECT_EQ(text,
              "['FirstColumn';\r\n'SecondColumn';\r\n'ThirdColumnName';\r\n'Fourth';'Fifth']\r\n");

    auto reader = Reader(text);
    EXPECT_TRUE(coll->ImportHeaderListOK(*reader));
    ASSERT_EQ(coll->HeaderElColl().size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(coll->HeaderElColl()[static_cast<std::size_t>(i)], coll->Iniciator(i)) << i;
}

TEST_F(InitiatorCollTest, HeaderMapsColumnsByNameAndSkipsUnknownOnes) {
    auto coll = Create<TRecIniciatorColl>();
    auto* a = Add<TByteElIniciatorObj>(*coll, "a");
    auto* b = Add<TWordElIniciatorObj>(*coll, "B");
    auto reader = Reader("['A';'b';'X']\r\n($07;$0102;'skipped; really')\r\n");

    EXPECT_TRUE(coll->ImportHeaderListOK(*reader));
    EXPECT_EQ(coll->HeaderElColl(), (std::vector<TRecElIniciatorObj*>{a, b, nullptr}));

    bool nested = false;
    EXPECT_TRUE(coll->ImportHeaderValuesOK(*reader, nested));
    EXPECT_FALSE(nested);
    EXPECT_EQ(reader->CurrentChar(), ')');
    Bytes record(3);
    coll->AssignRecValues(record.data());
    EXPECT_EQ(record, (Bytes{7, 2, 1}));
    EXPECT_TRUE(User().shown.empty()) << LastMessage();
}

TEST_F(InitiatorCollTest, ColumnsMissingFromTheHeaderKeepTheirValues) {
    auto coll = Sample();
    auto reader = Reader("['txt']<('new')");
    ASSERT_TRUE(coll->ImportHeaderListOK(*reader));
    EXPECT_EQ(reader->NextChar(), '<');
    bool nested = false;
    EXPECT_TRUE(coll->ImportHeaderValuesOK(*reader, nested)); // "(" is the next character
    Bytes record(11, 0);
    coll->AssignRecValues(record.data());
    EXPECT_EQ(record, (Bytes{1, 3, 2, 3, 'n', 'e', 'w', 0, 0, 0xFF, 0xFF}));
}

TEST_F(InitiatorCollTest, NestedDatabaseFlag) {
    struct Case {
        std::string values;
        bool nested;
    };
    const Case cases[] = {{"('a';$FFFF)", false}, {"('a';$0004)", true}};
    for (const Case& c : cases) {
        auto coll = Sample();
        auto reader = Reader("['Txt';'Sub']" + c.values);
        ASSERT_TRUE(coll->ImportHeaderListOK(*reader));
        bool nested = false;
        EXPECT_TRUE(coll->ImportHeaderValuesOK(*reader, nested)) << c.values;
        EXPECT_EQ(nested, c.nested) << c.values;
    }
}

TEST_F(InitiatorCollTest, ANewHeaderReplacesTheColumns) {
    auto coll = Sample();
    auto reader = Reader("['a';'B']['Sub']");
    ASSERT_TRUE(coll->ImportHeaderListOK(*reader));
    ASSERT_TRUE(coll->ImportHeaderListOK(*reader));
    EXPECT_EQ(coll->HeaderElColl(), (std::vector<TRecElIniciatorObj*>{coll->Iniciator(3)}));
}

TEST_F(InitiatorCollTest, DefineHeaderElCutsTheNameTo16Characters) {
    auto coll = Create<TRecIniciatorColl>();
    auto* longName = Add<TByteElIniciatorObj>(*coll, "ABCDEFGHIJKLMNOPQ");
    EXPECT_FALSE(coll->HasHeaderElColl());
    EXPECT_EQ(coll->DefineHeaderEl("abcdefghijklmnopXYZ"), 0);
    EXPECT_EQ(coll->DefineHeaderEl("abcdefghijklmno"), 1);
    EXPECT_TRUE(coll->HasHeaderElColl());
    EXPECT_EQ(coll->HeaderElColl(), (std::vector<TRecElIniciatorObj*>{longName, nullptr}));
}

TEST_F(InitiatorCollTest, SyntaxErrors) {
    struct Case {
        std::string name;
        std::string text;
        bool header; // else values after the header ['a';'B']
        std::string message;
    };
    const Case cases[] = {
        {"no bracket", "'a']", true, "Očekáván znak  '['  1:1"},
        {"header ends at <", "['a'<", true, "Očekáván znak  ']'  1:5"},
        {"header separator", "['a' 'b']", true, "Očekáván znak  ';'  1:6"},
        {"unquoted name", "[a]", true, "Očekáván znak  ''' or '\"'  1:2"},
        {"empty header", "[]", true, "Očekáván znak  ''' or '\"'  1:2"},
        {"no parenthesis", "$01;$0002)", false, "Očekáván znak  '('  1:10"},
        {"value separator", "($01 $0002)", false, "Očekáván znak  ';'  1:15"},
        {"bad value", "($01;'x')", false,
         "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F'']) 1:15"},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        auto coll = Sample();
        bool ok = false;
        if (c.header) {
            auto reader = Reader(c.text);
            ok = coll->ImportHeaderListOK(*reader);
        } else {
            auto reader = Reader("['a';'B']" + c.text);
            ASSERT_TRUE(coll->ImportHeaderListOK(*reader));
            bool nested = false;
            ok = coll->ImportHeaderValuesOK(*reader, nested);
        }
        EXPECT_FALSE(ok) << c.name;
        ASSERT_EQ(User().shown.size(), 1u) << c.name;
        EXPECT_EQ(LastMessage(), Cz(c.message.c_str())) << c.name;
    }
}

TEST_F(InitiatorCollTest, UnmappedColumnMustEndAtASeparator) {
    auto coll = Sample();
    auto reader = Reader("['X';'a'](5 6");
    ASSERT_TRUE(coll->ImportHeaderListOK(*reader));
    bool nested = false;
    EXPECT_FALSE(coll->ImportHeaderValuesOK(*reader, nested));
    EXPECT_EQ(LastMessage(), Cz("Očekáván znak  ';'  1:0"));
}

TEST_F(InitiatorCollTest, CsvValuesFollowTheInitiatorOrder) {
    struct Case {
        std::string name;
        std::string text;
        TokenSettings settings;
        char separator;
    };
    TokenSettings tab;
    tab.valueSeparator = '\t';
    const Case cases[] = {
        {"semicolons", "9;$0506;'cs';$0001;\r\n", {}, ';'},
        {"tabs", "9\t$0506\t'cs'\t$0001\t\r\n", tab, '\t'},
        {"mixed", "9\t$0506;'cs';$0001\t\r\n", tab, '\t'},
    };
    for (const Case& c : cases) {
        auto coll = Sample();
        auto reader = Reader(c.text, c.settings);
        bool nested = false;
        EXPECT_TRUE(coll->ImportRecordCSVValuesOK(*reader, nested, c.separator)) << c.name;
        EXPECT_TRUE(nested) << c.name;
        Bytes record(11);
        coll->AssignRecValues(record.data());
        EXPECT_EQ(record, (Bytes{9, 6, 5, 2, 'c', 's', 0, 0, 0, 1, 0})) << c.name;
        EXPECT_TRUE(User().shown.empty()) << c.name << ": " << LastMessage();
    }
}

TEST_F(InitiatorCollTest, CsvValueWithoutSeparatorFails) {
    auto coll = Sample();
    auto reader = Reader("9;$0506)'cs';$0001;");
    bool nested = false;
    EXPECT_FALSE(coll->ImportRecordCSVValuesOK(*reader, nested));
    EXPECT_EQ(LastMessage(), Cz("Očekáván znak  ';'  1:8"));
}

TEST_F(InitiatorCollTest, UniqueHeaderNames) {
    struct Case {
        std::vector<const char*> names;
        bool unique;
        int index;
        std::string name;
    };
    const Case cases[] = {
        {{"a", "B", "c"}, true, -1, ""},
        {{"x", "Name", "y", "NAME", "x"}, false, 0, "x"},
        {{"q", "Name", "y", "nAME"}, false, 1, "Na"}, // cut to the capacity
        {{}, true, -1, ""},
    };
    for (const Case& c : cases) {
        auto coll = Create<TRecIniciatorColl>();
        for (const char* n : c.names)
            Add<TByteElIniciatorObj>(*coll, n);
        int index = 99;
        std::string name = "old";
        EXPECT_EQ(coll->TestUniqueHeaderNames(index, name, 2), c.unique);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(name, c.name);
    }
}

TEST_F(InitiatorCollTest, CsvHeaderText) {
    auto coll = Sample();
    std::string text = "X;";
    coll->GetInicCollCSVHeaderStr(text);
    EXPECT_EQ(text, "X;\"a\";\"B\";\"Txt\";\"Sub\";");
}

TEST_F(InitiatorCollTest, HeaderMappingIsNeitherStoredNorKeptAfterRemoval) {
    auto coll = Sample();
    coll->DefineHeaderEl("a");
    auto copy = CloneAs(*coll);
    EXPECT_FALSE(copy->HasHeaderElColl());
    EXPECT_EQ(copy->Count(), 4);
    EXPECT_EQ(copy->Iniciator(2)->IniName(), "Txt");

    coll->AtFree(0);
    EXPECT_FALSE(coll->HasHeaderElColl());
    coll->DefineHeaderEl("B");
    coll->FreeAll();
    EXPECT_FALSE(coll->HasHeaderElColl());
}

TEST_F(InitiatorCollTest, StreamsByteIdentically) {
    auto coll = Sample();
    Add<TIntegerElIniciatorObj>(*coll, "I")->Value = INT32_MIN;
    auto* d = Add<TDWordElIniciatorObj>(*coll, "D");
    d->Value = 0xFFFFFFFF;
    d->Kind = 1;
    Add<TRealpElIniciatorObj>(*coll, "R")->Value = -0.1;
    auto* s = Add<TSpecSmallIntElIniciatorObj>(*coll, "S");
    s->Value = -32768;
    s->Scale = 3;
    auto* l = Add<TSpecLIntElIniciatorObj>(*coll, "L");
    l->Value = 42;
    l->Scale = 1;
    Add<TRecElIniciatorObj>(*coll, "Base");
    coll->DefineHeaderEl("a");

    const Bytes first = testing::StreamRecord(*coll);
    auto loaded = testing::SaveAndLoad(*coll);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->ClassName(), "TRecIniciatorColl");
    EXPECT_EQ(testing::StreamRecord(*loaded), first);
    // Item count, then the first item's class index and data.
    EXPECT_EQ(Bytes(first.begin() + 2, first.begin() + 10), (Bytes{10, 0, 0, 0, 1, 0, 1, 'a'}));
}

TEST_F(InitiatorCollTest, RecordRoundTripThroughTheText) {
    auto coll = Sample();
    const Bytes record{0xFF, 0xFF, 0xFF, 5, 'O', '"', 'N', '{', '}', 0xFF, 0xFF};
    const std::string text = Written([&](TLexicalElemWriter& w) {
        coll->ExportHeaderList(w);
        w.AppendChar('<');
        coll->ExportRecordValue(record.data(), w);
    });
    auto copy = CloneAs(*coll);
    auto reader = Reader(text);
    ASSERT_TRUE(copy->ImportHeaderListOK(*reader));
    EXPECT_EQ(reader->NextChar(), '<');
    bool nested = true;
    EXPECT_TRUE(copy->ImportHeaderValuesOK(*reader, nested)) << LastMessage();
    EXPECT_FALSE(nested);
    Bytes back(record.size());
    copy->AssignRecValues(back.data());
    EXPECT_EQ(back, record);
}

} // namespace
} // namespace panolcd
