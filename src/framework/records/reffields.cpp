#include "framework/records/reffields.h"

#include "common/littleendian.h"
#include "common/shortstring.h"
#include "framework/persistence/objstream.h"

namespace panolcd {
namespace {

template <std::size_t N>
void SaveParams(TrbObjStream& stream, const std::array<std::uint16_t, N>& params) {
    for (const std::uint16_t p : params)
        stream.WriteNum<std::uint16_t>(p);
}

template <std::size_t N>
void LoadParams(TrbObjStream& stream, std::array<std::uint16_t, N>& params) {
    for (std::uint16_t& p : params)
        p = stream.ReadNum<std::uint16_t>();
}

template <std::size_t N>
std::uint8_t* PutParams(std::uint8_t* buffer, const std::array<std::uint16_t, N>& params) {
    for (const std::uint16_t p : params) {
        WriteLE<std::uint16_t>(buffer, p);
        buffer += 2;
    }
    return buffer;
}

constexpr std::uint32_t kNoRecordHandle = 0;

} // namespace

void TRefPStr_FieldDscr::SaveToStream(TrbObjStream& stream) const {
    TDBStringFieldDscr::SaveToStream(stream);
    SaveParams(stream, LookupParams);
}

void TRefPStr_FieldDscr::LoadFromStream(TrbObjStream& stream) {
    TDBStringFieldDscr::LoadFromStream(stream);
    LoadParams(stream, LookupParams);
}

std::uint16_t TRefPStr_FieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 94;
}

void TRefPStr_FieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    StoreShortString(buffer, kSlotTextCapacity, LoadShortString(data, TextCapacity()));
    std::uint8_t* p = PutParams(buffer + kSlotTextCapacity + 1, LookupParams);
    WriteLE<std::uint32_t>(p, kNoRecordHandle);
}

void TRefPStr_FieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                           bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    const std::string edited =
        CutShortString(LoadShortString(buffer, kSlotTextCapacity), TextCapacity());
    if (LoadShortString(data, TextCapacity()) == edited && data[0] <= TextCapacity())
        return;
    StoreShortString(data, TextCapacity(), edited);
    modified = true;
}

void TRefByte_FieldDscr::SaveToStream(TrbObjStream& stream) const {
    TByteRecFieldDscr::SaveToStream(stream);
    SaveParams(stream, LookupParams);
}

void TRefByte_FieldDscr::LoadFromStream(TrbObjStream& stream) {
    TByteRecFieldDscr::LoadFromStream(stream);
    LoadParams(stream, LookupParams);
}

std::uint16_t TRefByte_FieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 15;
}

void TRefByte_FieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    buffer[0] = data[0];
    std::uint8_t* p = PutParams(buffer + 1, LookupParams);
    WriteLE<std::uint32_t>(p, kNoRecordHandle);
}

void TJoinDBNullFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    SaveParams(stream, JoinParams);
}

void TJoinDBNullFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    LoadParams(stream, JoinParams);
}

std::uint16_t TJoinDBNullFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 12;
}

void TJoinDBNullFieldDscr::PutDataToTrBuff(const std::uint8_t* /*data*/,
                                           std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    PutParams(buffer, JoinParams);
}

void TJoinDBNullFieldDscr::GetDataFromTrBuff(std::uint8_t* /*data*/, const std::uint8_t* /*buffer*/,
                                             bool& /*modified*/) const {}

} // namespace panolcd
