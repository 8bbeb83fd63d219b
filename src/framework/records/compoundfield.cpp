#include "framework/records/compoundfield.h"

#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/recordtype.h"

#include <algorithm>
#include <cstring>

namespace panolcd {

void AppendNestedCaption(const TRecFieldTypeDscr& field, FieldTextForm form, std::string& text,
                         std::size_t capacity) {
    std::uint16_t captionOff = 0;
    switch (form) {
    case FieldTextForm::Line:
        captionOff = fNoLineCaption | fFormat;
        break;
    case FieldTextForm::CWin:
        captionOff = fNoCWinCaption;
        break;
    case FieldTextForm::CSV:
        return;
    case FieldTextForm::Join:
        captionOff = fNoJoinCaption | fFormat;
        break;
    }
    if ((field.Flags & captionOff) == 0)
        AppendCapped(text, capacity, field.GetCaption());
}

void TCompoundTDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(RecTypeIx);
}

void TCompoundTDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    RecTypeIx = stream.ReadNum<std::int16_t>();
}

TRecordTypeDscr* TCompoundTDscr::NestedType() const {
    return AppRecordTypeAt(RecTypeIx);
}

std::uint16_t TCompoundTDscr::GetFieldSize() const {
    TRecordTypeDscr* nested = NestedType();
    if (nested != nullptr)
        return nested->GetRecSize();
    // Sizes are asked for on every walk; one report per descriptor is enough.
    if (!reported_) {
        reported_ = true;
        ReportInternalError("# TCompoundTDscr.GetFieldSize");
    }
    return 0;
}

void TCompoundTDscr::InitFieldValue(std::uint8_t* data) const {
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->InitRecordValues(data, GetFieldSize());
}

void TCompoundTDscr::AppendForm(FieldTextForm form, std::uint8_t* data, std::string& text,
                                std::size_t capacity) const {
    AppendNestedCaption(*this, form, text, capacity);
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->AppendText(form, data, GetFieldSize(), text, capacity);
}

void TCompoundTDscr::GetLineAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::Line, data, text, capacity);
}

void TCompoundTDscr::GetCWinAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::CWin, data, text, capacity);
}

void TCompoundTDscr::GetCSV_AStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::CSV, data, text, capacity);
}

void TCompoundTDscr::GetJoinAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::Join, data, text, capacity);
}

std::uint16_t TCompoundTDscr::GetTrBuffSize() const {
    if (HasFlag(fNoTrBuff))
        return 0;
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return 0;
    return nested->GetTrBuffSize();
}

void TCompoundTDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    const std::uint16_t slot = GetTrBuffSize();
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (slot == 0 || nested == nullptr || !scope.Allowed())
        return;
    std::memset(buffer, 0, slot);
    nested->PutDataToTrBuff(data, GetFieldSize(), buffer, slot);
}

void TCompoundTDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                       bool& modified) const {
    const std::uint16_t slot = GetTrBuffSize();
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (slot == 0 || nested == nullptr || !scope.Allowed())
        return;
    nested->GetDataFromTrBuff(data, GetFieldSize(), buffer, slot, modified);
}

void TCompoundTDscr::FreeTrBuffRec(std::uint8_t* buffer) const {
    const std::uint16_t slot = GetTrBuffSize();
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (slot == 0 || nested == nullptr || !scope.Allowed())
        return;
    nested->FreeTrBuffRec(buffer, slot);
}

void TCompoundTDscr::RunFieldSemantics(std::int16_t semId, int event, SemData data) const {
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->RunFieldsSemantics(semId, event, data.data(),
                               std::min<std::size_t>(data.size(), GetFieldSize()));
}

void TCompoundTDscr::CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const {
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->CheckDBPtrs(databases, data, GetFieldSize(), status);
}

void TCompoundTDscr::LinkDBPtr(TDataBase* database, TDBRecordObj* record,
                               std::uint8_t* data) const {
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->LinkDBPtrs(database, record, data, GetFieldSize());
}

void TCompoundTDscr::EnsureDBPtr(TDataBase* database, TDBRecordObj* record,
                                 std::uint8_t* data) const {
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->EnsureDBPtrs(database, record, data, GetFieldSize());
}

void TCompoundTDscr::NestedRecordEvent(TDscrRecObj& record, int event) const {
    const NestingScope scope;
    TRecordTypeDscr* nested = NestedType();
    if (nested == nullptr || !scope.Allowed())
        return;
    nested->RecordEvent(record, event);
}

} // namespace panolcd
