#include "framework/records/setfields.h"

#include "common/littleendian.h"
#include "framework/persistence/objstream.h"

#include <algorithm>
#include <cstring>

namespace panolcd {

void TEnumSetFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(Kind);
    stream.WriteNum<std::uint32_t>(Param);
    stream.WriteBytes(DefaultSet.data(), DefaultSet.size());
}

void TEnumSetFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Kind = stream.ReadNum<std::uint8_t>();
    Param = stream.ReadNum<std::uint32_t>();
    stream.ReadBytes(DefaultSet.data(), DefaultSet.size());
}

std::uint16_t TEnumSetFieldDscr::GetFieldSize() const {
    return std::min(FieldSize, kMaxSetBytes);
}

void TEnumSetFieldDscr::InitFieldValue(std::uint8_t* data) const {
    std::memcpy(data, DefaultSet.data(), GetFieldSize());
}

std::uint16_t TEnumSetFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : static_cast<std::uint16_t>(5 + GetFieldSize());
}

void TEnumSetFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    buffer[0] = Kind;
    WriteLE<std::uint32_t>(buffer + 1, Param);
    std::memcpy(buffer + 5, data, GetFieldSize());
}

void TEnumSetFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer + 5, GetFieldSize(), modified);
}

} // namespace panolcd
