#pragma once
// TEnumRecFieldDscr: a byte shown as the text of its value in an enumeration type of the
// application description.

#include "framework/records/intfields.h"

namespace panolcd {

class TEnumRecFieldDscr : public TByteRecFieldDscr {
public:
    // The slot is the same with fNoTrBuff: the enumeration controls always expect it.
    static constexpr std::uint16_t kSlotSize = 5;
    // Longest enumeration text shown.
    static constexpr int kMaxTextWidth = 79;
    // Index in the application description's enumeration types.
    std::int16_t EnumTypeIx = 0;

    std::string ClassName() const override { return "TEnumRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    // Slot: the value, then EnumTypeIx widened to signed 32 bits.
    std::uint16_t GetTrBuffSize() const override { return kSlotSize; }
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// Registers the enumeration, identifier and root lookup field classes; run once at start-up.
void RegisterEnumFieldClasses();

} // namespace panolcd
