#include "editor/ui/editordialogs.h"

#include "common/ui/qtext.h"
#include "editor/ui/smarteditor.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/ui/helpviewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace panolcd {

// ---- THistoryBox

class THistoryBox final : public QComboBox {
public:
    explicit THistoryBox(QWidget* parent) : QComboBox(parent) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
    }
    std::string Text() const { return FromQString(currentText()); }
    void SetText(const std::string& text) { setEditText(ToQString(text)); }
    // The box's text joins its list, newest first.
    void Remember(bool keepBlank = false) {
        const std::string text = Text();
        RememberInHistory(history_, text, keepBlank);
        const QSignalBlocker blocker(this);
        clear();
        for (const std::string& item : history_)
            addItem(ToQString(item));
        setEditText(ToQString(text));
    }

private:
    std::vector<std::string> history_;
};

namespace {

QRadioButton* Radio(const char* caption, QWidget* parent) {
    return new QRadioButton(Utf8(caption), parent);
}

QGroupBox* Group(const char* title, QWidget* first, QWidget* second) {
    auto* group = new QGroupBox(Utf8(title));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

// OK, Storno and Nápověda; Storno and Nápověda take no focus, so that leaving a box for them
// checks nothing.
QDialogButtonBox* Buttons(QDialog* dialog, int helpContext) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    ok->setObjectName(QStringLiteral("btnOk"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setFocusPolicy(Qt::NoFocus);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (helpContext != 0) {
        QPushButton* help =
            buttons->addButton(QString::fromUtf8("&Nápověda"), QDialogButtonBox::HelpRole);
        help->setObjectName(QStringLiteral("btnHelp"));
        help->setFocusPolicy(Qt::NoFocus);
        QObject::connect(help, &QPushButton::clicked, dialog,
                         [helpContext] { ShowHelpTopic(helpContext); });
    }
    return buttons;
}

} // namespace

// ---- TSearchDialog

TSearchDialog::TSearchDialog(QWidget* parent, const char* caption, bool replace) : QDialog(parent) {
    setWindowTitle(Utf8(caption));
    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QGridLayout;
    find_ = new THistoryBox(this);
    find_->setObjectName(QStringLiteral("cbFind"));
    auto* findLabel = new QLabel(QString::fromUtf8("&Najít text:"), this);
    findLabel->setBuddy(find_);
    boxes->addWidget(findLabel, 0, 0);
    boxes->addWidget(find_, 0, 1);
    if (replace) {
        replace_ = new THistoryBox(this);
        replace_->setObjectName(QStringLiteral("cbReplace"));
        auto* replaceLabel = new QLabel(QString::fromUtf8("N&ahradit textem:"), this);
        replaceLabel->setBuddy(replace_);
        boxes->addWidget(replaceLabel, 1, 0);
        boxes->addWidget(replace_, 1, 1);
    }
    boxes->setColumnStretch(1, 1);
    layout->addLayout(boxes);

    case_ = new QCheckBox(QString::fromUtf8("&Rozlišovat malá a velká"), this);
    words_ = new QCheckBox(QString::fromUtf8("Pouze celá &slova"), this);
    forwards_ = Radio("&Dopředu", this);
    backwards_ = Radio("Do&zadu", this);
    global_ = Radio("&Celý text", this);
    selected_ = Radio("&Označený text", this);
    fromCursor_ = Radio(replace ? "&Od místa &kurzoru" : "Od místa &kurzoru", this);
    entireScope_ = Radio(replace ? "O&d začátku (konce)" : "O&d začatku (konce)", this);
    auto* parameters = new QGroupBox(QString::fromUtf8("Parametry:"), this);
    auto* parameterLayout = new QVBoxLayout(parameters);
    parameterLayout->addWidget(case_);
    parameterLayout->addWidget(words_);
    if (replace) {
        prompt_ = new QCheckBox(QString::fromUtf8("&Potvrzovat náhradu"), this);
        parameterLayout->addWidget(prompt_);
    }
    auto* groups = new QGridLayout;
    groups->addWidget(parameters, 0, 0);
    groups->addWidget(Group("Směr:", forwards_, backwards_), 0, 1);
    groups->addWidget(Group("Oblast:", global_, selected_), 1, 0);
    groups->addWidget(Group("Počátek:", fromCursor_, entireScope_), 1, 1);
    layout->addLayout(groups);
    forwards_->setChecked(true);
    global_->setChecked(true);
    fromCursor_->setChecked(true);
    for (const auto& [box, name] :
         std::initializer_list<std::pair<QWidget*, const char*>>{{case_, "chbCase"},
                                                                 {words_, "chbWords"},
                                                                 {forwards_, "rbForwards"},
                                                                 {backwards_, "rbBackwards"},
                                                                 {global_, "rbGlobal"},
                                                                 {selected_, "rbSelText"},
                                                                 {fromCursor_, "rbFromCursor"},
                                                                 {entireScope_, "rbEntireScope"}})
        box->setObjectName(QString::fromLatin1(name));
    if (prompt_ != nullptr)
        prompt_->setObjectName(QStringLiteral("chbPrompt"));
}

QComboBox* TSearchDialog::FindBox() const {
    return find_;
}

std::uint8_t TSearchDialog::Flags() const {
    std::uint8_t flags = 0;
    if (case_->isChecked())
        flags |= sf::kMatchCase;
    if (words_->isChecked())
        flags |= sf::kWholeWords;
    if (prompt_ != nullptr && prompt_->isChecked())
        flags |= sf::kPrompt;
    if (backwards_->isChecked())
        flags |= sf::kBackwards;
    if (selected_->isChecked())
        flags |= sf::kSelection;
    if (fromCursor_->isChecked())
        flags |= sf::kFromCaret;
    return flags;
}

void TSearchDialog::SetFlags(std::uint8_t flags) {
    case_->setChecked((flags & sf::kMatchCase) != 0);
    words_->setChecked((flags & sf::kWholeWords) != 0);
    if (prompt_ != nullptr)
        prompt_->setChecked((flags & sf::kPrompt) != 0);
    ((flags & sf::kBackwards) != 0 ? backwards_ : forwards_)->setChecked(true);
    ((flags & sf::kSelection) != 0 ? selected_ : global_)->setChecked(true);
    ((flags & sf::kFromCaret) != 0 ? fromCursor_ : entireScope_)->setChecked(true);
}

int TSearchDialog::ExecInFindBox() {
    find_->setFocus();
    find_->lineEdit()->selectAll();
    return exec();
}

bool TSearchDialog::Execute() {
    return ExecInFindBox() == QDialog::Accepted;
}

// ---- TSmartFindForm

TSmartFindForm::TSmartFindForm(QWidget* parent) : TSearchDialog(parent, "Najít text", false) {
    setObjectName(QStringLiteral("TSmartFindForm"));
    layout()->addWidget(Buttons(this, 500));
    resize(358, 205);
}

void TSmartFindForm::SetSearchSettings(const TSearchSettings& settings) {
    SetFlags(settings.flags);
    find_->SetText(settings.findText);
    find_->Remember();
}

TSearchSettings TSmartFindForm::GetSearchSettings() const {
    TSearchSettings settings;
    settings.flags = Flags();
    settings.findText = find_->Text();
    return settings;
}

// ---- TSmartReplaceForm

TSmartReplaceForm::TSmartReplaceForm(QWidget* parent)
    : TSearchDialog(parent, "Nahradit text", true) {
    setObjectName(QStringLiteral("TSmartReplaceForm"));
    QDialogButtonBox* buttons = Buttons(this, 501);
    QPushButton* all =
        buttons->addButton(QString::fromUtf8("Nahradit &vše"), QDialogButtonBox::ActionRole);
    all->setObjectName(QStringLiteral("btnReplaceAll"));
    connect(all, &QPushButton::clicked, this, [this] { done(kReplaceAllResult); });
    layout()->addWidget(buttons);
    resize(360, 254);
}

QComboBox* TSmartReplaceForm::ReplaceBox() const {
    return replace_;
}

void TSmartReplaceForm::SetReplaceSettings(const TReplaceSettings& settings) {
    SetFlags(settings.flags);
    find_->SetText(settings.findText);
    replace_->SetText(settings.replaceText);
    find_->Remember();
    replace_->Remember();
}

TReplaceSettings TSmartReplaceForm::GetReplaceSettings() const {
    TReplaceSettings settings;
    settings.flags = Flags();
    settings.findText = find_->Text();
    settings.replaceText = replace_->Text();
    return settings;
}

bool TSmartReplaceForm::Execute(bool& all) {
    const int result = ExecInFindBox();
    all = result == kReplaceAllResult;
    return result == QDialog::Accepted || all;
}

// ---- TGotoLineForm

TGotoLineForm::TGotoLineForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TGotoLineForm"));
    setWindowTitle(QString::fromUtf8("Přejít na řádku"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8("Přejít na řádku číslo:"), this);
    line_ = new THistoryBox(this);
    line_->setObjectName(QStringLiteral("cbLineNumber"));
    label->setBuddy(line_);
    layout->addWidget(label);
    layout->addWidget(line_);
    layout->addWidget(Buttons(this, 0));
    resize(350, 113);
}

QComboBox* TGotoLineForm::LineBox() const {
    return line_;
}

void TGotoLineForm::SetLineNumber(std::int32_t line) {
    line_->SetText(std::to_string(line));
}

bool TGotoLineForm::Execute() {
    line_->Remember(true);
    line_->setFocus();
    line_->lineEdit()->selectAll();
    return exec() == QDialog::Accepted;
}

std::int32_t TGotoLineForm::LineNumber() const {
    return BoxInteger(line_->Text(), 1);
}

void TGotoLineForm::accept() {
    if (std::optional<std::string> error = RangeError(line_->Text(), 1, MaxLine)) {
        MsgBox("Chyba", *error, mb::kIconError);
        line_->setFocus();
        return;
    }
    QDialog::accept();
}

// ---- TColorGrid

class TColorGrid final : public QWidget {
public:
    TColorGrid(TSmartOptForm* form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("ColorGrid"));
        setFixedSize(4 * kCell, 4 * kCell);
    }
    static constexpr int kCell = 24;
    // Marks of the element's colours; none for a colour that is not on the grid.
    std::optional<int> foreground, background;
    static QRect CellRect(int index) {
        return {index % 4 * kCell, index / 4 * kCell, kCell, kCell};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int i = 0; i < 16; ++i) {
            const QRect cell = CellRect(i).adjusted(1, 1, -1, -1);
            painter.fillRect(cell, ColourOf(kGridColours[static_cast<std::size_t>(i)]));
            painter.setPen(Qt::gray);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            const QColor ink =
                i == 0 || (i >= 1 && i <= 7 && i != 3 && i != 6) || i == 12 ? Qt::white : Qt::black;
            painter.setPen(ink);
            if (foreground == i)
                painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("FG"));
            if (background == i)
                painter.drawText(cell, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("BG"));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const int index = at.y() / kCell * 4 + at.x() / kCell;
        if (index < 0 || index >= 16)
            return;
        if (event->button() == Qt::LeftButton)
            form_->PickGridColour(index, false);
        else if (event->button() == Qt::RightButton)
            form_->PickGridColour(index, true);
    }

private:
    TSmartOptForm* form_;
};

// ---- TSmartOptForm

TSmartOptForm::TSmartOptForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TSmartOptForm"));
    setWindowTitle(QString::fromUtf8("Nastavení editoru"));
    std::vector<FontFamily> families;
    for (const QString& family : QFontDatabase::families())
        families.push_back({FromQString(family), QFontDatabase::isFixedPitch(family)});
    model_.fonts = EditorFontList(families);

    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->addTab(BuildEditorPage(), QStringLiteral("Editor"));
    pages_->addTab(BuildDisplayPage(), QString::fromUtf8("Zobrazování"));
    colourPage_ = BuildColourPage();
    pages_->addTab(colourPage_, QStringLiteral("Barvy"));
    layout->addWidget(pages_);
    QDialogButtonBox* buttons = Buttons(this, 0);
    QPushButton* help =
        buttons->addButton(QString::fromUtf8("&Nápověda"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("btnHelp"));
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(pages_->currentIndex() == 0 ? 100 : 502); });
    layout->addWidget(buttons);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (pages_->widget(page) == colourPage_)
            RefreshSample();
    });
    resize(441, 400);
}

TSmartOptForm::~TSmartOptForm() = default;

QWidget* TSmartOptForm::BuildEditorPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* speedRow = new QHBoxLayout;
    presets_ = new QComboBox(page);
    presets_->setObjectName(QStringLiteral("cbOptionsSpeed"));
    presets_->addItem(QString::fromUtf8("Standardní (Windows)"));
    presets_->addItem(QString::fromUtf8("Klasické (Borland IDE)"));
    presets_->setCurrentIndex(1);
    connect(presets_, &QComboBox::activated, this, [this](int preset) {
        ReadControls();
        model_.ApplyPreset(preset);
        ShowModel();
    });
    auto* speedLabel = new QLabel(QString::fromUtf8("&Rychlé nastavení:"), page);
    speedLabel->setBuddy(presets_);
    speedRow->addWidget(speedLabel);
    speedRow->addWidget(presets_, 1);
    layout->addLayout(speedRow);

    auto* options = new QGroupBox(QStringLiteral("Volby"), page);
    auto* grid = new QGridLayout(options);
    for (std::size_t i = 0; i < 16; ++i) {
        auto* box = new QCheckBox(ToQString(OptionBoxes()[i].caption), options);
        grid->addWidget(box, static_cast<int>(i % 8), static_cast<int>(i / 8));
        optionBoxes_[i] = box;
    }
    layout->addWidget(options);

    auto* numbers = new QGridLayout;
    const struct {
        NumberBox box;
        const char* label;
        const char* name;
    } boxes[] = {{NumberBox::BlockIndent, "&Odsazení bloku:", "cbBlockIndent"},
                 {NumberBox::UndoLimit, "&Undo limit:", "cbUndoLimit"},
                 {NumberBox::TabSize, "Šířka &tabulátoru:", "cbTabSize"}};
    int row = 0;
    for (const auto& entry : boxes) {
        auto* box = new THistoryBox(page);
        box->setObjectName(QString::fromLatin1(entry.name));
        box->installEventFilter(this);
        auto* label = new QLabel(Utf8(entry.label), page);
        label->setBuddy(box);
        numbers->addWidget(label, row, 0);
        numbers->addWidget(box, row, 1);
        numberBoxes_[static_cast<std::size_t>(entry.box)] = box;
        ++row;
    }
    extensions_ = new THistoryBox(page);
    extensions_->setObjectName(QStringLiteral("cbSyntaxHighlight"));
    auto* extensionLabel = new QLabel(QString::fromUtf8("Zvýrazňovat &syntaxi u:"), page);
    extensionLabel->setBuddy(extensions_);
    numbers->addWidget(extensionLabel, row, 0);
    numbers->addWidget(extensions_, row, 1);
    layout->addLayout(numbers);
    layout->addStretch();
    return page;
}

QWidget* TSmartOptForm::BuildDisplayPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    auto* numbersGroup = new QGroupBox(QString::fromUtf8("Čísla řádek"), page);
    auto* numbersLayout = new QVBoxLayout(numbersGroup);
    const char* const captions[] = {"Ne&zobrazovat", "&Malé písmo", "Velik&ost nastaveného písma"};
    const char* const names[] = {"rbLnHiden", "rbLnSmall", "rbLnDefault"};
    for (std::size_t i = 0; i < 3; ++i) {
        lineNumbers_[i] = Radio(captions[i], numbersGroup);
        lineNumbers_[i]->setObjectName(QString::fromLatin1(names[i]));
        numbersLayout->addWidget(lineNumbers_[i]);
    }
    layout->addWidget(numbersGroup, 0, 0);

    auto* keys = new QWidget(page);
    auto* keysLayout = new QVBoxLayout(keys);
    keysLayout->setContentsMargins(0, 0, 0, 0);
    keyMaps_ = new QListWidget(keys);
    keyMaps_->setObjectName(QStringLiteral("lbKeystrokeMap"));
    keyMaps_->addItem(QString::fromUtf8("Standardní (Windows)"));
    keyMaps_->addItem(QString::fromUtf8("Klasická (Borland IDE)"));
    keyMaps_->setMaximumHeight(48);
    auto* keysLabel = new QLabel(QString::fromUtf8("Profil &klávesnice:"), keys);
    keysLabel->setBuddy(keyMaps_);
    keysLayout->addWidget(keysLabel);
    keysLayout->addWidget(keyMaps_);
    layout->addWidget(keys, 0, 1);

    optionBoxes_[18] = new QCheckBox(ToQString(OptionBoxes()[18].caption), page);
    layout->addWidget(optionBoxes_[18], 1, 0, 1, 2);
    const struct {
        std::size_t option;
        NumberBox box;
        const char* label;
        const char* name;
    } framed[] = {{16, NumberBox::RightMargin, "&Sloupec :", "cbRightMargin"},
                  {17, NumberBox::GutterWidth, "Šířka p&anelu:", "cbGutterWidth"}};
    int row = 2;
    for (const auto& entry : framed) {
        optionBoxes_[entry.option] =
            new QCheckBox(ToQString(OptionBoxes()[entry.option].caption), page);
        auto* box = new THistoryBox(page);
        box->setObjectName(QString::fromLatin1(entry.name));
        box->installEventFilter(this);
        auto* label = new QLabel(Utf8(entry.label), page);
        label->setBuddy(box);
        auto* line = new QHBoxLayout;
        line->addWidget(label);
        line->addWidget(box, 1);
        layout->addWidget(optionBoxes_[entry.option], row, 0);
        layout->addLayout(line, row, 1);
        numberBoxes_[static_cast<std::size_t>(entry.box)] = box;
        ++row;
    }

    fontName_ = new QComboBox(page);
    fontName_->setObjectName(QStringLiteral("cbFontName"));
    for (const std::string& font : model_.fonts)
        fontName_->addItem(ToQString(font));
    auto* fontLabel = new QLabel(QString::fromUtf8("&Font editoru:"), page);
    fontLabel->setBuddy(fontName_);
    auto* height = new THistoryBox(page);
    height->setObjectName(QStringLiteral("cbFontHeight"));
    height->installEventFilter(this);
    numberBoxes_[static_cast<std::size_t>(NumberBox::FontSize)] = height;
    auto* heightLabel = new QLabel(QString::fromUtf8("&Velikost:"), page);
    heightLabel->setBuddy(height);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fontName_, 1);
    fontRow->addWidget(heightLabel);
    fontRow->addWidget(height);
    layout->addWidget(fontLabel, row, 0);
    layout->addLayout(fontRow, row, 1);
    ++row;
    example_ = new QLabel(QStringLiteral("AaBbYyZz"), page);
    example_->setObjectName(QStringLiteral("pnlFontExample"));
    example_->setFrameShape(QFrame::StyledPanel);
    example_->setAlignment(Qt::AlignCenter);
    example_->setMinimumHeight(40);
    layout->addWidget(new QLabel(QString::fromUtf8("Příklad:"), page), row, 0);
    layout->addWidget(example_, row, 1);
    connect(fontName_, &QComboBox::activated, this, [this](int index) {
        QFont font = example_->font();
        font.setFamily(fontName_->itemText(index));
        example_->setFont(font);
    });
    layout->setRowStretch(row + 1, 1);
    return page;
}

QWidget* TSmartOptForm::BuildColourPage() {
    auto* page = new QWidget;
    schemes_ = new QComboBox(page);
    schemes_->setObjectName(QStringLiteral("cbColorSpeed"));
    auto* schemeLabel = new QLabel(QString::fromUtf8("&Rychlé nastavení:"), page);
    schemeLabel->setBuddy(schemes_);
    schemeLabel->setGeometry(8, 8, 120, 20);
    schemes_->setGeometry(130, 6, 270, 24);
    connect(schemes_, &QComboBox::activated, this, [this](int scheme) {
        ReadControls();
        model_.PickScheme(scheme);
        ShowAttributes();
        RefreshSample();
    });
    elements_ = new QListWidget(page);
    elements_->setObjectName(QStringLiteral("lbElement"));
    auto* elementLabel = new QLabel(QString::fromUtf8("&Element:"), page);
    elementLabel->setBuddy(elements_);
    elementLabel->setGeometry(8, 36, 120, 18);
    elements_->setGeometry(8, 54, 150, 132);
    connect(elements_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0)
            return;
        model_.element = elements_->item(row)->data(Qt::UserRole).toInt();
        ShowAttributes();
    });
    grid_ = new TColorGrid(this, page);
    auto* gridLabel = new QLabel(QString::fromUtf8("&Barva:"), page);
    gridLabel->setBuddy(grid_);
    grid_->setFocusPolicy(Qt::StrongFocus);
    gridLabel->setGeometry(170, 36, 100, 18);
    grid_->move(170, 54);
    auto* attributes = new QGroupBox(QString::fromUtf8("Atributy textu:"), page);
    attributes->setGeometry(280, 48, 120, 110);
    auto* attributeLayout = new QVBoxLayout(attributes);
    const char* const captions[] = {"&Tučné", "&Kurzíva", "&Podtržené"};
    const char* const names[] = {"chbBold", "chbItalic", "chbUnderline"};
    for (int bit = 0; bit < 3; ++bit) {
        QCheckBox* box = new QCheckBox(Utf8(captions[bit]), attributes);
        box->setObjectName(QString::fromLatin1(names[bit]));
        attributeLayout->addWidget(box);
        styles_[static_cast<std::size_t>(bit)] = box;
        connect(box, &QCheckBox::clicked, this, [this, bit](bool on) {
            model_.SetStyleBit(bit, on);
            RefreshSample();
        });
    }
    page->setMinimumSize(410, 320);
    return page;
}

QComboBox* TSmartOptForm::NumberBoxOf(NumberBox box) const {
    return numberBoxes_[static_cast<std::size_t>(box)];
}

QCheckBox* TSmartOptForm::OptionBoxOf(int bit) const {
    for (std::size_t i = 0; i < OptionBoxes().size(); ++i) {
        if (OptionBoxes()[i].bit == bit)
            return optionBoxes_[i];
    }
    return nullptr;
}

void TSmartOptForm::SetEditorClass(EditorFactory make) {
    if (make == class_)
        return;
    class_ = make;
    delete sample_;
    sample_ = make(colourPage_);
    sample_->setObjectName(QStringLiteral("SampleEditor"));
    sample_->setGeometry(8, 192, 400, 120);
    sample_->SetDisplayOnly(true);
    sample_->Core().SetHighlightActive(true);
    sample_->setFocusPolicy(Qt::NoFocus);
    sample_->viewport()->installEventFilter(this);
    sample_->show();
    model_.SetEditorClass(&sample_->Core().Syntax());
    const EditorSyntax& syntax = sample_->Core().Syntax();
    const QSignalBlocker blockElements(elements_);
    elements_->clear();
    for (int i = 0; i < syntax.ElementCount(); ++i) {
        auto* item = new QListWidgetItem(ToQString(syntax.ElementName(i)), elements_);
        item->setData(Qt::UserRole, i);
    }
    const QSignalBlocker blockSchemes(schemes_);
    schemes_->clear();
    for (int i = 0; i < syntax.SchemeCount(); ++i)
        schemes_->addItem(ToQString(syntax.SchemeName(i)), i);
    schemes_->setCurrentIndex(0);
}

void TSmartOptForm::LoadSettings(const TSmartEditorSettings& settings) {
    model_.Load(settings);
    ShowModel();
    for (THistoryBox* box : numberBoxes_)
        box->Remember();
    extensions_->Remember();
    QFont font = example_->font();
    font.setFamily(ToQString(settings.FontName));
    font.setPointSize(std::clamp(settings.FontSize, 1, 72));
    example_->setFont(font);
    {
        const QSignalBlocker blocker(elements_);
        elements_->setCurrentRow(0);
    }
    ShowAttributes();
    RefreshSample();
}

bool TSmartOptForm::Execute() {
    if (sample_ != nullptr) {
        sample_->Core().Clear();
        sample_->Core().InsertText(FromQString(SampleText));
        sample_->Core().SetCaretOffset(0);
        sample_->Core().History().Clear();
        RefreshSample();
    }
    return exec() == QDialog::Accepted;
}

void TSmartOptForm::StoreSettings(TSmartEditorSettings& settings) {
    ReadControls();
    model_.Store(settings);
}

void TSmartOptForm::ReadControls() {
    for (std::size_t i = 0; i < OptionBoxes().size(); ++i)
        model_.SetOption(OptionBoxes()[i].bit, optionBoxes_[i]->isChecked());
    for (std::size_t i = 0; i < numberBoxes_.size(); ++i)
        model_.numbers[i] = numberBoxes_[i]->Text();
    model_.extensions = extensions_->Text();
    model_.fontIndex = fontName_->currentIndex();
    model_.keyMapping = keyMaps_->currentRow();
    model_.lineNumbers = lineNumbers_[0]->isChecked()   ? ShowLineNumbers::Hidden
                         : lineNumbers_[1]->isChecked() ? ShowLineNumbers::SmallFont
                                                        : ShowLineNumbers::DefaultFont;
}

void TSmartOptForm::ShowModel() {
    for (std::size_t i = 0; i < OptionBoxes().size(); ++i)
        optionBoxes_[i]->setChecked(model_.Option(OptionBoxes()[i].bit));
    for (std::size_t i = 0; i < numberBoxes_.size(); ++i)
        numberBoxes_[i]->SetText(model_.numbers[i]);
    extensions_->SetText(model_.extensions);
    fontName_->setCurrentIndex(model_.fontIndex);
    if (model_.keyMapping >= 0)
        keyMaps_->setCurrentRow(model_.keyMapping);
    lineNumbers_[static_cast<std::size_t>(model_.lineNumbers)]->setChecked(true);
}

void TSmartOptForm::ShowAttributes() {
    const int element = model_.element;
    if (element < 0 || element >= static_cast<int>(model_.elements.size()))
        return;
    const TLexElementMap& map = model_.elements[static_cast<std::size_t>(element)];
    const bool applies = model_.StyleApplies();
    for (int bit = 0; bit < 3; ++bit) {
        QCheckBox* box = styles_[static_cast<std::size_t>(bit)];
        box->setChecked((map.Style & (1u << bit)) != 0);
        box->setEnabled(applies);
    }
    grid_->foreground = GridIndexOf(map.Foreground);
    grid_->background = GridIndexOf(map.Background);
    grid_->update();
}

void TSmartOptForm::PickGridColour(int index, bool background) {
    const int element = model_.element;
    if (element < 0 || element >= static_cast<int>(model_.elements.size()))
        return;
    (background ? grid_->background : grid_->foreground) = index;
    // A colour that is not on the grid stays until the user picks another.
    const TLexElementMap& map = model_.elements[static_cast<std::size_t>(element)];
    const std::uint32_t foreground =
        grid_->foreground ? kGridColours[static_cast<std::size_t>(*grid_->foreground)]
                          : map.Foreground;
    const std::uint32_t back = grid_->background
                                   ? kGridColours[static_cast<std::size_t>(*grid_->background)]
                                   : map.Background;
    model_.PickColours(foreground, back);
    grid_->update();
    RefreshSample();
}

void TSmartOptForm::RefreshSample() {
    if (sample_ == nullptr)
        return;
    ReadControls();
    TSmartEditorSettings settings = sample_->Settings();
    model_.Store(settings);
    sample_->ApplySettings(settings);
    sample_->Core().SetHighlightActive(true);
    sample_->Refresh();
}

void TSmartOptForm::Report(const TSmartOptModel::Failure& failure) {
    checking_ = true;
    MsgBox("Chyba", failure.message, mb::kIconError);
    QComboBox* box = NumberBoxOf(failure.box);
    pages_->setCurrentWidget(box->parentWidget());
    box->setFocus();
    checking_ = false;
}

void TSmartOptForm::accept() {
    ReadControls();
    if (std::optional<TSmartOptModel::Failure> failure = model_.CheckAll()) {
        Report(*failure);
        return;
    }
    QDialog::accept();
}

bool TSmartOptForm::eventFilter(QObject* watched, QEvent* event) {
    if (sample_ != nullptr && watched == sample_->viewport() &&
        event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const int element = sample_->ElementAt(mouse->position().toPoint());
            for (int row = 0; row < elements_->count(); ++row) {
                if (elements_->item(row)->data(Qt::UserRole).toInt() == element)
                    elements_->setCurrentRow(row);
            }
        }
        return false;
    }
    // Leaving a box for another control checks it; a popup, a message box or the dialog
    // closing takes the focus without leaving.
    const auto focusLeft = [event] {
        if (event->type() != QEvent::FocusOut)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
    };
    if (focusLeft() && !checking_ && isVisible()) {
        ReadControls();
        std::optional<TSmartOptModel::Failure> failure;
        if (watched == NumberBoxOf(NumberBox::FontSize)) {
            failure = model_.CheckFontSize();
            if (!failure) {
                QFont font = example_->font();
                font.setPointSize(BoxInteger(model_.Number(NumberBox::FontSize), 5));
                example_->setFont(font);
            }
        } else {
            failure = model_.CheckNumbers();
        }
        if (failure)
            Report(*failure);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- TEditorDialogs

namespace {
TEditorDialogs* gDialogs = nullptr;
}

TEditorDialogs::TEditorDialogs(QWidget* parent)
    : find(new TSmartFindForm(parent)), replace(new TSmartReplaceForm(parent)),
      gotoLine(new TGotoLineForm(parent)), options(new TSmartOptForm(parent)) {
    gDialogs = this;
}

TEditorDialogs::~TEditorDialogs() {
    if (gDialogs == this)
        gDialogs = nullptr;
}

TEditorDialogs* TEditorDialogs::Instance() {
    return gDialogs;
}

} // namespace panolcd
