#include "framework/records/initiator.h"

#include "common/littleendian.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "framework/persistence/register.h"
#include "framework/records/datetime.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/initiatorcoll.h"
#include "support/test_context.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::Cz;

using Make = std::function<std::unique_ptr<TRecElIniciatorObj>()>;

template <class T> Bytes LE(T value) {
    Bytes bytes(sizeof(T));
    WriteLE(bytes.data(), value);
    return bytes;
}

template <class T> std::unique_ptr<T> Named(const char* name) {
    auto iniciator = Create<T>();
    iniciator->SetIniName(name);
    return iniciator;
}

std::unique_ptr<TPStrElIniciatorObj> Text(std::uint8_t size, std::string value, char recordChar,
                                          char fileChar) {
    auto iniciator = Named<TPStrElIniciatorObj>("T");
    iniciator->StoredSize = size;
    iniciator->Value = std::move(value);
    iniciator->RecordChar = recordChar;
    iniciator->FileChar = fileChar;
    return iniciator;
}

template <class T> Make Scaled(std::uint8_t scale) {
    return [scale] {
        auto iniciator = Named<T>("S");
        iniciator->Scale = scale;
        return std::unique_ptr<TRecElIniciatorObj>(std::move(iniciator));
    };
}

Make DWord(std::uint8_t kind) {
    return [kind] {
        auto iniciator = Named<TDWordElIniciatorObj>("D");
        iniciator->Kind = kind;
        return std::unique_ptr<TRecElIniciatorObj>(std::move(iniciator));
    };
}

template <class T> Make Plain() {
    return [] { return std::unique_ptr<TRecElIniciatorObj>(Named<T>("P")); };
}

class InitiatorTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterInitiatorClasses();
    }

    // The text a real writer puts into a file, line ends included.
    std::string Written(const std::function<void(TLexicalElemWriter&)>& write, int width = 80) {
        const auto path = TempDir() / "OUT.LCD";
        {
            TLexicalElemWriter writer(path.string(), {}, width);
            write(writer);
            writer.Close();
        }
        return ReadFile(path);
    }

    std::string Token(TRecElIniciatorObj& iniciator, const Bytes& data) {
        std::string text =
            Written([&](TLexicalElemWriter& w) { iniciator.ExportValue(data.data(), w); });
        EXPECT_GE(text.size(), 2u);
        return text.substr(0, text.size() - 2); // without CR LF
    }

    std::unique_ptr<TLexicalElemReader> Reader(const std::string& text) {
        const auto path = WriteFile("IN.LCD", text);
        return std::make_unique<TLexicalElemReader>(path.string());
    }

    // The record bytes an initiator writes after reading `text`.
    Bytes Imported(TRecElIniciatorObj& iniciator, const std::string& text, bool* nested = nullptr) {
        auto reader = Reader(text);
        const bool announced = iniciator.ImportValue(*reader);
        if (nested != nullptr)
            *nested = announced;
        Bytes data(iniciator.GetElSize(), 0xCC);
        iniciator.AssignValue(data.data());
        return data;
    }

    std::string LastMessage() const {
        auto& shown = const_cast<InitiatorTest*>(this)->User().shown;
        return shown.empty() ? std::string() : shown.back().text;
    }
};

TEST_F(InitiatorTest, TokensWritten) {
    struct Case {
        std::string name;
        Make make;
        Bytes data;
        std::string token;
    };
    const std::uint32_t dos = *PackDosDateTime({2003, 2, 1, 4, 5, 6});
    const std::uint32_t zet = *PackZetTime({2001, 12, 24, 18, 30, 2});
    const Case cases[] = {
        {"byte 0", Plain<TByteElIniciatorObj>(), {0}, "$00"},
        {"byte 171", Plain<TByteElIniciatorObj>(), {0xAB}, "$AB"},
        {"word", Plain<TWordElIniciatorObj>(), LE<std::uint16_t>(0xBEEF), "$BEEF"},
        {"integer 10", Plain<TIntegerElIniciatorObj>(), LE<std::int32_t>(10), "$0000000A"},
        {"integer -1", Plain<TIntegerElIniciatorObj>(), LE<std::int32_t>(-1), "$FFFFFFFF"},
        {"integer min", Plain<TIntegerElIniciatorObj>(), LE<std::int32_t>(INT32_MIN), "$80000000"},
        {"dword kind 0", DWord(0), LE<std::uint32_t>(0xDEADBEEF), "$DEADBEEF"},
        {"dword kind 7", DWord(7), LE<std::uint32_t>(5), "$00000005"},
        {"dos date", DWord(1), LE(dos), "01/02/2003 04:05:06"},
        {"dos zero", DWord(1), LE<std::uint32_t>(0), "?\?/?\?/???? 00:00:00"},
        {"dos invalid", DWord(1), LE<std::uint32_t>(0xFFFFFFFF), "$FFFFFFFF"},
        {"dos time without date", DWord(1), LE<std::uint32_t>(0x00001234), "$00001234"},
        {"dos year 2100", DWord(1), LE(*PackDosDateTime({2100, 1, 1, 0, 0, 0})), "$F0210000"},
        {"zet date", DWord(2), LE(zet), "24/12/2001 18:30:02"},
        {"zet zero", DWord(2), LE<std::uint32_t>(0), "01/01/1992 00:00:00"},
        {"zet invalid", DWord(2), LE<std::uint32_t>(0xFFFFFFFF), "$FFFFFFFF"},
        {"real 1.5", Plain<TRealpElIniciatorObj>(), LE(1.5), "1.50000000000000E+0000"},
        {"real -1.5", Plain<TRealpElIniciatorObj>(), LE(-1.5), "-1.50000000000000E+0000"},
        {"real 0", Plain<TRealpElIniciatorObj>(), LE(0.0), "0.00000000000000E+0000"},
        {"real small", Plain<TRealpElIniciatorObj>(), LE(1.5e-10), "1.50000000000000E-0010"},
        {"real 1e38", Plain<TRealpElIniciatorObj>(), LE(1.0e38), "1.00000000000000E+0038"},
        {"real 1e300", Plain<TRealpElIniciatorObj>(), LE(-1.0e300), "-1.00000000000000E+0300"},
        {"real 15 digits", Plain<TRealpElIniciatorObj>(), LE(2.0 / 3.0), "6.66666666666667E-0001"},
        {"real nan", Plain<TRealpElIniciatorObj>(), LE(std::numeric_limits<double>::quiet_NaN()),
         "Nan"},
        {"real -inf", Plain<TRealpElIniciatorObj>(), LE(-std::numeric_limits<double>::infinity()),
         "-Inf"},
        {"text", [] { return Text(10, {}, 0, 0); }, {3, 'a', 'b', 'c', 0, 0, 0, 0, 0, 0}, "'abc'"},
        {"text O'Neil",
         [] { return Text(10, {}, '\'', '`'); },
         {6, 'O', '\'', 'N', 'e', 'i', 'l', 0, 0, 0},
         "'O`Neil'"},
        {"text holding the file character",
         [] { return Text(10, {}, '\'', '`'); },
         {8, 'M', '`', 'A', '`', ' ', '\'', 'B', '\'', 0},
         "\"M`A` 'B'\""},
        {"text holding every quote",
         [] { return Text(10, {}, '\'', '`'); },
         {5, '`', '"', '"', '\'', 'x', 0, 0, 0, 0},
         "\"`\"'\"\"'\"'x\""},
        {"text equal characters", [] { return Text(4, {}, 'x', 'x'); }, {2, 'x', 'y', 0}, "'xy'"},
        {"text damaged length", [] { return Text(4, {}, 0, 0); }, {200, 'a', 'b', 'c'}, "'abc'"},
        {"text size 1", [] { return Text(1, {}, 0, 0); }, {5}, "''"},
        {"text size 0", [] { return Text(0, {}, 0, 0); }, {}, "''"},
        {"dbptr none", Plain<TDBPtrElIniciatorObj>(), LE<std::int16_t>(-1), "$FFFF"},
        {"dbptr 3", Plain<TDBPtrElIniciatorObj>(), LE<std::int16_t>(3), "$0003"},
        {"small scale 0", Scaled<TSpecSmallIntElIniciatorObj>(0), LE<std::int16_t>(-5), "$FFFB"},
        {"small scale 1", Scaled<TSpecSmallIntElIniciatorObj>(1), LE<std::int16_t>(32767),
         "3276.7"},
        {"small scale 2", Scaled<TSpecSmallIntElIniciatorObj>(2), LE<std::int16_t>(1234), "12.34"},
        {"small scale 2 negative", Scaled<TSpecSmallIntElIniciatorObj>(2), LE<std::int16_t>(-5),
         "-0.05"},
        {"small scale 2 zero", Scaled<TSpecSmallIntElIniciatorObj>(2), LE<std::int16_t>(0), "0.00"},
        {"small scale 3", Scaled<TSpecSmallIntElIniciatorObj>(3), LE<std::int16_t>(-32768),
         "-32.768"},
        {"small scale 4 is hexadecimal", Scaled<TSpecSmallIntElIniciatorObj>(4),
         LE<std::int16_t>(1), "$0001"},
        {"long scale 0", Scaled<TSpecLIntElIniciatorObj>(0), LE<std::int32_t>(-5), "$FFFFFFFB"},
        {"long scale 3 max", Scaled<TSpecLIntElIniciatorObj>(3), LE<std::int32_t>(INT32_MAX),
         "2147483.647"},
        {"long scale 3 min", Scaled<TSpecLIntElIniciatorObj>(3), LE<std::int32_t>(INT32_MIN),
         "-2147483.648"},
        {"long scale 1", Scaled<TSpecLIntElIniciatorObj>(1), LE<std::int32_t>(15), "1.5"},
    };
    for (const Case& c : cases) {
        auto iniciator = c.make();
        EXPECT_EQ(Token(*iniciator, c.data), c.token) << c.name;
    }
}

TEST_F(InitiatorTest, ValuesRead) {
    struct Case {
        std::string name;
        Make make;
        std::string text;
        Bytes data;
    };
    const Case cases[] = {
        {"byte decimal", Plain<TByteElIniciatorObj>(), "200", {200}},
        {"word hex lower case", Plain<TWordElIniciatorObj>(), "$beef", LE<std::uint16_t>(0xBEEF)},
        {"integer min", Plain<TIntegerElIniciatorObj>(), "$80000000", LE<std::int32_t>(INT32_MIN)},
        {"integer decimal", Plain<TIntegerElIniciatorObj>(), "123", LE<std::int32_t>(123)},
        {"dos date", DWord(1), "1/2/03 4:05", LE(*PackDosDateTime({2003, 2, 1, 4, 5, 0}))},
        {"dos unknown date", DWord(1), "?\?/?\?/???? 00:00:00", LE<std::uint32_t>(0)},
        {"zet date", DWord(2), "24/12/2001 18:30:02", LE(*PackZetTime({2001, 12, 24, 18, 30, 2}))},
        {"real", Plain<TRealpElIniciatorObj>(), "-2.5E+0001", LE(-25.0)},
        {"text O`Neil",
         [] { return Text(10, {}, '\'', '`'); },
         "'O`Neil'",
         {6, 'O', '\'', 'N', 'e', 'i', 'l', 0, 0, 0}},
        {"text cut to the stored size",
         [] { return Text(4, {}, 0, 0); },
         "'abcdef'",
         {3, 'a', 'b', 'c'}},
        {"text in parts",
         [] { return Text(10, {}, '\'', '`'); },
         "\"a`\"'b`'\"'\"",
         {5, 'a', '`', 'b', '\'', '\'', 0, 0, 0, 0}},
        {"text over a line end",
         [] { return Text(6, {}, 0, 0); },
         "'a\r\nb'",
         {4, 'a', '\r', '\n', 'b', 0}},
        {"small 16-bit pattern", Scaled<TSpecSmallIntElIniciatorObj>(0), "$FFFB",
         LE<std::int16_t>(-5)},
        {"small decimal", Scaled<TSpecSmallIntElIniciatorObj>(0), "-5", LE<std::int16_t>(-5)},
        {"small lowest pattern", Scaled<TSpecSmallIntElIniciatorObj>(0), "$8000",
         LE<std::int16_t>(-32768)},
        {"small 32-bit pattern", Scaled<TSpecSmallIntElIniciatorObj>(0), "$FFFFFFFB",
         LE<std::int16_t>(-5)},
        {"scale 2 400.005", Scaled<TSpecSmallIntElIniciatorObj>(2), "400.005",
         LE<std::int16_t>(32767)},
        {"scale 2 -400.005", Scaled<TSpecSmallIntElIniciatorObj>(2), "-400.005",
         LE<std::int16_t>(-32768)},
        {"scale 2 12.34", Scaled<TSpecSmallIntElIniciatorObj>(2), "12.34", LE<std::int16_t>(1234)},
        {"half to even down", Scaled<TSpecSmallIntElIniciatorObj>(2), "0.125",
         LE<std::int16_t>(12)},
        {"half to even up", Scaled<TSpecSmallIntElIniciatorObj>(2), "0.375", LE<std::int16_t>(38)},
        {"half to even negative", Scaled<TSpecSmallIntElIniciatorObj>(1), "-0.25",
         LE<std::int16_t>(-2)},
        {"scale 1 exponent", Scaled<TSpecSmallIntElIniciatorObj>(1), "1.5E+0001",
         LE<std::int16_t>(150)},
        {"long pattern", Scaled<TSpecLIntElIniciatorObj>(0), "$80000000",
         LE<std::int32_t>(INT32_MIN)},
        {"long scaled above", Scaled<TSpecLIntElIniciatorObj>(3), "9999999",
         LE<std::int32_t>(INT32_MAX)},
        {"long scaled below", Scaled<TSpecLIntElIniciatorObj>(3), "-9999999",
         LE<std::int32_t>(INT32_MIN)},
        {"long scaled", Scaled<TSpecLIntElIniciatorObj>(3), "-2147483.648",
         LE<std::int32_t>(INT32_MIN)},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        auto iniciator = c.make();
        EXPECT_EQ(Imported(*iniciator, c.text), c.data) << c.name;
        EXPECT_TRUE(User().shown.empty()) << c.name << ": " << LastMessage();
    }
}

TEST_F(InitiatorTest, BadTokensLeaveTheValueAndReport) {
    struct Case {
        std::string name;
        Make make;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"small beyond 16 bits", Scaled<TSpecSmallIntElIniciatorObj>(0), "70000",
         "Hodnota mimo meze  <-32768;32767>  1:5"},
        {"small below", Scaled<TSpecSmallIntElIniciatorObj>(0), "-32769",
         "Hodnota mimo meze  <-32768;32767>  1:6"},
        {"byte range", Plain<TByteElIniciatorObj>(), "$1FF", "Hodnota mimo meze  <0;$FF>  1:4"},
        {"real nan", Plain<TRealpElIniciatorObj>(), "Nan",
         "not (Ch in [''.'',''+'',''-'',''0''..''9'',''E'']) 1:1"},
        {"real beyond the reader's range", Plain<TRealpElIniciatorObj>(), "1.0E+0039",
         "Hodnota mimo meze  <-1.0E+38;1.0E+38>  1:9"},
        {"text without quotes", [] { return Text(4, "old", 0, 0); }, "abc",
         "Očekáván znak  ''' or '\"'  1:1"},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        auto iniciator = c.make();
        Bytes before(iniciator->GetElSize(), 0xCC);
        iniciator->AssignValue(before.data());
        EXPECT_EQ(Imported(*iniciator, c.text), before) << c.name;
        EXPECT_EQ(LastMessage(), Cz(c.message.c_str())) << c.name;
    }
}

// Writes every value with a real writer, reads the file with a real reader, and compares the
// record bytes: 0, the maximum, the minimum, -1 and all ones of each width, signed or not.
TEST_F(InitiatorTest, EveryClassReadsBackWhatItWrites) {
    auto patterns = [](std::size_t width) {
        std::vector<Bytes> out;
        Bytes zero(width, 0), ones(width, 0xFF), max(width, 0xFF), min(width, 0), one(width, 0),
            minusTwo(width, 0xFF);
        max.back() = 0x7F;
        min.back() = 0x80;
        one.front() = 1;
        minusTwo.front() = 0xFE;
        return std::vector<Bytes>{zero, ones, max, min, one, minusTwo};
    };
    struct Case {
        std::string name;
        Make make;
        std::vector<Bytes> values;
    };
    std::vector<Case> cases = {
        {"byte", Plain<TByteElIniciatorObj>(), patterns(1)},
        {"word", Plain<TWordElIniciatorObj>(), patterns(2)},
        {"integer", Plain<TIntegerElIniciatorObj>(), patterns(4)},
        {"dword kind 0", DWord(0), patterns(4)},
        {"dword dos", DWord(1), patterns(4)},
        {"dword zet", DWord(2), patterns(4)},
        {"dbptr", Plain<TDBPtrElIniciatorObj>(), patterns(2)},
    };
    for (std::uint8_t scale = 0; scale <= 4; ++scale) {
        cases.push_back({"small scale " + std::to_string(scale),
                         Scaled<TSpecSmallIntElIniciatorObj>(scale), patterns(2)});
        cases.push_back({"long scale " + std::to_string(scale),
                         Scaled<TSpecLIntElIniciatorObj>(scale), patterns(4)});
    }
    cases[4].values.push_back(LE(*PackDosDateTime({2079, 12, 31, 23, 59, 58})));
    cases[5].values.push_back(LE(*PackZetTime({2080, 12, 31, 23, 59, 59})));
    cases.push_back({"real",
                     Plain<TRealpElIniciatorObj>(),
                     {LE(0.0), LE(-0.0), LE(1.0e38), LE(-1.0e38), LE(-1.0), LE(1.5),
                      LE(123.456789012345), LE(1.0e-300), LE(0.1)}});
    cases.push_back({"text",
                     [] { return Text(8, {}, '\'', '`'); },
                     {{0, 0, 0, 0, 0, 0, 0, 0},
                      {7, 'O', '\'', 'N', 'e', 'i', 'l', '!'},
                      {3, '\'', '\'', '\'', 0, 0, 0, 0},
                      {6, 'M', '`', 'A', '`', '"', '\'', 0},
                      {3, '"', '`', '"', 0, 0, 0, 0},
                      {1, '`', 0, 0, 0, 0, 0, 0},
                      {2, static_cast<std::uint8_t>('\xF8'), ';', 0, 0, 0, 0, 0}}});

    for (const Case& c : cases) {
        User().shown.clear();
        auto writerSide = c.make();
        const std::string text = Written(
            [&](TLexicalElemWriter& w) {
                for (const Bytes& value : c.values) {
                    writerSide->ExportValue(value.data(), w);
                    w.AppendChar(';');
                }
            },
            40);
        auto reader = Reader(text);
        for (const Bytes& value : c.values) {
            auto readerSide = c.make();
            readerSide->ImportValue(*reader);
            EXPECT_EQ(reader->NextChar(), ';') << c.name;
            Bytes back(value.size(), 0xCC);
            readerSide->AssignValue(back.data());
            EXPECT_EQ(back, value) << c.name << " in " << text;
        }
        EXPECT_TRUE(User().shown.empty()) << c.name << ": " << LastMessage() << " in " << text;
    }
}

TEST_F(InitiatorTest, TextAssignsAtMostSizeMinusOneCharacters) {
    struct Case {
        std::uint8_t size;
        std::string value;
        Bytes data;
    };
    const Case cases[] = {
        {4, "hello", {3, 'h', 'e', 'l'}},
        {4, "", {0, 0, 0, 0}},
        {4, "a", {1, 'a', 0, 0}},
        {2, "xyz", {1, 'x'}},
        {1, "xyz", {0xCC}}, // no room for a character: the record is left alone
        {0, "xyz", {}},
    };
    for (const Case& c : cases) {
        auto iniciator = Text(c.size, c.value, 0, 0);
        EXPECT_EQ(iniciator->GetElSize(), c.size);
        Bytes data(c.size, 0xCC);
        iniciator->AssignValue(data.data());
        EXPECT_EQ(data, c.data) << int(c.size) << " " << c.value;
    }
}

TEST_F(InitiatorTest, ElementSizes) {
    EXPECT_EQ(Named<TByteElIniciatorObj>("x")->GetElSize(), 1);
    EXPECT_EQ(Named<TWordElIniciatorObj>("x")->GetElSize(), 2);
    EXPECT_EQ(Named<TIntegerElIniciatorObj>("x")->GetElSize(), 4);
    EXPECT_EQ(Named<TDWordElIniciatorObj>("x")->GetElSize(), 4);
    EXPECT_EQ(Named<TRealpElIniciatorObj>("x")->GetElSize(), 8);
    EXPECT_EQ(Named<TDBPtrElIniciatorObj>("x")->GetElSize(), 2);
    EXPECT_EQ(Named<TSpecSmallIntElIniciatorObj>("x")->GetElSize(), 2);
    EXPECT_EQ(Named<TSpecLIntElIniciatorObj>("x")->GetElSize(), 4);
    EXPECT_EQ(Text(21, {}, 0, 0)->GetElSize(), 21);
}

TEST_F(InitiatorTest, NamesAreCutTo16CharactersAndAtAZero) {
    auto iniciator = Named<TByteElIniciatorObj>("ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(iniciator->IniName(), "ABCDEFGHIJKLMNOP");
    iniciator->SetIniName(std::string("AB\0CD", 5));
    EXPECT_EQ(iniciator->IniName(), "AB");
}

TEST_F(InitiatorTest, StreamData) {
    struct Case {
        std::string name;
        std::function<std::unique_ptr<TrbStreamable>()> make;
        Bytes data;
    };
    const Case cases[] = {
        {"byte",
         [] {
             auto i = Named<TByteElIniciatorObj>("AB");
             i->Value = 7;
             return i;
         },
         {2, 'A', 'B', 7}},
        {"word",
         [] {
             auto i = Named<TWordElIniciatorObj>("W");
             i->Value = 0x1234;
             return i;
         },
         {1, 'W', 0x34, 0x12}},
        {"integer",
         [] {
             auto i = Named<TIntegerElIniciatorObj>("I");
             i->Value = -2;
             return i;
         },
         {1, 'I', 0xFE, 0xFF, 0xFF, 0xFF}},
        {"dword",
         [] {
             auto i = Named<TDWordElIniciatorObj>("D");
             i->Value = 0x01020304;
             i->Kind = 2;
             return i;
         },
         {1, 'D', 4, 3, 2, 1, 2}},
        {"real",
         [] {
             auto i = Named<TRealpElIniciatorObj>("R");
             i->Value = 1.5;
             return i;
         },
         {1, 'R', 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
        {"text",
         [] { return Text(5, "hi", '\'', '`'); },
         {1, 'T', 5, 2, 0, 0, 0, 'h', 'i', '\'', '`'}},
        {"absent text", [] { return Text(5, {}, 0, 0); }, {1, 'T', 5, 0, 0, 0, 0, 0, 0}},
        {"dbptr default", [] { return Named<TDBPtrElIniciatorObj>("P"); }, {1, 'P', 0xFF, 0xFF}},
        {"small",
         [] {
             auto i = Named<TSpecSmallIntElIniciatorObj>("S");
             i->Value = -5;
             i->Scale = 2;
             return i;
         },
         {1, 'S', 0xFB, 0xFF, 2}},
        {"long",
         [] {
             auto i = Named<TSpecLIntElIniciatorObj>("L");
             i->Value = 1;
             i->Scale = 3;
             return i;
         },
         {1, 'L', 1, 0, 0, 0, 3}},
    };
    for (const Case& c : cases) {
        auto object = c.make();
        EXPECT_EQ(testing::StreamData(*object), c.data) << c.name;
        // Save, load, save again: the same bytes, under the registered class name.
        auto loaded = testing::SaveAndLoad(*object);
        ASSERT_NE(loaded, nullptr) << c.name;
        EXPECT_EQ(loaded->ClassName(), object->ClassName());
        EXPECT_EQ(testing::StreamRecord(*loaded), testing::StreamRecord(*object)) << c.name;
    }
}

// A database stand-in with an instance number.
class FakeDatabase final : public TrbStreamable {
public:
    explicit FakeDatabase(std::int16_t instance = 0) : instance(instance) {}
    std::int16_t instance;
    std::string ClassName() const override { return "FakeDatabase"; }
    void SaveToStream(TrbObjStream&) const override {}
    void LoadFromStream(TrbObjStream&) override {}
};

class FakeHost final : public NestedDatabaseHost {
public:
    std::vector<std::unique_ptr<TrbStreamable>> databases;
    mutable int searches = 0;

    void AdoptNestedDB(std::unique_ptr<TrbStreamable> database) override {
        databases.push_back(std::move(database));
    }
    TrbStreamable* FindByInstance(std::int16_t instance) const override {
        ++searches;
        for (const auto& d : databases) {
            if (static_cast<FakeDatabase*>(d.get())->instance == instance)
                return d.get();
        }
        return nullptr;
    }
};

TEST_F(InitiatorTest, NestedDatabaseIsKeptUntilHandedToTheRecord) {
    auto iniciator = Named<TDBPtrElIniciatorObj>("Sub");
    EXPECT_EQ(iniciator->GetDBInstance(), -1);

    bool nested = true;
    EXPECT_EQ(Imported(*iniciator, "$FFFF", &nested), LE<std::int16_t>(-1));
    EXPECT_FALSE(nested);
    EXPECT_EQ(Imported(*iniciator, "$0005", &nested), LE<std::int16_t>(5));
    EXPECT_TRUE(nested);
    EXPECT_EQ(iniciator->GetDBInstance(), 5);

    auto database = std::make_unique<FakeDatabase>(6);
    const TrbStreamable* kept = database.get();
    iniciator->SetNestedDB(std::move(database), 6);
    EXPECT_EQ(iniciator->NestedDB(), kept);
    EXPECT_EQ(iniciator->GetDBInstance(), 6);
    Bytes data(2);
    iniciator->AssignValue(data.data());
    EXPECT_EQ(data, LE<std::int16_t>(6));

    FakeHost record;
    iniciator->HandNestedDB(record);
    ASSERT_EQ(record.databases.size(), 1u);
    EXPECT_EQ(record.databases[0].get(), kept);
    EXPECT_EQ(iniciator->NestedDB(), nullptr);
    iniciator->HandNestedDB(record); // nothing left to hand
    EXPECT_EQ(record.databases.size(), 1u);

    // Replacing a kept database frees the first one (the sanitizer watches).
    iniciator->SetNestedDB(std::make_unique<FakeDatabase>(1), 1);
    iniciator->SetNestedDB(std::make_unique<FakeDatabase>(2), 2);
    EXPECT_EQ(static_cast<const FakeDatabase*>(iniciator->NestedDB())->instance, 2);
}

TEST_F(InitiatorTest, ExportRemembersTheInstanceToFindItsDatabaseOnce) {
    FakeHost record;
    record.AdoptNestedDB(std::make_unique<FakeDatabase>(3));
    record.AdoptNestedDB(std::make_unique<FakeDatabase>(7));
    auto iniciator = Named<TDBPtrElIniciatorObj>("Sub");

    EXPECT_EQ(iniciator->FindNestedDB(&record), nullptr); // -1: nothing written yet
    EXPECT_EQ(record.searches, 0);

    EXPECT_EQ(Token(*iniciator, LE<std::int16_t>(7)), "$0007");
    EXPECT_EQ(iniciator->GetDBInstance(), 7);
    EXPECT_EQ(iniciator->FindNestedDB(&record), record.databases[1].get());
    EXPECT_EQ(iniciator->GetDBInstance(), -1);
    EXPECT_EQ(iniciator->FindNestedDB(&record), nullptr);
    EXPECT_EQ(record.searches, 1);

    EXPECT_EQ(Token(*iniciator, LE<std::int16_t>(9)), "$0009");
    EXPECT_EQ(iniciator->FindNestedDB(&record), nullptr); // no database of that instance
    EXPECT_EQ(iniciator->GetDBInstance(), -1);

    EXPECT_EQ(Token(*iniciator, LE<std::int16_t>(3)), "$0003");
    EXPECT_EQ(iniciator->FindNestedDB(nullptr), nullptr); // the record has no sub-databases
    EXPECT_EQ(iniciator->GetDBInstance(), -1);
}

TEST_F(InitiatorTest, OtherClassesHaveNoNestedDatabase) {
    auto iniciator = Named<TWordElIniciatorObj>("W");
    FakeHost record;
    iniciator->SetNestedDB(std::make_unique<FakeDatabase>(1), 1);
    iniciator->HandNestedDB(record);
    EXPECT_EQ(iniciator->GetDBInstance(), -1);
    EXPECT_EQ(iniciator->FindNestedDB(&record), nullptr);
    EXPECT_TRUE(record.databases.empty());
}

} // namespace
} // namespace panolcd
