#include "framework/records/dbrecord.h"

#include "framework/environment/msgbox.h"
#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/instancemanager.h"
#include "framework/records/recordscontext.h"

namespace panolcd {
namespace {

// Default records build their own sub-databases; a description whose default record nests its
// own database type would never stop. Real trees are a few levels deep.
constexpr int kMaxDefaultNesting = 16;

// Counts the nesting of LinkDBPtr and reports running too deep once per outermost call.
class LinkDepthGuard {
public:
    LinkDepthGuard() { ++depth_; }
    ~LinkDepthGuard() {
        if (--depth_ == 0)
            reported_ = false;
    }
    LinkDepthGuard(const LinkDepthGuard&) = delete;
    LinkDepthGuard& operator=(const LinkDepthGuard&) = delete;

    bool TooDeep() const {
        if (depth_ <= kMaxDefaultNesting)
            return false;
        if (!reported_)
            ReportInternalError("# TDBRecordObj.LinkDBPtr: default records nested too deep");
        reported_ = true;
        return true;
    }

private:
    static inline thread_local int depth_ = 0;
    static inline thread_local bool reported_ = false;
};

} // namespace

TDBRecordObj::~TDBRecordObj() {
    RecordsCtx().handles.ReleaseObject(this);
}

void TDBRecordObj::SaveToStream(TrbObjStream& stream) const {
    TDscrRecObj::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(RecOrigin);
    stream.WriteNum<std::int16_t>(RecTag);
    stream.Put(SharedSubDBs ? nullptr : SubDBs.get());
}

void TDBRecordObj::LoadFromStream(TrbObjStream& stream) {
    TDscrRecObj::LoadFromStream(stream);
    RecOrigin = stream.ReadNum<std::uint8_t>();
    RecTag = stream.ReadNum<std::int16_t>();
    SharedSubDBs = false;
    SubDBs = stream.GetAs<TDBColl>();
    CheckDBPtrs();
}

void TDBRecordObj::AssignTo(TrbStreamable& target) const {
    TDscrRecObj::AssignTo(target);
    auto* record = dynamic_cast<TDBRecordObj*>(&target);
    if (record == nullptr || record == this)
        return;
    record->RecTag = RecTag;
    if (record->SubDBs && record->SubDBs != SubDBs) {
        ReportInternalError("# TDBRecordObj.AssignTo: Error");
        return;
    }
    record->SubDBs = SubDBs;
    if ((record->RecOrigin == kRecOriginCopy || record->RecOrigin == kRecOriginNew) &&
        record->HeldBy == nullptr)
        record->SharedSubDBs = true;
    if (RecOrigin == kRecOriginCopy || RecOrigin == kRecOriginNew) {
        if (HeldBy == nullptr)
            SharedSubDBs = true;
        RecOrigin = kRecOriginCopy;
    }
}

bool TDBRecordObj::IsModified() const {
    return Modified || (SubDBs && SubDBs->TestDBsModified());
}

void TDBRecordObj::ClearModified() {
    Modified = false;
    if (SubDBs)
        SubDBs->Clear_DBColl_ModifFlg();
}

void TDBRecordObj::Create(std::string_view recTypeName, std::int16_t recTag,
                          std::int16_t recTypeIx) {
    RecTag = recTag;
    RecOrigin = kRecOriginNew;
    TDscrRecObj::Create(recTypeName, recTypeIx);
}

std::unique_ptr<TDBRecordObj> TDBRecordObj::New(std::string_view recTypeName, std::int16_t recTag,
                                                std::int16_t recTypeIx) {
    auto record = panolcd::Create<TDBRecordObj>();
    record->Create(recTypeName, recTag, recTypeIx);
    return record;
}

std::unique_ptr<TDBRecordObj> TDBRecordObj::CopyOf(const TDBRecordObj& source,
                                                   std::int16_t recTag) {
    auto record = panolcd::Create<TDBRecordObj>();
    // The source is the original: it goes on writing its sub-databases, only the copy shares.
    const bool sourceShared = source.SharedSubDBs;
    source.AssignTo(*record);
    source.SharedSubDBs = sourceShared;
    record->RecTag = recTag;
    record->RecOrigin = kRecOriginCopy;
    if (record->SubDBs)
        record->SharedSubDBs = true;
    return record;
}

TDBColl& TDBRecordObj::EnsureSubDBs() {
    if (!SubDBs)
        SubDBs = std::make_shared<TDBColl>();
    return *SubDBs;
}

TDataBase* TDBRecordObj::GetDBTidDataBase(std::uint16_t dbTypeId) const {
    return SubDBs ? SubDBs->GetDBTidDataBase(dbTypeId) : nullptr;
}

int TDBRecordObj::RunCheckDBPtrs(bool warn) {
    int status = (Modified ? 1 : 0) + (warn ? 0x80 : 0);
    TRecordTypeDscr* type = ResolveRecType();
    if (type == nullptr || !HasData())
        return status;
    type->CheckDBPtrs(SubDBs.get(), RecData.data(), RecData.size(), status);
    if ((status & 0x01) != 0)
        Modified = true;
    return status;
}

bool TDBRecordObj::CheckDBPtrs() {
    return RunCheckDBPtrs(true) != kDBPtrCheckFailed;
}

void TDBRecordObj::LinkDBPtr(TDataBase* owner, std::uint16_t dbTypeId, std::int16_t& instAdr,
                             int filterIx, std::optional<std::int16_t> selector) {
    const LinkDepthGuard depth;
    if (depth.TooDeep())
        return;
    TDBColl& subDBs = EnsureSubDBs();
    TDataBase* database = nullptr;
    for (int i = 0; i < subDBs.Count() && database == nullptr; ++i) {
        TDataBase* candidate = subDBs.DataBase(i);
        if (candidate && candidate->DB_TypeID == dbTypeId && candidate->InstAdr == instAdr)
            database = candidate;
    }
    if (database == nullptr) {
        auto created = TDataBase::New(owner, dbTypeId, owner ? owner->InstByte : 0,
                                      owner ? owner->AuxByte : 0);
        if (instAdr == TDBInstMan::kNone)
            instAdr = created->InstAdr;
        else
            created->InstAdr = instAdr;
        database = created.get();
        subDBs.Insert(std::move(created));
    }
    const TDataBaseDscrObj* dscr = database->Descriptor();
    if (dscr == nullptr || !dscr->HasFlag(kDBDefaultRecord))
        return;
    const std::int16_t recTypeIx =
        selector ? dscr->RecTypeIxOfSelector(*selector) : dscr->DefaultRecTypeIx;
    const TRecordTypeDscr* recType = AppRecordTypeAt(recTypeIx);
    if (recType == nullptr || (recType->RecAttrs & (1u << kRecAttrOwnsSubDBs)) == 0)
        return;
    TDBFilterValidator* filter = database->Filter(filterIx);
    for (int i = 0; i < database->Count(); ++i) {
        TDBRecordObj* record = database->Record(i);
        if (record && record->GetRecTypeIx() == recTypeIx &&
            (filter == nullptr || filter->AcceptRecord(*database, *record)))
            return;
    }
    auto record = New(recType->RecTypeName, 0, recTypeIx);
    TDBRecordObj& inserted = *record;
    database->Insert(std::move(record));
    inserted.LinkDBPtrs(database);
}

void TDBRecordObj::EnsureDBPtr(TDataBase* owner, std::uint16_t dbTypeId, std::int16_t instAdr) {
    if (instAdr == TDBInstMan::kNone || owner == nullptr)
        return;
    TDBColl& subDBs = EnsureSubDBs();
    for (int i = 0; i < subDBs.Count(); ++i) {
        const TDataBase* candidate = subDBs.DataBase(i);
        if (candidate && candidate->DB_TypeID == dbTypeId && candidate->InstAdr == instAdr)
            return;
    }
    auto created = TDataBase::New(owner, dbTypeId, owner->InstByte, owner->AuxByte);
    created->InstAdr = instAdr;
    subDBs.Insert(std::move(created));
}

void TDBRecordObj::LinkDBPtrs(TDataBase* database) {
    TRecordTypeDscr* type = ResolveRecType();
    if (type == nullptr || !HasData())
        return;
    type->LinkDBPtrs(database, this, RecData.data(), RecData.size());
}

void TDBRecordObj::RemoveEmptySubDBs() {
    if (SharedSubDBs || !SubDBs)
        return;
    for (int i = SubDBs->Count() - 1; i >= 0; --i) {
        const TDataBase* database = SubDBs->DataBase(i);
        if (database == nullptr || database->Count() > 0 || database->IsShown())
            continue;
        if (database->Descriptor() && database->Descriptor()->HasFlag(kDBKeepEmpty))
            continue;
        if (database->IsModified())
            Modified = true;
        SubDBs->AtFree(i);
    }
    const std::vector<std::uint8_t> before = RecData;
    RunCheckDBPtrs(false);
    if (RecData != before)
        Modified = true;
    if (SubDBs->Count() == 0)
        SubDBs.reset();
}

} // namespace panolcd
