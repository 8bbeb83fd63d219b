#pragma once
// Real fields: 8-byte IEEE doubles shown with fixed, automatic or scientific decimals.

#include "framework/records/fielddscr.h"

namespace panolcd {

class TRealpRecFieldDscr : public TRecFieldTypeDscr {
public:
    double Default = 0.0;
    std::uint8_t Decimals = 0;

    std::string ClassName() const override { return "TRealpRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 8; }
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// Transfer slot: value, minimum, maximum, Decimals (25 bytes). Taking the value back counts as a
// change only when the numbers differ, not merely their bit patterns.
class TRealpLimRecFieldDscr : public TRealpRecFieldDscr {
public:
    double Min = 0.0;
    double Max = 0.0;

    std::string ClassName() const override { return "TRealpLimRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
};

} // namespace panolcd
