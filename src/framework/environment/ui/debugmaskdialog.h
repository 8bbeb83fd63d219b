#pragma once
// TDebugDM_Dlg: one check box per trace mask bit, named after the category the bit switches,
// and the TXS flag.

#include "framework/dataentry/checks.h"
#include "framework/dataentry/ui/trvaldialog.h"

#include <array>

class QCheckBox;

namespace panolcd {

class TDebugDM_Dlg final : public TTrValDialog {
    Q_OBJECT
public:
    static constexpr int kMaskBits = 32;

    explicit TDebugDM_Dlg(QWidget* owner = nullptr);

    void MapDialogData(std::span<std::uint8_t> buffer) override;

    QCheckBox* BitCheck(int bit) const { return bitChecks_[static_cast<std::size_t>(bit)]; }
    QCheckBox* TxsCheck() const { return txsCheck_; }

private:
    std::array<QCheckBox*, kMaskBits> bitChecks_{};
    std::array<TTrLIntChecks_Validator*, kMaskBits> bitValidators_{};
    QCheckBox* txsCheck_ = nullptr;
    TTrByteChecks_Validator* txsValidator_ = nullptr;
};

// Registers the dialog under its class name.
void RegisterDebugMaskDialog();

} // namespace panolcd
