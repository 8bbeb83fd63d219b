#include "project/bankfilters.h"

#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "framework/records/semantics.h"

namespace panolcd {
namespace {

// One caller's use of a semantics: the scan object and collection it lends, taken back (and the
// semantics reset) however the use ends.
class SemanticsRun {
public:
    SemanticsRun(std::int16_t id, bool collect) : semantics_(AppSemantics(id)) {
        if (semantics_ == nullptr)
            return;
        semantics_->ResetAll();
        semantics_->ScanObj = &key_;
        semantics_->ScanColl = collect ? &found_ : nullptr;
    }
    ~SemanticsRun() {
        if (semantics_ != nullptr)
            semantics_->ResetAll();
    }
    SemanticsRun(const SemanticsRun&) = delete;
    SemanticsRun& operator=(const SemanticsRun&) = delete;

    TSemantics* operator->() const { return semantics_; }
    explicit operator bool() const { return semantics_ != nullptr; }
    TScanObject& Key() { return key_; }
    TScanObjColl& Found() { return found_; }

private:
    TSemantics* semantics_;
    TScanObject key_;
    TScanObjColl found_;
};

} // namespace

void TDBProjFnt_FilterValidator::SaveToStream(TrbObjStream& stream) const {
    stream.WriteNum<std::int16_t>(NumberingSemId);
    stream.WriteNum<std::int16_t>(UniquenessSemId);
}

void TDBProjFnt_FilterValidator::LoadFromStream(TrbObjStream& stream) {
    NumberingSemId = stream.ReadNum<std::int16_t>();
    UniquenessSemId = stream.ReadNum<std::int16_t>();
}

bool TDBProjFnt_FilterValidator::CheckInsert(TDataBase& database, TDBRecordObj& record) {
    return CheckUnique(database, record, nullptr);
}

bool TDBProjFnt_FilterValidator::CheckReplace(TDataBase& database, TDBRecordObj& stored,
                                              TDBRecordObj& record) {
    return CheckUnique(database, record, &stored);
}

bool TDBProjFnt_FilterValidator::CheckUnique(TDataBase& database, TDBRecordObj& record,
                                             const TDBRecordObj* stored) {
    SemanticsRun run(UniquenessSemId, true);
    if (!run)
        return false;
    record.RunRecSemantics(UniquenessSemId, kSemEventLoad);
    if (!run->Found)
        return false;
    run->ResetResults();
    database.RunDBSemantics(UniquenessSemId, kSemEventScan);
    const TScanObjColl& found = run.Found();
    const bool unique = found.Count() == 0 || (stored != nullptr && found.Count() == 1 &&
                                               found.ScanAt(0)->ScanRec == stored);
    if (!unique)
        return false;
    // The records below a bank or screen know whose they are by its number.
    const auto key = static_cast<std::uint8_t>(run.Key().WordKey);
    if (record.SubDBs) {
        for (int i = 0; i < record.SubDBs->Count(); ++i) {
            if (TDataBase* sub = record.SubDBs->DataBase(i))
                sub->AuxByte = key;
        }
    }
    return true;
}

void TDBProjFnt_FilterValidator::InitNewRecord(TDataBase& database, TDBRecordObj& record) {
    SemanticsRun run(NumberingSemId, false);
    if (!run)
        return;
    record.RunRecSemantics(NumberingSemId, kSemEventLoad);
    database.RunDBSemantics(NumberingSemId, kSemEventScan);
    // Counted on a byte: after 255 comes 0.
    const auto number = static_cast<std::uint8_t>(run.Key().WordKey + 1);
    run.Key().WordKey = number;
    record.RunRecSemantics(NumberingSemId, kSemEventStore);
    NumberGiven(record, number);
}

void TDBProjScr_FilterValidator::SaveToStream(TrbObjStream& stream) const {
    TDBProjFnt_FilterValidator::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(SecondNumberingSemId);
}

void TDBProjScr_FilterValidator::LoadFromStream(TrbObjStream& stream) {
    TDBProjFnt_FilterValidator::LoadFromStream(stream);
    SecondNumberingSemId = stream.ReadNum<std::int16_t>();
}

void TDBProjScr_FilterValidator::NumberGiven(TDBRecordObj& record, std::uint16_t number) {
    SemanticsRun run(SecondNumberingSemId, false);
    if (!run)
        return;
    run.Key().WordKey = number;
    record.RunRecSemantics(SecondNumberingSemId, kSemEventStore);
}

void RegisterProjectClasses() {
    RegisterClass<TDBProjFnt_FilterValidator>();
    RegisterClass<TDBProjScr_FilterValidator>();
}

} // namespace panolcd
