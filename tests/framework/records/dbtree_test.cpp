#include "framework/records/dbcoll.h"

#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"
#include "framework/records/dbtest_util.h"
#include "framework/records/dbtrack.h"
#include "framework/records/excvalidators.h"
#include "framework/records/recordscontext.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::kBankRec;
using testing::FakeList;
using testing::kBanks;
using testing::kObjects;
using testing::kObjRec;
using testing::kRefusedTag;
using testing::kRoot;
using testing::kRootRec;
using testing::kScreenRec;
using testing::kScreens;

// Root record: byte, banks pointer at 1, screens pointer at 3. Screen record: pointer at 1.
constexpr std::size_t kBanksPtr = 1, kScreensPtr = 3, kObjectsPtr = 1;

class DBTreeTest : public testing::DatabaseTest {
protected:
    // The project root with one record linked: banks, screens with a default screen record and
    // its objects, then `extraScreens` more screens (tags 1, 2, ...) each with their objects.
    TDataBase& BuildProject(int extraScreens = 0) {
        TDataBase& root = CreateProjectColl();
        root.InstByte = 3;
        root.AuxByte = 7;
        TDBRecordObj& record = Add(root, Rec(kRootRec));
        record.LinkDBPtrs(&root);
        TDataBase& screens = *record.GetDBTidDataBase(kScreens);
        for (int i = 1; i <= extraScreens; ++i)
            Add(screens, Rec(kScreenRec, static_cast<std::int16_t>(i))).LinkDBPtrs(&screens);
        return root;
    }
    static TDataBase& Screens() { return *ProjectColl()->Record(0)->GetDBTidDataBase(kScreens); }
};

TEST_F(DBTreeTest, LinkDBPtrsBuildsSubDatabasesAndDefaultRecords) {
    TDataBase& root = BuildProject();
    TDBRecordObj& record = *root.Record(0);
    ASSERT_EQ(record.SubDBs->Count(), 2);
    TDataBase& banks = *record.SubDBs->DataBase(0);
    TDataBase& screens = *record.SubDBs->DataBase(1);
    // Addresses in the order of building: root, banks, screens, the default screen's objects.
    EXPECT_EQ(root.InstAdr, -32767);
    EXPECT_EQ(banks.InstAdr, -32766);
    EXPECT_EQ(screens.InstAdr, -32765);
    EXPECT_EQ(PtrAt(record, kBanksPtr), -32766);
    EXPECT_EQ(PtrAt(record, kScreensPtr), -32765);
    EXPECT_EQ(banks.Count(), 0); // banks create no default record
    ASSERT_EQ(screens.Count(), 1);
    TDBRecordObj& screen = *screens.Record(0);
    EXPECT_EQ(screen.RecTag, 0);
    EXPECT_EQ(screen.GetDBTidDataBase(kObjects)->InstAdr, -32764);
    EXPECT_EQ(PtrAt(screen, kObjectsPtr), -32764);
    EXPECT_EQ(screens.InstByte, 3);
    EXPECT_EQ(screens.AuxByte, 7);
    EXPECT_EQ(screens.Owner, &root);

    record.LinkDBPtrs(&root); // everything is found again
    EXPECT_EQ(record.SubDBs->Count(), 2);
    EXPECT_EQ(screens.Count(), 1);
    EXPECT_EQ(RecordsCtx().instMan.Current(), -32764);
}

TEST_F(DBTreeTest, LinkDBPtrSeesDefaultRecordsThroughTheFilter) {
    BuildProject();
    TDBRecordObj& record = *ProjectColl()->Record(0);
    Screens().Record(0)->RecTag = kRefusedTag;
    std::int16_t adr = PtrAt(record, kScreensPtr);
    record.LinkDBPtr(ProjectColl(), kScreens, adr, -1, std::nullopt);
    EXPECT_EQ(Screens().Count(), 1);
    record.LinkDBPtr(ProjectColl(), kScreens, adr, 0, std::int16_t{0});
    EXPECT_EQ(Screens().Count(), 2);
    EXPECT_EQ(adr, Screens().InstAdr);

    std::int16_t given = -500; // an address given is kept
    record.LinkDBPtr(ProjectColl(), kObjects, given, -1, std::nullopt);
    EXPECT_EQ(given, -500);
    EXPECT_EQ(record.SubDBs->GetInstAdrDataBase(-500)->DB_TypeID, kObjects);
}

TEST_F(DBTreeTest, EnsureDBPtrCreatesWithoutDefaultRecords) {
    TDataBase& root = CreateProjectColl();
    TDBRecordObj& record = Add(root, Rec(kRootRec));
    record.EnsureDBPtr(&root, kScreens, -1);
    record.EnsureDBPtr(nullptr, kScreens, -600);
    EXPECT_FALSE(record.SubDBs);
    record.EnsureDBPtr(&root, kScreens, -600);
    record.EnsureDBPtr(&root, kScreens, -600);
    ASSERT_EQ(record.SubDBs->Count(), 1);
    EXPECT_EQ(record.SubDBs->DataBase(0)->InstAdr, -600);
    EXPECT_EQ(record.SubDBs->DataBase(0)->Count(), 0);
}

TEST_F(DBTreeTest, CheckDBPtrsFollowsTypesAndReportsMissingOnes) {
    const struct {
        const char* name;
        bool withBanks;
        std::int16_t screensPtr;
        bool ok;
        std::size_t messages;
    } cases[] = {
        {"no sub-databases", false, 77, true, 0},
        {"missing, field empty", true, -1, true, 0},
        {"missing, field set", true, 77, false, 1},
    };
    for (const auto& c : cases) {
        User().shown.clear();
        auto record = Rec(kRootRec);
        SetPtr(*record, kBanksPtr, 123);
        SetPtr(*record, kScreensPtr, c.screensPtr);
        std::int16_t banksAdr = -1;
        if (c.withBanks)
            banksAdr = Nest(*record, DB(kBanks)).InstAdr;
        record->Modified = false;
        EXPECT_EQ(record->CheckDBPtrs(), c.ok) << c.name;
        EXPECT_EQ(PtrAt(*record, kBanksPtr), banksAdr) << c.name;
        EXPECT_EQ(PtrAt(*record, kScreensPtr), -1) << c.name;
        EXPECT_FALSE(record->Modified) << c.name;
        ASSERT_EQ(User().shown.size(), c.messages) << c.name;
        if (c.messages) {
            EXPECT_EQ(User().shown[0].kind, MsgKind::Warning);
            EXPECT_EQ(User().shown[0].text, ResText(141));
        }
    }
}

TEST_F(DBTreeTest, LookupsByAddressTypeAndBytes) {
    TDBColl coll;
    TDataBase& a = *static_cast<TDataBase*>(coll.At(coll.Insert(DB(kObjects, 1, 2))));
    TDataBase& b = *static_cast<TDataBase*>(coll.At(coll.Insert(DB(kBanks, 3, 4))));
    TDataBase& c = *static_cast<TDataBase*>(coll.At(coll.Insert(DB(kObjects, 5, 6))));
    EXPECT_EQ(coll.GetInstAdrDataBase(c.InstAdr), &c);
    EXPECT_EQ(coll.GetInstAdrDataBase(-1), nullptr);
    EXPECT_EQ(coll.GetDBTidDataBase(kObjects), &a);
    EXPECT_EQ(coll.GetDBTidDataBase(kBanks), &b);
    EXPECT_EQ(coll.GetDBTidDataBase(kRoot), nullptr);
    EXPECT_EQ(coll.GetDevDBTidDataBase(5, kObjects), &c);
    EXPECT_EQ(coll.GetDevDBTidDataBase(3, kObjects), nullptr);
    EXPECT_EQ(coll.GetNetNodeDBTidDataBase(2, kObjects), &a);
    EXPECT_EQ(coll.GetNetNodeDBTidDataBase(4, kBanks), &b);
    // What the import of nested databases uses.
    NestedDatabaseHost& host = coll;
    EXPECT_EQ(host.FindByInstance(b.InstAdr), &b);
    host.AdoptNestedDB(DB(kRoot));
    EXPECT_EQ(coll.GetDBTidDataBase(kRoot), coll.DataBase(3));
}

TEST_F(DBTreeTest, SkipHiddenLooksOneLevelIntoDefaultRecordDatabases) {
    TDBColl coll;
    auto screensOwned = DB(kScreens);
    TDataBase& screens = *screensOwned;
    coll.Insert(std::move(screensOwned));
    TDataBase& refused = Nest(Add(screens, Rec(kScreenRec, kRefusedTag)), DB(kObjects, 1, 2));
    TDBRecordObj& accepted = Add(screens, Rec(kScreenRec, 1));
    TDataBase& objects = Nest(accepted, DB(kObjects, 3, 4));
    Nest(Add(objects, Rec(kObjRec)), DB(kBanks)); // two levels down
    Nest(Add(Nest(accepted, DB(kRoot)), Rec(kRootRec)), DB(kBanks, 9, 9));

    EXPECT_EQ(coll.GetSkipHiddenDBTidDataBase(-1, kObjects), &refused);
    EXPECT_EQ(coll.GetSkipHiddenDBTidDataBase(0, kObjects), &objects);
    EXPECT_EQ(coll.GetSkipHiddenDBTidDataBase(-1, kBanks), nullptr);
    EXPECT_EQ(coll.GetSkipHiddenDevDBTidDataBase(-1, 3, kObjects), &objects);
    EXPECT_EQ(coll.GetSkipHiddenNetNodeDBTidDataBase(-1, 2, kObjects), &refused);
    EXPECT_EQ(coll.GetSkipHiddenNetNodeDBTidDataBase(-1, 5, kObjects), nullptr);

    auto directOwned = DB(kObjects);
    TDataBase& direct = *directOwned;
    coll.Insert(std::move(directOwned));
    EXPECT_EQ(coll.GetSkipHiddenDBTidDataBase(-1, kObjects), &direct);

    EXPECT_NE(coll.GetSkipHiddenDBTidDataBase(-1, kRoot), nullptr);
    TypeAt(kScreenRec).RecAttrs = 0; // records without the attribute are not searched
    EXPECT_EQ(coll.GetSkipHiddenDBTidDataBase(-1, kRoot), nullptr);
}

TEST_F(DBTreeTest, CollectDBsOfTypeInTreeOrder) {
    BuildProject(3);
    TDataBase& screens = Screens();
    std::vector<TDataBase*> objects;
    for (int i = 0; i < screens.Count(); ++i)
        objects.push_back(screens.Record(i)->GetDBTidDataBase(kObjects));
    EXPECT_EQ(CollectProjectDBsOfType(kObjects), objects);
    screens.Record(2)->RecTag = kRefusedTag;
    EXPECT_EQ(CollectProjectDBsOfType(kObjects, 0),
              (std::vector<TDataBase*>{objects[0], objects[1], objects[3]}));
    EXPECT_EQ(CollectProjectDBsOfType(kRoot), std::vector<TDataBase*>{ProjectColl()});
    EXPECT_EQ(CollectDBsOfType(screens, kScreens), std::vector<TDataBase*>{&screens});
    EXPECT_TRUE(CollectProjectDBsOfType(0x7777).empty());
}

TEST_F(DBTreeTest, OwnerRecordsUpTheTree) {
    BuildProject(1);
    TDBRecordObj& rootRecord = *ProjectColl()->Record(0);
    TDBRecordObj& screen = *Screens().Record(1);
    TDataBase& objects = *screen.GetDBTidDataBase(kObjects);
    EXPECT_EQ(objects.GetOwnerRecord(), &screen);
    EXPECT_EQ(objects.FindOwnerOfType(kScreens), &screen);
    EXPECT_EQ(objects.FindOwnerOfType(kRoot), &rootRecord);
    EXPECT_EQ(objects.FindOwnerOfType(kBanks), nullptr);
    EXPECT_EQ(ProjectColl()->GetOwnerRecord(), nullptr);
}

TEST_F(DBTreeTest, SaveLoadSaveOfANestedTreeIsByteIdentical) {
    BuildProject(2);
    ProjectColl()->DBFileName = "C:\\PANO\\JOB.LCD";
    TrbMemoryObjStream out;
    out.OpenWrite();
    out.Put(ProjectColl());
    out.Close();
    const std::vector<std::uint8_t> first = out.Bytes();

    CloseProjectColl();
    TrbMemoryObjStream in(first);
    in.OpenRead();
    TDataBase& root = InstallProjectColl(in.GetAs<TDataBase>());
    in.Close();
    TrbMemoryObjStream again;
    again.OpenWrite();
    again.Put(&root);
    again.Close();
    EXPECT_EQ(again.Bytes(), first);

    // The loaded tree is linked: owners set, pointer fields at the sub-databases.
    EXPECT_EQ(root.DBFileName, "C:\\PANO\\JOB.LCD");
    TDBRecordObj& record = *root.Record(0);
    EXPECT_EQ(PtrAt(record, kScreensPtr), Screens().InstAdr);
    EXPECT_EQ(Screens().Owner, &root);
    EXPECT_EQ(Screens().Count(), 3);
    for (int i = 0; i < Screens().Count(); ++i) {
        TDBRecordObj& screen = *Screens().Record(i);
        EXPECT_EQ(PtrAt(screen, kObjectsPtr), screen.GetDBTidDataBase(kObjects)->InstAdr);
        EXPECT_EQ(screen.GetDBTidDataBase(kObjects)->Owner, &Screens());
    }
}

TEST_F(DBTreeTest, DatabaseStreamData) {
    auto banks = DB(kBanks, 3, 7);
    banks->DBFileName = "B";
    auto adr = banks->InstAdr;
    const auto [bytes, same] = testing::SaveLoadSave(*banks);
    EXPECT_EQ(bytes, same);
    // After the class index: AuxByte, InstByte, address -1, type, file name, no records.
    const std::vector<std::uint8_t> data(bytes.begin() + 18, bytes.begin() + 18 + 12);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{7, 3, 0xFF, 0xFF, 0x10, 0x50, 1, 'B', 0, 0, 0, 0}));
    EXPECT_NE(adr, -32768);

    TrbMemoryObjStream in(bytes);
    in.OpenRead();
    auto loaded = in.GetAs<TDataBase>();
    EXPECT_EQ(loaded->InstAdr, RecordsCtx().instMan.Current()); // a fresh address
    EXPECT_EQ(loaded->Descriptor(), AppDataBaseDscr(kBanks));

    std::vector<std::uint8_t> unknown = bytes;
    unknown[22] = 0x11; // type 0x5011
    TrbMemoryObjStream bad(unknown);
    bad.OpenRead();
    EXPECT_THROW(bad.Get(), ExcValidators);
}

TEST_F(DBTreeTest, CopiesShareSubDatabasesAndStoreNoneOfThem) {
    for (const bool copyGoesFirst : {true, false}) {
        auto original = Rec(kRootRec, 5);
        TDataBase& banks = Nest(*original, DB(kBanks));
        auto copy = TDBRecordObj::CopyOf(*original, 8);
        EXPECT_EQ(copy->SubDBs.get(), original->SubDBs.get());
        EXPECT_EQ(copy->GetDBTidDataBase(kBanks), &banks);
        EXPECT_EQ(copy->RecOrigin, kRecOriginCopy);
        EXPECT_EQ(copy->RecTag, 8);
        EXPECT_EQ(original->RecOrigin, kRecOriginCopy);
        EXPECT_TRUE(copy->SharedSubDBs);
        EXPECT_FALSE(original->SharedSubDBs);
        TrbMemoryObjStream out;
        out.OpenWrite();
        out.Put(copy.get());
        const std::size_t end = out.GetStream()->Position();
        out.Close();
        EXPECT_EQ(out.Bytes()[end - 2], 0xFF);
        EXPECT_EQ(out.Bytes()[end - 1], 0xFF);
        if (copyGoesFirst)
            copy.reset();
        else
            original.reset();
        EXPECT_EQ((copy ? copy : original)->GetDBTidDataBase(kBanks), &banks);
    }
    auto a = Rec(kRootRec);
    Nest(*a, DB(kBanks));
    auto b = Rec(kRootRec);
    Nest(*b, DB(kBanks));
    a->AssignTo(*b);
    EXPECT_EQ(Reported(), std::vector<std::string>{"# TDBRecordObj.AssignTo: Error"});
    EXPECT_NE(a->SubDBs, b->SubDBs);
}

TEST_F(DBTreeTest, SavingTheOriginalKeepsSubDatabasesWhileAnEditCopyExists) {
    auto root = DB(kRoot);
    TDBRecordObj& stored = Add(*root, Rec(kRootRec));
    Nest(stored, DB(kBanks)).Insert(Rec(kBankRec));
    auto copy = TDBRecordObj::CopyOf(stored, 1);
    copy->AssignTo(stored); // applying the edit back
    EXPECT_TRUE(copy->SharedSubDBs);
    EXPECT_FALSE(stored.SharedSubDBs);
    TrbMemoryObjStream out;
    out.OpenWrite();
    out.Put(root.get());
    out.Close();
    TrbMemoryObjStream in(out.Bytes());
    in.OpenRead();
    auto loaded = in.GetAs<TDataBase>();
    ASSERT_EQ(loaded->Count(), 1);
    const TDataBase* banks = loaded->Record(0)->GetDBTidDataBase(kBanks);
    ASSERT_NE(banks, nullptr);
    EXPECT_EQ(banks->Count(), 1);
    // The edit copy of a new record, inserted, becomes the original.
    auto fresh = Rec(kRootRec);
    Nest(*fresh, DB(kBanks));
    auto editCopy = TDBRecordObj::CopyOf(*fresh, 2);
    fresh.reset();
    ASSERT_TRUE(editCopy->SharedSubDBs);
    TDBRecordObj& held = Add(*root, std::move(editCopy));
    EXPECT_FALSE(held.SharedSubDBs);
    EXPECT_EQ(held.HeldBy, root.get());
    auto removed = root->AtDelete(1);
    EXPECT_EQ(dynamic_cast<TDBRecordObj&>(*removed).HeldBy, nullptr);
}

TEST_F(DBTreeTest, RemoveEmptySubDBsKeepsShownAndKeptOnes) {
    BuildProject();
    TDBRecordObj& record = *ProjectColl()->Record(0);
    TDataBase& banks = *record.GetDBTidDataBase(kBanks);
    const std::int16_t screensAdr = Screens().InstAdr;
    record.ClearModified();
    auto list = std::make_unique<FakeList>(banks);
    record.RemoveEmptySubDBs(); // screens hold a record, banks are shown
    EXPECT_EQ(record.SubDBs->Count(), 2);
    EXPECT_FALSE(record.Modified);

    list.reset();
    AppDataBaseDscr(kBanks)->DBFlags |= kDBKeepEmpty;
    record.RemoveEmptySubDBs();
    EXPECT_EQ(record.SubDBs->Count(), 2);

    AppDataBaseDscr(kBanks)->DBFlags &= ~kDBKeepEmpty;
    record.RemoveEmptySubDBs();
    EXPECT_EQ(record.SubDBs->Count(), 1);
    EXPECT_EQ(PtrAt(record, kBanksPtr), -1);
    EXPECT_EQ(PtrAt(record, kScreensPtr), screensAdr);
    EXPECT_TRUE(record.Modified);

    Screens().FreeAll();
    record.RemoveEmptySubDBs();
    EXPECT_FALSE(record.SubDBs);
    EXPECT_EQ(PtrAt(record, kScreensPtr), -1);
    EXPECT_TRUE(User().shown.empty()); // no warning on this path
}

TEST_F(DBTreeTest, TrackStackPopsInReverseAndFreesOnlyOwnedCollections) {
    TDBColl borrowed;
    TDBTrackStack stack;
    EXPECT_EQ(stack.PopDBTrackObj(), nullptr);
    EXPECT_EQ(stack.GetTopDBTrackObj(), nullptr);
    stack.PushDBTrackObj(TDBTrackObj::Borrowing(&borrowed, 1));
    stack.PushDBTrackObj(TDBTrackObj::Owning(std::make_unique<TDBColl>(), 2));
    EXPECT_EQ(stack.GetTopDBTrackObj()->Value, 2);
    EXPECT_FALSE(stack.PopDBTrackObj()->Borrowed()); // its collection goes with it
    auto last = stack.PopDBTrackObj();
    EXPECT_TRUE(last->Borrowed());
    EXPECT_EQ(last->Collection(), &borrowed);
    EXPECT_TRUE(stack.Empty());
}

TEST_F(DBTreeTest, RootRecordLookupHandsOutTheRecordOwningTheType) {
    EXPECT_EQ(RecordsCtx().rootRecordLookup(kScreens), 0u); // no project
    TDataBase& root = BuildProject();
    TDBRecordObj& bare = *root.Record(0);
    root.AtInsert(0, Rec(kRootRec)); // a first record without sub-databases is passed over
    const std::uint32_t handle = RecordsCtx().rootRecordLookup(kScreens);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(RecordsCtx().handles.Resolve(handle), &bare);
    EXPECT_EQ(RecordsCtx().rootRecordLookup(kBanks), handle);
    EXPECT_EQ(RecordsCtx().rootRecordLookup(kObjects), 0u); // two levels down is not the root's
    const std::uint32_t banksHandle = RecordsCtx().handles.Register(bare.GetDBTidDataBase(kBanks));
    root.AtFree(1);
    EXPECT_EQ(RecordsCtx().handles.Resolve(handle), nullptr);
    EXPECT_EQ(RecordsCtx().handles.Resolve(banksHandle), nullptr); // freed with its record
    EXPECT_EQ(RecordsCtx().rootRecordLookup(kScreens), 0u);
}

TEST_F(DBTreeTest, DefaultRecordsNestingTheirOwnTypeStopAtADepthLimit) {
    constexpr std::uint16_t kLoop = 0x5030;
    const std::int16_t loopRec =
        AddType("LoopRec", testing::Fields(testing::ByteField(0), testing::PtrField(kLoop)));
    TypeAt(loopRec).RecAttrs = 1;
    EnvCtx().app.AppData->DataBaseDscrColl->Insert(Dscr(kLoop, 0x02, 10, 3, loopRec));
    auto top = DB(kLoop);
    TDBRecordObj& record = Add(*top, Rec(loopRec));
    record.LinkDBPtrs(top.get());
    EXPECT_EQ(Reported(), std::vector<std::string>{
                              "# TDBRecordObj.LinkDBPtr: default records nested too deep"});
    int depth = 0;
    for (const TDBRecordObj* r = &record; r != nullptr && r->SubDBs; ++depth) {
        const TDataBase* sub = r->GetDBTidDataBase(kLoop);
        r = sub && sub->Count() > 0 ? sub->Record(0) : nullptr;
    }
    EXPECT_EQ(depth, 16);
    record.LinkDBPtrs(top.get()); // found again: no new report
    EXPECT_EQ(Reported().size(), 1u);
}

} // namespace
} // namespace panolcd
