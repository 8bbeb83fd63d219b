#include "framework/records/recordtype.h"

#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/casefields.h"
#include "framework/records/compoundfield.h"
#include "framework/records/fielddscr.h"
#include "framework/records/recordobject.h"
#include "framework/records/semantics.h"

#include <algorithm>
#include <array>
#include <limits>

namespace panolcd {
namespace {

constexpr std::uint32_t kMaxSize = std::numeric_limits<std::uint16_t>::max();

// Visits the fields in order with running data and transfer offsets. A field whose bytes would
// reach beyond `size`, or whose slot beyond `bufferSize`, is not visited; the offsets still
// advance so the fields after it keep their places.
template <class Visit>
void WalkFields(const TRecordTypeDscr& type, std::size_t size, std::size_t bufferSize,
                Visit visit) {
    std::size_t offset = 0;
    std::size_t bufferOffset = 0;
    for (int i = 0; i < type.Count(); ++i) {
        const TRecFieldTypeDscr* field = type.Field(i);
        if (field == nullptr)
            continue;
        const std::size_t fieldSize = field->GetFieldSize();
        const std::size_t slotSize = field->GetTrBuffSize();
        if (offset + fieldSize <= size && bufferOffset + slotSize <= bufferSize)
            visit(i, *field, offset, bufferOffset);
        offset += fieldSize;
        bufferOffset += slotSize;
    }
}

// Walks that touch no transfer buffer.
template <class Visit> void WalkData(const TRecordTypeDscr& type, std::size_t size, Visit visit) {
    std::size_t offset = 0;
    for (int i = 0; i < type.Count(); ++i) {
        const TRecFieldTypeDscr* field = type.Field(i);
        if (field == nullptr)
            continue;
        const std::size_t fieldSize = field->GetFieldSize();
        if (offset + fieldSize <= size)
            visit(i, *field, offset);
        offset += fieldSize;
    }
}

void AppendFieldText(FieldTextForm form, const TRecFieldTypeDscr& field, std::uint8_t* data,
                     std::string& text, std::size_t capacity) {
    switch (form) {
    case FieldTextForm::Line:
        field.GetLineAStr(data, text, capacity);
        break;
    case FieldTextForm::CWin:
        field.GetCWinAStr(data, text, capacity);
        break;
    case FieldTextForm::CSV:
        field.GetCSV_AStr(data, text, capacity);
        break;
    case FieldTextForm::Join:
        field.GetJoinAStr(data, text, capacity);
        break;
    }
}

// Ends a semantics run also when an evaluator throws.
class CurrentRecordScope {
public:
    CurrentRecordScope(TSemManColl& manager, std::int16_t semId, TDscrRecObj& record)
        : manager_(manager), semId_(semId) {
        manager_.SetCurrentRecord(&record, semId_);
    }
    ~CurrentRecordScope() { manager_.SetCurrentRecord(nullptr, semId_); }
    CurrentRecordScope(const CurrentRecordScope&) = delete;
    CurrentRecordScope& operator=(const CurrentRecordScope&) = delete;

private:
    TSemManColl& manager_;
    std::int16_t semId_;
};

} // namespace

void TRecordTypeDscr::SaveToStream(TrbObjStream& stream) const {
    TrbCollection::SaveToStream(stream);
    stream.WriteStr(RecTypeName);
    stream.WriteStr(EditFormName);
    stream.WriteNum<std::uint8_t>(RecAttrs);
    stream.WriteNum<std::uint16_t>(RecSize);
    stream.WriteNum<std::uint16_t>(TrBuffSize);
    stream.Put(EventEvaluators.get());
    stream.Put(RecEvaluators.get());
}

void TRecordTypeDscr::LoadFromStream(TrbObjStream& stream) {
    TrbCollection::LoadFromStream(stream);
    // Only field descriptors (or nil) may be items; anything else fails as a bad cast.
    for (int i = 0; i < Count(); ++i)
        StreamableAs<TRecFieldTypeDscr>(At(i));
    RecTypeName = stream.ReadStr();
    EditFormName = stream.ReadStr();
    RecAttrs = stream.ReadNum<std::uint8_t>();
    RecSize = stream.ReadNum<std::uint16_t>();
    TrBuffSize = stream.ReadNum<std::uint16_t>();
    auto eventEvaluators = stream.Get();
    StreamableAs<TSemEvalColl>(eventEvaluators.get());
    EventEvaluators = std::move(eventEvaluators);
    auto recEvaluators = stream.Get();
    StreamableAs<TSemEvalColl>(recEvaluators.get());
    RecEvaluators = std::move(recEvaluators);
}

TRecFieldTypeDscr* TRecordTypeDscr::Field(int index) const {
    return dynamic_cast<TRecFieldTypeDscr*>(At(index));
}

std::uint16_t TRecordTypeDscr::GetRecSize() {
    if (RecSize != 0 || sizing_)
        return RecSize;
    sizing_ = true;
    std::uint32_t sum = 0;
    for (int i = 0; i < Count(); ++i) {
        if (const TRecFieldTypeDscr* field = Field(i))
            sum += field->GetFieldSize();
    }
    sizing_ = false;
    RecSize = static_cast<std::uint16_t>(std::min(sum, kMaxSize));
    return RecSize;
}

std::uint16_t TRecordTypeDscr::GetTrBuffSize() {
    if (TrBuffSize != 0 || sizing_)
        return TrBuffSize;
    sizing_ = true;
    std::uint32_t sum = 0;
    for (int i = 0; i < Count(); ++i) {
        if (const TRecFieldTypeDscr* field = Field(i))
            sum += field->GetTrBuffSize();
    }
    sizing_ = false;
    TrBuffSize = static_cast<std::uint16_t>(std::min(sum, kMaxSize));
    return TrBuffSize;
}

void TRecordTypeDscr::InitRecordValues(std::uint8_t* data, std::size_t size) {
    WalkData(*this, size, [&](int, const TRecFieldTypeDscr& field, std::size_t offset) {
        field.InitFieldValue(data + offset);
    });
}

void TRecordTypeDscr::AppendText(FieldTextForm form, std::uint8_t* data, std::size_t size,
                                 std::string& text, std::size_t capacity, ColumnOrder order) {
    if (!order) {
        WalkData(*this, size, [&](int, const TRecFieldTypeDscr& field, std::size_t offset) {
            AppendFieldText(form, field, data + offset, text, capacity);
        });
        return;
    }
    if (order->empty() || order->size() > kColumnOrderMax)
        return;
    // Each named field renders into the slot of the first position that names it.
    std::array<std::string, kColumnOrderMax> slots;
    WalkData(*this, size, [&](int index, const TRecFieldTypeDscr& field, std::size_t offset) {
        const std::size_t number = static_cast<std::size_t>(index) + 1;
        for (std::size_t pos = 0; pos < order->size(); ++pos) {
            if (static_cast<std::uint8_t>((*order)[pos]) != number)
                continue;
            AppendFieldText(form, field, data + offset, slots[pos], kColumnSlotMax);
            return;
        }
    });
    for (std::size_t pos = 0; pos < order->size(); ++pos)
        AppendCapped(text, capacity, slots[pos]);
}

std::size_t TRecordTypeDscr::GetLineAStr(std::uint8_t* data, std::size_t size, std::string& text,
                                         std::size_t capacity, ColumnOrder order) {
    text.clear();
    AppendText(FieldTextForm::Line, data, size, text, capacity, order);
    return text.size();
}

std::size_t TRecordTypeDscr::GetCWinAStr(std::uint8_t* data, std::size_t size, std::string& text,
                                         std::size_t capacity) {
    text.clear();
    AppendText(FieldTextForm::CWin, data, size, text, capacity);
    return text.size();
}

std::size_t TRecordTypeDscr::GetCSV_AStr(std::uint8_t* data, std::size_t size, std::string& text,
                                         std::size_t capacity) {
    text.clear();
    AppendText(FieldTextForm::CSV, data, size, text, capacity);
    return text.size();
}

std::size_t TRecordTypeDscr::GetJoinAStr(std::uint8_t* data, std::size_t size, std::string& text,
                                         std::size_t capacity, ColumnOrder order) {
    text.clear();
    AppendText(FieldTextForm::Join, data, size, text, capacity, order);
    return text.size();
}

void TRecordTypeDscr::PutDataToTrBuff(const std::uint8_t* data, std::size_t size,
                                      std::uint8_t* buffer, std::size_t bufferSize) {
    WalkFields(
        *this, size, bufferSize,
        [&](int, const TRecFieldTypeDscr& field, std::size_t offset, std::size_t bufferOffset) {
            field.PutDataToTrBuff(data + offset, buffer + bufferOffset);
        });
}

void TRecordTypeDscr::GetDataFromTrBuff(std::uint8_t* data, std::size_t size,
                                        const std::uint8_t* buffer, std::size_t bufferSize,
                                        bool& modified) {
    WalkFields(
        *this, size, bufferSize,
        [&](int, const TRecFieldTypeDscr& field, std::size_t offset, std::size_t bufferOffset) {
            field.GetDataFromTrBuff(data + offset, buffer + bufferOffset, modified);
        });
}

void TRecordTypeDscr::FreeTrBuffRec(std::uint8_t* buffer, std::size_t bufferSize) {
    // Only the transfer offsets matter; the record bound is lifted.
    WalkFields(*this, std::numeric_limits<std::size_t>::max() / 2, bufferSize,
               [&](int, const TRecFieldTypeDscr& field, std::size_t, std::size_t bufferOffset) {
                   field.FreeTrBuffRec(buffer + bufferOffset);
               });
}

void TRecordTypeDscr::RecordEvent(TDscrRecObj& record, int event) {
    if (const auto* evaluators = dynamic_cast<const TSemEvalColl*>(EventEvaluators.get())) {
        for (const std::int16_t semId : evaluators->EvaluatorIds())
            record.RunRecSemantics(semId, event);
    }
    for (int i = 0; i < Count(); ++i) {
        const TRecFieldTypeDscr* field = Field(i);
        if (field == nullptr)
            continue;
        // Nested records hear the event with the record object itself.
        if (const auto* nested = dynamic_cast<const NestedRecordEvents*>(field)) {
            nested->NestedRecordEvent(record, event);
            continue;
        }
        field->RecordEvent(record.DBRecord(), event);
    }
}

void TRecordTypeDscr::RunRecSemantics(TDscrRecObj& record, std::int16_t semId, int event,
                                      std::uint8_t* data, std::size_t size) {
    TSemManColl* manager = AppSemanticsManager();
    if (manager == nullptr || data == nullptr || size == 0)
        return;
    const CurrentRecordScope scope(*manager, semId, record);
    // The record evaluators run over no field, so they get no data.
    const auto* recEvaluators = dynamic_cast<const TSemEvalColl*>(RecEvaluators.get());
    if (recEvaluators != nullptr)
        recEvaluators->RunAllEvaluators(semId, kSemPhaseRecBefore, {}, event);
    RunFieldsSemantics(semId, event, data, size);
    if (recEvaluators != nullptr)
        recEvaluators->RunAllEvaluators(semId, kSemPhaseRecAfter, {}, event);
}

void TRecordTypeDscr::RunFieldsSemantics(std::int16_t semId, int event, std::uint8_t* data,
                                         std::size_t size) {
    WalkData(*this, size, [&](int, const TRecFieldTypeDscr& field, std::size_t offset) {
        field.RunFieldSemantics(semId, event, SemData(data + offset, field.GetFieldSize()));
    });
}

void TRecordTypeDscr::CheckDBPtrs(TDBColl* databases, std::uint8_t* data, std::size_t size,
                                  int& status) {
    WalkData(*this, size, [&](int, const TRecFieldTypeDscr& field, std::size_t offset) {
        field.CheckDBPtr(databases, data + offset, status);
    });
}

void TRecordTypeDscr::LinkDBPtrs(TDataBase* database, TDBRecordObj* record, std::uint8_t* data,
                                 std::size_t size) {
    WalkData(*this, size, [&](int, const TRecFieldTypeDscr& field, std::size_t offset) {
        field.LinkDBPtr(database, record, data + offset);
    });
}

void TRecordTypeDscr::EnsureDBPtrs(TDataBase* database, TDBRecordObj* record, std::uint8_t* data,
                                   std::size_t size) {
    WalkData(*this, size, [&](int, const TRecFieldTypeDscr& field, std::size_t offset) {
        field.EnsureDBPtr(database, record, data + offset);
    });
}

void TRecTypesDscrColl::SaveToStream(TrbObjStream& stream) const {
    for (int i = 0; i < Count(); ++i) {
        if (TRecordTypeDscr* type = RecordTypeAt(i)) {
            type->GetRecSize();
            type->GetTrBuffSize();
        }
    }
    TrbCollection::SaveToStream(stream);
}

std::string TRecTypesDscrColl::RecomputeSizes() const {
    struct Stored {
        std::uint16_t rec;
        std::uint16_t trBuff;
    };
    // All caches go first: a type's size may take the size of a type stored after it.
    std::vector<Stored> stored(static_cast<std::size_t>(Count()), Stored{0, 0});
    for (int i = 0; i < Count(); ++i) {
        if (TRecordTypeDscr* type = RecordTypeAt(i)) {
            stored[static_cast<std::size_t>(i)] = {type->RecSize, type->TrBuffSize};
            type->RecSize = 0;
            type->TrBuffSize = 0;
        }
    }
    std::string failure;
    for (int i = 0; i < Count(); ++i) {
        TRecordTypeDscr* type = RecordTypeAt(i);
        if (type == nullptr)
            continue;
        const Stored was = stored[static_cast<std::size_t>(i)];
        const std::uint16_t rec = type->GetRecSize();
        const std::uint16_t trBuff = type->GetTrBuffSize();
        const bool recWrong = was.rec != 0 && was.rec != rec;
        if (failure.empty() && (recWrong || (was.trBuff != 0 && was.trBuff != trBuff)))
            failure = "record type " + type->RecTypeName + ": stored " +
                      (recWrong ? "record size " + std::to_string(was.rec)
                                : "transfer size " + std::to_string(was.trBuff)) +
                      ", its fields take " + std::to_string(recWrong ? rec : trBuff);
    }
    return failure;
}

TRecordTypeDscr* TRecTypesDscrColl::RecordTypeAt(int index) const {
    return dynamic_cast<TRecordTypeDscr*>(At(index));
}

TRecordTypeDscr* TRecTypesDscrColl::GetRecordTypeDscr(std::string_view name,
                                                      std::int16_t& index) const {
    if (index >= 0 && index < Count())
        return RecordTypeAt(index);
    for (int i = 0; i < Count(); ++i) {
        TRecordTypeDscr* type = RecordTypeAt(i);
        if (type != nullptr && SameTextAscii(type->RecTypeName, name)) {
            index = static_cast<std::int16_t>(i);
            return type;
        }
    }
    return nullptr;
}

bool TRecTypesDscrColl::GetDscrRecAttrSetOK(std::string_view name, std::int16_t index,
                                            std::uint8_t& attributes) const {
    const TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    if (type == nullptr)
        return false;
    attributes = type->RecAttrs;
    return true;
}

std::uint16_t TRecTypesDscrColl::GetDscrRecTypeSize(std::string_view name,
                                                    std::int16_t index) const {
    TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    return type == nullptr ? 0 : type->GetRecSize();
}

void TRecTypesDscrColl::InitDscrRecordValues(std::string_view name, std::int16_t index,
                                             std::uint8_t* buffer) const {
    if (TRecordTypeDscr* type = GetRecordTypeDscr(name, index))
        type->InitRecordValues(buffer, type->GetRecSize());
}

std::size_t TRecTypesDscrColl::GetDscrRecLineAStr(std::string_view name, std::int16_t index,
                                                  ColumnOrder order, std::size_t capacity,
                                                  std::string& text, std::uint8_t* data) const {
    text.clear();
    TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    return type == nullptr ? 0 : type->GetLineAStr(data, type->GetRecSize(), text, capacity, order);
}

std::size_t TRecTypesDscrColl::GetDscrRecJoinAStr(std::string_view name, std::int16_t index,
                                                  ColumnOrder order, std::size_t capacity,
                                                  std::string& text, std::uint8_t* data) const {
    text.clear();
    TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    return type == nullptr ? 0 : type->GetJoinAStr(data, type->GetRecSize(), text, capacity, order);
}

std::size_t TRecTypesDscrColl::GetDscrRecCWinAStr(std::string_view name, std::int16_t index,
                                                  std::size_t capacity, std::string& text,
                                                  std::uint8_t* data) const {
    text.clear();
    TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    return type == nullptr ? 0 : type->GetCWinAStr(data, type->GetRecSize(), text, capacity);
}

std::size_t TRecTypesDscrColl::GetDscrRecCSV_AStr(std::string_view name, std::int16_t index,
                                                  std::size_t capacity, std::string& text,
                                                  std::uint8_t* data) const {
    text.clear();
    TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    return type == nullptr ? 0 : type->GetCSV_AStr(data, type->GetRecSize(), text, capacity);
}

std::uint16_t TRecTypesDscrColl::GetDscrRecordTrBuffSize(std::string_view name,
                                                         std::int16_t index) const {
    TRecordTypeDscr* type = GetRecordTypeDscr(name, index);
    return type == nullptr ? 0 : type->GetTrBuffSize();
}

void TRecTypesDscrColl::PutDscrDataToTrBuff(std::string_view name, std::int16_t index,
                                            std::uint8_t* buffer, const std::uint8_t* data) const {
    if (TRecordTypeDscr* type = GetRecordTypeDscr(name, index))
        type->PutDataToTrBuff(data, type->GetRecSize(), buffer, type->GetTrBuffSize());
}

void TRecTypesDscrColl::GetDscrDataFromTrBuff(std::string_view name, std::int16_t index,
                                              bool& modified, const std::uint8_t* buffer,
                                              std::uint8_t* data) const {
    if (TRecordTypeDscr* type = GetRecordTypeDscr(name, index))
        type->GetDataFromTrBuff(data, type->GetRecSize(), buffer, type->GetTrBuffSize(), modified);
}

void TRecTypesDscrColl::FreeDscrAllTrBuffRec(std::string_view name, std::int16_t index,
                                             std::uint8_t* buffer) const {
    if (TRecordTypeDscr* type = GetRecordTypeDscr(name, index))
        type->FreeTrBuffRec(buffer, type->GetTrBuffSize());
}

TRecordTypeDscr* AppRecordType(std::string_view name, std::int16_t& index) {
    const TAppData* app = EnvCtx().app.AppData.get();
    if (app == nullptr || app->RecTypesDscrColl == nullptr)
        return nullptr;
    return app->RecTypesDscrColl->GetRecordTypeDscr(name, index);
}

TRecordTypeDscr* AppRecordTypeAt(std::int16_t index) {
    const TAppData* app = EnvCtx().app.AppData.get();
    if (app == nullptr || app->RecTypesDscrColl == nullptr)
        return nullptr;
    return app->RecTypesDscrColl->RecordTypeAt(index);
}

std::optional<std::uint16_t> AppRecordTypeSize(std::int16_t index) {
    TRecordTypeDscr* type = AppRecordTypeAt(index);
    if (type == nullptr)
        return std::nullopt;
    return type->GetRecSize();
}

void RegisterRecordTypeClasses() {
    RegisterClass<TRecordTypeDscr>();
    RegisterClass<TRecTypesDscrColl>();
    RegisterClass<TDscrRecObj>();
    RegisterClass<TCompoundTDscr>();
    RegisterClass<TAbstractCaseTypeDscr>();
    RegisterClass<TByteCaseTypeDscr>();
    RegisterClass<TCaseTDscr>();
    RegisterClass<TByteCaseTDscr>();
}

} // namespace panolcd
