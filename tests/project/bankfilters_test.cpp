// Bank and screen numbers: unique in their database, new records numbered after the highest,
// as the project's own description declares them.

#include "project/bankfilters.h"

#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <vector>

namespace panolcd::testing {
namespace {

class BankFilters : public DescriptionTest {
protected:

    // A database of `type` whose records carry `numbers` in their first byte.
    static std::unique_ptr<TDataBase> Banks(std::uint16_t type,
                                            const std::vector<std::uint8_t>& numbers) {
        auto database = TDataBase::New(nullptr, type, 0, 0);
        for (const std::uint8_t number : numbers)
            database->Insert(Record(type, number));
        return database;
    }
    static std::unique_ptr<TDBRecordObj> Record(std::uint16_t type, std::uint8_t number) {
        auto record = TDBRecordObj::New("", 0, RecTypeOf(type));
        record->RecData[0] = number;
        return record;
    }
    static std::int16_t RecTypeOf(std::uint16_t type) {
        switch (type) {
        case kDBFontBanks:
            return schema::kRecFontBank;
        case kDBBitmapBanks:
            return schema::kRecBitmapBank;
        default:
            return schema::kRecScreen;
        }
    }
};

// The filters come from the description file, so this also covers their streaming.
TEST_F(BankFilters, NewRecordsAreNumberedAfterTheHighestNumberOnAByte) {
    struct Case {
        std::uint16_t type;
        std::vector<std::uint8_t> numbers;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {kDBFontBanks, {3, 7, 5}, 8}, {kDBFontBanks, {255}, 0},
        {kDBFontBanks, {}, 1},        {kDBBitmapBanks, {3, 255}, 4}, // 255 is "no bitmap"
        {kDBScreens, {0, 2}, 3},      {kDBScreens, {4, 255, 1}, 0},
    };
    for (const Case& c : cases) {
        auto database = Banks(c.type, c.numbers);
        TDBFilterValidator* filter = database->Filter(0);
        ASSERT_NE(filter, nullptr) << c.type;
        auto record = Record(c.type, 0);
        record->Modified = false;
        filter->InitNewRecord(*database, *record);
        EXPECT_EQ(record->RecData[0], c.expected) << c.type << " " << int(c.numbers.size());
        if (c.type == kDBScreens) {
            EXPECT_EQ(ScreenRecordView(record->RecData).ScrName(),
                      "Obrazovka " + std::to_string(c.expected));
        }
    }
}

TEST_F(BankFilters, ANumberIsTakenOnlyOnceOnAddAndReplace) {
    auto database = Banks(kDBFontBanks, {3, 5, 9, 9});
    TDBFilterValidator* filter = database->Filter(0);
    ASSERT_NE(filter, nullptr);
    struct Case {
        int stored; // index of the record replaced, -1 for an added one
        std::uint8_t number;
        bool accepted;
    };
    const Case cases[] = {
        {-1, 4, true}, {-1, 5, false}, {-1, 9, false}, {1, 5, true}, // unchanged number
        {1, 6, true},  {1, 3, false},  {2, 9, false},                // the other 9 still has it
    };
    for (const Case& c : cases) {
        auto candidate = Record(kDBFontBanks, c.number);
        const bool accepted =
            c.stored < 0 ? filter->CheckInsert(*database, *candidate)
                         : filter->CheckReplace(*database, *database->Record(c.stored), *candidate);
        EXPECT_EQ(accepted, c.accepted) << c.stored << " " << int(c.number);
    }
}

TEST_F(BankFilters, AnAcceptedScreenHandsItsNumberToItsObjects) {
    auto screens = Banks(kDBScreens, {1});
    auto candidate = Record(kDBScreens, 7);
    TDBColl& subs = candidate->EnsureSubDBs();
    subs.Insert(TDataBase::New(nullptr, kDBScreenObjects, 0, 0));
    ASSERT_TRUE(screens->Filter(0)->CheckInsert(*screens, *candidate));
    EXPECT_EQ(subs.DataBase(0)->AuxByte, 7);

    auto taken = Record(kDBScreens, 1);
    TDBColl& takenSubs = taken->EnsureSubDBs();
    takenSubs.Insert(TDataBase::New(nullptr, kDBScreenObjects, 0, 0));
    EXPECT_FALSE(screens->Filter(0)->CheckInsert(*screens, *taken));
    EXPECT_EQ(takenSubs.DataBase(0)->AuxByte, 0);
}

TEST_F(BankFilters, SemanticsTheDescriptionLacksRejectAndNumberNothing) {
    auto database = Banks(kDBFontBanks, {3});
    TDBProjScr_FilterValidator filter(-1, 77, 200);
    auto record = Record(kDBFontBanks, 4);
    EXPECT_FALSE(filter.CheckInsert(*database, *record));
    filter.InitNewRecord(*database, *record);
    EXPECT_EQ(record->RecData[0], 4);
    // A key the semantics cannot load (a record without data) is no key at all.
    TDBProjFnt_FilterValidator numbered(schema::kSemNumberMax, schema::kSemNumberEqual);
    TDBRecordObj empty;
    EXPECT_FALSE(numbered.CheckInsert(*database, empty));
}

} // namespace
} // namespace panolcd::testing
