#pragma once
// Fields edited through lookup controls, and parameter-only fields. Their parameters mean
// something only to the editing controls; here they are stored and carried into the transfer
// slot unchanged. The 4-byte record reference in a slot is a handle (0 = none), never a pointer.

#include "framework/records/intfields.h"
#include "framework/records/stringfields.h"

#include <array>

namespace panolcd {

using LookupParamArray = std::array<std::uint16_t, 5>;
using JoinParamArray = std::array<std::uint16_t, 6>;

// Transfer slot: the text cut to 79 characters as an 80-byte ShortString, the five parameters,
// a record reference 0 (94 bytes).
class TRefPStr_FieldDscr : public TDBStringFieldDscr {
public:
    static constexpr std::size_t kSlotTextCapacity = 79;
    LookupParamArray LookupParams{};

    std::string ClassName() const override { return "TRefPStr_FieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
};

// Transfer slot: value, the five parameters, a record reference 0 (15 bytes).
class TRefByte_FieldDscr : public TByteRecFieldDscr {
public:
    LookupParamArray LookupParams{};

    std::string ClassName() const override { return "TRefByte_FieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

// FieldSize zero bytes in the record; the transfer slot carries the six parameters only.
class TJoinDBNullFieldDscr : public TRecFieldTypeDscr {
public:
    JoinParamArray JoinParams{};

    std::string ClassName() const override { return "TJoinDBNullFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
};

} // namespace panolcd
