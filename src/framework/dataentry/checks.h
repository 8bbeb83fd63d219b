#pragma once
// Check boxes and radio buttons bound to bits of an integer field. Several of them may share
// one field; only the last has the advance flag, so the field's bytes are taken once.

#include "framework/dataentry/validator.h"

#include <cstdint>
#include <string>

namespace panolcd {

class TTrBitCheck : public TCtrlValidator {
public:
    bool Ticked() const { return ticked_; }

protected:
    TTrBitCheck(std::size_t bytes, ControlKind kind) : bytes_(bytes), kind_(kind) {}
    void SetBits(std::uint16_t flags, std::uint32_t mask, bool advance);

    bool AcceptsControl(ControlKind kind) const override { return kind == kind_; }
    std::string ExpectedControls() const override;
    std::size_t TransferBytes() const override { return advance_ ? bytes_ : 0; }
    std::size_t FieldBytes() const override { return bytes_; }
    void ReadField() override;
    // Only the mask bits change; the rest of the field belongs to the other boxes.
    void WriteField() override;
    void ShowValue() override { control_->SetChecked(ticked_); }
    void EmptyControl() override { control_->SetChecked(false); }
    bool ValidateControl() override;

private:
    std::uint32_t Field() const;

    std::size_t bytes_;
    ControlKind kind_;
    std::uint32_t mask_ = 0;
    bool advance_ = false;
    bool ticked_ = false;
};

class TTrByteChecks_Validator : public TTrBitCheck {
public:
    TTrByteChecks_Validator() : TTrBitCheck(1, ControlKind::CheckBox) {}
    std::string ClassName() const override { return "TTrByteChecks_Validator"; }
    void DefAttributs(std::uint16_t flags, std::uint8_t mask, bool advance) {
        SetBits(flags, mask, advance);
    }
};

class TTrWordChecks_Validator : public TTrBitCheck {
public:
    TTrWordChecks_Validator() : TTrBitCheck(2, ControlKind::CheckBox) {}
    std::string ClassName() const override { return "TTrWordChecks_Validator"; }
    void DefAttributs(std::uint16_t flags, std::uint16_t mask, bool advance) {
        SetBits(flags, mask, advance);
    }
};

class TTrLIntChecks_Validator : public TTrBitCheck {
public:
    TTrLIntChecks_Validator() : TTrBitCheck(4, ControlKind::CheckBox) {}
    std::string ClassName() const override { return "TTrLIntChecks_Validator"; }
    void DefAttributs(std::uint16_t flags, std::uint32_t mask, bool advance) {
        SetBits(flags, mask, advance);
    }
};

class TTrByteRadio_Validator : public TTrBitCheck {
public:
    TTrByteRadio_Validator() : TTrBitCheck(1, ControlKind::RadioButton) {}
    std::string ClassName() const override { return "TTrByteRadio_Validator"; }
    void DefAttributs(std::uint16_t flags, std::uint8_t mask, bool advance) {
        SetBits(flags, mask, advance);
    }
};

} // namespace panolcd
