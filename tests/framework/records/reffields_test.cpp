#include "framework/records/reffields.h"
#include "framework/records/setfields.h"

#include "common/shortstring.h"
#include "framework/records/fieldtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;

TEST(RefFields, StringReferenceSlot) {
    auto d = Create<TRefPStr_FieldDscr>();
    d->FieldSize = 101;
    d->LookupParams = {1, 2, 0x5012, 4, 0xFFFF};
    EXPECT_EQ(d->GetTrBuffSize(), 94);

    Bytes record(101);
    StoreShortString(record.data(), 100, std::string(90, 'a'));
    Bytes slot(94, 0xEE);
    d->PutDataToTrBuff(record.data(), slot.data());
    EXPECT_EQ(slot[0], 79);
    EXPECT_EQ(Bytes(slot.begin() + 1, slot.begin() + 80), Bytes(79, 'a'));
    EXPECT_EQ(Bytes(slot.begin() + 80, slot.end()),
              (Bytes{1, 0, 2, 0, 0x12, 0x50, 4, 0, 0xFF, 0xFF, 0, 0, 0, 0}));

    // The text comes back cut to the field.
    auto small = Create<TRefPStr_FieldDscr>();
    small->FieldSize = 6;
    Bytes field(6);
    StoreShortString(field.data(), 5, "abc");
    bool modified = false;
    small->PutDataToTrBuff(field.data(), slot.data());
    small->GetDataFromTrBuff(field.data(), slot.data(), modified);
    EXPECT_FALSE(modified);
    StoreShortString(slot.data(), 79, "longer text");
    small->GetDataFromTrBuff(field.data(), slot.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(LoadShortString(field.data(), 5), "longe");

    small->Flags = fNoTrBuff;
    EXPECT_EQ(small->GetTrBuffSize(), 0);
}

TEST(RefFields, ByteReferenceSlot) {
    auto d = Create<TRefByte_FieldDscr>();
    d->LookupParams = {0x0201, 0x5010, 0, 0, 7};
    EXPECT_EQ(d->GetFieldSize(), 1);
    EXPECT_EQ(d->GetTrBuffSize(), 15);
    const Bytes record = {9};
    Bytes slot(15, 0xEE);
    d->PutDataToTrBuff(record.data(), slot.data());
    EXPECT_EQ(slot, (Bytes{9, 1, 2, 0x10, 0x50, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0}));
    Bytes back = {0};
    bool modified = false;
    d->GetDataFromTrBuff(back.data(), slot.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(back, record);
}

TEST(RefFields, JoinFieldCarriesItsParametersOnly) {
    auto d = Create<TJoinDBNullFieldDscr>();
    d->FieldSize = 3;
    d->JoinParams = {1, 2, 3, 4, 5, 0x0102};
    EXPECT_EQ(d->GetFieldSize(), 3);
    EXPECT_EQ(d->GetTrBuffSize(), 12);
    Bytes record = {7, 7, 7};
    d->InitFieldValue(record.data());
    EXPECT_EQ(record, (Bytes{0, 0, 0}));
    Bytes slot(12);
    d->PutDataToTrBuff(record.data(), slot.data());
    EXPECT_EQ(slot, (Bytes{1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 2, 1}));
    bool modified = false;
    d->GetDataFromTrBuff(record.data(), slot.data(), modified);
    EXPECT_FALSE(modified);
    EXPECT_EQ(record, (Bytes{0, 0, 0}));
}

TEST(SetFields, SizeDefaultAndSlot) {
    auto d = Create<TEnumSetFieldDscr>();
    d->FieldSize = 3;
    d->Kind = 2;
    d->Param = 0x01020304;
    d->DefaultSet[0] = 0x81;
    d->DefaultSet[2] = 0x10;
    d->DefaultSet[3] = 0xFF; // beyond the field
    EXPECT_EQ(d->GetFieldSize(), 3);
    EXPECT_EQ(d->GetTrBuffSize(), 8);
    Bytes record(3);
    d->InitFieldValue(record.data());
    EXPECT_EQ(record, (Bytes{0x81, 0, 0x10}));
    Bytes slot(8);
    d->PutDataToTrBuff(record.data(), slot.data());
    EXPECT_EQ(slot, (Bytes{2, 4, 3, 2, 1, 0x81, 0, 0x10}));
    slot[6] = 0x02;
    bool modified = false;
    d->GetDataFromTrBuff(record.data(), slot.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(record, (Bytes{0x81, 0x02, 0x10}));

    d->FieldSize = 40;
    EXPECT_EQ(d->GetFieldSize(), 32);
    EXPECT_EQ(d->GetTrBuffSize(), 37);
    d->Flags = fNoTrBuff;
    EXPECT_EQ(d->GetTrBuffSize(), 0);
}

TEST(SetFields, StreamData) {
    auto base = Create<TRecFieldTypeDscr>();
    auto d = Create<TEnumSetFieldDscr>();
    d->Kind = 1;
    d->Param = 0xAABBCCDD;
    d->DefaultSet[31] = 0x80;
    Bytes expected = testing::StreamData(*base);
    expected.insert(expected.end(), {1, 0xDD, 0xCC, 0xBB, 0xAA});
    Bytes set(32);
    set[31] = 0x80;
    expected.insert(expected.end(), set.begin(), set.end());
    EXPECT_EQ(testing::StreamData(*d), expected);
}

} // namespace
} // namespace panolcd
