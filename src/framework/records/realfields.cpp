#include "framework/records/realfields.h"

#include "common/littleendian.h"
#include "framework/persistence/objstream.h"

namespace panolcd {

void TRealpRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 8;
}

void TRealpRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<double>(Default);
    stream.WriteNum<std::uint8_t>(Decimals);
}

void TRealpRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<double>();
    Decimals = stream.ReadNum<std::uint8_t>();
}

void TRealpRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    WriteLE<double>(data, Default);
}

std::uint16_t TRealpRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 8;
}

void TRealpRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    WriteLE<double>(buffer, ReadLE<double>(data));
}

void TRealpRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                           bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, 8, modified);
}

std::string TRealpRecFieldDscr::ValueText(std::uint8_t* data,
                                          const FieldTextContext& context) const {
    return RealText(ReadLE<double>(data), Decimals, context);
}

void TRealpLimRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRealpRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<double>(Min);
    stream.WriteNum<double>(Max);
}

void TRealpLimRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRealpRecFieldDscr::LoadFromStream(stream);
    Min = stream.ReadNum<double>();
    Max = stream.ReadNum<double>();
}

std::uint16_t TRealpLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 25;
}

void TRealpLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    WriteLE<double>(buffer, ReadLE<double>(data));
    WriteLE<double>(buffer + 8, Min);
    WriteLE<double>(buffer + 16, Max);
    buffer[24] = Decimals;
}

void TRealpLimRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                              bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    const double edited = ReadLE<double>(buffer);
    if (edited == ReadLE<double>(data))
        return;
    WriteLE<double>(data, edited);
    modified = true;
}

} // namespace panolcd
