#include "framework/records/casefields.h"

#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/recordtype.h"

#include <algorithm>
#include <cstring>

namespace panolcd {
namespace {

constexpr std::uint32_t kMaxSize = 0xFFFF;

void SaveCaseData(TrbObjStream& stream, std::int16_t recTypeIx, const TDscrAssignTable* table) {
    stream.WriteNum<std::int16_t>(recTypeIx);
    stream.Put(table);
}

void LoadCaseData(TrbObjStream& stream, std::int16_t& recTypeIx,
                  std::unique_ptr<TDscrAssignTable>& table) {
    recTypeIx = stream.ReadNum<std::int16_t>();
    table = stream.GetAs<TDscrAssignTable>();
}

// The variant a one-byte selector picks; the default variant when the table names none. The
// selector is widened to two bytes so a word table never reads past the field.
TRecordTypeDscr* PickVariant(const TDscrAssignTable* table, std::int16_t defaultIx,
                             std::uint8_t selector) {
    if (table != nullptr) {
        const std::uint8_t widened[2] = {selector, 0};
        const std::int16_t ix = table->GetDscrIx(widened);
        if (ix >= 0) {
            if (TRecordTypeDscr* variant = AppRecordTypeAt(ix))
                return variant;
        }
    }
    return AppRecordTypeAt(defaultIx);
}

// Every variant's transfer buffer must fit the slot, whichever the selector picks.
std::uint16_t LargestVariantTrBuffSize(const TDscrAssignTable* table, std::int16_t defaultIx) {
    std::uint16_t largest = 0;
    const auto consider = [&largest](std::int16_t ix) {
        if (ix < 0)
            return;
        if (TRecordTypeDscr* variant = AppRecordTypeAt(ix))
            largest = std::max(largest, variant->GetTrBuffSize());
    };
    consider(defaultIx);
    if (const auto* byteTable = dynamic_cast<const TByteDscrAssTab*>(table)) {
        for (const std::int16_t ix : byteTable->Table)
            consider(ix);
    } else if (const auto* wordTable = dynamic_cast<const TWordDscrAssTab*>(table)) {
        for (const auto& [selector, ix] : wordTable->Pairs)
            consider(ix);
    }
    return largest;
}

void TestVariantLengthsOnce(const TDscrAssignTable* table, std::uint16_t size, bool& tested) {
    if (tested)
        return;
    tested = true;
    if (table != nullptr)
        table->TestDscrLength(size, AppRecordTypeSize);
}

void ReportOnce(bool& reported, std::string_view text) {
    if (reported)
        return;
    reported = true;
    ReportInternalError(text);
}

} // namespace

// --- TAbstractCaseTypeDscr, TCaseTDscr ---

void TAbstractCaseTypeDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    SaveCaseData(stream, RecTypeIx, AssignTable.get());
}

void TAbstractCaseTypeDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    LoadCaseData(stream, RecTypeIx, AssignTable);
}

void TCaseTDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    SaveCaseData(stream, RecTypeIx, AssignTable.get());
}

void TCaseTDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    LoadCaseData(stream, RecTypeIx, AssignTable);
}

// --- TByteCaseTypeDscr ---

void TByteCaseTypeDscr::SaveToStream(TrbObjStream& stream) const {
    TAbstractCaseTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(DefaultSelector);
}

void TByteCaseTypeDscr::LoadFromStream(TrbObjStream& stream) {
    TAbstractCaseTypeDscr::LoadFromStream(stream);
    DefaultSelector = stream.ReadNum<std::uint8_t>();
}

TRecordTypeDscr* TByteCaseTypeDscr::Variant(const std::uint8_t* selector) const {
    return PickVariant(AssignTable.get(), RecTypeIx, selector[0]);
}

std::uint16_t TByteCaseTypeDscr::GetFieldSize() const {
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    const std::uint16_t size = variant == nullptr ? 0 : variant->GetRecSize();
    if (size == 0) {
        ReportOnce(reported_, "# TByteCaseTypeDscr.GetFieldSize DefaultLen=0");
        return 0;
    }
    TestVariantLengthsOnce(AssignTable.get(), size, lengthTested_);
    return size;
}

void TByteCaseTypeDscr::InitFieldValue(std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    if (size == 0 || variant == nullptr || !scope.Allowed())
        return;
    variant->InitRecordValues(data, size);
    // The selector is the variant's first byte: stored last so the variant's own default for
    // that byte does not replace it.
    data[0] = DefaultSelector;
}

void TByteCaseTypeDscr::AppendForm(FieldTextForm form, std::uint8_t* data, std::string& text,
                                   std::size_t capacity) const {
    AppendNestedCaption(*this, form, text, capacity);
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->AppendText(form, data, size, text, capacity);
}

void TByteCaseTypeDscr::GetLineAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::Line, data, text, capacity);
}

void TByteCaseTypeDscr::GetCWinAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::CWin, data, text, capacity);
}

void TByteCaseTypeDscr::GetCSV_AStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::CSV, data, text, capacity);
}

void TByteCaseTypeDscr::GetJoinAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::Join, data, text, capacity);
}

std::uint16_t TByteCaseTypeDscr::GetTrBuffSize() const {
    const NestingScope scope;
    if (HasFlag(fNoTrBuff) || AppRecordTypeAt(RecTypeIx) == nullptr || !scope.Allowed())
        return 0;
    return LargestVariantTrBuffSize(AssignTable.get(), RecTypeIx);
}

void TByteCaseTypeDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    const std::uint16_t slot = GetTrBuffSize();
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (slot == 0 || size == 0 || !scope.Allowed())
        return;
    std::memset(buffer, 0, slot);
    if (TRecordTypeDscr* variant = Variant(data))
        variant->PutDataToTrBuff(data, size, buffer, slot);
}

void TByteCaseTypeDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    const std::uint16_t slot = GetTrBuffSize();
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (slot == 0 || size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->GetDataFromTrBuff(data, size, buffer, slot, modified);
}

void TByteCaseTypeDscr::FreeTrBuffRec(std::uint8_t* buffer) const {
    const std::uint16_t slot = GetTrBuffSize();
    const NestingScope scope;
    if (slot == 0 || !scope.Allowed())
        return;
    // Only the slot is known here; its first byte carries the selector.
    if (TRecordTypeDscr* variant = Variant(buffer))
        variant->FreeTrBuffRec(buffer, slot);
}

void TByteCaseTypeDscr::RunFieldSemantics(std::int16_t semId, int event, std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->RunFieldsSemantics(semId, event, data, size);
}

void TByteCaseTypeDscr::CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->CheckDBPtrs(databases, data, size, status);
}

void TByteCaseTypeDscr::LinkDBPtr(TDataBase* database, TDBRecordObj* record,
                                  std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->LinkDBPtrs(database, record, data, size);
}

void TByteCaseTypeDscr::EnsureDBPtr(TDataBase* database, TDBRecordObj* record,
                                    std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->EnsureDBPtrs(database, record, data, size);
}

void TByteCaseTypeDscr::NestedRecordEvent(TDscrRecObj& record, int event) const {
    const NestingScope scope;
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    if (variant == nullptr || !scope.Allowed())
        return;
    variant->RecordEvent(record, event);
}

// --- TByteCaseTDscr ---

void TByteCaseTDscr::SaveToStream(TrbObjStream& stream) const {
    TCaseTDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(DefaultSelector);
}

void TByteCaseTDscr::LoadFromStream(TrbObjStream& stream) {
    TCaseTDscr::LoadFromStream(stream);
    DefaultSelector = stream.ReadNum<std::uint8_t>();
}

TRecordTypeDscr* TByteCaseTDscr::Variant(const std::uint8_t* selector) const {
    return PickVariant(AssignTable.get(), RecTypeIx, selector[0]);
}

std::uint16_t TByteCaseTDscr::GetFieldSize() const {
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    if (variant == nullptr) {
        ReportOnce(reported_, "# TByteCaseTDscr.GetFieldSize DefaultLen=0");
        return 0;
    }
    const std::uint16_t size = variant->GetRecSize();
    if (size == 0)
        ReportOnce(reported_, "# TByteCaseTDscr.GetFieldSize DefaultLen=0");
    TestVariantLengthsOnce(AssignTable.get(), size, lengthTested_);
    return static_cast<std::uint16_t>(std::min<std::uint32_t>(1u + size, kMaxSize));
}

void TByteCaseTDscr::InitFieldValue(std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    data[0] = DefaultSelector;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->InitRecordValues(data + 1, size - 1u);
}

void TByteCaseTDscr::AppendForm(FieldTextForm form, std::uint8_t* data, std::string& text,
                                std::size_t capacity) const {
    AppendNestedCaption(*this, form, text, capacity);
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->AppendText(form, data + 1, size - 1u, text, capacity);
}

void TByteCaseTDscr::GetLineAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::Line, data, text, capacity);
}

void TByteCaseTDscr::GetCWinAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::CWin, data, text, capacity);
}

void TByteCaseTDscr::GetCSV_AStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::CSV, data, text, capacity);
}

void TByteCaseTDscr::GetJoinAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendForm(FieldTextForm::Join, data, text, capacity);
}

std::uint16_t TByteCaseTDscr::GetTrBuffSize() const {
    const NestingScope scope;
    if (HasFlag(fNoTrBuff) || AppRecordTypeAt(RecTypeIx) == nullptr || !scope.Allowed())
        return 0;
    const std::uint32_t size = 1u + LargestVariantTrBuffSize(AssignTable.get(), RecTypeIx);
    return static_cast<std::uint16_t>(std::min(size, kMaxSize));
}

void TByteCaseTDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    const std::uint16_t slot = GetTrBuffSize();
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (slot == 0 || size == 0 || !scope.Allowed())
        return;
    std::memset(buffer, 0, slot);
    buffer[0] = data[0];
    if (TRecordTypeDscr* variant = Variant(data))
        variant->PutDataToTrBuff(data + 1, size - 1u, buffer + 1, slot - 1u);
}

void TByteCaseTDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                       bool& modified) const {
    const std::uint16_t slot = GetTrBuffSize();
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (slot == 0 || size == 0 || !scope.Allowed())
        return;
    if (buffer[0] == data[0]) {
        if (TRecordTypeDscr* variant = Variant(data))
            variant->GetDataFromTrBuff(data + 1, size - 1u, buffer + 1, slot - 1u, modified);
        return;
    }
    // The slot after the selector was laid out for the old variant and means nothing to the
    // new one: the record takes the selector and the new variant starts from its defaults.
    data[0] = buffer[0];
    modified = true;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->InitRecordValues(data + 1, size - 1u);
}

void TByteCaseTDscr::FreeTrBuffRec(std::uint8_t* buffer) const {
    const std::uint16_t slot = GetTrBuffSize();
    const NestingScope scope;
    if (slot == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(buffer))
        variant->FreeTrBuffRec(buffer + 1, slot - 1u);
}

void TByteCaseTDscr::RunFieldSemantics(std::int16_t semId, int event, std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->RunFieldsSemantics(semId, event, data + 1, size - 1u);
}

void TByteCaseTDscr::CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->CheckDBPtrs(databases, data + 1, size - 1u, status);
}

void TByteCaseTDscr::LinkDBPtr(TDataBase* database, TDBRecordObj* record,
                               std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->LinkDBPtrs(database, record, data + 1, size - 1u);
}

void TByteCaseTDscr::EnsureDBPtr(TDataBase* database, TDBRecordObj* record,
                                 std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->EnsureDBPtrs(database, record, data + 1, size - 1u);
}

void TByteCaseTDscr::NestedRecordEvent(TDscrRecObj& record, int event) const {
    const NestingScope scope;
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    if (variant == nullptr || !scope.Allowed())
        return;
    variant->RecordEvent(record, event);
}

} // namespace panolcd
