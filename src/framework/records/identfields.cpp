#include "framework/records/identfields.h"

#include "common/littleendian.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/enumtypes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace panolcd {
namespace {

constexpr std::uint16_t kIdentSlotSize = 9;
constexpr std::uint16_t kRefIdentSlotSize = 23;
constexpr std::uint8_t kLastGroupedKind = 15;
constexpr std::uint32_t kNoRecordHandle = 0;

// Kinds whose identifier is zone, card and point; the other kinds up to 15 are zone and number.
bool IsCardPointKind(std::uint8_t kind) {
    switch (kind) {
    case 0:
    case 2:
    case 8:
    case 9:
    case 10:
    case 13:
    case 14:
        return true;
    default:
        return false;
    }
}

// `digits` decimal digits with leading zeros; a minus sign goes in front of the zeros.
std::string ZeroFilled(long value, int digits) {
    std::string text = std::to_string(std::labs(value));
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return value < 0 ? "-" + text : text;
}

const TEnumTypeDefStrings* KindType(std::int32_t index) {
    if (index < std::numeric_limits<std::int16_t>::min() ||
        index > std::numeric_limits<std::int16_t>::max())
        return nullptr;
    return AppEnumStrings(static_cast<std::int16_t>(index));
}

} // namespace

void TIdentRecFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = 4;
}

void TIdentRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<std::int32_t>(Default);
    stream.WriteNum<std::int32_t>(KindEnumIx);
    stream.WriteNum<std::uint8_t>(Style);
    stream.WriteNum<std::uint8_t>(KindWidth);
}

void TIdentRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<std::int32_t>();
    KindEnumIx = stream.ReadNum<std::int32_t>();
    Style = stream.ReadNum<std::uint8_t>();
    KindWidth = stream.ReadNum<std::uint8_t>();
}

void TIdentRecFieldDscr::InitFieldValue(std::uint8_t* data) const {
    WriteLE<std::int32_t>(data, Default);
}

std::uint16_t TIdentRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : kIdentSlotSize;
}

void TIdentRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    buffer[0] = data[0];
    buffer[1] = data[1];
    buffer[2] = data[2];
    buffer[3] = data[3];
    buffer[4] = data[3];
    WriteLE<std::int32_t>(buffer + 5, KindEnumIx);
}

void TIdentRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                           bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    // Buffer byte 3 keeps the kind as it was put; the control edits the copy in byte 4.
    const std::uint8_t edited[4] = {buffer[0], buffer[1], buffer[2], buffer[4]};
    CopyBackToRecord(data, edited, 4, modified);
}

std::string TIdentRecFieldDscr::IdentText(const std::uint8_t* data) const {
    const std::uint8_t kind = data[3];
    if (kind > kLastGroupedKind) {
        if (HasFlag(fHex))
            return "$" + HexDigits(ReadLE<std::uint32_t>(data), 8);
        return std::to_string(ReadLE<std::int32_t>(data));
    }
    if (Style == 2)
        return "Ident";
    const std::string zone = ZeroFilled(data[2], 3);
    if (IsCardPointKind(kind)) {
        const std::string card = HexDigits(data[0], 2);
        const std::string point = ZeroFilled(data[1], 3);
        if (Style == 1)
            return zone + "/$" + card + "/" + point;
        return "z=" + zone + " k=$" + card + " p=" + point;
    }
    const std::string number = ZeroFilled(ReadLE<std::uint16_t>(data), 5);
    if (Style == 1)
        return zone + "/" + number;
    return "z=" + zone + " n=" + number;
}

std::string TIdentRecFieldDscr::ValueText(std::uint8_t* data,
                                          const FieldTextContext& context) const {
    const bool pad = !HasFlag(fNoPad);
    const int width = context.width;
    std::string text = PadRight(CutTo(IdentText(data), KindWidth), KindWidth);
    const int rest = width - static_cast<int>(text.size());
    if (rest > 0) {
        const std::uint8_t kind = data[3];
        const TEnumTypeDefStrings* kinds = HasFlag(fHex) ? nullptr : KindType(KindEnumIx);
        std::string kindText = kinds ? kinds->EnumValueText(kind) : "$" + HexDigits(kind, 2);
        text += pad ? PadRight(std::move(kindText), rest) : kindText;
    }
    text = CutTo(std::move(text), width);
    return pad ? PadRight(std::move(text), width) : text;
}

void TRefIdent_FieldDscr::SaveToStream(TrbObjStream& stream) const {
    TIdentRecFieldDscr::SaveToStream(stream);
    for (const std::uint16_t p : LookupParams)
        stream.WriteNum<std::uint16_t>(p);
}

void TRefIdent_FieldDscr::LoadFromStream(TrbObjStream& stream) {
    TIdentRecFieldDscr::LoadFromStream(stream);
    for (std::uint16_t& p : LookupParams)
        p = stream.ReadNum<std::uint16_t>();
}

std::uint16_t TRefIdent_FieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : kRefIdentSlotSize;
}

void TRefIdent_FieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    std::uint8_t* p = buffer;
    std::copy(data, data + 4, p);
    p += 4;
    for (const std::uint16_t param : LookupParams) {
        WriteLE<std::uint16_t>(p, param);
        p += 2;
    }
    WriteLE<std::uint32_t>(p, kNoRecordHandle);
    p += 4;
    *p++ = data[3];
    WriteLE<std::int32_t>(p, KindEnumIx);
}

void TRefIdent_FieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                            bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, 4, modified);
}

} // namespace panolcd
