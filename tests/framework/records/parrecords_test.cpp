#include "framework/records/parrecords.h"

#include "framework/records/enumtypes.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/recordtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::ByteField;
using testing::Bytes;
using testing::Fields;
using testing::WordField;

class ParRecordsTest : public testing::RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        AddType("TPar", Fields(ByteField(5), WordField(7)));
    }

    static std::unique_ptr<TParRecordObj> Record(std::int32_t dtmSize) {
        auto record = Create<TParRecordObj>();
        record->Create("TPar", -1);
        record->RecipeNum1 = 0x0102;
        record->RecipeNum2 = -2;
        record->ParRecTypeIx = 3;
        record->ParCaption = "Cap";
        record->DTMSize = dtmSize;
        return record;
    }
};

TEST_F(ParRecordsTest, StreamDataOfARecord) {
    const Bytes expected = {4, 'T', 'P',  'a',  'r', 0, 0, 3, 0, 5, 7, 0, // record
                            2, 1,   0xFE, 0xFF, 3,   0, 0, 0,             // numbers
                            3, 'C', 'a',  'p',  2,   0, 0, 0};
    EXPECT_EQ(testing::StreamData(*Record(2)), expected);
}

TEST_F(ParRecordsTest, DTMSizeIsClampedToTheData) {
    for (const std::int32_t stored : {-1, 0, 2, 3, 4, 100000}) {
        auto loaded = StreamableAs<TParRecordObj>(testing::SaveAndLoad(*Record(stored)));
        const std::int32_t expected = stored < 0 || stored > 3 ? 3 : stored;
        EXPECT_EQ(loaded->DTMSize, expected) << stored;
        EXPECT_EQ(loaded->ParCaption, "Cap");
        EXPECT_EQ(loaded->RecipeNum2, -2);
        EXPECT_EQ(loaded->ParRecTypeIx, 3);
    }
}

TEST_F(ParRecordsTest, NilAddressesKeepTheirPlaces) {
    TParRecData data;
    auto element = Create<TParRecColl>();
    element->Insert(nullptr);
    element->Insert(Record(1));
    element->Insert(nullptr);
    element->Insert(Record(2));
    data.Insert(std::move(element));
    data.Insert(nullptr);

    const auto [first, second] = testing::SaveLoadSave(data);
    EXPECT_EQ(first, second);
    auto loaded = StreamableAs<TParRecData>(testing::SaveAndLoad(data));
    ASSERT_EQ(loaded->Count(), 2);
    EXPECT_EQ(loaded->DataElement(1), nullptr);
    const TParRecColl* records = loaded->DataElement(0);
    ASSERT_NE(records, nullptr);
    ASSERT_EQ(records->Count(), 4);
    EXPECT_EQ(records->Record(0), nullptr);
    EXPECT_EQ(records->Record(2), nullptr);
    ASSERT_NE(records->Record(3), nullptr);
    EXPECT_EQ(records->Record(3)->DTMSize, 2);
    ASSERT_NE(records->TxDFiFo, nullptr);
    EXPECT_EQ(records->TxDFiFo->Count(), 0);
}

TEST_F(ParRecordsTest, ItemsOfAnotherClassAreRefused) {
    TParRecData data;
    TParRecColl records;
    TParRecTypesColl types;
    data.Insert(Create<TEnumTypesColl>());
    records.Insert(Create<TDscrRecObj>());
    types.Insert(Create<TParRecColl>());
    for (const TrbCollection* collection :
         {static_cast<TrbCollection*>(&data), static_cast<TrbCollection*>(&records),
          static_cast<TrbCollection*>(&types)})
        EXPECT_THROW(testing::SaveAndLoad(*collection), EInvalidCast) << collection->ClassName();
}

} // namespace
} // namespace panolcd
