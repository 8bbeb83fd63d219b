#include "designer/ui/textdialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace panolcd {
namespace {

constexpr std::int32_t kLargestPosition = 2000;
constexpr std::uint16_t kSymbolSize = 17;
constexpr std::uint16_t kTextSize = 255;

QLineEdit* Edit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

TLCDObjTextProp_Dlg::TLCDObjTextProp_Dlg(QWidget* owner, const char* caption, const char* textLabel)
    : TTrValDialog(owner), font_(new QComboBox(this)), x_(Edit(this, "X1_Edit")),
      y_(Edit(this, "Y1_Edit")), symX_(Edit(this, "SymX1_Edit")), symY_(Edit(this, "SymY1_Edit")),
      text_(Edit(this, "Text_Edit")) {
    setWindowTitle(QString::fromUtf8(caption));
    font_->setObjectName(QStringLiteral("FontBank_ComboBox"));
    font_->setEditable(false);
    fontV_.DefAttributs(0, 0); // a new record's font is bank 0
    xV_.DefAttributs(0, 0, kLargestPosition);
    yV_.DefAttributs(0, 0, kLargestPosition);
    symXV_.DefAttributs(0, kSymbolSize);
    symYV_.DefAttributs(0, kSymbolSize);
    textV_.DefAttributs(0, kTextSize);

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("Font"), font_);
    form->addRow(QString::fromUtf8("Pozice X"), x_);
    form->addRow(QString::fromUtf8("Pozice Y"), y_);
    form->addRow(QString::fromUtf8("Symbol X"), symX_);
    form->addRow(QString::fromUtf8("Symbol Y"), symY_);
    form->addRow(QString::fromUtf8(textLabel), text_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, 230);
}

void TLCDObjTextProp_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    TransferTo({font_, x_, y_, symX_, symY_, text_},
               {&fontV_, &xV_, &yV_, &symXV_, &symYV_, &textV_}, buffer);
}

void RegisterTextDialogs() {
    struct Def {
        const char* name;
        const char* caption;
        const char* label;
    };
    static constexpr Def kDialogs[] = {
        {"TLCDObjTextProp_Dlg", "Parametry objektu LCD Text", "Text"},
        {"TLCDObjPrintLineProp_Dlg", "Parametry objektu příkazu Print", "Parametry Print"},
        {"TLCDObjEditProp_Dlg", "Parametry objektu příkazu EDIT", "Parametr Edit"},
        {"TLCDObjEditPProp_Dlg", "Parametry objektu příkazu EDITP", "Parametr EditP"},
    };
    for (const Def& def : kDialogs) {
        if (FindDialogClass(def.name) != nullptr)
            continue;
        RegisterDialog(def.name, [def](QWidget* owner) -> std::unique_ptr<TValidatedDialog> {
            return std::make_unique<TLCDObjTextProp_Dlg>(owner, def.caption, def.label);
        });
    }
}

} // namespace panolcd
