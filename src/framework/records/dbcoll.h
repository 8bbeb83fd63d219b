#pragma once
// TDBColl: the sub-databases of one record, and the lookups every other layer finds databases by.

#include "framework/persistence/collection.h"
#include "framework/records/initiator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;

class TDBColl : public TrbCollection, public NestedDatabaseHost {
public:
    TDBColl() = default;
    // A window's list place may still hold the collection's handle.
    ~TDBColl() override;
    std::string ClassName() const override { return "TDBColl"; }

    TDataBase* DataBase(int index) const;

    // The first match in collection order, or nullptr.
    TDataBase* GetInstAdrDataBase(std::int16_t instAdr) const;
    TDataBase* GetDBTidDataBase(std::uint16_t dbTypeId) const;
    TDataBase* GetDevDBTidDataBase(std::uint8_t instByte, std::uint16_t dbTypeId) const;
    TDataBase* GetNetNodeDBTidDataBase(std::uint8_t auxByte, std::uint16_t dbTypeId) const;
    // A direct match first; otherwise one level down, in the records (accepted by the filter of
    // `filterIx` when it names one, with record attribute bit 0) of databases whose type creates
    // default records.
    TDataBase* GetSkipHiddenDBTidDataBase(int filterIx, std::uint16_t dbTypeId) const;
    TDataBase* GetSkipHiddenDevDBTidDataBase(int filterIx, std::uint8_t instByte,
                                             std::uint16_t dbTypeId) const;
    TDataBase* GetSkipHiddenNetNodeDBTidDataBase(int filterIx, std::uint8_t auxByte,
                                                 std::uint16_t dbTypeId) const;

    bool TestDBsModified() const;
    void Clear_DBColl_ModifFlg();
    void RunDBs_SemEvaluator(std::int16_t semId, int event);
    // Every database of the type in the trees of this collection, in tree order.
    void AddRefDBItemsToDBColl(std::vector<TDataBase*>& target, std::uint16_t dbTypeId,
                               int filterIx = -1) const;

    // NestedDatabaseHost: a database read after its record joins the collection.
    void AdoptNestedDB(std::unique_ptr<TrbStreamable> database) override;
    TrbStreamable* FindByInstance(std::int16_t instance) const override;
};

// The databases of the type in the tree below and including `database`, in tree order (the
// database, then each record's sub-databases in turn); records outside the filter of
// `filterIx` are passed over when it names one. The list only refers to the databases.
std::vector<TDataBase*> CollectDBsOfType(TDataBase& database, std::uint16_t dbTypeId,
                                         int filterIx = -1);
// The same over the project's root database; empty without one.
std::vector<TDataBase*> CollectProjectDBsOfType(std::uint16_t dbTypeId, int filterIx = -1);

} // namespace panolcd
