#include "framework/records/recordobject.h"

#include "common/format.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/fieldtext.h"

#include <algorithm>
#include <cstring>

namespace panolcd {
namespace {

// Releases a transfer buffer's field resources however the dialog ends.
class TrBuffRelease {
public:
    TrBuffRelease(TRecordTypeDscr& type, std::vector<std::uint8_t>& buffer)
        : type_(type), buffer_(buffer) {}
    ~TrBuffRelease() { type_.FreeTrBuffRec(buffer_.data(), buffer_.size()); }
    TrBuffRelease(const TrBuffRelease&) = delete;
    TrBuffRelease& operator=(const TrBuffRelease&) = delete;

private:
    TRecordTypeDscr& type_;
    std::vector<std::uint8_t>& buffer_;
};

} // namespace

void TDscrRecObj::InitDefaults() {
    RecTypeIx = -1;
    Modified = true;
}

void TDscrRecObj::SaveToStream(TrbObjStream& stream) const {
    stream.WriteStr(RecTypeName);
    stream.WriteNum<std::int16_t>(RecTypeIx);
    stream.WriteNum<std::uint16_t>(DataSize());
    stream.WriteBytes(RecData.data(), RecData.size());
    Modified = false;
}

void TDscrRecObj::LoadFromStream(TrbObjStream& stream) {
    RecTypeName = stream.ReadStr();
    RecTypeIx = stream.ReadNum<std::int16_t>();
    const std::uint16_t size = stream.ReadNum<std::uint16_t>();
    stream.RequireRemaining(size);
    // The bytes are read before the record type is looked for: a record of an unknown type keeps
    // them untyped, the stream stays in step and a save writes them back unchanged.
    RecData.assign(size, 0);
    stream.ReadBytes(RecData.data(), size);
    recType_ = nullptr;
    TRecordTypeDscr* type = FindRecType();
    if (type == nullptr) {
        ReportInternalError("# TDscrRecObj.Load: RecTypeDscr=nil");
        return;
    }
    if (RecData.empty())
        MakeDefaultBlock(*type);
    else
        FitDataToRecType(*type, "Load");
    Modified = false;
    RecordEvent(kRecEventStore);
}

void TDscrRecObj::Assign(const TrbStreamable& source) {
    if (const auto* record = dynamic_cast<const TDscrRecObj*>(&source)) {
        record->AssignTo(*this);
        return;
    }
    TrbStreamable::Assign(source);
}

bool TDscrRecObj::TakesFrom(const TrbStreamable& source) const {
    return dynamic_cast<const TDscrRecObj*>(&source) != nullptr;
}

void TDscrRecObj::AssignTo(TrbStreamable& target) const {
    if (&target == this)
        return;
    auto* record = dynamic_cast<TDscrRecObj*>(&target);
    if (record == nullptr || !record->TakesFrom(*this))
        throw Exception(Format("Cannot assign a %s to a %s", {ClassName(), target.ClassName()}));
    if (!HasData()) {
        ReportInternalError("TDscrRecObj.AssignTo DscrRecPtr=nil Err");
        return;
    }
    if (RecTypeIx == record->RecTypeIx) {
        if (record->RecData.size() != RecData.size()) {
            ReportInternalError("TDscrRecObj.AssignTo DscrRecSize<> Err");
            return;
        }
        if (record->RecData != RecData) {
            record->RecData = RecData;
            record->Modified = true;
        }
        return;
    }
    const bool sameBlock = record->RecData == RecData;
    record->RecTypeIx = RecTypeIx;
    record->recType_ = recType_;
    if (record->RecTypeName != RecTypeName)
        record->RecTypeName = RecTypeName;
    record->RecData = RecData;
    if (!sameBlock)
        record->Modified = true;
}

void TDscrRecObj::Create(std::string_view name, std::int16_t index) {
    RecTypeName = std::string(name);
    RecTypeIx = index;
    recType_ = nullptr;
    RecData.clear();
    Modified = true;
    TRecordTypeDscr* type = FindRecType();
    if (type == nullptr) {
        ReportInternalError("# TDscrRecObj.RunCreate: RecTypeDscr=nil");
        return;
    }
    MakeDefaultBlock(*type);
    RecordEvent(kRecEventStore);
}

void TDscrRecObj::CreateFromData(std::string_view name, std::int16_t index,
                                 const std::uint8_t* source, std::size_t size, bool& failed) {
    RecTypeName = std::string(name);
    RecTypeIx = index;
    recType_ = nullptr;
    RecData.clear();
    Modified = true;
    failed = false;
    TRecordTypeDscr* type = FindRecType();
    if (type == nullptr)
        ReportInternalError("# TDscrRecObj.RunCreate: RecTypeDscr=nil");
    const std::uint16_t recSize = type == nullptr ? 0 : type->GetRecSize();
    if (source != nullptr && size != 0 && recSize != 0) {
        if (size < recSize) {
            MakeDefaultBlock(*type);
            RecordEvent(kRecEventStore);
            std::memcpy(RecData.data(), source, size);
        } else {
            RecData.assign(source, source + recSize);
        }
        return;
    }
    failed = true;
    if (source == nullptr)
        ReportInternalError("RecPtr=nil");
    else if (recSize < size)
        ReportInternalError("DscrRecSize < RecSize $" + HexDigits(recSize, 4) + "< $" +
                            HexDigits(size, 4));
    else if (size < recSize)
        ReportInternalError("DscrRecSize > RecSize $" + HexDigits(recSize, 4) + "> $" +
                            HexDigits(size, 4));
}

TRecordTypeDscr* TDscrRecObj::FindRecType() {
    if (recType_ != nullptr)
        return recType_;
    std::int16_t index = RecTypeIx;
    recType_ = AppRecordType(CutTo(RecTypeName, static_cast<int>(kRecTypeNameMax)), index);
    if (recType_ != nullptr)
        RecTypeIx = index;
    return recType_;
}

TRecordTypeDscr* TDscrRecObj::ResolveRecType() {
    if (recType_ != nullptr)
        return recType_;
    TRecordTypeDscr* type = FindRecType();
    // Bytes kept while the type was unknown are brought to its size before anyone walks them.
    if (type != nullptr && HasData())
        FitDataToRecType(*type, "ResolveRecType");
    return type;
}

std::int16_t TDscrRecObj::GetRecTypeIx() {
    ResolveRecType();
    return RecTypeIx;
}

TRecordTypeDscr* TDscrRecObj::TypedData() {
    TRecordTypeDscr* type = ResolveRecType();
    if (type == nullptr || !HasData() || RecData.size() != type->GetRecSize())
        return nullptr;
    return type;
}

void TDscrRecObj::MakeDefaultBlock(TRecordTypeDscr& type) {
    const std::uint16_t size = type.GetRecSize();
    RecData.assign(size, 0);
    type.InitRecordValues(RecData.data(), RecData.size());
}

void TDscrRecObj::FitDataToRecType(TRecordTypeDscr& type, std::string_view where) {
    const std::uint16_t size = type.GetRecSize();
    if (RecData.size() == size)
        return;
    ReportInternalError("# TDscrRecObj." + std::string(where) + ": DataSize $" +
                        HexDigits(RecData.size(), 4) + "<> RecSize $" + HexDigits(size, 4));
    std::vector<std::uint8_t> source = std::move(RecData);
    RecData.assign(size, 0);
    if (source.size() < size)
        type.InitRecordValues(RecData.data(), RecData.size());
    std::memcpy(RecData.data(), source.data(), std::min<std::size_t>(source.size(), size));
}

void TDscrRecObj::InitRecValues() {
    TRecordTypeDscr* type = ResolveRecType();
    if (type == nullptr)
        return;
    MakeDefaultBlock(*type);
    RecordEvent(kRecEventStore);
}

bool TDscrRecObj::TestRecAttr(int bit) {
    if (bit < 0 || bit > 7)
        return false;
    const TRecordTypeDscr* type = ResolveRecType();
    return type != nullptr && ((type->RecAttrs >> bit) & 1) != 0;
}

std::size_t TDscrRecObj::GetLineAStr(std::string& text, std::size_t capacity, ColumnOrder order) {
    text.clear();
    TRecordTypeDscr* type = TypedData();
    return type == nullptr
               ? 0
               : type->GetLineAStr(RecData.data(), RecData.size(), text, capacity, order);
}

std::size_t TDscrRecObj::GetCWinAStr(std::string& text, std::size_t capacity) {
    text.clear();
    TRecordTypeDscr* type = TypedData();
    return type == nullptr ? 0 : type->GetCWinAStr(RecData.data(), RecData.size(), text, capacity);
}

std::size_t TDscrRecObj::GetCSV_AStr(std::string& text, std::size_t capacity) {
    text.clear();
    TRecordTypeDscr* type = TypedData();
    return type == nullptr ? 0 : type->GetCSV_AStr(RecData.data(), RecData.size(), text, capacity);
}

std::size_t TDscrRecObj::GetJoinAStr(std::string& text, std::size_t capacity, ColumnOrder order) {
    text.clear();
    TRecordTypeDscr* type = TypedData();
    return type == nullptr
               ? 0
               : type->GetJoinAStr(RecData.data(), RecData.size(), text, capacity, order);
}

std::uint16_t TDscrRecObj::GetTrBuffSize() {
    TRecordTypeDscr* type = ResolveRecType();
    return type == nullptr ? 0 : type->GetTrBuffSize();
}

void TDscrRecObj::PutDataToTrBuff(std::uint8_t* buffer) {
    if (TRecordTypeDscr* type = TypedData())
        type->PutDataToTrBuff(RecData.data(), RecData.size(), buffer, type->GetTrBuffSize());
}

void TDscrRecObj::GetDataFromTrBuff(const std::uint8_t* buffer) {
    TRecordTypeDscr* type = TypedData();
    if (type == nullptr)
        return;
    bool changed = false;
    type->GetDataFromTrBuff(RecData.data(), RecData.size(), buffer, type->GetTrBuffSize(), changed);
    if (changed)
        Modified = true;
}

void TDscrRecObj::FreeTrBuffRec(std::uint8_t* buffer) {
    if (TRecordTypeDscr* type = ResolveRecType())
        type->FreeTrBuffRec(buffer, type->GetTrBuffSize());
}

std::string TDscrRecObj::EditFormName() {
    const TRecordTypeDscr* type = ResolveRecType();
    return type == nullptr ? std::string() : type->EditFormName;
}

DialogResult TDscrRecObj::EditRecord() {
    TRecordTypeDscr* type = TypedData();
    if (type == nullptr)
        return DialogResult::None;
    std::vector<std::uint8_t> buffer(type->GetTrBuffSize(), 0);
    const TrBuffRelease release(*type, buffer);
    type->PutDataToTrBuff(RecData.data(), RecData.size(), buffer.data(), buffer.size());
    const DialogResult result =
        EnvCtx().dialogs->RunDialog(type->EditFormName, buffer.data(), buffer.size());
    if (result == DialogResult::Ok)
        GetDataFromTrBuff(buffer.data());
    return result;
}

void TDscrRecObj::RunRecSemantics(std::int16_t semId, int event) {
    if (TRecordTypeDscr* type = TypedData())
        type->RunRecSemantics(*this, semId, event, RecData.data(), RecData.size());
}

void TDscrRecObj::RecordEvent(int event) {
    if (TRecordTypeDscr* type = TypedData())
        type->RecordEvent(*this, event);
}

} // namespace panolcd
