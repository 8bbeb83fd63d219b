#pragma once
// TEnumSetFieldDscr: a set of enumeration values as raw bit bytes (element e is bit e & 7 of
// byte e >> 3), at most 32 bytes.

#include "framework/records/fielddscr.h"

#include <array>

namespace panolcd {

class TEnumSetFieldDscr : public TRecFieldTypeDscr {
public:
    static constexpr std::uint16_t kMaxSetBytes = 32;
    // For the editing control only: what the set's elements are.
    std::uint8_t Kind = 0;
    std::uint32_t Param = 0;
    std::array<std::uint8_t, kMaxSetBytes> DefaultSet{};

    std::string ClassName() const override { return "TEnumSetFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    // FieldSize, at most 32.
    std::uint16_t GetFieldSize() const override;
    void InitFieldValue(std::uint8_t* data) const override;
    // Transfer slot: Kind, Param, then the set bytes.
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
};

} // namespace panolcd
