#include "framework/dataentry/numberedits.h"

#include "common/format.h"
#include "common/littleendian.h"
#include "framework/environment/conversions.h"
#include "framework/environment/restext.h"
#include "framework/records/excvalidators.h"

#include <algorithm>

namespace panolcd {
namespace {

constexpr int kNumberSyntaxMsg = 153;
constexpr int kRangeHexMsg = 156;
constexpr int kRangeSignedHexMsg = 157;
constexpr int kRangeMsg = 158;
constexpr int kRangeUnsignedMsg = 159;

std::uint64_t Bits32(std::int64_t value) {
    return static_cast<std::uint32_t>(value);
}

} // namespace

// ---- TTrNumberEdit

void TTrNumberEdit::ShowValue() {
    control_->SetText(ValueText());
}

std::optional<std::int64_t> TTrNumberEdit::ParseNumber(std::string_view text) const {
    return ParseDWordText(text);
}

std::string TTrNumberEdit::RangeMessage(std::int64_t value) const {
    if (HexShown())
        return ResFmt(kRangeHexMsg, {Bits32(value), Bits32(min_), Bits32(max_)});
    return ResFmt(kRangeMsg, {static_cast<long long>(value), static_cast<long long>(min_),
                              static_cast<long long>(max_)});
}

std::string TTrNumberEdit::TextRefusal(std::string_view text, std::int64_t& value) const {
    const std::optional<std::int64_t> parsed = ParseNumber(text);
    if (!parsed)
        return ResText(kNumberSyntaxMsg);
    value = *parsed;
    if (value >= min_ && value <= max_)
        return {};
    const std::string own = OwnMessage();
    if (own.empty())
        return RangeMessage(value);
    return Format(own, {static_cast<long long>(value), static_cast<long long>(min_),
                        static_cast<long long>(max_)});
}

bool TTrNumberEdit::ValidateControl() {
    std::int64_t value = 0;
    const std::string refusal = TextRefusal(control_->Text(), value);
    if (!refusal.empty())
        return Fail(refusal);
    Accept(value);
    return true;
}

std::string TTrNumberEdit::DataRefusal() const {
    std::int64_t value = 0;
    return TextRefusal(ValueText(), value);
}

// ---- byte

void TTrByteEdit_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                         std::int32_t maximum) {
    CtrlFlags = flags;
    // The field holds a byte, whatever the caller asks for.
    min_ = std::clamp<std::int64_t>(minimum, 0, 255);
    max_ = std::clamp<std::int64_t>(maximum, 0, 255);
}

std::string TTrByteEdit_Validator::ValueText() const {
    return HexShown() ? DollarHex(static_cast<std::uint64_t>(value_), 2) : std::to_string(value_);
}

// ---- linear byte

void TTrLinFceByteEdit_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                               std::int32_t offset, std::int32_t factor,
                                               std::int32_t maximum) {
    CtrlFlags = flags;
    SetLine(minimum, offset, factor, maximum);
}

void TTrLinFceByteEdit_Validator::SetLine(std::int32_t minimum, std::int32_t offset,
                                          std::int32_t factor, std::int32_t maximum) {
    offset_ = offset;
    factor_ = factor == 0 ? 1 : factor;
    // Only values that some byte stands for can be entered.
    min_ = std::max<std::int64_t>(minimum, offset_);
    max_ = std::min<std::int64_t>(maximum, std::int64_t{offset_} + 255 * std::int64_t{factor_});
    if (factor == 0)
        throw ExcValidators(ClassName() + ".DefAttributs FceKoef_a=0");
}

std::string TTrLinFceByteEdit_Validator::ValueText() const {
    const std::int64_t shown = value_ * factor_ + offset_;
    return HexShown() ? DollarHex(static_cast<std::uint64_t>(shown), 4) : std::to_string(shown);
}

void TTrLinFceByteEdit_Validator::Accept(std::int64_t value) {
    value_ = std::clamp<std::int64_t>((value - offset_) / factor_, 0, 255);
}

// ---- word

void TTrWordEdit_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                         std::int32_t maximum) {
    CtrlFlags = flags;
    min_ = std::clamp<std::int64_t>(minimum, 0, 65535);
    max_ = std::clamp<std::int64_t>(maximum, 0, 65535);
}

void TTrWordEdit_Validator::ReadField() {
    value_ = ReadLE<std::uint16_t>(data_.data());
}

void TTrWordEdit_Validator::WriteField() {
    WriteLE<std::uint16_t>(data_.data(), static_cast<std::uint16_t>(value_));
}

std::optional<std::int64_t> TTrWordEdit_Validator::ParseNumber(std::string_view text) const {
    const std::optional<std::int64_t> value = ParseDWordText(text);
    if (value && *value > 65535)
        return std::nullopt;
    return value;
}

std::string TTrWordEdit_Validator::ValueText() const {
    return HexShown() ? DollarHex(static_cast<std::uint64_t>(value_), 4) : std::to_string(value_);
}

// ---- signed 32-bit

void TTrSigned32Edit::ReadField() {
    value_ = ReadLE<std::int32_t>(data_.data());
}

void TTrSigned32Edit::WriteField() {
    WriteLE<std::uint32_t>(data_.data(), static_cast<std::uint32_t>(value_));
}

std::optional<std::int64_t> TTrSigned32Edit::ParseNumber(std::string_view text) const {
    const std::optional<std::int32_t> value = ParseIntText(text);
    if (!value)
        return std::nullopt;
    return *value;
}

std::string TTrSigned32Edit::ValueText() const {
    return HexShown() ? DollarHex(Bits32(value_), 8) : std::to_string(value_);
}

void TTrIntegerEdit_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                            std::int32_t maximum) {
    CtrlFlags = flags;
    min_ = minimum;
    max_ = maximum;
}

std::string TTrIntegerEdit_Validator::RangeMessage(std::int64_t value) const {
    if (HexShown())
        return ResFmt(kRangeSignedHexMsg,
                      {Bits32(value), static_cast<long long>(min_), static_cast<long long>(max_)});
    return TTrSigned32Edit::RangeMessage(value);
}

void TTrLIntEdit_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                         std::int32_t maximum) {
    CtrlFlags = flags;
    min_ = minimum;
    max_ = maximum;
}

// ---- unsigned 32-bit

void TTrDWordEdit_Validator::DefAttributs(std::uint16_t flags, std::uint32_t minimum,
                                          std::uint32_t maximum) {
    CtrlFlags = flags;
    min_ = minimum;
    max_ = maximum;
}

void TTrDWordEdit_Validator::ReadField() {
    value_ = ReadLE<std::uint32_t>(data_.data());
}

std::optional<std::int64_t> TTrDWordEdit_Validator::ParseNumber(std::string_view text) const {
    const std::optional<std::int64_t> value = ParseDWordText(text);
    if (value && *value < 0)
        return std::nullopt;
    return value;
}

std::string TTrDWordEdit_Validator::ValueText() const {
    return HexShown() ? DollarHex(Bits32(value_), 8) : std::to_string(value_);
}

std::string TTrDWordEdit_Validator::RangeMessage(std::int64_t value) const {
    if (HexShown())
        return TTrNumberEdit::RangeMessage(value);
    return ResFmt(kRangeUnsignedMsg,
                  {std::to_string(value), std::to_string(min_), std::to_string(max_)});
}

} // namespace panolcd
