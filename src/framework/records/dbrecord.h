#pragma once
// TDBRecordObj: a record object held by a database, with the sub-databases nested in it. A record
// and the copy an edit window works on share one sub-database collection.

#include "framework/records/dbcoll.h"
#include "framework/records/recordobject.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

class TDataBase;

inline constexpr std::uint8_t kRecOriginCopy = 1;
inline constexpr std::uint8_t kRecOriginNew = 2;
// The status a failed pointer check leaves.
inline constexpr int kDBPtrCheckFailed = '~';

class TDBRecordObj : public TDscrRecObj {
public:
    // The sub-databases are shared with the record this one is an edit copy of; they are not
    // written to streams. The collection itself is freed by whichever holder goes last. A record
    // held by a database is never marked, so saving the database keeps its sub-databases.
    // Copying may mark the source too, hence mutable.
    mutable bool SharedSubDBs = false;
    mutable std::uint8_t RecOrigin = 0;
    std::int16_t RecTag = 0;
    std::shared_ptr<TDBColl> SubDBs;
    // The database whose record this is (set on insert, cleared on removal); not streamed.
    TDataBase* HeldBy = nullptr;

    TDBRecordObj() = default;
    // Gives up the record's handle, should it have one.
    ~TDBRecordObj() override;
    TDBRecordObj(const TDBRecordObj&) = delete;
    TDBRecordObj& operator=(const TDBRecordObj&) = delete;

    std::string ClassName() const override { return "TDBRecordObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    // Then the pointer fields follow the sub-databases read (CheckDBPtrs).
    void LoadFromStream(TrbObjStream& stream) override;
    void AssignTo(TrbStreamable& target) const override;
    bool IsModified() const override;
    void ClearModified() override;
    TDBRecordObj* DBRecord() override { return this; }

    using TDscrRecObj::Create;
    // A new record of defaults, RecOrigin 2.
    void Create(std::string_view recTypeName, std::int16_t recTag, std::int16_t recTypeIx);
    static std::unique_ptr<TDBRecordObj> New(std::string_view recTypeName, std::int16_t recTag,
                                             std::int16_t recTypeIx);
    // A copy sharing the source's sub-databases, RecOrigin 1.
    static std::unique_ptr<TDBRecordObj> CopyOf(const TDBRecordObj& source, std::int16_t recTag);

    // The collection, made empty when there is none.
    TDBColl& EnsureSubDBs();
    TDataBase* GetDBTidDataBase(std::uint16_t dbTypeId) const;

    // Points every pointer field at the sub-database of its type (or -1). A field that named a
    // sub-database that is missing is reported and the check fails.
    bool CheckDBPtrs();
    // Finds or creates the sub-database of `dbTypeId` at address `instAdr` (-1: a new one, whose
    // address is returned there); types that create default records get one for `selector`.
    void LinkDBPtr(TDataBase* owner, std::uint16_t dbTypeId, std::int16_t& instAdr, int filterIx,
                   std::optional<std::int16_t> selector);
    // The sub-database of `dbTypeId` at `instAdr`, created without default records when missing.
    void EnsureDBPtr(TDataBase* owner, std::uint16_t dbTypeId, std::int16_t instAdr);
    // Every pointer field of the record set up (LinkDBPtr) in `database`.
    void LinkDBPtrs(TDataBase* database);
    // When an edit control lets the record go: frees the sub-databases left empty that no control
    // shows (unless their type keeps them), re-points the fields and frees an empty collection.
    // Only a record that owns its sub-databases does so.
    void RemoveEmptySubDBs();

private:
    // Checks the fields; `warn` lets a missing sub-database be reported.
    int RunCheckDBPtrs(bool warn);
};

} // namespace panolcd
