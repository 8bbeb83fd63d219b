#include "framework/records/database.h"

#include "common/error.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/excvalidators.h"
#include "framework/records/fieldtext.h"
#include "framework/records/recordscontext.h"
#include "framework/records/semantics.h"
#include "framework/records/semsetters.h"

#include <algorithm>
#include <optional>

namespace panolcd {
namespace {

// The current database of a running semantics, cleared however the run ends.
class CurrentDBGuard {
public:
    CurrentDBGuard(TSemantics& semantics, TDataBase* database) : semantics_(semantics) {
        semantics_.CurDB = database;
    }
    ~CurrentDBGuard() { semantics_.CurDB = nullptr; }
    CurrentDBGuard(const CurrentDBGuard&) = delete;
    CurrentDBGuard& operator=(const CurrentDBGuard&) = delete;

private:
    TSemantics& semantics_;
};

TDataBaseDscrObj* RequireDescriptor(std::uint16_t dbTypeId) {
    TDataBaseDscrObj* dscr = AppDataBaseDscr(dbTypeId);
    if (dscr == nullptr)
        throw ExcValidators("TDataBase.DB_DscrCachePtr=nil DB_TypeID=$" + HexDigits(dbTypeId, 4));
    return dscr;
}

} // namespace

TDataBase::~TDataBase() {
    // A window's transfer buffer may still hold this database's handle.
    RecordsCtx().handles.ReleaseObject(this);
    RecordsCtx().instMan.ReleaseInstAdr(allocatedInstAdr_, instGeneration_);
}

void TDataBase::TakeInstAdr() {
    TDBInstMan& manager = RecordsCtx().instMan;
    instGeneration_ = manager.Generation();
    allocatedInstAdr_ = manager.AllocInstAdr();
    // Without an address the database could not be told apart from "none" and would be lost.
    if (allocatedInstAdr_ == TDBInstMan::kNone)
        throw Exception("Instance Address Overflow !");
    InstAdr = allocatedInstAdr_;
}

std::unique_ptr<TDataBase> TDataBase::New(TDataBase* owner, std::uint16_t dbTypeId,
                                          std::uint8_t instByte, std::uint8_t auxByte) {
    TDataBaseDscrObj* dscr = RequireDescriptor(dbTypeId);
    auto database = std::make_unique<TDataBase>();
    database->descriptor_ = dscr;
    database->Owner = owner;
    database->DB_TypeID = dbTypeId;
    database->InstByte = instByte;
    database->AuxByte = auxByte;
    database->TakeInstAdr();
    return database;
}

void TDataBase::SaveToStream(TrbObjStream& stream) const {
    stream.WriteNum<std::uint8_t>(AuxByte);
    stream.WriteNum<std::uint8_t>(InstByte);
    stream.WriteNum<std::int16_t>(InstAdr == TDBInstMan::kStart ? TDBInstMan::kStart
                                                                : TDBInstMan::kNone);
    stream.WriteNum<std::uint16_t>(DB_TypeID);
    stream.WriteStr(DBFileName);
    TrbCollection::SaveToStream(stream);
}

void TDataBase::LoadFromStream(TrbObjStream& stream) {
    AuxByte = stream.ReadNum<std::uint8_t>();
    InstByte = stream.ReadNum<std::uint8_t>();
    const std::int16_t stored = stream.ReadNum<std::int16_t>();
    DB_TypeID = stream.ReadNum<std::uint16_t>();
    descriptor_ = RequireDescriptor(DB_TypeID);
    // The address comes before the records', so a tree read after a reset numbers its databases
    // in the order in which it was built.
    if (stored == TDBInstMan::kStart)
        InstAdr = stored;
    else
        TakeInstAdr();
    DBFileName = stream.ReadStr();
    Owner = nullptr;
    DBModified = false;
    EditLinks->FreeAll();
    LookLinks->FreeAll();
    TrbCollection::LoadFromStream(stream);
}

TDBRecordObj* TDataBase::Record(int index) const {
    return dynamic_cast<TDBRecordObj*>(At(index));
}

void TDataBase::AtInsert(int index, Item&& item) {
    auto* record = dynamic_cast<TDBRecordObj*>(item.get());
    const int before = Count();
    TrbCollection::AtInsert(index, std::move(item));
    if (Count() == before)
        return;
    if (record != nullptr) {
        // A held record is the original: it owns what it writes, whatever it was copied from.
        record->HeldBy = this;
        record->SharedSubDBs = false;
    }
    if (record != nullptr && !NoAttach)
        AttachRecord(*record);
    NotifyChanged();
}

TrbCollection::Item TDataBase::AtDelete(int index) {
    Item item = TrbCollection::AtDelete(index);
    if (item) {
        DBModified = true;
        auto* record = dynamic_cast<TDBRecordObj*>(item.get());
        if (record != nullptr)
            record->HeldBy = nullptr;
        EditLinks->FreeLinksOf(record);
        if (record != nullptr)
            LookLinks->ForgetRecord(record);
    }
    NotifyChanged();
    return item;
}

std::vector<TrbCollection::Item> TDataBase::DeleteAll() {
    if (Count() > 0)
        DBModified = true;
    EditLinks->FreeAll();
    LookLinks->ForgetRecord(nullptr);
    std::vector<Item> items = TrbCollection::DeleteAll();
    for (const Item& item : items) {
        if (auto* record = dynamic_cast<TDBRecordObj*>(item.get()))
            record->HeldBy = nullptr;
    }
    return items;
}

void TDataBase::BeginUpdate() {
    if (UpdateLock < 255)
        ++UpdateLock;
}

void TDataBase::EndUpdate() {
    if (UpdateLock > 0)
        --UpdateLock;
    NotifyChanged();
}

void TDataBase::NotifyChanged() {
    if (UpdateLock > 0)
        return;
    LookLinks->UpDateLooks();
}

bool TDataBase::IsFull() const {
    return descriptor_ == nullptr || Count() >= descriptor_->MaxRecords;
}

bool TDataBase::IsModified() const {
    if (DBModified)
        return true;
    for (int i = 0; i < Count(); ++i) {
        if (const TDBRecordObj* record = Record(i); record && record->IsModified())
            return true;
    }
    return false;
}

void TDataBase::ClearModified() {
    DBModified = false;
    for (int i = 0; i < Count(); ++i) {
        if (TDBRecordObj* record = Record(i))
            record->ClearModified();
    }
}

TDBRecordObj* TDataBase::RecordHolding(const TDataBase* database) const {
    for (int i = 0; i < Count(); ++i) {
        TDBRecordObj* record = Record(i);
        if (record && record->SubDBs && record->SubDBs->IndexOf(database) >= 0)
            return record;
    }
    return nullptr;
}

TDBRecordObj* TDataBase::GetOwnerRecord() const {
    return Owner ? Owner->RecordHolding(this) : nullptr;
}

TDBRecordObj* TDataBase::FindOwnerOfType(std::uint16_t dbTypeId) const {
    const TDataBase* below = this;
    for (const TDataBase* owner = Owner; owner != nullptr; owner = owner->Owner) {
        if (owner->DB_TypeID == dbTypeId)
            return owner->RecordHolding(below);
        below = owner;
    }
    return nullptr;
}

void TDataBase::RunDBSemantics(std::int16_t semId, int event) {
    TSemantics* semantics = AppSemantics(semId);
    if (semantics == nullptr)
        return;
    std::optional<DBUpdateGuard> lock;
    if (event == kDBEventStore)
        lock.emplace(*this);
    if (auto* devIx = dynamic_cast<TDevIxSetSem*>(semantics))
        devIx->DevIx = InstByte;
    CurrentDBGuard current(*semantics, this);
    semantics->Evaluate(kSemPhaseDBBegin, event, {});
    for (int i = 0; i < Count(); ++i) {
        if (TDBRecordObj* record = Record(i))
            record->RunRecSemantics(semId, event);
    }
    semantics->Evaluate(kSemPhaseDBEnd, event, {});
}

void TDataBase::ApplyNewRecordSemantics(TDBRecordObj& record) {
    if (descriptor_ == nullptr)
        return;
    for (const std::int16_t semId : descriptor_->RecSemanticsIds()) {
        if (auto* devIx = dynamic_cast<TDevIxSetSem*>(AppSemantics(semId))) {
            devIx->DevIx = InstByte;
            record.RunRecSemantics(semId, kDBEventStore);
        }
    }
}

std::string TDataBase::Caption() const {
    if (descriptor_ == nullptr)
        return {};
    if (descriptor_->CaptionObj)
        return descriptor_->CaptionObj->GetDBCaption(*this);
    return descriptor_->Caption();
}

TDBFilterValidator* TDataBase::Filter(int index) const {
    return descriptor_ ? descriptor_->Filter(index) : nullptr;
}

void TDataBase::AttachRecord(TDBRecordObj& record) {
    if (!record.SubDBs)
        return;
    for (int i = 0; i < record.SubDBs->Count(); ++i) {
        TDataBase* sub = record.SubDBs->DataBase(i);
        if (sub == nullptr)
            continue;
        sub->Owner = this;
        if (descriptor_ && descriptor_->HasFlag(kDBInheritBoth))
            sub->PassBothBytes(AuxByte, InstByte);
        else if (descriptor_ && descriptor_->HasFlag(kDBInheritAux))
            sub->PassAuxByte(AuxByte);
    }
}

void TDataBase::PassBothBytes(std::uint8_t auxByte, std::uint8_t instByte) {
    AuxByte = auxByte;
    InstByte = instByte;
    if (descriptor_ != nullptr) {
        for (const std::int16_t semId : descriptor_->RecSemanticsIds())
            RunDBSemantics(semId, kDBEventStore);
    }
    PassDown(auxByte, instByte);
}

void TDataBase::PassAuxByte(std::uint8_t auxByte) {
    AuxByte = auxByte;
    if (descriptor_ == nullptr || !descriptor_->HasFlag(kDBInheritBoth | kDBInheritAux))
        return;
    ForEachSubDB([auxByte](TDataBase& sub) { sub.PassAuxByte(auxByte); });
}

void TDataBase::PassDown(std::uint8_t auxByte, std::uint8_t instByte) {
    if (descriptor_ == nullptr)
        return;
    if (descriptor_->HasFlag(kDBInheritBoth))
        ForEachSubDB([=](TDataBase& sub) { sub.PassBothBytes(auxByte, instByte); });
    else if (descriptor_->HasFlag(kDBInheritAux))
        ForEachSubDB([auxByte](TDataBase& sub) { sub.PassAuxByte(auxByte); });
}

void TDataBase::ForEachSubDB(const std::function<void(TDataBase&)>& action) const {
    for (int i = 0; i < Count(); ++i) {
        const TDBRecordObj* record = Record(i);
        if (record == nullptr || !record->SubDBs)
            continue;
        for (int j = 0; j < record->SubDBs->Count(); ++j) {
            if (TDataBase* sub = record->SubDBs->DataBase(j))
                action(*sub);
        }
    }
}

TDataBase* ProjectColl() {
    return RecordsCtx().projectColl.get();
}

void CloseProjectColl() {
    RecordsCtx().projectColl.reset();
    RecordsCtx().instMan.ResetInstAdr();
}

TDataBase& CreateProjectColl(std::uint16_t dbTypeId) {
    CloseProjectColl();
    RecordsCtx().projectColl = TDataBase::New(nullptr, dbTypeId, 0, 0);
    return *RecordsCtx().projectColl;
}

std::uint32_t RootRecordHandle(std::uint16_t dbTypeId) {
    const TDataBase* root = ProjectColl();
    if (root == nullptr)
        return 0;
    for (int i = 0; i < root->Count(); ++i) {
        if (TDBRecordObj* record = root->Record(i); record && record->GetDBTidDataBase(dbTypeId))
            return RecordsCtx().handles.Register(record);
    }
    return 0;
}

TDataBase& InstallProjectColl(std::unique_ptr<TDataBase> database) {
    RecordsCtx().projectColl = std::move(database);
    return *RecordsCtx().projectColl;
}

} // namespace panolcd
