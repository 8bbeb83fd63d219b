#include "framework/records/identfields.h"
#include "framework/records/rootlookfield.h"

#include "common/littleendian.h"
#include "framework/persistence/register.h"
#include "framework/records/enumfield.h"
#include "framework/records/enumtest_util.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/recordscontext.h"
#include "framework/records/register.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::EnumType;
using testing::FormText;

class IdentFieldsTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterRecordClasses();
        RegisterEnumTypeClasses();
        RegisterEnumFieldClasses();
        auto types = Create<TEnumTypesColl>();
        types->Insert(EnumType("EnIdentKind", {"Vstup", "Vystup", "Cidlo"}));
        testing::InstallEnumTypes(std::move(types));
    }
};

TEST_F(IdentFieldsTest, Texts) {
    struct Case {
        const char* name;
        std::uint8_t kind;
        std::uint8_t style;
        std::uint8_t kindWidth;
        std::uint8_t width;
        std::uint16_t flags;
        std::string expected;
        std::int32_t kindEnumIx = 0;
    };
    // Bytes 0..2 of every case: card $1A, point 200, zone 5; their word is 51226.
    const Case cases[] = {
        {"card point, compact", 0, 1, 11, 11, 0, "005/$1A/200"},
        {"card point", 0, 0, 17, 17, 0, "z=005 k=$1A p=200"},
        {"card point, other style", 14, 7, 17, 17, 0, "z=005 k=$1A p=200"},
        {"number, compact", 1, 1, 9, 9, 0, "005/51226"},
        {"number", 15, 0, 13, 13, 0, "z=005 n=51226"},
        {"word", 3, 2, 5, 5, 0, "Ident"},
        {"word for card point", 8, 2, 7, 7, 0, "Ident  "},
        {"beyond the groups", 16, 2, 12, 12, 0, "268814362   "},
        {"beyond the groups, hex", 16, 0, 9, 9, fHex, "$1005C81A"},
        {"negative", 0x80, 0, 11, 11, 0, "-2147104742"},
        {"cut to the kind width", 0, 0, 5, 5, 0, "z=005"},
        {"cut to the width", 0, 0, 17, 10, 0, "z=005 k=$1"},
        {"kind follows", 0, 1, 12, 20, 0, "005/$1A/200 Vstup   "},
        {"kind cut", 1, 1, 9, 12, 0, "005/51226Vys"},
        {"kind in hex", 1, 1, 10, 14, fHex, "005/51226 $01 "},
        {"kind without text", 5, 1, 9, 13, 0, "005/51226$05 "},
        {"no kind type", 1, 1, 9, 13, 0, "005/51226$01 ", 7},
        {"kind type beyond 16 bits", 1, 1, 9, 13, 0, "005/51226$01 ", 70000},
        {"unpadded kind", 1, 1, 10, 20, fNoPad, "005/51226 Vystup"},
        {"unpadded, identifier still fills its width", 0, 0, 20, 20, fNoPad,
         "z=005 k=$1A p=200   "},
        {"kind width 0", 2, 0, 0, 6, 0, "Cidlo "},
        {"width 0", 2, 0, 5, 0, 0, ""},
    };
    for (const auto& c : cases) {
        auto d = Create<TIdentRecFieldDscr>();
        d->Style = c.style;
        d->KindWidth = c.kindWidth;
        d->KindEnumIx = c.kindEnumIx;
        d->Flags = c.flags;
        d->LineWidth = c.width;
        Bytes data = {0x1A, 200, 5, c.kind};
        EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), c.expected) << c.name;
    }
}

TEST_F(IdentFieldsTest, NumbersAreFilledWithZeros) {
    auto d = Create<TIdentRecFieldDscr>();
    d->Style = 1;
    d->KindWidth = d->LineWidth = 11;
    EXPECT_EQ(testing::LineText(*d, {0x00, 7, 0, 4}), "000/01792  ");
    EXPECT_EQ(testing::LineText(*d, {0x0B, 0, 0, 0}), "000/$0B/000");
}

TEST_F(IdentFieldsTest, CaptionAndForms) {
    auto d = Create<TIdentRecFieldDscr>();
    d->Caption = "Id: ";
    d->Style = 1;
    d->KindWidth = 9;
    d->LineWidth = d->CSVWidth = 9;
    Bytes data = {0x1A, 200, 5, 1};
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), "Id: 005/51226");
    EXPECT_EQ(FormText(*d, FieldTextForm::CSV, data), "005/51226;");
}

TEST_F(IdentFieldsTest, IdentifierSlot) {
    auto d = Create<TIdentRecFieldDscr>();
    d->KindEnumIx = -3;
    EXPECT_EQ(d->GetFieldSize(), 4);
    EXPECT_EQ(d->GetTrBuffSize(), 9);
    Bytes record = {1, 2, 3, 4};
    Bytes slot(9, 0xEE);
    d->PutDataToTrBuff(record.data(), slot.data());
    EXPECT_EQ(slot, (Bytes{1, 2, 3, 4, 4, 0xFD, 0xFF, 0xFF, 0xFF}));

    struct Case {
        std::size_t offset;
        bool modifies;
        Bytes record;
    };
    // Byte 3 of the slot is the kind as it was put; the edited kind is byte 4.
    const Case cases[] = {
        {0, true, {9, 2, 3, 4}},  {1, true, {1, 9, 3, 4}}, {2, true, {1, 2, 9, 4}},
        {3, false, {1, 2, 3, 4}}, {4, true, {1, 2, 3, 9}}, {5, false, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        Bytes edited = slot;
        edited[c.offset] = 9;
        Bytes back = record;
        bool modified = false;
        d->GetDataFromTrBuff(back.data(), edited.data(), modified);
        EXPECT_EQ(modified, c.modifies) << c.offset;
        EXPECT_EQ(back, c.record) << c.offset;
    }

    d->Flags = fNoTrBuff;
    EXPECT_EQ(d->GetTrBuffSize(), 0);
}

TEST_F(IdentFieldsTest, ReferenceIdentifierSlot) {
    auto d = Create<TRefIdent_FieldDscr>();
    d->KindEnumIx = 0x01020304;
    d->LookupParams = {1, 2, 0x5013, 4, 0xFFFF};
    EXPECT_EQ(d->GetTrBuffSize(), 23);
    Bytes record = {0x1A, 200, 5, 1};
    Bytes slot(23, 0xEE);
    d->PutDataToTrBuff(record.data(), slot.data());
    const Bytes expected = {0x1A, 200,  5, 1, 1, 0, 2, 0, 0x13, 0x50, 4, 0,
                            0xFF, 0xFF, 0, 0, 0, 0, 1, 4, 3,    2,    1};
    EXPECT_EQ(slot, expected);

    bool modified = false;
    d->GetDataFromTrBuff(record.data(), slot.data(), modified);
    EXPECT_FALSE(modified);
    slot[3] = 2;
    slot[18] = 7; // only the value comes back
    d->GetDataFromTrBuff(record.data(), slot.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(record, (Bytes{0x1A, 200, 5, 2}));

    d->Flags = fNoTrBuff;
    EXPECT_EQ(d->GetTrBuffSize(), 0);
}

TEST_F(IdentFieldsTest, StreamDataAndDefault) {
    auto d = Create<TRefIdent_FieldDscr>();
    d->Default = 0x04030201;
    d->KindEnumIx = -1;
    d->Style = 2;
    d->KindWidth = 12;
    d->LookupParams = {5, 6, 7, 8, 9};
    const Bytes data = testing::StreamData(*d);
    const Bytes own = {1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF, 2, 12, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0};
    ASSERT_GE(data.size(), own.size());
    EXPECT_EQ(Bytes(data.end() - static_cast<std::ptrdiff_t>(own.size()), data.end()), own);

    auto loaded = StreamableAs<TRefIdent_FieldDscr>(testing::SaveAndLoad(*d));
    EXPECT_EQ(loaded->Default, 0x04030201);
    EXPECT_EQ(loaded->KindEnumIx, -1);
    EXPECT_EQ(loaded->Style, 2);
    EXPECT_EQ(loaded->KindWidth, 12);
    EXPECT_EQ(loaded->LookupParams, d->LookupParams);
    EXPECT_EQ(loaded->FieldSize, 4);
    Bytes record(4);
    loaded->InitFieldValue(record.data());
    EXPECT_EQ(record, (Bytes{1, 2, 3, 4}));
}

TEST_F(IdentFieldsTest, RootLookupFillsTheRecordReference) {
    auto d = Create<TRootLookRefByte_FieldDscr>();
    d->LookupParams = {0x5010, 0x5011, 0, 0, 0};
    EXPECT_EQ(d->GetTrBuffSize(), 15);
    const Bytes record = {3};
    struct Case {
        const char* name;
        bool hook;
        std::uint32_t found;
        Bytes reference;
    };
    const Case cases[] = {
        {"no project", false, 0, {0, 0, 0, 0}},
        {"found", true, 0x0A0B0C0D, {0x0D, 0x0C, 0x0B, 0x0A}},
        {"none found", true, 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<std::uint16_t> asked;
        RecordsCtx().rootRecordLookup = nullptr;
        if (c.hook) {
            RecordsCtx().rootRecordLookup = [&asked, &c](std::uint16_t dbType) {
                asked.push_back(dbType);
                return c.found;
            };
        }
        Bytes slot(15, 0xEE);
        d->PutDataToTrBuff(record.data(), slot.data());
        EXPECT_EQ(Bytes(slot.begin(), slot.begin() + 11),
                  (Bytes{3, 0x10, 0x50, 0x11, 0x50, 0, 0, 0, 0, 0, 0}))
            << c.name;
        EXPECT_EQ(Bytes(slot.begin() + 11, slot.end()), c.reference) << c.name;
        EXPECT_EQ(asked, c.hook ? std::vector<std::uint16_t>{0x5011} : std::vector<std::uint16_t>{})
            << c.name;
    }
    RecordsCtx().rootRecordLookup = nullptr;

    // Without a slot nothing is put and nobody is asked.
    d->Flags = fNoTrBuff;
    bool asked = false;
    RecordsCtx().rootRecordLookup = [&asked](std::uint16_t) {
        asked = true;
        return 1u;
    };
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    d->PutDataToTrBuff(record.data(), nullptr);
    EXPECT_FALSE(asked);
    RecordsCtx().rootRecordLookup = nullptr;
}

} // namespace
} // namespace panolcd
