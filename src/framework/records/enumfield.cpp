#include "framework/records/enumfield.h"

#include "common/littleendian.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/enumtypes.h"
#include "framework/records/identfields.h"
#include "framework/records/rootlookfield.h"

#include <algorithm>

namespace panolcd {

void TEnumRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TByteRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(EnumTypeIx);
}

void TEnumRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TByteRecFieldDscr::LoadFromStream(stream);
    EnumTypeIx = stream.ReadNum<std::int16_t>();
}

void TEnumRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    buffer[0] = data[0];
    WriteLE<std::int32_t>(buffer + 1, EnumTypeIx);
}

void TEnumRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    CopyBackToRecord(data, buffer, 1, modified);
}

std::string TEnumRecFieldDscr::ValueText(std::uint8_t* data,
                                         const FieldTextContext& context) const {
    const std::uint8_t value = data[0];
    if (HasFlag(fHex)) {
        const std::string hex = "$" + HexDigits(value, 2);
        return context.unpadded ? hex : PadRight(hex, context.width);
    }
    const TEnumTypeDefStrings* type = AppEnumStrings(EnumTypeIx);
    const std::string text = type ? type->EnumValueText(value) : "$" + HexDigits(value, 2);
    const int width = std::min(context.width, kMaxTextWidth);
    const std::string cut = CutTo(text, width);
    return context.unpadded ? cut : PadRight(cut, width);
}

void RegisterEnumFieldClasses() {
    RegisterClass<TEnumRecFieldDscr>();
    RegisterClass<TIdentRecFieldDscr>();
    RegisterClass<TRefIdent_FieldDscr>();
    RegisterClass<TRootLookRefByte_FieldDscr>();
}

} // namespace panolcd
