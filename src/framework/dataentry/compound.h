#pragma once
// Validators that show nothing of their bytes: the empty validator carries a block (or none),
// the compound validator carries the block of a nested record that a dialog edits.

#include "framework/dataentry/validator.h"

#include <cstdint>
#include <string>

namespace panolcd {

class TTrEmpty_Validator : public TCtrlValidator {
public:
    std::string ClassName() const override { return "TTrEmpty_Validator"; }
    void DefAttributs(std::uint16_t flags) { CtrlFlags = flags; }
    void SetSize(std::uint16_t size) { size_ = size; }

protected:
    bool AcceptsControl(ControlKind) const override { return false; }
    std::string ExpectedControls() const override { return "nil"; }
    std::size_t TransferBytes() const override { return size_; }

private:
    std::uint16_t size_ = 0;
};

class TTrCompound_Validator : public TCtrlValidator {
public:
    static constexpr std::size_t kMaxDialogName = 63;

    std::string ClassName() const override { return "TTrCompound_Validator"; }
    // The dialog name is cut to 63 characters.
    void DefAttributs(std::uint16_t flags, std::uint16_t size, std::string_view dialogName);
    const std::string& DialogName() const { return dialogName_; }

    // Runs the dialog registered under the name on the block; the dialog stores into the block
    // itself, and nothing here writes over it later. None without data.
    DialogResult RunDialog() override;

protected:
    bool AcceptsControl(ControlKind kind) const override;
    std::string ExpectedControls() const override { return "TEdit|TLabel|TButton.."; }
    std::size_t TransferBytes() const override { return size_; }
    void EmptyControl() override {}

private:
    std::uint16_t size_ = 0;
    std::string dialogName_;
};

} // namespace panolcd
