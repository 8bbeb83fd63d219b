#include "framework/records/intfields.h"

#include "common/littleendian.h"
#include "framework/persistence/objstream.h"
#include "framework/records/datetime.h"

#include <algorithm>

namespace panolcd {
namespace {

// Writes transfer-slot items one after another.
class SlotWriter {
public:
    explicit SlotWriter(std::uint8_t* buffer) : p_(buffer) {}
    template <class T> SlotWriter& Put(T value) {
        WriteLE(p_, value);
        p_ += sizeof(T);
        return *this;
    }

private:
    std::uint8_t* p_;
};

constexpr double kScale[] = {1.0, 10.0, 100.0, 1000.0};

} // namespace

// --- 8 bit ------------------------------------------------------------------------------------

void TByteRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 1;
}

void TByteRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(Default);
}

void TByteRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<std::uint8_t>();
}

void TByteRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    data[0] = Default;
}

std::uint16_t TByteRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 1;
}

void TByteRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    buffer[0] = data[0];
}

void TByteRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, 1, modified);
}

std::string TByteRecFieldDscr::ValueText(std::uint8_t* data,
                                         const FieldTextContext& context) const {
    return IntegerText(data[0], data[0], 2, context);
}

void TByteLimRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TByteRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(Min);
    stream.WriteNum<std::uint8_t>(Max);
}

void TByteLimRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TByteRecFieldDscr::LoadFromStream(stream);
    Min = stream.ReadNum<std::uint8_t>();
    Max = stream.ReadNum<std::uint8_t>();
}

std::uint16_t TByteLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 3;
}

void TByteLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(data[0]).Put(Min).Put(Max);
}

// --- 16 bit unsigned --------------------------------------------------------------------------

void TWordRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 2;
}

void TWordRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::uint16_t>(Default);
}

void TWordRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<std::uint16_t>();
}

void TWordRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    WriteLE<std::uint16_t>(data, Default);
}

std::uint16_t TWordRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 2;
}

void TWordRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ReadLE<std::uint16_t>(data));
}

void TWordRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, 2, modified);
}

std::string TWordRecFieldDscr::ValueText(std::uint8_t* data,
                                         const FieldTextContext& context) const {
    const std::uint16_t value = ReadLE<std::uint16_t>(data);
    return IntegerText(value, value, 4, context);
}

void TSpecWordRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TWordRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueKind);
    stream.WriteNum<std::uint8_t>(Decimals);
}

void TSpecWordRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TWordRecFieldDscr::LoadFromStream(stream);
    ValueKind = stream.ReadNum<std::uint8_t>();
    Decimals = stream.ReadNum<std::uint8_t>();
}

std::string TSpecWordRecFieldDscr::ValueText(std::uint8_t* data,
                                             const FieldTextContext& context) const {
    const std::uint16_t value = ReadLE<std::uint16_t>(data);
    if (ValueKind == 1)
        return Aligned(TimeText(value), context);
    if (ValueKind >= 2 && ValueKind <= 4)
        return RealText(value / kScale[ValueKind - 1], Decimals, context);
    return TWordRecFieldDscr::ValueText(data, context);
}

void TWordLimRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TWordRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint16_t>(Min);
    stream.WriteNum<std::uint16_t>(Max);
}

void TWordLimRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TWordRecFieldDscr::LoadFromStream(stream);
    Min = stream.ReadNum<std::uint16_t>();
    Max = stream.ReadNum<std::uint16_t>();
}

std::uint16_t TWordLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 6;
}

void TWordLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ReadLE<std::uint16_t>(data)).Put(Min).Put(Max);
}

void TWordOffsRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TWordRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint16_t>(Offset);
}

void TWordOffsRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TWordRecFieldDscr::LoadFromStream(stream);
    Offset = stream.ReadNum<std::uint16_t>();
}

void TWordOffsRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    const std::uint16_t value = ReadLE<std::uint16_t>(data);
    SlotWriter(buffer).Put<std::uint16_t>(value < Offset ? 0 : value - Offset);
}

void TWordOffsRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                              bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    // A sum beyond 65535 stays at 65535 rather than wrapping to a small value.
    const unsigned sum = unsigned{ReadLE<std::uint16_t>(buffer)} + Offset;
    std::uint8_t stored[2];
    WriteLE<std::uint16_t>(stored, static_cast<std::uint16_t>(std::min(sum, 0xFFFFu)));
    CopyBackToRecord(data, stored, 2, modified);
}

std::string TWordOffsRecFieldDscr::ValueText(std::uint8_t* data,
                                             const FieldTextContext& context) const {
    const std::uint16_t value = ReadLE<std::uint16_t>(data);
    if (value < Offset)
        return Aligned("?", context);
    const std::uint16_t shown = value - Offset;
    return IntegerText(shown, shown, 4, context);
}

// --- 16 bit signed ----------------------------------------------------------------------------

void TSmallIntRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 2;
}

void TSmallIntRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(Default);
}

void TSmallIntRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<std::int16_t>();
}

void TSmallIntRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    WriteLE<std::int16_t>(data, Default);
}

std::uint16_t TSmallIntRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 2;
}

void TSmallIntRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ReadLE<std::int16_t>(data));
}

void TSmallIntRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                              bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, 2, modified);
}

std::string TSmallIntRecFieldDscr::ValueText(std::uint8_t* data,
                                             const FieldTextContext& context) const {
    return IntegerText(ReadLE<std::int16_t>(data), ReadLE<std::uint16_t>(data), 4, context);
}

void TSmallIntLimRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TSmallIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(Min);
    stream.WriteNum<std::int16_t>(Max);
}

void TSmallIntLimRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TSmallIntRecFieldDscr::LoadFromStream(stream);
    Min = stream.ReadNum<std::int16_t>();
    Max = stream.ReadNum<std::int16_t>();
}

std::uint16_t TSmallIntLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 6;
}

void TSmallIntLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data,
                                               std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ReadLE<std::int16_t>(data)).Put(Min).Put(Max);
}

void TSpecSmallIntRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TSmallIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueKind);
    stream.WriteNum<std::uint8_t>(Decimals);
}

void TSpecSmallIntRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TSmallIntRecFieldDscr::LoadFromStream(stream);
    ValueKind = stream.ReadNum<std::uint8_t>();
    Decimals = stream.ReadNum<std::uint8_t>();
}

std::string TSpecSmallIntRecFieldDscr::ValueText(std::uint8_t* data,
                                                 const FieldTextContext& context) const {
    if (ValueKind >= 1 && ValueKind <= 3)
        return RealText(ReadLE<std::int16_t>(data) / kScale[ValueKind], Decimals, context);
    return TSmallIntRecFieldDscr::ValueText(data, context);
}

void TSpecSmallIntLimRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TSpecSmallIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(Min);
    stream.WriteNum<std::int16_t>(Max);
}

void TSpecSmallIntLimRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TSpecSmallIntRecFieldDscr::LoadFromStream(stream);
    Min = stream.ReadNum<std::int16_t>();
    Max = stream.ReadNum<std::int16_t>();
}

std::uint16_t TSpecSmallIntLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 8;
}

void TSpecSmallIntLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data,
                                                   std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer)
        .Put(ReadLE<std::int16_t>(data))
        .Put(Min)
        .Put(Max)
        .Put(ValueKind)
        .Put(Decimals);
}

// --- 32 bit -----------------------------------------------------------------------------------

void TIntegerRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 4;
}

void TIntegerRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::int32_t>(Default);
}

void TIntegerRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<std::int32_t>();
}

void TIntegerRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    WriteLE<std::int32_t>(data, Default);
}

std::uint16_t TIntegerRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 4;
}

void TIntegerRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ReadLE<std::int32_t>(data));
}

void TIntegerRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                             bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, 4, modified);
}

std::string TIntegerRecFieldDscr::ValueText(std::uint8_t* data,
                                            const FieldTextContext& context) const {
    return IntegerText(ReadLE<std::int32_t>(data), ReadLE<std::uint32_t>(data), 8, context);
}

void TSpecLIntRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TLIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueKind);
    stream.WriteNum<std::uint8_t>(Decimals);
}

void TSpecLIntRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TLIntRecFieldDscr::LoadFromStream(stream);
    ValueKind = stream.ReadNum<std::uint8_t>();
    Decimals = stream.ReadNum<std::uint8_t>();
}

std::string TSpecLIntRecFieldDscr::ValueText(std::uint8_t* data,
                                             const FieldTextContext& context) const {
    if (ValueKind >= 1 && ValueKind <= 3)
        return RealText(ReadLE<std::int32_t>(data) / kScale[ValueKind], Decimals, context);
    return TLIntRecFieldDscr::ValueText(data, context);
}

void TLIntLimRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TLIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::int32_t>(Min);
    stream.WriteNum<std::int32_t>(Max);
}

void TLIntLimRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TLIntRecFieldDscr::LoadFromStream(stream);
    Min = stream.ReadNum<std::int32_t>();
    Max = stream.ReadNum<std::int32_t>();
}

std::uint16_t TLIntLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 12;
}

void TLIntLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ReadLE<std::int32_t>(data)).Put(Min).Put(Max);
}

void TDWordRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TLIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueKind);
}

void TDWordRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TLIntRecFieldDscr::LoadFromStream(stream);
    ValueKind = stream.ReadNum<std::uint8_t>();
}

std::string TDWordRecFieldDscr::ValueText(std::uint8_t* data,
                                          const FieldTextContext& context) const {
    const std::uint32_t value = ReadLE<std::uint32_t>(data);
    switch (ValueKind) {
    case 1:
        return Aligned(DosDateTimeText(value), context);
    case 2:
        return Aligned(ZetTimeText(value), context);
    case 3:
        return Aligned(TimeText(value), context);
    default:
        return TLIntRecFieldDscr::ValueText(data, context);
    }
}

} // namespace panolcd
