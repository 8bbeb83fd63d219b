#pragma once
// TDataBase: an ordered list of database records of one type. Records own the sub-databases
// nested in them, so one database is the root of a tree; keys flow down that tree when a record
// is inserted. Lists and edit windows follow a database through its link registries, the one way
// to hear of it: EditLinks (a window per edited record: reloaded when another window stores the
// record, detached and closed when the record or the database goes) and LookLinks (a list per
// link: refilled on every change, emptied when the database goes).

#include "framework/persistence/collection.h"
#include "framework/records/dblinks.h"
#include "framework/records/recordscontext.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TDataBaseDscrObj;
class TDBFilterValidator;
class TDBRecordObj;

inline constexpr std::uint16_t kProjectDBType = 0x5000;
inline constexpr int kDBEventStore = 2;

class TDataBase : public TrbCollection {
public:
    std::uint8_t UpdateLock = 0;
    bool NoAttach = false;
    std::string DBFileName;
    TDataBase* Owner = nullptr;
    std::uint8_t AuxByte = 0;
    std::uint8_t InstByte = 0;
    std::int16_t InstAdr = -1;
    std::uint16_t DB_TypeID = 0;
    bool DBModified = false;
    // The edit windows and lists that show this database; never stored.
    std::unique_ptr<TDBEditValidatorsColl> EditLinks = std::make_unique<TDBEditValidatorsColl>();
    std::unique_ptr<TDBLookValidatorsColl> LookLinks = std::make_unique<TDBLookValidatorsColl>();

    // For the class registry; LoadFromStream completes it.
    TDataBase() = default;
    ~TDataBase() override;

    // A new empty database with the next instance address. Fails with ExcValidators
    // "TDataBase.DB_DscrCachePtr=nil DB_TypeID=$hhhh" for a type without descriptor, and with
    // "Instance Address Overflow !" when no address is left.
    static std::unique_ptr<TDataBase> New(TDataBase* owner, std::uint16_t dbTypeId,
                                          std::uint8_t instByte, std::uint8_t auxByte);

    std::string ClassName() const override { return "TDataBase"; }
    // AuxByte, InstByte, address (-1 unless -32768), DB_TypeID, DBFileName, the records.
    void SaveToStream(TrbObjStream& stream) const override;
    // A loaded database takes a fresh address (a stored -32768 stays); its records' pointer
    // fields follow their sub-databases by type.
    void LoadFromStream(TrbObjStream& stream) override;

    TDataBaseDscrObj* Descriptor() const { return descriptor_; }
    TDBRecordObj* Record(int index) const;

    // Unless NoAttach the record is attached (its sub-databases take this owner and its keys).
    void AtInsert(int index, Item&& item) override;
    Item AtDelete(int index) override;
    std::vector<Item> DeleteAll() override;

    // A list or edit control shows the database.
    bool IsShown() const { return EditLinks->Count() > 0 || LookLinks->Count() > 0; }

    void BeginUpdate();
    void EndUpdate();
    void NotifyChanged();

    bool IsFull() const;
    bool IsModified() const;
    // DBModified and every record's flag, through the whole tree.
    void ClearModified();

    // The owner's record whose sub-databases hold this database; nullptr without owner.
    TDBRecordObj* GetOwnerRecord() const;
    // Up the owners to the first one of `dbTypeId`: its record that holds the path down here.
    TDBRecordObj* FindOwnerOfType(std::uint16_t dbTypeId) const;
    // The first record whose sub-databases hold `database`.
    TDBRecordObj* RecordHolding(const TDataBase* database) const;

    void RunDBSemantics(std::int16_t semId, int event);
    // The device-index semantics of the record semantics run over a new record.
    void ApplyNewRecordSemantics(TDBRecordObj& record);

    std::string Caption() const;
    // Nil for a negative index, without descriptor or filters.
    TDBFilterValidator* Filter(int index) const;

    // Key propagation on attach.
    void AttachRecord(TDBRecordObj& record);
    void PassBothBytes(std::uint8_t auxByte, std::uint8_t instByte);
    void PassAuxByte(std::uint8_t auxByte);

private:
    // Hands the bytes to the sub-databases of the records as this database's flags ask.
    void PassDown(std::uint8_t auxByte, std::uint8_t instByte);
    void ForEachSubDB(const std::function<void(TDataBase&)>& action) const;
    // InstAdr := the next address, kept to be given back when the database goes.
    void TakeInstAdr();

    TDataBaseDscrObj* descriptor_ = nullptr;
    // The address the instance manager handed out (InstAdr may be set to another since).
    std::int16_t allocatedInstAdr_ = -1;
    std::uint32_t instGeneration_ = 0;
};

// Holds a database's update lock for a scope.
class DBUpdateGuard {
public:
    explicit DBUpdateGuard(TDataBase& database) : database_(database) { database_.BeginUpdate(); }
    ~DBUpdateGuard() { database_.EndUpdate(); }
    DBUpdateGuard(const DBUpdateGuard&) = delete;
    DBUpdateGuard& operator=(const DBUpdateGuard&) = delete;

private:
    TDataBase& database_;
};

// The open project's root database, or nullptr.
TDataBase* ProjectColl();
// Frees the project's root database and restarts instance numbering.
void CloseProjectColl();
// A new empty root database after CloseProjectColl.
TDataBase& CreateProjectColl(std::uint16_t dbTypeId = kProjectDBType);
// The handle (in RecordsCtx().handles) of the first record of the project's root database whose
// sub-databases hold one of `dbTypeId`; 0 without project or such record.
std::uint32_t RootRecordHandle(std::uint16_t dbTypeId);
// A root database built elsewhere (read after CloseProjectColl).
TDataBase& InstallProjectColl(std::unique_ptr<TDataBase> database);

} // namespace panolcd
