#include "framework/records/dbdescriptor.h"

#include "common/littleendian.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"
#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/assigntable.h"
#include "framework/records/fieldtext.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/recordtype.h"
#include "framework/records/semantics.h"

namespace panolcd {

TDBFilterValidator* TDBFilterValColl::Filter(int index) const {
    if (index < 0)
        return nullptr;
    return dynamic_cast<TDBFilterValidator*>(At(index));
}

std::string TDBCaptionObj::GetDBCaption(const TDataBase& database) const {
    return CaptionProc ? CaptionProc(database) : std::string();
}

TDataBaseDscrObj::TDataBaseDscrObj() = default;
TDataBaseDscrObj::~TDataBaseDscrObj() = default;

void TDataBaseDscrObj::SaveToStream(TrbObjStream& stream) const {
    stream.WriteStr(Name);
    stream.WriteNum<std::int16_t>(CaptionId);
    stream.WriteNum<std::uint16_t>(DB_TypeID);
    stream.WriteNum<std::uint8_t>(DBFlags);
    stream.WriteNum<std::uint16_t>(MaxRecords);
    stream.WriteNum<std::uint16_t>(RecSize);
    // A template of another size than RecSize could not be read back; it is stored as none.
    const bool hasTemplate = !TemplateRec.empty() && TemplateRec.size() == RecSize;
    stream.WriteNum<std::uint16_t>(hasTemplate ? RecSize : 0);
    if (hasTemplate)
        stream.WriteBytes(TemplateRec.data(), TemplateRec.size());
    stream.WriteNum<std::uint8_t>(Kind);
    stream.WriteNum<std::int16_t>(DefaultRecTypeIx);
    stream.WriteNum<std::int16_t>(SelectorOffset);
    stream.WriteNum<std::int16_t>(Extra1);
    stream.WriteNum<std::int16_t>(Extra2);
    stream.WriteNum<std::int16_t>(SavedSemId);
    stream.Put(AssignTable.get());
    stream.Put(Iniciators.get());
    stream.Put(Filters.get());
    stream.Put(RecSemantics.get());
    stream.Put(CaptionObj.get());
}

void TDataBaseDscrObj::LoadFromStream(TrbObjStream& stream) {
    Name = stream.ReadStr();
    CaptionId = stream.ReadNum<std::int16_t>();
    DB_TypeID = stream.ReadNum<std::uint16_t>();
    DBFlags = stream.ReadNum<std::uint8_t>();
    MaxRecords = stream.ReadNum<std::uint16_t>();
    RecSize = stream.ReadNum<std::uint16_t>();
    const std::uint16_t templateSize = stream.ReadNum<std::uint16_t>();
    stream.RequireRemaining(templateSize);
    TemplateRec.assign(templateSize, 0);
    stream.ReadBytes(TemplateRec.data(), templateSize);
    Kind = stream.ReadNum<std::uint8_t>();
    DefaultRecTypeIx = stream.ReadNum<std::int16_t>();
    SelectorOffset = stream.ReadNum<std::int16_t>();
    Extra1 = stream.ReadNum<std::int16_t>();
    Extra2 = stream.ReadNum<std::int16_t>();
    SavedSemId = stream.ReadNum<std::int16_t>();
    AssignTable = stream.GetAs<TDscrAssignTable>();
    Iniciators = stream.GetAs<TRecIniciatorColl>();
    Filters = stream.GetAs<TDBFilterValColl>();
    RecSemantics = stream.GetAs<TSemEvalColl>();
    CaptionObj = stream.GetAs<TDBCaptionObj>();
    LinkFilters();
}

void TDataBaseDscrObj::LinkFilters() {
    if (!Filters)
        return;
    for (int i = 0; i < Filters->Count(); ++i) {
        if (TDBFilterValidator* filter = Filters->Filter(i))
            filter->Descriptor = this;
    }
}

std::int16_t TDataBaseDscrObj::RecTypeIxOf(const std::vector<std::uint8_t>& data) const {
    if (!AssignTable || SelectorOffset < 0 ||
        static_cast<std::size_t>(SelectorOffset) + 2 > data.size())
        return DefaultRecTypeIx;
    const std::int16_t index = AssignTable->GetDscrIx(data.data() + SelectorOffset);
    return index < 0 ? DefaultRecTypeIx : index;
}

std::int16_t TDataBaseDscrObj::RecTypeIxOfSelector(std::int16_t selector) const {
    if (!AssignTable)
        return DefaultRecTypeIx;
    std::uint8_t bytes[2];
    WriteLE(bytes, selector);
    const std::int16_t index = AssignTable->GetDscrIx(bytes);
    return index < 0 ? DefaultRecTypeIx : index;
}

std::string TDataBaseDscrObj::Caption() const {
    return ResTextOr(CaptionId, Name);
}

TDBFilterValidator* TDataBaseDscrObj::Filter(int index) const {
    return Filters ? Filters->Filter(index) : nullptr;
}

std::vector<std::int16_t> TDataBaseDscrObj::RecSemanticsIds() const {
    const auto* evaluators = dynamic_cast<const TSemEvalColl*>(RecSemantics.get());
    return evaluators ? evaluators->EvaluatorIds() : std::vector<std::int16_t>{};
}

TrbSortedCollection::KeyRef TDataBaseDscrColl::KeyOf(const TrbStreamable* item) const {
    const auto* dscr = dynamic_cast<const TDataBaseDscrObj*>(item);
    return dscr ? &dscr->DB_TypeID : nullptr;
}

int TDataBaseDscrColl::Compare(KeyRef key1, KeyRef key2) const {
    // A foreign item (no key) sorts first.
    const auto* a = static_cast<const std::uint16_t*>(key1);
    const auto* b = static_cast<const std::uint16_t*>(key2);
    if (a == nullptr || b == nullptr)
        return (a != nullptr) - (b != nullptr);
    return (*a > *b) - (*a < *b);
}

TDataBaseDscrObj* TDataBaseDscrColl::DscrAt(int index) const {
    return dynamic_cast<TDataBaseDscrObj*>(At(index));
}

TDataBaseDscrObj* TDataBaseDscrColl::GetDataBaseDscrObj(std::uint16_t dbTypeId) const {
    int index = 0;
    if (!Search(&dbTypeId, index))
        return nullptr;
    return DscrAt(index);
}

bool TDataBaseDscrColl::TestAllTypeDscrs() const {
    const TAppData* app = EnvCtx().app.AppData.get();
    const TRecTypesDscrColl* types = app ? app->RecTypesDscrColl.get() : nullptr;
    for (int i = 0; i < Count(); ++i) {
        const TDataBaseDscrObj* dscr = DscrAt(i);
        if (dscr == nullptr)
            continue;
        const std::string head = "# Err TestTypeDscrs DBTid=$" + HexDigits(dscr->DB_TypeID, 4);
        const std::string recSize = std::to_string(dscr->RecSize);
        if (types == nullptr) {
            ReportInternalError(head + " RecTypeDscrColl=nil");
            return false;
        }
        if (dscr->AssignTable) {
            if (!dscr->AssignTable->TestDscrLength(dscr->RecSize, AppRecordTypeSize)) {
                ReportInternalError(head + " DscrIxAsTab TestDscrLength <> " + recSize);
                return false;
            }
        } else {
            const std::uint16_t size = AppRecordTypeSize(dscr->DefaultRecTypeIx).value_or(0);
            if (size != dscr->RecSize) {
                ReportInternalError(head + " DefaultDscrIx DscrLng=" + std::to_string(size) +
                                    "<> " + recSize);
                return false;
            }
        }
        if (dscr->Iniciators) {
            const std::uint16_t size = dscr->Iniciators->GetIniciatorRecSize();
            if (size != dscr->RecSize) {
                ReportInternalError(head + " IniciatorRecSize=" + std::to_string(size) + "<> " +
                                    recSize);
                return false;
            }
        }
    }
    return true;
}

TDataBaseDscrObj* AppDataBaseDscr(std::uint16_t dbTypeId) {
    const TAppData* app = EnvCtx().app.AppData.get();
    if (app == nullptr || !app->DataBaseDscrColl)
        return nullptr;
    return app->DataBaseDscrColl->GetDataBaseDscrObj(dbTypeId);
}

} // namespace panolcd
