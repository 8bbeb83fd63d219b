#include "framework/records/dbdescriptor.h"

#include "framework/environment/envcontext.h"
#include "framework/records/assigntable.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/recordtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::ByteField;
using testing::Fields;
using testing::WordField;

std::unique_ptr<TDataBaseDscrObj> Dscr(std::uint16_t type, std::uint16_t recSize,
                                       std::int16_t defaultIx) {
    auto dscr = Create<TDataBaseDscrObj>();
    dscr->Name = "D" + std::to_string(type);
    dscr->DB_TypeID = type;
    dscr->RecSize = recSize;
    dscr->DefaultRecTypeIx = defaultIx;
    return dscr;
}

class DataBaseDscrTest : public testing::RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        AddType("One", Fields(ByteField(1)));                 // 1 byte
        AddType("Three", Fields(ByteField(1), WordField(2))); // 3 bytes
        EnvCtx().app.AppData->DataBaseDscrColl = Create<TDataBaseDscrColl>();
    }
    static TDataBaseDscrColl& Coll() { return *EnvCtx().app.AppData->DataBaseDscrColl; }
};

TEST_F(DataBaseDscrTest, SortedByUnsignedTypeWithoutDuplicates) {
    for (const std::uint16_t type : {0x8000, 0x5000, 0x0001, 0xFFFF, 0x5012})
        Coll().Insert(Dscr(type, 1, 0));
    Coll().Insert(Dscr(0x5000, 3, 1)); // refused
    std::vector<std::uint16_t> order;
    for (int i = 0; i < Coll().Count(); ++i)
        order.push_back(Coll().DscrAt(i)->DB_TypeID);
    EXPECT_EQ(order, (std::vector<std::uint16_t>{0x0001, 0x5000, 0x5012, 0x8000, 0xFFFF}));
    const struct {
        std::uint16_t type;
        bool found;
    } cases[] = {{0x0001, true}, {0x5012, true}, {0xFFFF, true}, {0x5011, false}, {0, false}};
    for (const auto& c : cases) {
        const TDataBaseDscrObj* dscr = AppDataBaseDscr(c.type);
        EXPECT_EQ(dscr != nullptr, c.found) << c.type;
        if (dscr) {
            EXPECT_EQ(dscr->DB_TypeID, c.type);
        }
    }
    EXPECT_EQ(AppDataBaseDscr(0x5000)->RecSize, 1);
}

TEST_F(DataBaseDscrTest, StreamDataInFieldOrder) {
    auto dscr = Dscr(0x5010, 1, 1);
    dscr->Name = "Fonts";
    dscr->DBFlags = 0x04;
    dscr->MaxRecords = 4;
    dscr->TemplateRec = {0xAA};
    dscr->Kind = 7;
    dscr->Extra1 = 3;
    dscr->Extra2 = 4;
    const auto [first, second] = testing::SaveLoadSave(*dscr);
    EXPECT_EQ(first, second);
    const std::vector<std::uint8_t> data(first.begin() + 18, first.begin() + 18 + 39);
    EXPECT_EQ(data,
              (std::vector<std::uint8_t>{5,    'F',  'o',  'n',  't',  's',  0xFF, 0xFF, 0x10, 0x50,
                                         0x04, 4,    0,    1,    0,    1,    0,    0xAA, 7,    1,
                                         0,    0,    0,    3,    0,    4,    0,    0xFF, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(DataBaseDscrTest, LoadedFiltersPointBackAtTheirDescriptor) {
    auto dscr = Dscr(0x5012, 1, 0);
    dscr->Filters = Create<TDBFilterValColl>();
    dscr->Filters->Insert(Create<TDBFilterValidator>());
    const auto [bytes, again] = testing::SaveLoadSave(*dscr);
    TrbMemoryObjStream in(bytes);
    in.OpenRead();
    auto loaded = in.GetAs<TDataBaseDscrObj>();
    ASSERT_NE(loaded->Filter(0), nullptr);
    EXPECT_EQ(loaded->Filter(0)->Descriptor, loaded.get());
    EXPECT_EQ(loaded->Filter(-1), nullptr);
    EXPECT_EQ(loaded->Filter(1), nullptr);
}

TEST_F(DataBaseDscrTest, CaptionFromResourceOrName) {
    auto dscr = Dscr(1, 1, 0);
    dscr->Name = "Banky";
    EXPECT_EQ(dscr->Caption(), "Banky");
    dscr->CaptionId = 100;
    EXPECT_EQ(dscr->Caption(), "Chyba");
    dscr->CaptionId = 32000; // no such text
    EXPECT_EQ(dscr->Caption(), "Banky");
}

TEST_F(DataBaseDscrTest, TestAllTypeDscrsReportsTheFirstFailure) {
    const std::string head = "# Err TestTypeDscrs DBTid=$5010";
    auto initiators = [](int count) {
        auto coll = Create<TRecIniciatorColl>();
        for (int i = 0; i < count; ++i)
            coll->Insert(Create<TByteElIniciatorObj>());
        return coll;
    };
    struct Case {
        const char* name;
        std::function<void(TDataBaseDscrObj&)> setUp;
        std::string report; // empty: passes
    };
    const Case cases[] = {
        {"default type fits", [](TDataBaseDscrObj&) {}, ""},
        {"default type too short", [](TDataBaseDscrObj& d) { d.RecSize = 3; },
         head + " DefaultDscrIx DscrLng=1<> 3"},
        {"missing default type", [](TDataBaseDscrObj& d) { d.DefaultRecTypeIx = 9; },
         head + " DefaultDscrIx DscrLng=0<> 1"},
        {"assign table",
         [](TDataBaseDscrObj& d) {
             d.AssignTable = Create<TByteDscrAssTab>();
             d.AssignTable->PutTabItem(5, 1);
         },
         head + " DscrIxAsTab TestDscrLength <> 1"},
        {"initiators fit", [&](TDataBaseDscrObj& d) { d.Iniciators = initiators(1); }, ""},
        {"initiators", [&](TDataBaseDscrObj& d) { d.Iniciators = initiators(2); },
         head + " IniciatorRecSize=2<> 1"},
    };
    for (const Case& c : cases) {
        Coll().FreeAll();
        User().shown.clear();
        Coll().Insert(Dscr(0x0100, 1, 0));
        auto dscr = Dscr(0x5010, 1, 0);
        c.setUp(*dscr);
        Coll().Insert(std::move(dscr));
        Coll().Insert(Dscr(0x6000, 2, 0)); // would fail too, but is never reached
        EXPECT_FALSE(Coll().TestAllTypeDscrs()) << c.name;
        const auto reported = Reported();
        ASSERT_FALSE(reported.empty()) << c.name;
        EXPECT_EQ(reported.back(),
                  c.report.empty() ? "# Err TestTypeDscrs DBTid=$6000 DefaultDscrIx DscrLng=1<> 2"
                                   : c.report)
            << c.name;
    }
}

TEST_F(DataBaseDscrTest, TestAllTypeDscrsWithoutRecordTypes) {
    Coll().Insert(Dscr(0x5000, 1, 0));
    EnvCtx().app.AppData->RecTypesDscrColl.reset();
    EXPECT_FALSE(Coll().TestAllTypeDscrs());
    EXPECT_EQ(Reported(),
              std::vector<std::string>{"# Err TestTypeDscrs DBTid=$5000 RecTypeDscrColl=nil"});
    Coll().FreeAll();
    EXPECT_TRUE(Coll().TestAllTypeDscrs());
}

} // namespace
} // namespace panolcd
