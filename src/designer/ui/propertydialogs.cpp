#include "designer/ui/propertydialogs.h"

#include "common/cp1250.h"
#include "common/littleendian.h"
#include "common/ui/qtext.h"
#include "framework/dataentry/checks.h"
#include "framework/dataentry/enumvalidators.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/refvalidators.h"
#include "framework/dataentry/stringedits.h"
#include "framework/environment/msgbox.h"
#include "framework/windows/ui/udbform.h"
#include "project/objectrecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace panolcd {
namespace {

constexpr std::int32_t kSymbol = 17;
constexpr std::int32_t kText = 255;
constexpr std::int32_t kLargestPosition = 2000;
constexpr std::int32_t kLargest = 32767;
constexpr std::int32_t kLargestSize = 1000;
constexpr std::uint8_t kNoBitmap = 255;

struct DialogDef {
    const char* name;
    const char* caption;
    std::vector<PropFieldDef> fields;
    std::optional<CornerDialog> corners = std::nullopt;
    PropCheck check = PropCheck::None;
};

PropFieldDef Symbol(const char* label, const char* name) {
    return {PropField::Text, label, name, kSymbol, 0};
}

std::vector<PropFieldDef> TextFields(const char* lastLabel) {
    return {{PropField::FontBank, "Font", "FontBank_ComboBox", 0, 0},
            {PropField::Number, "Pozice X", "X1_Edit", 0, kLargestPosition},
            {PropField::Number, "Pozice Y", "Y1_Edit", 0, kLargestPosition},
            Symbol("Symbol X", "SymX1_Edit"),
            Symbol("Symbol Y", "SymY1_Edit"),
            {PropField::Text, lastLabel, "Text_Edit", kText, 0}};
}

std::vector<PropFieldDef> GraphFields(const char* dataLabel) {
    return {{PropField::Enum, "Typ grafu", "GraphType_ComboBox", 0, 2},
            {PropField::Number, "Pozice X1", "X1_Edit", -kLargest, kLargest},
            {PropField::Number, "Pozice Y1", "Y1_Edit", -kLargest, kLargest},
            {PropField::Number, "Pozice X2", "X2_Edit", -kLargest, kLargest},
            {PropField::Number, "Pozice Y2", "Y2_Edit", -kLargest, kLargest},
            Symbol("Symbol X1", "SymX1_Edit"),
            Symbol("Symbol Y1", "SymY1_Edit"),
            Symbol("Symbol X2", "SymX2_Edit"),
            Symbol("Symbol Y2", "SymY2_Edit"),
            {PropField::Text, dataLabel, "Data_Edit", kText, 0}};
}

// The four corners with their ranges, the six symbols and the comment or data: what the line,
// rectangle and bar records hold after their options.
std::vector<PropFieldDef> CornerFieldDefs(std::int32_t low1, std::int32_t low2,
                                          const char* textLabel, const char* textName) {
    return {{PropField::Number, "pozice X1", "X1_Edit", low1, kLargest},
            {PropField::Number, "pozice Y1", "Y1_Edit", low1, kLargest},
            {PropField::Number, "", "X2_Edit", low2, kLargest},
            {PropField::Number, "", "Y2_Edit", low2, kLargest},
            Symbol("Symbol X1", "SymX1_Edit"),
            Symbol("Symbol Y1", "SymY1_Edit"),
            Symbol("Symbol X2", "SymX2_Edit"),
            Symbol("Symbol Y2", "SymY2_Edit"),
            Symbol("Symbol Dx", "SymDx_Edit"),
            Symbol("Symbol Dy", "SymDy_Edit"),
            {PropField::Text, textLabel, textName, kText, 0}};
}

std::vector<PropFieldDef> Join(std::vector<PropFieldDef> head, std::vector<PropFieldDef> tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

PropFieldDef RelativeCheck(bool lastOfField) {
    return {PropField::Check, "Rel Dx Dy", "RelDxDy_CheckBox", kOptUseRelDxDy, lastOfField};
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
          Symbol("Symbol X", "SymX1_Edit"),
          Symbol("Symbol Y", "SymY1_Edit"),
          {PropField::Text, "Komentář", "Comment_Edit", kText, 0}}},
        {"TLineProperties_Dlg", "Parametry objektu Úsečka (Line)",
         Join({RelativeCheck(false),
               {PropField::Check, "Směr JZ->SV", "LineSwNe_CheckBox", kOptLineSwNe, 1}},
              CornerFieldDefs(0, -kLargest, "Komentář", "Comment_Edit")),
         CornerDialog::Line},
        {"TRectangleProperties_Dlg", "Parametry objektu obdélník (Rect/FillRect)",
         Join({RelativeCheck(true)}, CornerFieldDefs(0, 0, "Komentář", "Comment_Edit")),
         CornerDialog::Rectangle},
        {"TCircleProperties_Dlg",
         "Parametry objektu kružnice (Circle)",
         {{PropField::Number, "Střed X", "CentreX_Edit", 0, kLargest},
          {PropField::Number, "Střed Y", "CentreY_Edit", 0, kLargest},
          {PropField::Number, "Poloměr", "Radius_Edit", 0, kLargest},
          Symbol("Symbol X", "SymX1_Edit"),
          Symbol("Symbol Y", "SymY1_Edit"),
          Symbol("Symbol poloměru", "SymR_Edit"),
          {PropField::Text, "Komentář", "Comment_Edit", kText, 0}}},
        {"TLCDGraphObjPropDlg", "Parametry objektu GRAPH", GraphFields("N,yData,yValMin,yValMax"),
         std::nullopt, PropCheck::Graph},
        {"TLCDGraphXYObjPropDlg", "Parametry objektu GraphXY",
         GraphFields("N,xData,yData,xValMin,xValMax,yValMin,yValMax"), std::nullopt,
         PropCheck::Graph},
        {"TLCDBarObjPropDlg", "Parametry objektu grafu typu BAR",
         Join({{PropField::Enum, "Směr grafu", "BarDirection_ComboBox", 0, 3}, RelativeCheck(true)},
              CornerFieldDefs(-kLargest, -kLargest, "Val,ValMin,ValMax", "Data_Edit")),
         CornerDialog::Bar},
        {"TRefProjCaseBmpLookUp_Dlg",
         "Parametry objektu Case BMP",
         {{PropField::BitmapBank, "Bitmapa", "BitmapBank_ComboBox", 0, 0},
          {PropField::Text, "Komentář", "Comment_Edit", kText, 0}}},
        {"TAlignment_Dlg",
         "Zarovnání pozice",
         {{PropField::Radio, "Horizontální", "HorzMode_RadioGroup", 0, 5},
          {PropField::Radio, "Vertikální", "VertMode_RadioGroup", 0, 5}}},
        {"TSingleAlign_Dlg",
         "Zarovnání pozice",
         {{PropField::Radio, "Horizontální", "HorzCentre_RadioGroup", 0, 1},
          {PropField::Radio, "Vertikální", "VertCentre_RadioGroup", 0, 1}}},
        {"TAlignSize_Dlg",
         "Srovnání rozměrů",
         {{PropField::Radio, "Šířka", "WidthMode_RadioGroup", 0, 3},
          {PropField::Radio, "Výška", "HeightMode_RadioGroup", 0, 3},
          {PropField::Number, "Nová šířka", "NewWidth_Edit", 0, kLargestSize},
          {PropField::Number, "Nová výška", "NewHeight_Edit", 0, kLargestSize}}},
        {"TRefProjBmpLookUp_Dlg",
         "Parametry obrazovky",
         {{PropField::Byte, "Číslo obrazovky", "ScrNum_Edit", 0, 255},
          {PropField::Text, "Identifikátor obrazovky", "ScrSymb_Edit", kSymbol, 0},
          {PropField::Text, "Název obrazovky", "ScrName_Edit", 64, 0},
          {PropField::BitmapBank, "Soubor podkladové bitmapy", "BmpNum_ComboBox", 0, 0}}},
        {"TRefProjHlpBmpLookUp_Dlg",
         "Parametry obrazovky Help",
         {{PropField::BitmapBank, "Soubor podkladové bitmapy", "HlpBmpNum_ComboBox", 0, 0}}},
    };
    return dialogs;
}

} // namespace

// ---- TObjectProp_Dlg

TObjectProp_Dlg::TObjectProp_Dlg(QWidget* owner, const char* caption,
                                 std::vector<PropFieldDef> fields, Unplaced)
    : TTrValDialog(owner), defs_(std::move(fields)) {
    setWindowTitle(Utf8(caption));
    BuildFields();
}

TObjectProp_Dlg::TObjectProp_Dlg(QWidget* owner, const char* caption,
                                 std::vector<PropFieldDef> fields, PropCheck check)
    : TObjectProp_Dlg(owner, caption, std::move(fields), Unplaced{}) {
    LayOutColumn();
    if (check == PropCheck::Graph) {
        RecordValidator().OnValidate = [this](TRecordValidator&, TrBuffer record) {
            // The graph type comes first, then the four corners.
            return Refuse(CheckGraphCorners(
                {0, IntIn(record, 1), IntIn(record, 2), IntIn(record, 3), IntIn(record, 4)}));
        };
    }
}

void TObjectProp_Dlg::BuildFields() {
    for (const PropFieldDef& f : defs_) {
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
        case PropField::Radio: {
            auto* group = new RadioGroup(this);
            group->setTitle(Utf8(f.label));
            auto& v = AddValidator<TTrMskEnumRadioGroup_Validator>();
            v.DefAttributs(0, f.low, 0xFF, f.high);
            widget = group;
            validator = &v;
            break;
        }
        case PropField::Check: {
            auto* box = new QCheckBox(Utf8(f.label), this);
            auto& v = AddValidator<TTrWordChecks_Validator>();
            v.DefAttributs(0, static_cast<std::uint16_t>(f.low), f.high != 0);
            widget = box;
            validator = &v;
            break;
        }
        case PropField::Byte: {
            auto& v = AddValidator<TTrByteEdit_Validator>();
            v.DefAttributs(0, f.low, f.high);
            widget = new QLineEdit(this);
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
            v.DefAttributs(0, static_cast<std::uint16_t>(f.low), PrintableChars());
            widget = new QLineEdit(this);
            validator = &v;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(f.name));
        widgets_.push_back(widget);
        validators_.push_back(validator);
    }
}

void TObjectProp_Dlg::LayOutColumn() {
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < defs_.size(); ++i) {
        // Radio groups and check boxes carry their own caption.
        if (defs_[i].kind == PropField::Radio || defs_[i].kind == PropField::Check)
            form->addRow(widgets_[i]);
        else
            form->addRow(Utf8(defs_[i].label), widgets_[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkStornoButtons());
    resize(440, sizeHint().height());
}

void TObjectProp_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    TransferTo(widgets_, validators_, buffer);
}

std::size_t TObjectProp_Dlg::OffsetOf(int index) {
    return static_cast<std::size_t>(Validator(index).DataPtr().data() -
                                    RecordValidator().Buffer().data());
}

std::int32_t TObjectProp_Dlg::IntIn(TrBuffer buffer, int index) {
    return ReadLE<std::int32_t>(buffer.data() + OffsetOf(index));
}

void TObjectProp_Dlg::SetIntIn(TrBuffer buffer, int index, std::int32_t value) {
    WriteLE<std::int32_t>(buffer.data() + OffsetOf(index), value);
}

std::uint16_t TObjectProp_Dlg::WordIn(TrBuffer buffer, int index) {
    return ReadLE<std::uint16_t>(buffer.data() + OffsetOf(index));
}

bool TObjectProp_Dlg::Refuse(const std::optional<std::string>& message) {
    if (!message)
        return true;
    MsgBox({}, *message, mb::kIconError | mb::kOk);
    return false;
}

// ---- TCornerProp_Dlg

TCornerProp_Dlg::TCornerProp_Dlg(QWidget* owner, const char* caption, CornerDialog dialog,
                                 std::vector<PropFieldDef> fields)
    : TObjectProp_Dlg(owner, caption, std::move(fields), Unplaced{}), dialog_(dialog) {
    std::vector<int> numbers;
    std::vector<int> symbols;
    int comment = -1;
    int direction = -1;
    for (int i = 0; i < FieldCount(); ++i) {
        switch (Def(i).kind) {
        case PropField::Check:
            checks_.push_back(i);
            break;
        case PropField::Number:
            numbers.push_back(i);
            break;
        case PropField::Enum:
            direction = i;
            break;
        default:
            if (Def(i).low == kSymbol)
                symbols.push_back(i);
            else
                comment = i;
            break;
        }
    }
    x1_ = numbers[0], y1_ = numbers[1], x2_ = numbers[2], y2_ = numbers[3];

    auto* grid = new QGridLayout;
    int row = 0;
    if (direction >= 0) {
        grid->addWidget(new QLabel(Utf8(Def(direction).label), this), row, 0);
        grid->addWidget(Field(direction), row++, 1);
    }
    for (std::size_t i = 0; i < checks_.size(); ++i)
        grid->addWidget(Field(checks_[i]), row, static_cast<int>(i) * 2, 1, 2);
    ++row;
    for (int i = 0; i < 2; ++i, ++row) {
        grid->addWidget(new QLabel(Utf8(Def(numbers[static_cast<std::size_t>(i)]).label), this),
                        row, 0);
        grid->addWidget(Field(numbers[static_cast<std::size_t>(i)]), row, 1);
        grid->addWidget(new QLabel(Utf8(Def(symbols[static_cast<std::size_t>(i)]).label), this),
                        row, 2);
        grid->addWidget(Field(symbols[static_cast<std::size_t>(i)]), row, 3);
    }
    // Two page sets, "Abs" and "Rel": the second corner's labels, and its symbols (SymX2, SymY2
    // or SymDx, SymDy).
    labels_ = new QStackedWidget(this);
    symbols_ = new QStackedWidget(this);
    const int editHeight = Field(x2_)->sizeHint().height();
    const std::array<std::array<const char*, 2>, 2> labelTexts{
        {{"pozice X2", "pozice Y2"}, {"šířka Dx", "výška Dy"}}};
    for (int page = 0; page < 2; ++page) {
        const char* name = page == 0 ? "Abs" : "Rel";
        auto* labelPage = new QWidget;
        labelPage->setObjectName(QString::fromLatin1(name));
        auto* labelGrid = new QGridLayout(labelPage);
        labelGrid->setContentsMargins(0, 0, 0, 0);
        auto* symbolPage = new QWidget;
        symbolPage->setObjectName(QString::fromLatin1(name));
        auto* symbolGrid = new QGridLayout(symbolPage);
        symbolGrid->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < 2; ++i) {
            auto* label = new QLabel(
                Utf8(labelTexts[static_cast<std::size_t>(page)][static_cast<std::size_t>(i)]),
                labelPage);
            label->setFixedHeight(editHeight);
            labelGrid->addWidget(label, i, 0);
            const int symbol = symbols[static_cast<std::size_t>(2 + page * 2 + i)];
            auto* symbolLabel = new QLabel(Utf8(Def(symbol).label), symbolPage);
            symbolLabel->setFixedHeight(editHeight);
            symbolGrid->addWidget(symbolLabel, i, 0);
            symbolGrid->addWidget(Field(symbol), i, 1);
        }
        labels_->addWidget(labelPage);
        symbols_->addWidget(symbolPage);
    }
    grid->addWidget(labels_, row, 0, 2, 1);
    grid->addWidget(Field(x2_), row, 1);
    grid->addWidget(Field(y2_), row + 1, 1);
    grid->addWidget(symbols_, row, 2, 2, 2);
    row += 2;
    grid->addWidget(new QLabel(Utf8(Def(comment).label), this), row, 0);
    grid->addWidget(Field(comment), row, 1, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkStornoButtons());
    resize(520, sizeHint().height());

    connect(qobject_cast<QCheckBox*>(Field(checks_[0])), &QCheckBox::clicked, this,
            [this] { RelativeClicked(); });
    if (checks_.size() > 1)
        connect(qobject_cast<QCheckBox*>(Field(checks_[1])), &QCheckBox::clicked, this,
                [this] { DirectionClicked(); });
    RecordValidator().OnValidate = [this](TRecordValidator&, TrBuffer record) {
        return Refuse(CheckCorners(dialog_, CornersIn(record)));
    };
}

void TCornerProp_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    struct Filling {
        bool& flag;
        explicit Filling(bool& f) : flag(f) { flag = true; }
        ~Filling() { flag = false; }
    };
    {
        const Filling filling(filling_);
        TObjectProp_Dlg::MapDialogData(buffer);
    }
    ShowPages(!RecordValidator().Buffer().empty() &&
              (CornersIn(RecordValidator().Buffer()).options & kOptUseRelDxDy) != 0);
}

QString TCornerProp_Dlg::ShownPage() const {
    return labels_->currentWidget()->objectName();
}

CornerFields TCornerProp_Dlg::CornersIn(TrBuffer buffer) {
    return {WordIn(buffer, checks_.front()), IntIn(buffer, x1_), IntIn(buffer, y1_),
            IntIn(buffer, x2_), IntIn(buffer, y2_)};
}

bool TCornerProp_Dlg::TakeFields(std::initializer_list<int> fields, QCheckBox* box) {
    std::vector<int> taken = checks_;
    taken.insert(taken.end(), fields.begin(), fields.end());
    for (const int field : taken) {
        if (!Validator(field).Validate()) {
            UndoClick(box);
            return false;
        }
    }
    for (const int field : taken)
        Validator(field).StoreData();
    return true;
}

void TCornerProp_Dlg::Refill(std::initializer_list<int> fields) {
    filling_ = true;
    for (const int field : fields)
        Validator(field).FillToControl(Validator(field).DataPtr());
    filling_ = false;
}

void TCornerProp_Dlg::RelativeClicked() {
    auto* box = qobject_cast<QCheckBox*>(Field(checks_[0]));
    if (filling_ || RecordValidator().Buffer().empty())
        return;
    Guarded([&] {
        if (!TakeFields({x1_, y1_, x2_, y2_}, box))
            return;
        const TrBuffer record = RecordValidator().Buffer();
        CornerFields corners = CornersIn(record);
        ApplyRelativeToggle(corners);
        if (!InRange({corners.x2, corners.y2}, box))
            return;
        SetIntIn(record, x2_, corners.x2);
        SetIntIn(record, y2_, corners.y2);
        Refill({x2_, y2_});
        ShowPages((corners.options & kOptUseRelDxDy) != 0);
    });
}

void TCornerProp_Dlg::DirectionClicked() {
    auto* box = qobject_cast<QCheckBox*>(Field(checks_[1]));
    if (filling_ || RecordValidator().Buffer().empty())
        return;
    Guarded([&] {
        if (!TakeFields({x1_, x2_}, box))
            return;
        const TrBuffer record = RecordValidator().Buffer();
        CornerFields corners = CornersIn(record);
        ApplyDirectionToggle(corners);
        if (!InRange({corners.x1, corners.x2}, box))
            return;
        SetIntIn(record, x1_, corners.x1);
        SetIntIn(record, x2_, corners.x2);
        Refill({x1_, x2_});
    });
}

bool TCornerProp_Dlg::InRange(std::initializer_list<std::int32_t> values, QCheckBox* box) {
    // Converting may leave the edits' range (a width of 60000 from -30000 .. 30000): the click is
    // undone, so the edits never show what the dialog would refuse.
    if (std::ranges::all_of(values, [](std::int32_t v) { return v >= -kLargest && v <= kLargest; }))
        return true;
    UndoClick(box);
    MsgBox({}, Utf8ToCp1250("Chyba : výsledná hodnota mimo meze <-32767;32767>"),
           mb::kIconError | mb::kOk);
    return false;
}

void TCornerProp_Dlg::UndoClick(QCheckBox* box) {
    filling_ = true;
    box->setChecked(!box->isChecked());
    filling_ = false;
    // The stored bits follow the box again.
    for (const int check : checks_) {
        Validator(check).Validate();
        Validator(check).StoreData();
    }
}

void TCornerProp_Dlg::ShowPages(bool relative) {
    labels_->setCurrentIndex(relative ? 1 : 0);
    symbols_->setCurrentIndex(relative ? 1 : 0);
}

void RegisterPropertyDialogs() {
    for (const DialogDef& def : Dialogs()) {
        if (FindDialogClass(def.name) != nullptr)
            continue;
        RegisterDialog(def.name, [&def](QWidget* owner) -> std::unique_ptr<TValidatedDialog> {
            if (def.corners)
                return std::make_unique<TCornerProp_Dlg>(owner, def.caption, *def.corners,
                                                         def.fields);
            return std::make_unique<TObjectProp_Dlg>(owner, def.caption, def.fields, def.check);
        });
    }
}

} // namespace panolcd
