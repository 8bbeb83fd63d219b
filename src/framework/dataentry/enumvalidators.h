#pragma once
// Validators of enumeration fields: a combo box or a radio group of the texts of the field's
// enumeration type. The transfer slot is the value byte and the 32-bit type index.

#include "framework/dataentry/validator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace panolcd {

class TEnumTypeDefStrings;

class TTrEnumCombo_Validator : public TCtrlValidator {
public:
    static constexpr std::size_t kSlotSize = 5;

    std::string ClassName() const override { return "TTrEnumCombo_Validator"; }
    void DefAttributs(std::uint16_t flags, std::int32_t minimum = 0, std::int32_t maximum = 255);
    std::uint8_t Value() const { return value_; }
    // A value outside the range, or none of the enumeration's items (the combo box offers only
    // those).
    std::string DataRefusal() const override;

protected:
    bool AcceptsControl(ControlKind kind) const override { return kind == ControlKind::ComboBox; }
    std::string ExpectedControls() const override { return "TComboBox.."; }
    std::size_t TransferBytes() const override { return kSlotSize; }
    void ReadField() override;
    void WriteField() override;
    void ShowValue() override;
    void EmptyControl() override;
    bool ValidateControl() override;

    // The field's enumeration type, or nullptr.
    const TEnumTypeDefStrings* Strings() const;
    std::vector<std::string> ItemTexts() const;
    // The item that stands for the kept value, -1 when none does.
    int ValueItem() const;
    int ItemValue(int item) const;
    std::string RangeText() const;

    std::uint8_t value_ = 0;
    std::int32_t typeIx_ = -1;
    std::int32_t min_ = 0;
    std::int32_t max_ = 255;
};

// The value is the field's bits under a mask, shifted down to the mask's lowest bit.
class TTrMskEnumCombo_Validator : public TTrEnumCombo_Validator {
public:
    std::string ClassName() const override { return "TTrMskEnumCombo_Validator"; }
    // The maximum is lowered to what the mask holds.
    void DefAttributs(std::uint16_t flags, std::int32_t minimum, std::uint8_t mask,
                      std::int32_t maximum);

protected:
    void ReadField() override;
    // Only the mask bits change.
    void WriteField() override;

    std::uint8_t mask_ = 0xFF;
    int shift_ = 0;
};

class TTrMskEnumRadioGroup_Validator : public TTrMskEnumCombo_Validator {
public:
    std::string ClassName() const override { return "TTrMskEnumRadioGroup_Validator"; }

protected:
    bool AcceptsControl(ControlKind kind) const override { return kind == ControlKind::RadioGroup; }
    std::string ExpectedControls() const override { return "TRadioGroup.."; }
    void ShowValue() override;
    void EmptyControl() override;
    bool ValidateControl() override;
};

} // namespace panolcd
