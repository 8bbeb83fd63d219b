#include "framework/records/dbcoll.h"

#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/recordscontext.h"
#include "framework/records/recordtype.h"

#include <functional>

namespace panolcd {
namespace {

using Match = std::function<bool(const TDataBase&)>;

TDataBase* FindDirect(const TDBColl& coll, const Match& match) {
    for (int i = 0; i < coll.Count(); ++i) {
        TDataBase* database = coll.DataBase(i);
        if (database && match(*database))
            return database;
    }
    return nullptr;
}

// One level below the collection: the sub-databases of the records of databases that create
// default records.
TDataBase* FindSkipHidden(const TDBColl& coll, int filterIx, const Match& match) {
    if (TDataBase* direct = FindDirect(coll, match))
        return direct;
    for (int i = 0; i < coll.Count(); ++i) {
        TDataBase* database = coll.DataBase(i);
        if (database == nullptr || database->Count() == 0 || database->Descriptor() == nullptr ||
            !database->Descriptor()->HasFlag(kDBDefaultRecord))
            continue;
        TDBFilterValidator* filter = database->Filter(filterIx);
        for (int j = 0; j < database->Count(); ++j) {
            TDBRecordObj* record = database->Record(j);
            if (record == nullptr || !record->SubDBs)
                continue;
            if (filter && !filter->AcceptRecord(*database, *record))
                continue;
            if (!record->TestRecAttr(kRecAttrOwnsSubDBs))
                continue;
            if (TDataBase* found = FindDirect(*record->SubDBs, match))
                return found;
        }
    }
    return nullptr;
}

Match OfType(std::uint16_t dbTypeId) {
    return [dbTypeId](const TDataBase& d) { return d.DB_TypeID == dbTypeId; };
}

Match OfTypeAndInst(std::uint8_t instByte, std::uint16_t dbTypeId) {
    return [=](const TDataBase& d) { return d.DB_TypeID == dbTypeId && d.InstByte == instByte; };
}

Match OfTypeAndAux(std::uint8_t auxByte, std::uint16_t dbTypeId) {
    return [=](const TDataBase& d) { return d.DB_TypeID == dbTypeId && d.AuxByte == auxByte; };
}

void Collect(TDataBase& database, std::uint16_t dbTypeId, int filterIx,
             std::vector<TDataBase*>& target) {
    if (database.DB_TypeID == dbTypeId)
        target.push_back(&database);
    TDBFilterValidator* filter = database.Filter(filterIx);
    for (int i = 0; i < database.Count(); ++i) {
        TDBRecordObj* record = database.Record(i);
        if (record == nullptr || !record->SubDBs)
            continue;
        if (filter && !filter->AcceptRecord(database, *record))
            continue;
        record->SubDBs->AddRefDBItemsToDBColl(target, dbTypeId, filterIx);
    }
}

} // namespace

TDBColl::~TDBColl() {
    RecordsCtx().handles.ReleaseObject(this);
}

TDataBase* TDBColl::DataBase(int index) const {
    return dynamic_cast<TDataBase*>(At(index));
}

TDataBase* TDBColl::GetInstAdrDataBase(std::int16_t instAdr) const {
    return FindDirect(*this, [instAdr](const TDataBase& d) { return d.InstAdr == instAdr; });
}

TDataBase* TDBColl::GetDBTidDataBase(std::uint16_t dbTypeId) const {
    return FindDirect(*this, OfType(dbTypeId));
}

TDataBase* TDBColl::GetDevDBTidDataBase(std::uint8_t instByte, std::uint16_t dbTypeId) const {
    return FindDirect(*this, OfTypeAndInst(instByte, dbTypeId));
}

TDataBase* TDBColl::GetNetNodeDBTidDataBase(std::uint8_t auxByte, std::uint16_t dbTypeId) const {
    return FindDirect(*this, OfTypeAndAux(auxByte, dbTypeId));
}

TDataBase* TDBColl::GetSkipHiddenDBTidDataBase(int filterIx, std::uint16_t dbTypeId) const {
    return FindSkipHidden(*this, filterIx, OfType(dbTypeId));
}

TDataBase* TDBColl::GetSkipHiddenDevDBTidDataBase(int filterIx, std::uint8_t instByte,
                                                  std::uint16_t dbTypeId) const {
    return FindSkipHidden(*this, filterIx, OfTypeAndInst(instByte, dbTypeId));
}

TDataBase* TDBColl::GetSkipHiddenNetNodeDBTidDataBase(int filterIx, std::uint8_t auxByte,
                                                      std::uint16_t dbTypeId) const {
    return FindSkipHidden(*this, filterIx, OfTypeAndAux(auxByte, dbTypeId));
}

bool TDBColl::TestDBsModified() const {
    for (int i = 0; i < Count(); ++i) {
        if (const TDataBase* database = DataBase(i); database && database->IsModified())
            return true;
    }
    return false;
}

void TDBColl::Clear_DBColl_ModifFlg() {
    for (int i = 0; i < Count(); ++i) {
        if (TDataBase* database = DataBase(i))
            database->ClearModified();
    }
}

void TDBColl::RunDBs_SemEvaluator(std::int16_t semId, int event) {
    for (int i = 0; i < Count(); ++i) {
        if (TDataBase* database = DataBase(i))
            database->RunDBSemantics(semId, event);
    }
}

void TDBColl::AddRefDBItemsToDBColl(std::vector<TDataBase*>& target, std::uint16_t dbTypeId,
                                    int filterIx) const {
    for (int i = 0; i < Count(); ++i) {
        if (TDataBase* database = DataBase(i))
            Collect(*database, dbTypeId, filterIx, target);
    }
}

void TDBColl::AdoptNestedDB(std::unique_ptr<TrbStreamable> database) {
    Insert(StreamableAs<TDataBase>(std::move(database)));
}

TrbStreamable* TDBColl::FindByInstance(std::int16_t instance) const {
    return GetInstAdrDataBase(instance);
}

std::vector<TDataBase*> CollectDBsOfType(TDataBase& database, std::uint16_t dbTypeId,
                                         int filterIx) {
    std::vector<TDataBase*> found;
    Collect(database, dbTypeId, filterIx, found);
    return found;
}

std::vector<TDataBase*> CollectProjectDBsOfType(std::uint16_t dbTypeId, int filterIx) {
    TDataBase* root = ProjectColl();
    return root ? CollectDBsOfType(*root, dbTypeId, filterIx) : std::vector<TDataBase*>{};
}

} // namespace panolcd
