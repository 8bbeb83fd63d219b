#include "framework/records/casefields.h"

#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/recordtype.h"

#include <algorithm>
#include <cstring>

namespace panolcd {
namespace {

constexpr std::uint32_t kMaxSize = 0xFFFF;

// The byte-selected walks below take `kOffset`, where the variant starts within the field:
// 0 when the selector is the variant's own first byte, 1 when the selector byte precedes it.

// Hands the variant the field's selector picks, with the variant's part of the field, to `walk`.
template <std::size_t kOffset, class Field, class Walk>
void WalkVariant(const Field& field, std::uint8_t* data, Walk walk) {
    const std::uint16_t size = field.GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    if (TRecordTypeDscr* variant = field.Variant(data))
        walk(*variant, data + kOffset, size - kOffset);
}

template <std::size_t kOffset, class Field>
void AppendVariantText(const Field& field, FieldTextForm form, std::uint8_t* data,
                       std::string& text, std::size_t capacity) {
    AppendNestedCaption(field, form, text, capacity);
    WalkVariant<kOffset>(field, data,
                         [&](TRecordTypeDscr& variant, std::uint8_t* part, std::size_t size) {
                             variant.AppendText(form, part, size, text, capacity);
                         });
}

template <std::size_t kOffset, class Field>
void PutVariantToTrBuff(const Field& field, const std::uint8_t* data, std::uint8_t* buffer) {
    const std::uint16_t slot = field.GetTrBuffSize();
    const std::uint16_t size = field.GetFieldSize();
    const NestingScope scope;
    if (slot == 0 || size == 0 || !scope.Allowed())
        return;
    std::memset(buffer, 0, slot);
    // A selector ahead of the variant is no part of it: it goes into the slot as it is.
    std::memcpy(buffer, data, kOffset);
    if (TRecordTypeDscr* variant = field.Variant(data))
        variant->PutDataToTrBuff(data + kOffset, size - kOffset, buffer + kOffset, slot - kOffset);
}

template <std::size_t kOffset, class Field>
void GetVariantFromTrBuff(const Field& field, std::uint8_t* data, const std::uint8_t* buffer,
                          bool& modified) {
    static_assert(kOffset <= 1, "the selector is one byte");
    const std::uint16_t slot = field.GetTrBuffSize();
    const std::uint16_t size = field.GetFieldSize();
    const NestingScope scope;
    if (slot == 0 || size == 0 || !scope.Allowed())
        return;
    if (kOffset == 0 || buffer[0] == data[0]) {
        if (TRecordTypeDscr* variant = field.Variant(data))
            variant->GetDataFromTrBuff(data + kOffset, size - kOffset, buffer + kOffset,
                                       slot - kOffset, modified);
        return;
    }
    // The slot after the selector was laid out for the old variant and means nothing to the
    // new one: the record takes the selector and the new variant starts from its defaults.
    data[0] = buffer[0];
    modified = true;
    if (TRecordTypeDscr* variant = field.Variant(data))
        variant->InitRecordValues(data + kOffset, size - kOffset);
}

template <std::size_t kOffset, class Field>
void FreeVariantTrBuff(const Field& field, std::uint8_t* buffer) {
    const std::uint16_t slot = field.GetTrBuffSize();
    const NestingScope scope;
    if (slot == 0 || !scope.Allowed())
        return;
    // Only the slot is known here; its first byte carries the selector.
    if (TRecordTypeDscr* variant = field.Variant(buffer))
        variant->FreeTrBuffRec(buffer + kOffset, slot - kOffset);
}

template <std::size_t kOffset, class Field>
void RunVariantSemantics(const Field& field, std::int16_t semId, int event, SemData data) {
    // The walk covers the declared size; a shorter span is no whole field.
    if (data.size() < field.GetFieldSize())
        return;
    WalkVariant<kOffset>(field, data.data(),
                         [&](TRecordTypeDscr& variant, std::uint8_t* part, std::size_t size) {
                             variant.RunFieldsSemantics(semId, event, part, size);
                         });
}

template <std::size_t kOffset, class Field>
void CheckVariantDBPtrs(const Field& field, TDBColl* databases, std::uint8_t* data, int& status) {
    WalkVariant<kOffset>(field, data,
                         [&](TRecordTypeDscr& variant, std::uint8_t* part, std::size_t size) {
                             variant.CheckDBPtrs(databases, part, size, status);
                         });
}

template <std::size_t kOffset, class Field>
void LinkVariantDBPtrs(const Field& field, TDataBase* database, TDBRecordObj* record,
                       std::uint8_t* data) {
    WalkVariant<kOffset>(field, data,
                         [&](TRecordTypeDscr& variant, std::uint8_t* part, std::size_t size) {
                             variant.LinkDBPtrs(database, record, part, size);
                         });
}

template <std::size_t kOffset, class Field>
void EnsureVariantDBPtrs(const Field& field, TDataBase* database, TDBRecordObj* record,
                         std::uint8_t* data) {
    WalkVariant<kOffset>(field, data,
                         [&](TRecordTypeDscr& variant, std::uint8_t* part, std::size_t size) {
                             variant.EnsureDBPtrs(database, record, part, size);
                         });
}

constexpr std::size_t kSelectorIsFirstByte = 0;
constexpr std::size_t kSelectorAhead = 1;

} // namespace

// --- CaseVariants ---

void CaseVariants::SaveCaseData(TrbObjStream& stream) const {
    stream.WriteNum<std::int16_t>(RecTypeIx);
    stream.Put(AssignTable.get());
}

void CaseVariants::LoadCaseData(TrbObjStream& stream) {
    RecTypeIx = stream.ReadNum<std::int16_t>();
    AssignTable = stream.GetAs<TDscrAssignTable>();
}

TRecordTypeDscr* CaseVariants::Variant(const std::uint8_t* selector) const {
    if (AssignTable != nullptr) {
        // Widened to two bytes so a word table never reads past the field.
        const std::uint8_t widened[2] = {selector[0], 0};
        const std::int16_t ix = AssignTable->GetDscrIx(widened);
        if (ix >= 0) {
            if (TRecordTypeDscr* variant = AppRecordTypeAt(ix))
                return variant;
        }
    }
    return AppRecordTypeAt(RecTypeIx);
}

std::uint16_t CaseVariants::CaseFieldSize(std::uint16_t offset,
                                          std::string_view emptyReport) const {
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    const std::uint16_t size = variant == nullptr ? 0 : variant->GetRecSize();
    // Sizes are asked for on every walk; one report per descriptor is enough.
    if (size == 0 && !reported_) {
        reported_ = true;
        ReportInternalError(emptyReport);
    }
    // An empty default variant behind a selector byte still leaves the selector as the field.
    if (variant == nullptr || offset + size == 0)
        return 0;
    if (!lengthTested_) {
        lengthTested_ = true;
        if (AssignTable != nullptr)
            AssignTable->TestDscrLength(size, AppRecordTypeSize);
    }
    return static_cast<std::uint16_t>(std::min<std::uint32_t>(offset + size, kMaxSize));
}

std::uint16_t CaseVariants::CaseTrBuffSize(std::uint16_t offset) const {
    const NestingScope scope;
    if (AppRecordTypeAt(RecTypeIx) == nullptr || !scope.Allowed())
        return 0;
    // Every variant's transfer buffer must fit the slot, whichever the selector picks.
    std::uint16_t largest = 0;
    const auto consider = [&largest](std::int16_t ix) {
        if (ix < 0)
            return;
        if (TRecordTypeDscr* variant = AppRecordTypeAt(ix))
            largest = std::max(largest, variant->GetTrBuffSize());
    };
    consider(RecTypeIx);
    if (const auto* byteTable = dynamic_cast<const TByteDscrAssTab*>(AssignTable.get())) {
        for (const std::int16_t ix : byteTable->Table)
            consider(ix);
    } else if (const auto* wordTable = dynamic_cast<const TWordDscrAssTab*>(AssignTable.get())) {
        for (const auto& [selector, ix] : wordTable->Pairs)
            consider(ix);
    }
    return static_cast<std::uint16_t>(std::min<std::uint32_t>(offset + largest, kMaxSize));
}

void CaseVariants::DefaultVariantEvent(TDscrRecObj& record, int event) const {
    const NestingScope scope;
    TRecordTypeDscr* variant = AppRecordTypeAt(RecTypeIx);
    if (variant == nullptr || !scope.Allowed())
        return;
    variant->RecordEvent(record, event);
}

// --- TAbstractCaseTypeDscr, TCaseTDscr ---

void TAbstractCaseTypeDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    SaveCaseData(stream);
}

void TAbstractCaseTypeDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    LoadCaseData(stream);
}

void TCaseTDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    SaveCaseData(stream);
}

void TCaseTDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    LoadCaseData(stream);
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

std::uint16_t TByteCaseTypeDscr::GetFieldSize() const {
    return CaseFieldSize(kSelectorIsFirstByte, "# TByteCaseTypeDscr.GetFieldSize DefaultLen=0");
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

void TByteCaseTypeDscr::GetLineAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendVariantText<kSelectorIsFirstByte>(*this, FieldTextForm::Line, data, text, capacity);
}

void TByteCaseTypeDscr::GetCWinAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendVariantText<kSelectorIsFirstByte>(*this, FieldTextForm::CWin, data, text, capacity);
}

void TByteCaseTypeDscr::GetCSV_AStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendVariantText<kSelectorIsFirstByte>(*this, FieldTextForm::CSV, data, text, capacity);
}

void TByteCaseTypeDscr::GetJoinAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendVariantText<kSelectorIsFirstByte>(*this, FieldTextForm::Join, data, text, capacity);
}

std::uint16_t TByteCaseTypeDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : CaseTrBuffSize(kSelectorIsFirstByte);
}

void TByteCaseTypeDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    PutVariantToTrBuff<kSelectorIsFirstByte>(*this, data, buffer);
}

void TByteCaseTypeDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    GetVariantFromTrBuff<kSelectorIsFirstByte>(*this, data, buffer, modified);
}

void TByteCaseTypeDscr::FreeTrBuffRec(std::uint8_t* buffer) const {
    FreeVariantTrBuff<kSelectorIsFirstByte>(*this, buffer);
}

void TByteCaseTypeDscr::RunFieldSemantics(std::int16_t semId, int event, SemData data) const {
    RunVariantSemantics<kSelectorIsFirstByte>(*this, semId, event, data);
}

void TByteCaseTypeDscr::CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const {
    CheckVariantDBPtrs<kSelectorIsFirstByte>(*this, databases, data, status);
}

void TByteCaseTypeDscr::LinkDBPtr(TDataBase* database, TDBRecordObj* record,
                                  std::uint8_t* data) const {
    LinkVariantDBPtrs<kSelectorIsFirstByte>(*this, database, record, data);
}

void TByteCaseTypeDscr::EnsureDBPtr(TDataBase* database, TDBRecordObj* record,
                                    std::uint8_t* data) const {
    EnsureVariantDBPtrs<kSelectorIsFirstByte>(*this, database, record, data);
}

void TByteCaseTypeDscr::NestedRecordEvent(TDscrRecObj& record, int event) const {
    DefaultVariantEvent(record, event);
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

std::uint16_t TByteCaseTDscr::GetFieldSize() const {
    return CaseFieldSize(kSelectorAhead, "# TByteCaseTDscr.GetFieldSize DefaultLen=0");
}

void TByteCaseTDscr::InitFieldValue(std::uint8_t* data) const {
    const std::uint16_t size = GetFieldSize();
    const NestingScope scope;
    if (size == 0 || !scope.Allowed())
        return;
    // Here the selector decides which variant's defaults fill the rest.
    data[0] = DefaultSelector;
    if (TRecordTypeDscr* variant = Variant(data))
        variant->InitRecordValues(data + 1, size - 1u);
}

void TByteCaseTDscr::GetLineAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendVariantText<kSelectorAhead>(*this, FieldTextForm::Line, data, text, capacity);
}

void TByteCaseTDscr::GetCWinAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendVariantText<kSelectorAhead>(*this, FieldTextForm::CWin, data, text, capacity);
}

void TByteCaseTDscr::GetCSV_AStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendVariantText<kSelectorAhead>(*this, FieldTextForm::CSV, data, text, capacity);
}

void TByteCaseTDscr::GetJoinAStr(std::uint8_t* data, std::string& text,
                                 std::size_t capacity) const {
    AppendVariantText<kSelectorAhead>(*this, FieldTextForm::Join, data, text, capacity);
}

std::uint16_t TByteCaseTDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : CaseTrBuffSize(kSelectorAhead);
}

void TByteCaseTDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    PutVariantToTrBuff<kSelectorAhead>(*this, data, buffer);
}

void TByteCaseTDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                       bool& modified) const {
    GetVariantFromTrBuff<kSelectorAhead>(*this, data, buffer, modified);
}

void TByteCaseTDscr::FreeTrBuffRec(std::uint8_t* buffer) const {
    FreeVariantTrBuff<kSelectorAhead>(*this, buffer);
}

void TByteCaseTDscr::RunFieldSemantics(std::int16_t semId, int event, SemData data) const {
    RunVariantSemantics<kSelectorAhead>(*this, semId, event, data);
}

void TByteCaseTDscr::CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const {
    CheckVariantDBPtrs<kSelectorAhead>(*this, databases, data, status);
}

void TByteCaseTDscr::LinkDBPtr(TDataBase* database, TDBRecordObj* record,
                               std::uint8_t* data) const {
    LinkVariantDBPtrs<kSelectorAhead>(*this, database, record, data);
}

void TByteCaseTDscr::EnsureDBPtr(TDataBase* database, TDBRecordObj* record,
                                 std::uint8_t* data) const {
    EnsureVariantDBPtrs<kSelectorAhead>(*this, database, record, data);
}

void TByteCaseTDscr::NestedRecordEvent(TDscrRecObj& record, int event) const {
    DefaultVariantEvent(record, event);
}

} // namespace panolcd
