#pragma once
// A small application description of nested databases for the database tests:
//   0x5000 root (inherits both bytes)  -> records point at 0x5010 and 0x5012
//   0x5010 banks (inherits AuxByte, at most 4 records)
//   0x5012 screens (default records, both bytes, filter 0 refuses RecTag 99) -> 0x5020
//   0x5020 objects (no flags)

#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbptrfields.h"
#include "framework/records/dbrecord.h"
#include "framework/records/recordtest_util.h"

#include <gtest/gtest.h>

namespace panolcd::testing {

inline constexpr std::uint16_t kRoot = 0x5000;
inline constexpr std::uint16_t kBanks = 0x5010;
inline constexpr std::uint16_t kScreens = 0x5012;
inline constexpr std::uint16_t kObjects = 0x5020;
inline constexpr std::int16_t kRootRec = 0, kBankRec = 1, kScreenRec = 2, kObjRec = 3;
inline constexpr std::int16_t kRefusedTag = 99;

class TTagFilter : public TDBFilterValidator {
public:
    std::string ClassName() const override { return "TTagFilter"; }
    bool AcceptRecord(TDataBase& /*database*/, TDBRecordObj& record) override {
        return record.RecTag != kRefusedTag;
    }
};

inline std::unique_ptr<TDynDBPtrRecFieldDscr> PtrField(std::uint16_t type) {
    auto f = Create<TDynDBPtrRecFieldDscr>();
    f->DB_TypeID = type;
    return f;
}

// A list that shows a database, as the database's link registry sees it. It links itself and
// takes its link back when it goes first.
class FakeList final : public DBLookValidator {
public:
    explicit FakeList(TDataBase& database) : database_(&database) {
        database.LookLinks->Insert(std::make_unique<TDBLookValidatorLink>(this));
    }
    ~FakeList() override {
        if (database_ != nullptr)
            database_->LookLinks->FreeObj(database_->LookLinks->FindLookLinkByLookValidator(this));
    }
    void FillList(TDBLookValidatorLink&) override { ++filled; }
    void SelectRow(int, int) override {}
    bool HasControl() const override { return true; }
    void ForgetDataBase() override { database_ = nullptr; }
    bool Forgotten() const { return database_ == nullptr; }

    int filled = 0;

private:
    TDataBase* database_;
};

// An edit window on a record of a database; notes when its link goes.
class FakeEdit final : public DBEditValidator {
public:
    FakeEdit(TDataBase& database, TDBRecordObj& record) {
        database.EditLinks->Insert(std::make_unique<TDBEditValidatorLink>(this, &record));
    }
    void LoadRecord(TDBRecordObj&) override { ++loads; }
    void Detach(TDBEditValidatorLink& link) override {
        detached.push_back(link.Record);
        link.Validator = nullptr;
    }

    int loads = 0;
    std::vector<const TDBRecordObj*> detached;
};

class DatabaseTest : public RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        RegisterClass<TTagFilter>();
        AddType("RootRec", Fields(ByteField(1), PtrField(kBanks), PtrField(kScreens)));
        AddType("BankRec", Fields(ByteField(0)));
        AddType("ScreenRec", Fields(ByteField(0), PtrField(kObjects)));
        AddType("ObjRec", Fields(ByteField(9)));
        TypeAt(kRootRec).RecAttrs = 1;
        TypeAt(kScreenRec).RecAttrs = 1;
        auto& coll = EnvCtx().app.AppData->DataBaseDscrColl;
        coll = Create<TDataBaseDscrColl>();
        coll->Insert(Dscr(kRoot, 0x09, 1, 5, kRootRec));
        coll->Insert(Dscr(kBanks, 0x04, 4, 1, kBankRec));
        auto screens = Dscr(kScreens, 0x0A, 10, 3, kScreenRec);
        screens->Filters = Create<TDBFilterValColl>();
        screens->Filters->Insert(Create<TTagFilter>());
        screens->LinkFilters();
        coll->Insert(std::move(screens));
        coll->Insert(Dscr(kObjects, 0x00, 100, 1, kObjRec));
    }

    static std::unique_ptr<TDataBaseDscrObj> Dscr(std::uint16_t type, std::uint8_t flags,
                                                  std::uint16_t max, std::uint16_t size,
                                                  std::int16_t recTypeIx) {
        auto d = Create<TDataBaseDscrObj>();
        d->Name = "D" + std::to_string(type);
        d->DB_TypeID = type;
        d->DBFlags = flags;
        d->MaxRecords = max;
        d->RecSize = size;
        d->DefaultRecTypeIx = recTypeIx;
        return d;
    }

    static std::unique_ptr<TDBRecordObj> Rec(std::int16_t recTypeIx, std::int16_t tag = 0) {
        return TDBRecordObj::New(TypeAt(recTypeIx).RecTypeName, tag, recTypeIx);
    }
    static std::unique_ptr<TDataBase> DB(std::uint16_t type, std::uint8_t inst = 0,
                                         std::uint8_t aux = 0) {
        return TDataBase::New(nullptr, type, inst, aux);
    }
    // Appends a record and answers it.
    static TDBRecordObj& Add(TDataBase& database, std::unique_ptr<TDBRecordObj> record) {
        TDBRecordObj& kept = *record;
        database.Insert(std::move(record));
        return kept;
    }
    // Puts a database into a record's sub-databases and answers it.
    static TDataBase& Nest(TDBRecordObj& record, std::unique_ptr<TDataBase> database) {
        TDataBase& kept = *database;
        record.EnsureSubDBs().Insert(std::move(database));
        return kept;
    }
    static std::int16_t PtrAt(const TDBRecordObj& record, std::size_t offset) {
        return ReadLE<std::int16_t>(record.RecData.data() + offset);
    }
    static void SetPtr(TDBRecordObj& record, std::size_t offset, std::int16_t value) {
        WriteLE(record.RecData.data() + offset, value);
    }
};

} // namespace panolcd::testing
