#include "framework/records/intfields.h"

#include "common/littleendian.h"
#include "framework/persistence/register.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/register.h"
#include "support/test_context.h"

#include <functional>
#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::LineText;

template <class T>
std::unique_ptr<T> Field(std::uint16_t flags, std::uint8_t width, std::string caption = {}) {
    auto d = Create<T>();
    d->Flags = flags;
    d->LineWidth = d->CWinWidth = d->CSVWidth = d->JoinWidth = width;
    d->Caption = std::move(caption);
    return d;
}

template <class T> Bytes LE(T value) {
    Bytes bytes(sizeof(T));
    WriteLE(bytes.data(), value);
    return bytes;
}

class IntFieldsTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterRecordClasses();
    }
};

TEST_F(IntFieldsTest, LineTexts) {
    struct Case {
        std::string name;
        std::function<std::unique_ptr<TRecFieldTypeDscr>()> make;
        Bytes data;
        std::string expected;
    };
    auto kinded = [](auto d, std::uint8_t kind, std::uint8_t decimals) {
        d->ValueKind = kind;
        d->Decimals = decimals;
        return d;
    };
    const Case cases[] = {
        {"byte", [] { return Field<TByteRecFieldDscr>(0, 3); }, {7}, "  7"},
        {"byte hex", [] { return Field<TByteRecFieldDscr>(fHex, 3); }, {7}, "$07"},
        {"byte hex wider", [] { return Field<TByteRecFieldDscr>(fHex, 5); }, {0xAB}, "  $AB"},
        {"byte format", [] { return Field<TByteRecFieldDscr>(fFormat, 3, "%d kg"); }, {7}, "7 kg"},
        {"byte pattern for a text",
         [] { return Field<TByteRecFieldDscr>(fFormat, 3, "%s kg"); },
         {7},
         "  7"},
        {"byte pattern with two values",
         [] { return Field<TByteRecFieldDscr>(fFormat, 3, "%d-%d"); },
         {7},
         "  7"},
        {"byte no pad", [] { return Field<TByteRecFieldDscr>(fNoPad, 3); }, {7}, "7"},
        {"byte longer than width", [] { return Field<TByteRecFieldDscr>(0, 2); }, {255}, "255"},
        {"byte caption", [] { return Field<TByteRecFieldDscr>(0, 3, "N="); }, {7}, "N=  7"},
        {"byte lim", [] { return Field<TByteLimRecFieldDscr>(fHex, 3); }, {200}, "$C8"},
        {"word", [] { return Field<TWordRecFieldDscr>(0, 6); }, LE<std::uint16_t>(65535), " 65535"},
        {"word hex", [] { return Field<TWordRecFieldDscr>(fHex, 5); }, LE<std::uint16_t>(0xBEEF),
         "$BEEF"},
        {"smallint", [] { return Field<TSmallIntRecFieldDscr>(0, 6); }, LE<std::int16_t>(-32768),
         "-32768"},
        {"smallint hex", [] { return Field<TSmallIntRecFieldDscr>(fHex, 5); }, LE<std::int16_t>(-1),
         "$FFFF"},
        {"integer hex", [] { return Field<TIntegerRecFieldDscr>(fHex, 9); }, LE<std::int32_t>(-2),
         "$FFFFFFFE"},
        {"longint", [] { return Field<TLIntRecFieldDscr>(0, 12); },
         LE<std::int32_t>(-2147483647 - 1), " -2147483648"},
        {"longint format hex", [] { return Field<TLIntRecFieldDscr>(fFormat, 4, "adr $%X"); },
         LE<std::int32_t>(-1), "adr $FFFFFFFF"},
        {"scaled word kind 3", [&] { return kinded(Field<TSpecWordRecFieldDscr>(0, 6), 3, 2); },
         LE<std::uint16_t>(1234), " 12.34"},
        {"scaled word kind 1", [&] { return kinded(Field<TSpecWordRecFieldDscr>(0, 8), 1, 0); },
         LE<std::uint16_t>(3725), "01:02:05"},
        {"scaled word kind 2", [&] { return kinded(Field<TSpecWordRecFieldDscr>(0, 6), 2, 1); },
         LE<std::uint16_t>(125), "  12.5"},
        {"scaled word kind 4", [&] { return kinded(Field<TSpecWordRecFieldDscr>(0, 6), 4, 3); },
         LE<std::uint16_t>(65535), "65.535"},
        {"scaled word kind 0 hex",
         [&] { return kinded(Field<TSpecWordRecFieldDscr>(fHex, 5), 0, 0); }, LE<std::uint16_t>(10),
         "$000A"},
        {"scaled word unknown kind",
         [&] { return kinded(Field<TSpecWordRecFieldDscr>(0, 4), 9, 2); }, LE<std::uint16_t>(10),
         "  10"},
        {"scaled smallint kind 1",
         [&] { return kinded(Field<TSpecSmallIntRecFieldDscr>(0, 5), 1, 1); },
         LE<std::int16_t>(-15), " -1.5"},
        {"scaled smallint format",
         [&] { return kinded(Field<TSpecSmallIntRecFieldDscr>(fFormat, 5, "%5.1f C"), 1, 3); },
         LE<std::int16_t>(2125), "212.5 C"},
        {"scaled smallint lim kind 2",
         [&] { return kinded(Field<TSpecSmallIntLimRecFieldDscr>(0, 6), 2, 2); },
         LE<std::int16_t>(-1), " -0.01"},
        {"scaled longint kind 3", [&] { return kinded(Field<TSpecLIntRecFieldDscr>(0, 8), 3, 3); },
         LE<std::int32_t>(123456), " 123.456"},
        {"dword kind 0", [] { return Field<TDWordRecFieldDscr>(0, 3); },
         LE<std::uint32_t>(0xFFFFFFFF), " -1"},
        {"dword kind 0 hex", [] { return Field<TDWordRecFieldDscr>(fHex, 9); },
         LE<std::uint32_t>(0x80000000), "$80000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineText(*c.make(), c.data), c.expected) << c.name;
}

TEST_F(IntFieldsTest, DWordTimeKinds) {
    struct Case {
        std::uint8_t kind;
        std::uint32_t value;
        std::uint8_t width;
        std::string expected;
    };
    const Case cases[] = {
        {2, 0, 19, "01/01/1992 00:00:00"},
        {2, 1, 19, "01/01/1992 12:00:00"},
        {2, 1, 21, "  01/01/1992 12:00:00"},
        {1, (0x2A67u << 16) | 0x70A4u, 19, "07/03/2001 14:05:08"},
        {1, 0, 20, " ?\?/?\?/???? 00:00:00"},
        {3, 3725, 9, " 01:02:05"},
    };
    for (const auto& c : cases) {
        auto d = Field<TDWordRecFieldDscr>(0, c.width);
        d->ValueKind = c.kind;
        EXPECT_EQ(LineText(*d, LE(c.value)), c.expected) << int{c.kind} << " " << c.value;
    }
}

TEST_F(IntFieldsTest, WordOffsetShowsTheDifference) {
    auto d = Field<TWordOffsRecFieldDscr>(0, 4);
    d->Offset = 100;
    EXPECT_EQ(LineText(*d, LE<std::uint16_t>(50)), "   ?");
    EXPECT_EQ(LineText(*d, LE<std::uint16_t>(150)), "  50");
    d->Flags = fHex;
    EXPECT_EQ(LineText(*d, LE<std::uint16_t>(150)), "$0032");
    Bytes data = LE<std::uint16_t>(150);
    EXPECT_EQ(testing::FormText(*d, FieldTextForm::CWin, data), "$0032");

    Bytes buffer(2);
    d->PutDataToTrBuff(LE<std::uint16_t>(50).data(), buffer.data());
    EXPECT_EQ(buffer, LE<std::uint16_t>(0));
    d->PutDataToTrBuff(LE<std::uint16_t>(150).data(), buffer.data());
    EXPECT_EQ(buffer, LE<std::uint16_t>(50));

    Bytes record = LE<std::uint16_t>(150);
    bool modified = false;
    d->GetDataFromTrBuff(record.data(), LE<std::uint16_t>(50).data(), modified);
    EXPECT_FALSE(modified);
    d->GetDataFromTrBuff(record.data(), LE<std::uint16_t>(7).data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(record, LE<std::uint16_t>(107));
    d->GetDataFromTrBuff(record.data(), LE<std::uint16_t>(65500).data(), modified);
    EXPECT_EQ(record, LE<std::uint16_t>(65535));
}

TEST_F(IntFieldsTest, SizesAndTransferLayouts) {
    struct Case {
        std::string name;
        std::function<std::unique_ptr<TRecFieldTypeDscr>()> make;
        Bytes record;
        std::uint16_t fieldSize;
        Bytes slot;
    };
    const Case cases[] = {
        {"byte", [] { return Create<TByteRecFieldDscr>(); }, {7}, 1, {7}},
        {"byte lim",
         [] {
             auto d = Create<TByteLimRecFieldDscr>();
             d->Min = 1;
             d->Max = 9;
             return d;
         },
         {7},
         1,
         {7, 1, 9}},
        {"word", [] { return Create<TWordRecFieldDscr>(); }, {0x34, 0x12}, 2, {0x34, 0x12}},
        {"word lim",
         [] {
             auto d = Create<TWordLimRecFieldDscr>();
             d->Min = 0x0102;
             d->Max = 0xFFFE;
             return d;
         },
         {0x34, 0x12},
         2,
         {0x34, 0x12, 0x02, 0x01, 0xFE, 0xFF}},
        {"smallint lim",
         [] {
             auto d = Create<TSmallIntLimRecFieldDscr>();
             d->Min = -2;
             d->Max = 3;
             return d;
         },
         {0xFF, 0xFF},
         2,
         {0xFF, 0xFF, 0xFE, 0xFF, 3, 0}},
        {"scaled smallint lim",
         [] {
             auto d = Create<TSpecSmallIntLimRecFieldDscr>();
             d->Min = -2;
             d->Max = 3;
             d->ValueKind = 2;
             d->Decimals = 4;
             return d;
         },
         {5, 0},
         2,
         {5, 0, 0xFE, 0xFF, 3, 0, 2, 4}},
        {"integer", [] { return Create<TIntegerRecFieldDscr>(); }, {1, 2, 3, 4}, 4, {1, 2, 3, 4}},
        {"longint lim",
         [] {
             auto d = Create<TLIntLimRecFieldDscr>();
             d->Min = -1;
             d->Max = 0x01020304;
             return d;
         },
         {1, 2, 3, 4},
         4,
         {1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}},
        {"dword", [] { return Create<TDWordRecFieldDscr>(); }, {1, 2, 3, 4}, 4, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        auto d = c.make();
        EXPECT_EQ(d->GetFieldSize(), c.fieldSize) << c.name;
        EXPECT_EQ(d->FieldSize, c.fieldSize) << c.name;
        EXPECT_EQ(d->GetTrBuffSize(), c.slot.size()) << c.name;
        Bytes slot(c.slot.size(), 0xEE);
        d->PutDataToTrBuff(c.record.data(), slot.data());
        EXPECT_EQ(slot, c.slot) << c.name;

        // The value comes back from the front of the slot; nothing else is written.
        Bytes record(c.record.size(), 0);
        bool modified = false;
        d->GetDataFromTrBuff(record.data(), slot.data(), modified);
        EXPECT_EQ(record, c.record) << c.name;
        EXPECT_TRUE(modified) << c.name;

        d->Flags = fNoTrBuff;
        EXPECT_EQ(d->GetTrBuffSize(), 0) << c.name;
        modified = false;
        Bytes untouched(c.record.size(), 0x55);
        d->GetDataFromTrBuff(untouched.data(), slot.data(), modified);
        EXPECT_FALSE(modified) << c.name;
        EXPECT_EQ(untouched, Bytes(c.record.size(), 0x55)) << c.name;
    }
}

TEST_F(IntFieldsTest, DefaultsInitialiseTheField) {
    auto b = Create<TByteRecFieldDscr>();
    b->Default = 0x42;
    auto s = Create<TSmallIntRecFieldDscr>();
    s->Default = -3;
    auto l = Create<TLIntRecFieldDscr>();
    l->Default = 0x01020304;
    Bytes one(1), two(2), four(4);
    b->InitFieldValue(one.data());
    s->InitFieldValue(two.data());
    l->InitFieldValue(four.data());
    EXPECT_EQ(one, (Bytes{0x42}));
    EXPECT_EQ(two, (Bytes{0xFD, 0xFF}));
    EXPECT_EQ(four, (Bytes{4, 3, 2, 1}));
}

TEST_F(IntFieldsTest, StreamDataAfterTheBase) {
    auto base = Create<TRecFieldTypeDscr>();
    base->FieldSize = 1;
    const Bytes baseBytes = testing::StreamData(*base);

    auto b = Create<TByteLimRecFieldDscr>();
    b->Default = 5;
    b->Min = 1;
    b->Max = 9;
    Bytes expected = baseBytes;
    expected.insert(expected.end(), {5, 1, 9});
    EXPECT_EQ(testing::StreamData(*b), expected);

    base->FieldSize = 2;
    auto w = Create<TSpecSmallIntLimRecFieldDscr>();
    w->Default = -2;
    w->ValueKind = 3;
    w->Decimals = 2;
    w->Min = -100;
    w->Max = 100;
    expected = testing::StreamData(*base);
    expected.insert(expected.end(), {0xFE, 0xFF, 3, 2, 0x9C, 0xFF, 100, 0});
    EXPECT_EQ(testing::StreamData(*w), expected);

    base->FieldSize = 4;
    auto d = Create<TDWordRecFieldDscr>();
    d->Default = 0x11223344;
    d->ValueKind = 2;
    expected = testing::StreamData(*base);
    expected.insert(expected.end(), {0x44, 0x33, 0x22, 0x11, 2});
    EXPECT_EQ(testing::StreamData(*d), expected);

    base->FieldSize = 2;
    auto o = Create<TWordOffsRecFieldDscr>();
    o->Default = 0x0102;
    o->Offset = 0x0304;
    expected = testing::StreamData(*base);
    expected.insert(expected.end(), {2, 1, 4, 3});
    EXPECT_EQ(testing::StreamData(*o), expected);
}

} // namespace
} // namespace panolcd
