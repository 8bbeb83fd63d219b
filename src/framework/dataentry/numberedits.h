#pragma once
// Edit-box validators of integer fields: byte, linear byte, 16-bit, signed 32-bit (two
// flavours) and unsigned 32-bit, in decimal or, with vfHex, "$" and upper-case hex digits.

#include "framework/dataentry/validator.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

// What the number edits share: the kept value, the range and the choice of error message.
class TTrNumberEdit : public TCtrlValidator {
public:
    std::int64_t Value() const { return value_; }
    std::int64_t Minimum() const { return min_; }
    std::int64_t Maximum() const { return max_; }
    // The kept value as its shown text would be checked.
    std::string DataRefusal() const override;

protected:
    bool AcceptsControl(ControlKind kind) const override { return kind == ControlKind::Edit; }
    std::string ExpectedControls() const override { return "TEdit.."; }
    void ShowValue() override;
    bool ValidateControl() override;
    // Why the text is refused, empty when it is taken (its value then in `value`).
    std::string TextRefusal(std::string_view text, std::int64_t& value) const;

    // nullopt: the text is no number of the field's kind.
    virtual std::optional<std::int64_t> ParseNumber(std::string_view text) const;
    virtual std::string ValueText() const = 0;
    // The message when no own message is set.
    virtual std::string RangeMessage(std::int64_t value) const;
    // The value as the field keeps it.
    virtual void Accept(std::int64_t value) { value_ = value; }

    std::int64_t value_ = 0;
    std::int64_t min_ = 0;
    std::int64_t max_ = 0;
};

class TTrByteEdit_Validator : public TTrNumberEdit {
public:
    TTrByteEdit_Validator() { max_ = 255; }
    std::string ClassName() const override { return "TTrByteEdit_Validator"; }
    void DefAttributs(std::uint16_t flags, std::int32_t minimum = 0, std::int32_t maximum = 255);

protected:
    std::size_t TransferBytes() const override { return 1; }
    void ReadField() override { value_ = data_[0]; }
    void WriteField() override { data_[0] = static_cast<std::uint8_t>(value_); }
    std::string ValueText() const override;
};

// A byte r shown as r * a + b.
class TTrLinFceByteEdit_Validator : public TTrNumberEdit {
public:
    TTrLinFceByteEdit_Validator() { max_ = 255; }
    std::string ClassName() const override { return "TTrLinFceByteEdit_Validator"; }
    // A factor of 0 raises ExcValidators after setting it to 1.
    void DefAttributs(std::uint16_t flags, std::int32_t minimum = 0, std::int32_t offset = 0,
                      std::int32_t factor = 1, std::int32_t maximum = 255);
    std::int32_t Offset() const { return offset_; }
    std::int32_t Factor() const { return factor_; }

protected:
    void SetLine(std::int32_t minimum, std::int32_t offset, std::int32_t factor,
                 std::int32_t maximum);
    std::size_t TransferBytes() const override { return 1; }
    void ReadField() override { value_ = data_[0]; }
    void WriteField() override { data_[0] = static_cast<std::uint8_t>(value_); }
    std::string ValueText() const override;
    void Accept(std::int64_t value) override;

    std::int32_t offset_ = 0;
    std::int32_t factor_ = 1;
};

class TTrWordEdit_Validator : public TTrNumberEdit {
public:
    TTrWordEdit_Validator() { max_ = 65535; }
    std::string ClassName() const override { return "TTrWordEdit_Validator"; }
    void DefAttributs(std::uint16_t flags, std::int32_t minimum = 0, std::int32_t maximum = 65535);

protected:
    std::size_t TransferBytes() const override { return 2; }
    void ReadField() override;
    void WriteField() override;
    std::optional<std::int64_t> ParseNumber(std::string_view text) const override;
    std::string ValueText() const override;
};

// Signed 32-bit fields; TTrIntegerEdit_Validator and TTrLIntEdit_Validator differ in their
// default range and in the hex range message.
class TTrSigned32Edit : public TTrNumberEdit {
protected:
    std::size_t TransferBytes() const override { return 4; }
    void ReadField() override;
    void WriteField() override;
    std::optional<std::int64_t> ParseNumber(std::string_view text) const override;
    std::string ValueText() const override;
};

class TTrIntegerEdit_Validator : public TTrSigned32Edit {
public:
    TTrIntegerEdit_Validator() {
        min_ = -2147483647;
        max_ = 2147483647;
    }
    std::string ClassName() const override { return "TTrIntegerEdit_Validator"; }
    void DefAttributs(std::uint16_t flags, std::int32_t minimum = -2147483647,
                      std::int32_t maximum = 2147483647);

protected:
    std::string RangeMessage(std::int64_t value) const override;
};

class TTrLIntEdit_Validator : public TTrSigned32Edit {
public:
    TTrLIntEdit_Validator() { max_ = 2147483647; }
    std::string ClassName() const override { return "TTrLIntEdit_Validator"; }
    void DefAttributs(std::uint16_t flags, std::int32_t minimum = 0,
                      std::int32_t maximum = 2147483647);
};

class TTrDWordEdit_Validator : public TTrLIntEdit_Validator {
public:
    TTrDWordEdit_Validator() { max_ = 4294967295; }
    std::string ClassName() const override { return "TTrDWordEdit_Validator"; }
    // -1 as the maximum is 4294967295.
    void DefAttributs(std::uint16_t flags, std::uint32_t minimum = 0,
                      std::uint32_t maximum = 4294967295u);

protected:
    void ReadField() override;
    std::optional<std::int64_t> ParseNumber(std::string_view text) const override;
    std::string ValueText() const override;
    std::string RangeMessage(std::int64_t value) const override;
};

} // namespace panolcd
