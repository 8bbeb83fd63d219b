#include "framework/records/dbptrfields.h"

#include "framework/records/dbtest_util.h"
#include "framework/records/fieldtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;

class DBPtrFieldTest : public testing::DatabaseTest {};

TEST_F(DBPtrFieldTest, StreamDataAfterTheBase) {
    auto plain = testing::PtrField(0x5012);
    plain->Default = -2;
    auto hidden = Create<THiddenDynDBPtrRecFieldDscr>();
    hidden->DB_TypeID = 0x5020;
    hidden->Selector = 0x0102;
    hidden->FilterIx = 3;
    const struct {
        const TRecFieldTypeDscr& field;
        Bytes tail;
    } cases[] = {{*plain, {0xFE, 0xFF, 0x12, 0x50}},
                 {*hidden, {0xFF, 0xFF, 0x20, 0x50, 0x02, 0x01, 3, 0}}};
    for (const auto& c : cases) {
        const auto [first, second] = testing::SaveLoadSave(c.field);
        EXPECT_EQ(first, second) << c.field.ClassName();
        TrbMemoryObjStream base;
        base.OpenWrite();
        base.Put(&c.field);
        const std::size_t end = static_cast<std::size_t>(base.GetStream()->Position());
        base.Close();
        const Bytes tail(first.begin() + static_cast<std::ptrdiff_t>(end - c.tail.size()),
                         first.begin() + static_cast<std::ptrdiff_t>(end));
        EXPECT_EQ(tail, c.tail) << c.field.ClassName();
    }
}

TEST_F(DBPtrFieldTest, RecordSlotAndTransferSlot) {
    auto plain = testing::PtrField(0x5012);
    auto hidden = Create<THiddenDynDBPtrRecFieldDscr>();
    hidden->DB_TypeID = 0x5020;
    hidden->Selector = 4;
    hidden->FilterIx = -1;
    const struct {
        const TDynDBPtrRecFieldDscr& field;
        Bytes buffer;
    } cases[] = {{*plain, {0x34, 0x82, 0x12, 0x50}},
                 {*hidden, {0x34, 0x82, 0x20, 0x50, 4, 0, 0xFF, 0xFF}}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.field.GetFieldSize(), 2);
        EXPECT_EQ(c.field.GetTrBuffSize(), c.buffer.size());
        Bytes data(2);
        c.field.InitFieldValue(data.data());
        EXPECT_EQ(data, (Bytes{0xFF, 0xFF}));
        data = {0x34, 0x82};
        Bytes buffer(c.buffer.size());
        c.field.PutDataToTrBuff(data.data(), buffer.data());
        EXPECT_EQ(buffer, c.buffer);
        buffer[0] = 0x99;
        bool modified = false;
        c.field.GetDataFromTrBuff(data.data(), buffer.data(), modified);
        EXPECT_EQ(data, (Bytes{0x99, 0x82}));
        EXPECT_FALSE(modified);
    }
}

TEST_F(DBPtrFieldTest, HiddenFieldLinksThroughItsFilterAndSelector) {
    // A record type of its own whose hidden pointer asks for screens seen through filter 0.
    auto hidden = Create<THiddenDynDBPtrRecFieldDscr>();
    hidden->DB_TypeID = testing::kScreens;
    hidden->FilterIx = 0;
    const std::int16_t type = AddType("HiddenRec", testing::Fields(std::move(hidden)));
    TDataBase& root = CreateProjectColl();
    TDBRecordObj& record = Add(root, Rec(type));
    record.LinkDBPtrs(&root);
    TDataBase& screens = *record.GetDBTidDataBase(testing::kScreens);
    EXPECT_EQ(PtrAt(record, 0), screens.InstAdr);
    ASSERT_EQ(screens.Count(), 1);
    screens.Record(0)->RecTag = testing::kRefusedTag;
    record.LinkDBPtrs(&root);
    EXPECT_EQ(screens.Count(), 2);
}

} // namespace
} // namespace panolcd
