#include "framework/environment/ui/debugmaskdialog.h"

#include "common/cp1250.h"
#include "common/ui/qtext.h"
#include "framework/environment/debugmask.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include <string>

namespace panolcd {
namespace {

// The trace categories by bit; bits without a category are captioned with the box's name.
const char* const kBitCaptions[TDebugDM_Dlg::kMaskBits] = {
    "DM_InitDone",
    "DM_ProcMess",
    "DM_DelayMess",
    "",
    "DM_MAPRMess",
    "DM_MAPR",
    "DM_MAPRStep",
    "",
    "DM_L0RStepAll",
    "DM_L0Mess",
    "DM_Modem",
    "DM_ModemSMC",
    "DM_PARAM_Debug",
    "DM_PARAM_Mess",
    "DM_PARAM_SymbMess",
    "",
    "DM_TmpErr_Debug",
    "DM_TmpErr_Mess",
    "DM_TmpErr_SymbMess",
    "",
    "DM_PANO_Debug",
    "DM_PANO_Mess",
    "DM_PANO_SymbMess",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
};

constexpr int kRowsPerColumn = 16;

} // namespace

TDebugDM_Dlg::TDebugDM_Dlg(QWidget* owner) : TTrValDialog(owner) {
    setWindowTitle(ToQString(Utf8ToCp1250("Nastavení ladících výpisů")));
    auto* grid = new QGridLayout;
    for (int bit = 0; bit < kMaskBits; ++bit) {
        const std::string name = "DebugDM_Check_" + std::to_string(bit);
        const std::string caption = *kBitCaptions[bit] != '\0' ? kBitCaptions[bit] : name;
        auto* check = new QCheckBox(QString::fromStdString(caption), this);
        check->setObjectName(QString::fromStdString(name));
        grid->addWidget(check, bit % kRowsPerColumn, bit / kRowsPerColumn);
        bitChecks_[static_cast<std::size_t>(bit)] = check;
        // Every box reads its own bit of the one mask field; the last one moves on to the flag.
        auto& validator = AddValidator<TTrLIntChecks_Validator>();
        validator.DefAttributs(0, std::uint32_t{1} << bit, bit == kMaskBits - 1);
        bitValidators_[static_cast<std::size_t>(bit)] = &validator;
    }
    txsCheck_ = new QCheckBox(QStringLiteral("WriteTo *.TXS"), this);
    txsCheck_->setObjectName(QStringLiteral("SysfFl_CheckBox"));
    txsValidator_ = &AddValidator<TTrByteChecks_Validator>();
    txsValidator_->DefAttributs(0, 1, true);

    QDialogButtonBox* buttons = OkStornoButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(txsCheck_);
    layout->addWidget(buttons);
    resize(395, 369);
}

void TDebugDM_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    std::vector<QWidget*> widgets(bitChecks_.begin(), bitChecks_.end());
    std::vector<TCtrlValidator*> validators(bitValidators_.begin(), bitValidators_.end());
    widgets.push_back(txsCheck_);
    validators.push_back(txsValidator_);
    TransferTo(widgets, validators, buffer);
}

void RegisterDebugMaskDialog() {
    RegisterDialogClass<TDebugDM_Dlg>(kDebugMaskDialogName);
}

} // namespace panolcd
