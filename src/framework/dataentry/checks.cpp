#include "framework/dataentry/checks.h"

namespace panolcd {

void TTrBitCheck::SetBits(std::uint16_t flags, std::uint32_t mask, bool advance) {
    CtrlFlags = flags;
    mask_ = mask;
    advance_ = advance;
}

std::string TTrBitCheck::ExpectedControls() const {
    return std::string(ControlClassName(kind_)) + "..";
}

std::uint32_t TTrBitCheck::Field() const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes_; ++i)
        value |= std::uint32_t{data_[i]} << (8 * i);
    return value;
}

void TTrBitCheck::ReadField() {
    ticked_ = (Field() & mask_) != 0;
}

void TTrBitCheck::WriteField() {
    const std::uint32_t value = ticked_ ? Field() | mask_ : Field() & ~mask_;
    for (std::size_t i = 0; i < bytes_; ++i)
        data_[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool TTrBitCheck::ValidateControl() {
    ticked_ = control_->Checked();
    return true;
}

} // namespace panolcd
