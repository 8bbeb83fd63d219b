#include "framework/records/database.h"

#include "app/processcontext.h"
#include "common/error.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"
#include "framework/records/dbtest_util.h"
#include "framework/records/excvalidators.h"
#include "framework/records/recordscontext.h"
#include "framework/records/semsetters.h"

#include <gtest/gtest.h>

#include <set>

namespace panolcd {
namespace {

using testing::kBankRec;
using testing::FakeEdit;
using testing::FakeList;
using testing::kBanks;
using testing::kObjects;
using testing::kObjRec;
using testing::kRefusedTag;
using testing::kRoot;
using testing::kRootRec;
using testing::kScreenRec;
using testing::kScreens;

// Logs the database phases of its runs, or fails in them.
class TDBLogSem : public TSemantics {
public:
    std::vector<std::string>* log = nullptr;
    bool fails = false;

    std::string ClassName() const override { return "TDBLogSem"; }
    void Evaluate(int phase, int event, SemData) override {
        if (phase > kSemPhaseDBEnd)
            return;
        if (fails)
            throw Exception("sem failed");
        log->push_back(HexDigits(CurDB->DB_TypeID, 4) + " phase" + std::to_string(phase) +
                       " event" + std::to_string(event) + " lock" +
                       std::to_string(CurDB->UpdateLock));
    }
};

// Semantics 4 logs, 5 is a device-index semantics, 6 fails; 0..3 name none.
struct DBSemantics {
    std::vector<std::string> log;
    TSemantics* logging = nullptr;
    TDevIxSetSem* devIx = nullptr;

    DBSemantics() {
        auto manager = Create<TSemManColl>();
        for (int i = 0; i < 4; ++i)
            manager->Insert(nullptr);
        auto logSem = Create<TDBLogSem>();
        logSem->log = &log;
        logging = logSem.get();
        manager->Insert(std::move(logSem));
        auto dev = Create<TDevIxSetSem>();
        devIx = dev.get();
        manager->Insert(std::move(dev));
        auto failing = Create<TDBLogSem>();
        failing->fails = true;
        manager->Insert(std::move(failing));
        EnvCtx().app.AppData->SemanticsManager = std::move(manager);
    }
};

class DataBaseTest : public testing::DatabaseTest {};

TEST_F(DataBaseTest, CreatesEveryTypeFromItsDescriptor) {
    const std::uint16_t types[] = {kRoot, kBanks, kScreens, kObjects};
    std::int16_t expectedAdr = -32767;
    for (const std::uint16_t type : types) {
        auto database = DB(type, 3, 7);
        ASSERT_NE(database->Descriptor(), nullptr);
        EXPECT_EQ(database->Descriptor()->DB_TypeID, type);
        EXPECT_EQ(database->DB_TypeID, type);
        EXPECT_EQ(database->InstAdr, expectedAdr++);
        EXPECT_EQ(database->InstByte, 3);
        EXPECT_EQ(database->AuxByte, 7);
        EXPECT_EQ(database->UpdateLock, 0);
        EXPECT_FALSE(database->NoAttach || database->DBModified);
        EXPECT_EQ(database->Caption(), "D" + std::to_string(type));
    }
}

TEST_F(DataBaseTest, UnknownTypeRaisesAndCreatesNothing) {
    const std::int16_t before = RecordsCtx().instMan.Current();
    try {
        DB(0x5011);
        FAIL() << "no exception";
    } catch (const ExcValidators& e) {
        EXPECT_STREQ(e.what(), "TDataBase.DB_DscrCachePtr=nil DB_TypeID=$5011");
    }
    EXPECT_EQ(RecordsCtx().instMan.Current(), before);
}

TEST_F(DataBaseTest, AddressesStopOneBeforeTheNoneMark) {
    TDBInstMan& man = RecordsCtx().instMan;
    std::int16_t last = 0;
    for (int i = 0; i < 32766; ++i)
        last = man.AllocInstAdr();
    EXPECT_EQ(last, -2);
    EXPECT_TRUE(Reported().empty());
    EXPECT_EQ(man.AllocInstAdr(), -1);
    EXPECT_EQ(Reported(), std::vector<std::string>{"Instance Address Overflow !"});
    man.ResetInstAdr();
    EXPECT_EQ(man.AllocInstAdr(), -32767);
}

TEST_F(DataBaseTest, ReleasedAddressesAreHandedOutAgainOnceTheNewOnesAreSpent) {
    std::vector<std::unique_ptr<TDataBase>> kept;
    for (int i = 0; i < 100000; ++i) {
        auto temporary = DB(kObjects);
        ASSERT_NE(temporary->InstAdr, TDBInstMan::kNone) << i;
        if (i % 1000 == 0)
            kept.push_back(std::move(temporary)); // a few stay alive meanwhile
    }
    EXPECT_TRUE(Reported().empty());
    std::set<std::int16_t> live;
    for (const auto& database : kept)
        EXPECT_TRUE(live.insert(database->InstAdr).second) << database->InstAdr;

    // An address of an earlier numbering is not taken back: it may belong to a new database.
    auto old = DB(kObjects);
    RecordsCtx().instMan.ResetInstAdr();
    auto renumbered = DB(kObjects);
    EXPECT_EQ(renumbered->InstAdr, -32767);
    old.reset();
    kept.clear();
    for (int i = 0; i < 32765; ++i)
        kept.push_back(DB(kObjects));
    // Every address is in use: creating a database fails with the message, nothing is lost.
    EXPECT_THROW(DB(kObjects), Exception);
    EXPECT_EQ(Reported(), std::vector<std::string>{"Instance Address Overflow !"});
    kept.pop_back();
    EXPECT_NE(DB(kObjects)->InstAdr, TDBInstMan::kNone);
}

TEST_F(DataBaseTest, ProjectCollRestartsNumbering) {
    DB(kObjects);
    DB(kObjects);
    EXPECT_EQ(CreateProjectColl().InstAdr, -32767);
    EXPECT_EQ(ProjectColl()->DB_TypeID, kRoot);
    EXPECT_EQ(DB(kObjects)->InstAdr, -32766);
    EXPECT_EQ(CreateProjectColl().InstAdr, -32767);
    CloseProjectColl();
    EXPECT_EQ(ProjectColl(), nullptr);
    EXPECT_TRUE(CollectProjectDBsOfType(kRoot).empty());
    ResetContext();
    EXPECT_EQ(RecordsCtx().instMan.Current(), TDBInstMan::kStart);
}

TEST_F(DataBaseTest, FullAtMaxRecordsOrWithoutDescriptor) {
    auto banks = DB(kBanks);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(banks->IsFull()) << i;
        banks->Insert(Rec(kBankRec));
    }
    EXPECT_TRUE(banks->IsFull());
    EXPECT_TRUE(Create<TDataBase>()->IsFull());
}

TEST_F(DataBaseTest, UpdateLockHoldsBackNotification) {
    auto objects = DB(kObjects);
    FakeList lists(*objects);
    objects->Insert(Rec(kObjRec));
    EXPECT_EQ(lists.filled, 1);
    for (int i = 0; i < 256; ++i)
        objects->BeginUpdate();
    EXPECT_EQ(objects->UpdateLock, 255);
    objects->Insert(Rec(kObjRec));
    EXPECT_EQ(lists.filled, 1);
    while (objects->UpdateLock > 0)
        objects->EndUpdate();
    EXPECT_EQ(lists.filled, 2);
    objects->EndUpdate(); // at 0 still refreshes
    EXPECT_EQ(lists.filled, 3);
}

TEST_F(DataBaseTest, SemanticsRunLocksAndAlwaysReleases) {
    DBSemantics sems;
    auto objects = DB(kObjects, 3);
    objects->RunDBSemantics(4, 2);
    objects->RunDBSemantics(4, 3);
    objects->RunDBSemantics(7, 2); // no such semantics
    objects->RunDBSemantics(2, 2); // an empty slot
    EXPECT_EQ(sems.log,
              (std::vector<std::string>{"5020 phase1 event2 lock1", "5020 phase2 event2 lock1",
                                        "5020 phase1 event3 lock0", "5020 phase2 event3 lock0"}));
    EXPECT_EQ(sems.logging->CurDB, nullptr);
    EXPECT_THROW(objects->RunDBSemantics(6, 2), Exception);
    EXPECT_EQ(objects->UpdateLock, 0);
    EXPECT_EQ(AppSemantics(6)->CurDB, nullptr);
    objects->RunDBSemantics(5, 3);
    EXPECT_EQ(sems.devIx->DevIx, 3);
}

TEST_F(DataBaseTest, InsertPassesKeysAsTheOwnersFlagsSay) {
    DBSemantics sems;
    auto* screensDscr = AppDataBaseDscr(kScreens);
    screensDscr->RecSemantics = testing::Evaluators({4});
    auto root = DB(kRoot, 3, 7); // passes both bytes
    auto record = Rec(kRootRec);
    TDataBase& banks = Nest(*record, DB(kBanks));     // passes AuxByte on
    TDataBase& screens = Nest(*record, DB(kScreens)); // passes both on
    TDataBase& bankObjects = Nest(Add(banks, Rec(kBankRec)), DB(kObjects));
    TDataBase& screenObjects = Nest(Add(screens, Rec(kScreenRec)), DB(kObjects));
    Add(*root, std::move(record));

    const struct {
        const char* name;
        TDataBase& db;
        int inst, aux;
    } cases[] = {{"banks", banks, 3, 7},
                 {"screens", screens, 3, 7},
                 {"objects under banks", bankObjects, 0, 7},
                 {"objects under screens", screenObjects, 3, 7}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.db.InstByte, c.inst) << c.name;
        EXPECT_EQ(c.db.AuxByte, c.aux) << c.name;
    }
    EXPECT_EQ(banks.Owner, root.get());
    EXPECT_EQ(screens.Owner, root.get());
    EXPECT_EQ(sems.log,
              (std::vector<std::string>{"5012 phase1 event2 lock1", "5012 phase2 event2 lock1"}));
}

// The sub-databases' own flags do not decide at the first level: an owner without inheritance
// flags passes nothing, whatever the flags of the databases inserted into it.
TEST_F(DataBaseTest, OwnerWithoutFlagsPassesNothing) {
    auto objects = DB(kObjects, 5, 6);
    auto record = Rec(kObjRec);
    TDataBase& screens = Nest(*record, DB(kScreens));
    Add(*objects, std::move(record));
    EXPECT_EQ(screens.InstByte, 0);
    EXPECT_EQ(screens.AuxByte, 0);
    EXPECT_EQ(screens.Owner, objects.get());

    auto root = DB(kRoot, 3, 7);
    root->NoAttach = true;
    auto detached = Rec(kRootRec);
    TDataBase& banks = Nest(*detached, DB(kBanks));
    Add(*root, std::move(detached));
    EXPECT_EQ(banks.Owner, nullptr);
    EXPECT_EQ(banks.AuxByte, 0);
}

TEST_F(DataBaseTest, NewRecordSemanticsRunOnlyDeviceIndexSemantics) {
    DBSemantics sems;
    AppDataBaseDscr(kObjects)->RecSemantics = testing::Evaluators({4, 5});
    auto objects = DB(kObjects, 9);
    auto record = Rec(kObjRec);
    objects->ApplyNewRecordSemantics(*record);
    EXPECT_EQ(sems.devIx->DevIx, 9);
    EXPECT_TRUE(sems.log.empty());
}

TEST_F(DataBaseTest, RemovalMarksModifiedAndTellsTheWindowsThatShowIt) {
    auto objects = DB(kObjects);
    TDBRecordObj& first = Add(*objects, Rec(kObjRec));
    TDBRecordObj& second = Add(*objects, Rec(kObjRec));
    EXPECT_TRUE(objects->IsModified()); // new records are modified
    objects->ClearModified();
    EXPECT_FALSE(objects->IsModified());
    FakeEdit editsFirst(*objects, first);
    FakeEdit editsSecond(*objects, second);
    auto removed = objects->AtDelete(1);
    EXPECT_EQ(removed.get(), &second);
    EXPECT_EQ(editsSecond.detached, std::vector<const TDBRecordObj*>{&second});
    EXPECT_TRUE(editsFirst.detached.empty());
    EXPECT_TRUE(objects->DBModified);
    EXPECT_EQ(objects->AtDelete(5), nullptr);
    objects->ClearModified();
    objects->DeleteAll();
    EXPECT_TRUE(objects->DBModified);
    EXPECT_EQ(editsFirst.detached, std::vector<const TDBRecordObj*>{&first});
    objects->ClearModified();
    objects->DeleteAll();
    EXPECT_FALSE(objects->DBModified);
}

TEST_F(DataBaseTest, ADatabaseThatGoesEmptiesItsListsAndClosesItsWindows) {
    auto objects = DB(kObjects);
    TDBRecordObj& record = Add(*objects, Rec(kObjRec));
    FakeEdit edit(*objects, record);
    FakeList list(*objects);
    EXPECT_TRUE(objects->IsShown());
    objects.reset();
    EXPECT_TRUE(list.Forgotten());
    EXPECT_EQ(edit.detached, std::vector<const TDBRecordObj*>{&record});
}

TEST_F(DataBaseTest, ModifiedFlagsReachThroughSubDatabases) {
    auto root = DB(kRoot);
    TDBRecordObj& record = Add(*root, Rec(kRootRec));
    TDBRecordObj& bank = Add(Nest(record, DB(kBanks)), Rec(kBankRec));
    root->ClearModified();
    EXPECT_FALSE(root->IsModified() || record.IsModified() || bank.IsModified());
    bank.Modified = true;
    EXPECT_TRUE(record.IsModified());
    EXPECT_TRUE(root->IsModified());
    EXPECT_FALSE(record.Modified);
}

} // namespace
} // namespace panolcd
