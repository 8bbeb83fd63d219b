#include "designer/ui/propertydialogs.h"

#include "framework/dataentry/enumvalidators.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/refvalidators.h"
#include "framework/dataentry/stringedits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace panolcd {
namespace {

constexpr std::int32_t kSymbol = 17;
constexpr std::int32_t kText = 255;
constexpr std::int32_t kLargestPosition = 2000;
constexpr std::int32_t kLargest = 32767;
constexpr std::uint8_t kNoBitmap = 255;

struct DialogDef {
    const char* name;
    const char* caption;
    std::vector<PropFieldDef> fields;
};

std::vector<PropFieldDef> TextFields(const char* lastLabel) {
    return {{PropField::FontBank, "Font", "FontBank_ComboBox", 0, 0},
            {PropField::Number, "Pozice X", "X1_Edit", 0, kLargestPosition},
            {PropField::Number, "Pozice Y", "Y1_Edit", 0, kLargestPosition},
            {PropField::Text, "Symbol X", "SymX1_Edit", kSymbol, 0},
            {PropField::Text, "Symbol Y", "SymY1_Edit", kSymbol, 0},
            {PropField::Text, lastLabel, "Text_Edit", kText, 0}};
}

std::vector<PropFieldDef> GraphFields(const char* dataLabel) {
    return {{PropField::Enum, "Typ grafu", "GraphType_ComboBox", 0, 2},
            {PropField::Number, "Pozice X1", "X1_Edit", -kLargest, kLargest},
            {PropField::Number, "Pozice Y1", "Y1_Edit", -kLargest, kLargest},
            {PropField::Number, "Pozice X2", "X2_Edit", -kLargest, kLargest},
            {PropField::Number, "Pozice Y2", "Y2_Edit", -kLargest, kLargest},
            {PropField::Text, "Symbol X1", "SymX1_Edit", kSymbol, 0},
            {PropField::Text, "Symbol Y1", "SymY1_Edit", kSymbol, 0},
            {PropField::Text, "Symbol X2", "SymX2_Edit", kSymbol, 0},
            {PropField::Text, "Symbol Y2", "SymY2_Edit", kSymbol, 0},
            {PropField::Text, dataLabel, "Data_Edit", kText, 0}};
}

const std::vector<DialogDef>& Dialogs() {
    static const std::vector<DialogDef> dialogs = {
        {"TLCDObjTextProp_Dlg", "Parametry objektu LCD Text", TextFields("Text")},
        {"TLCDObjPrintLineProp_Dlg", "Parametry objektu příkazu Print",
         TextFields("Parametry Print")},
        {"TLCDObjEditProp_Dlg", "Parametry objektu příkazu EDIT", TextFields("Parametr Edit")},
        {"TLCDObjEditPProp_Dlg", "Parametry objektu příkazu EDITP", TextFields("Parametr EditP")},
        {"TPointProperties_Dlg",
         "Parametry objektu Bod (Point)",
         {{PropField::Number, "Pozice X", "X1_Edit", 0, kLargest},
          {PropField::Number, "Pozice Y", "Y1_Edit", 0, kLargest},
          {PropField::Text, "Symbol X", "SymX1_Edit", kSymbol, 0},
          {PropField::Text, "Symbol Y", "SymY1_Edit", kSymbol, 0},
          {PropField::Text, "Komentář", "Comment_Edit", kText, 0}}},
        {"TCircleProperties_Dlg",
         "Parametry objektu kružnice (Circle)",
         {{PropField::Number, "Střed X", "CentreX_Edit", 0, kLargest},
          {PropField::Number, "Střed Y", "CentreY_Edit", 0, kLargest},
          {PropField::Number, "Poloměr", "Radius_Edit", 0, kLargest},
          {PropField::Text, "Symbol X", "SymX1_Edit", kSymbol, 0},
          {PropField::Text, "Symbol Y", "SymY1_Edit", kSymbol, 0},
          {PropField::Text, "Symbol poloměru", "SymR_Edit", kSymbol, 0},
          {PropField::Text, "Komentář", "Comment_Edit", kText, 0}}},
        {"TLCDGraphObjPropDlg", "Parametry objektu GRAPH", GraphFields("N,yData,yValMin,yValMax")},
        {"TLCDGraphXYObjPropDlg", "Parametry objektu GraphXY",
         GraphFields("N,xData,yData,xValMin,xValMax,yValMin,yValMax")},
        {"TRefProjCaseBmpLookUp_Dlg",
         "Parametry objektu Case BMP",
         {{PropField::BitmapBank, "Bitmapa", "BitmapBank_ComboBox", 0, 0},
          {PropField::Text, "Komentář", "Comment_Edit", kText, 0}}},
    };
    return dialogs;
}

} // namespace

TObjectProp_Dlg::TObjectProp_Dlg(QWidget* owner, const char* caption,
                                 std::vector<PropFieldDef> fields)
    : TTrValDialog(owner) {
    setWindowTitle(QString::fromUtf8(caption));
    auto* form = new QFormLayout;
    for (const PropFieldDef& f : fields) {
        QWidget* widget = nullptr;
        TCtrlValidator* validator = nullptr;
        switch (f.kind) {
        case PropField::FontBank:
        case PropField::BitmapBank: {
            auto* combo = new QComboBox(this);
            combo->setEditable(false);
            auto& v = AddValidator<TTrRefByteLookUpCombo_Validator>();
            // A new record's font is bank 0; a new bitmap is none.
            v.DefAttributs(0, f.kind == PropField::FontBank ? 0 : kNoBitmap);
            widget = combo;
            validator = &v;
            break;
        }
        case PropField::Enum: {
            auto* combo = new QComboBox(this);
            combo->setEditable(false);
            auto& v = AddValidator<TTrEnumCombo_Validator>();
            v.DefAttributs(0, f.low, f.high);
            widget = combo;
            validator = &v;
            break;
        }
        case PropField::Number: {
            auto& v = AddValidator<TTrIntegerEdit_Validator>();
            v.DefAttributs(0, f.low, f.high);
            widget = new QLineEdit(this);
            validator = &v;
            break;
        }
        case PropField::Text: {
            auto& v = AddValidator<TTrStringEdit_Validator>();
            v.DefAttributs(0, static_cast<std::uint16_t>(f.low));
            widget = new QLineEdit(this);
            validator = &v;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(f.name));
        form->addRow(QString::fromUtf8(f.label), widget);
        widgets_.push_back(widget);
        validators_.push_back(validator);
    }
    QDialogButtonBox* buttons = OkStornoButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(440, 60 + 28 * static_cast<int>(fields.size()));
}

void TObjectProp_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    TransferTo(widgets_, validators_, buffer);
}

void RegisterPropertyDialogs() {
    for (const DialogDef& def : Dialogs()) {
        if (FindDialogClass(def.name) != nullptr)
            continue;
        RegisterDialog(def.name, [&def](QWidget* owner) -> std::unique_ptr<TValidatedDialog> {
            return std::make_unique<TObjectProp_Dlg>(owner, def.caption, def.fields);
        });
    }
}

} // namespace panolcd
