#pragma once
// Validators of ShortString fields in edit boxes and memos: the text is cut to the field's
// capacity and may hold only the characters of an allowed set.

#include "framework/dataentry/validator.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

// One bit per character code.
using CharSet = std::bitset<256>;

// Every character code.
CharSet AllChars();
// Codes 32..255: no control characters.
CharSet PrintableChars();

class TTrStringEdit_Validator : public TCtrlValidator {
public:
    std::string ClassName() const override { return "TTrStringEdit_Validator"; }
    // `size` is the field's size in bytes, length byte included; 0 raises ExcValidators.
    void DefAttributs(std::uint16_t flags, std::uint16_t size, const CharSet& allowed = AllChars());
    const std::string& Text() const { return text_; }
    // Characters the field holds.
    std::size_t Capacity() const;
    // Why the text would be refused: a character outside the allowed set, or more characters
    // than the field holds (an edit box never takes those in). Empty when it fits.
    std::string TextRefusal(std::string_view text) const;
    std::string DataRefusal() const override { return TextRefusal(text_); }

protected:
    bool AcceptsControl(ControlKind kind) const override { return kind == ControlKind::Edit; }
    std::string ExpectedControls() const override { return "TEdit.."; }
    std::size_t TransferBytes() const override { return size_; }
    void ReadField() override;
    void WriteField() override;
    void ShowValue() override;
    bool ValidateControl() override;
    std::string CharsRefusal() const;
    bool AllAllowed(std::string_view text) const;

    std::uint16_t size_ = 1;
    CharSet allowed_ = AllChars();
    std::string text_;
};

// Line breaks are CR LF and count as two characters.
class TTrStringMemo_Validator : public TTrStringEdit_Validator {
public:
    std::string ClassName() const override { return "TTrStringMemo_Validator"; }

protected:
    bool AcceptsControl(ControlKind kind) const override { return kind == ControlKind::Memo; }
    std::string ExpectedControls() const override { return "TMemo.."; }
};

} // namespace panolcd
