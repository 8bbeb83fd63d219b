#include "build/ui/tooldialogs.h"

#include "build/tooldialogs.h"
#include "common/ui/filedialogs.h"
#include "common/ui/qtext.h"
#include "framework/environment/envcontext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace panolcd {

TToolCommandDlg::TToolCommandDlg(QWidget* owner, const char* caption, const char* label,
                                 const char* editName)
    : TTrValDialog(owner) {
    setWindowTitle(Utf8(caption));
    auto* text = new QLabel(Utf8(label), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QString::fromLatin1(editName));
    text->setBuddy(edit_);
    validator_ = &AddValidator<TTrStringEdit_Validator>();
    validator_->DefAttributs(0, static_cast<std::uint16_t>(kToolDialogTransferSize));
    QDialogButtonBox* buttons = OkStornoButtons();
    QPushButton* browse =
        buttons->addButton(QStringLiteral("Vyhledej"), QDialogButtonBox::ActionRole);
    browse->setObjectName(QStringLiteral("Vyhledej"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const std::optional<std::string> program = AskOpenFileName(
            this, "Vyhledání programu", "Programy (*.exe)|*.exe|Všechny soubory (*.*)|*.*", "EXE",
            EnvCtx().app.WorkDir);
        if (program)
            edit_->setText(FileNameToQString(*program));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setFixedSize(533, 98 + 20);
}

void TToolCommandDlg::MapDialogData(std::span<std::uint8_t> buffer) {
    TransferTo({edit_}, {validator_}, buffer);
}

TWCompileNameObj_Dlg::TWCompileNameObj_Dlg(QWidget* owner)
    : TToolCommandDlg(owner, "Překladač Vorn-Basicu",
                      "Příkazová řádka pro spuštění překladače Vorn-Basicu",
                      "EditPan_WCompilerCMDL_Edit") {}

TVSLoaderNameObj_Dlg::TVSLoaderNameObj_Dlg(QWidget* owner)
    : TToolCommandDlg(owner, "Vornset - zavedení programu",
                      "Příkazová řádka pro spuštění zaváděcího programu",
                      "EditPan_VSLoaderCMDL_Edit") {}

TFindCompilerErr_Dlg::TFindCompilerErr_Dlg(QWidget* owner) : TTrValDialog(owner) {
    setWindowTitle(QString::fromUtf8("Vyhledaní chybového řádku"));
    auto* group = new QGroupBox(QStringLiteral("Hledat v souboru"), this);
    auto* prg = new QRadioButton(QStringLiteral("*.PRG"), group);
    auto* pri = new QRadioButton(QStringLiteral("*.PRI"), group);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(prg);
    groupLayout->addWidget(pri);
    auto& prgValidator = AddValidator<TTrByteRadio_Validator>();
    prgValidator.DefAttributs(0, 1, false);
    auto& priValidator = AddValidator<TTrByteRadio_Validator>();
    priValidator.DefAttributs(0, 2, true);
    widgets_ = {prg, pri};
    validators_ = {&prgValidator, &priValidator};
    auto* fields = new QFormLayout;
    const struct {
        const char* label;
        std::int32_t min, max;
    } numbers[] = {{"Číslo řádku", 0, 32767}, {"Poč. pozice", -1, 255}, {"Kon. pozice", -1, 255}};
    for (const auto& number : numbers) {
        auto* edit = new QLineEdit(this);
        auto& validator = AddValidator<TTrIntegerEdit_Validator>();
        validator.DefAttributs(0, number.min, number.max);
        fields->addRow(QString::fromUtf8(number.label), edit);
        widgets_.push_back(edit);
        validators_.push_back(&validator);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(fields);
    layout->addWidget(OkStornoButtons());
}

void TFindCompilerErr_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    TransferTo(widgets_, validators_, buffer);
}

void RegisterToolDialogs() {
    RegisterDialogClass<TWCompileNameObj_Dlg>(kCompilerDialogName);
    RegisterDialogClass<TVSLoaderNameObj_Dlg>(kLoaderDialogName);
    RegisterDialogClass<TFindCompilerErr_Dlg>("D_FCERR");
}

} // namespace panolcd
