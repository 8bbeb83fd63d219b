// The Qt widgets behind the controls validators serve.

#include "framework/dataentry/ui/qtcontrols.h"

#include "common/ui/qtext.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace panolcd {

namespace {

// Unchecks a button that is the checked one of an exclusive group, which Qt refuses otherwise.
void Uncheck(QAbstractButton* button) {
    if (!button->isChecked())
        return;
    QButtonGroup* group = button->group();
    const bool groupExclusive = group != nullptr && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

} // namespace

QString MemoTextToQt(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            lines += text[i];
        }
    }
    return ToQString(lines);
}

std::string MemoTextFromQt(const QString& text) {
    std::string lines;
    for (const char c : FromQString(text)) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    return lines;
}

int RecordLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

// ---- RadioGroup

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), group_(new QButtonGroup(this)), layout_(new QVBoxLayout(this)) {
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemChosen);
}

void RadioGroup::SetItems(const QStringList& items) {
    const QList<QAbstractButton*> old = group_->buttons();
    for (QAbstractButton* button : old) {
        group_->removeButton(button);
        delete button;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout_->addWidget(button);
    }
}

int RadioGroup::Count() const {
    return static_cast<int>(group_->buttons().size());
}

QString RadioGroup::ItemText(int index) const {
    const QAbstractButton* button = group_->button(index);
    return button == nullptr ? QString() : button->text();
}

int RadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = group_->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = group_->checkedButton()) {
        Uncheck(checked);
        emit itemIndexChanged(-1);
    }
}

// ---- QtControl

bool QtControl::IsVisible() const {
    return widget_ != nullptr && !widget_->isHidden();
}

void QtControl::SetVisible(bool visible) {
    if (widget_)
        widget_->setVisible(visible);
}

bool QtControl::IsEnabled() const {
    return widget_ != nullptr && widget_->isEnabled();
}

void QtControl::SetEnabled(bool enabled) {
    if (widget_)
        widget_->setEnabled(enabled);
}

void QtControl::SetTabStop(bool tabStop) {
    if (widget_)
        widget_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void QtControl::SetFocus() {
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

// ---- EditControl

EditControl::EditControl(QLineEdit* edit) : QtControl(edit) {}

QLineEdit* EditControl::Edit() const {
    return static_cast<QLineEdit*>(widget_.data());
}

std::string EditControl::Text() const {
    return widget_ ? FromQString(Edit()->text()) : "";
}

std::optional<char32_t> EditControl::ForeignChar() const {
    return widget_ ? FirstForeignChar(Edit()->text()) : std::nullopt;
}

void EditControl::SetText(const std::string& text) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    Edit()->setText(ToQString(text));
}

void EditControl::SetMaxLength(int length) {
    if (!widget_)
        return;
    constexpr int kUnlimited = 32767; // QLineEdit's own default
    const QSignalBlocker blocker(widget_);
    Edit()->setMaxLength(length <= 0 ? kUnlimited : length);
}

void EditControl::SetReadOnly(bool readOnly) {
    if (widget_)
        Edit()->setReadOnly(readOnly);
}

void EditControl::SetFocus() {
    if (!widget_)
        return;
    // The offending text selected, so typing replaces it.
    Edit()->setFocus(Qt::OtherFocusReason);
    Edit()->selectAll();
}

// ---- MemoControl

MemoControl::MemoControl(QPlainTextEdit* memo) : QtControl(memo) {
    QTextDocument* document = memo->document();
    // Cuts what an edit brought in beyond the maximum, from the end of the inserted text, so a
    // typed character is refused and a pasted text keeps its beginning.
    QObject::connect(
        document, &QTextDocument::contentsChange, memo,
        [document, maxLength = maxLength_, filling = filling_](int position, int, int added) {
            if (*filling || *maxLength <= 0 || added <= 0)
                return;
            const QString text = document->toPlainText();
            int excess = RecordLength(text) - *maxLength;
            if (excess <= 0)
                return;
            const int end = std::min<int>(position + added, static_cast<int>(text.size()));
            int start = end;
            while (start > position && excess > 0) {
                --start;
                excess -= text[start] == QLatin1Char('\n') ? 2 : 1;
            }
            *filling = true;
            QTextCursor cursor(document);
            cursor.setPosition(start);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            *filling = false;
        });
}

QPlainTextEdit* MemoControl::Memo() const {
    return static_cast<QPlainTextEdit*>(widget_.data());
}

std::string MemoControl::Text() const {
    return widget_ ? MemoTextFromQt(Memo()->toPlainText()) : "";
}

std::optional<char32_t> MemoControl::ForeignChar() const {
    return widget_ ? FirstForeignChar(Memo()->toPlainText()) : std::nullopt;
}

void MemoControl::SetText(const std::string& text) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    *filling_ = true;
    Memo()->setPlainText(MemoTextToQt(text));
    *filling_ = false;
}

void MemoControl::SetMaxLength(int length) {
    *maxLength_ = std::max(length, 0);
}

void MemoControl::SetReadOnly(bool readOnly) {
    if (widget_)
        Memo()->setReadOnly(readOnly);
}

// ---- ComboBoxControl

ComboBoxControl::ComboBoxControl(QComboBox* combo) : QtControl(combo) {}

QComboBox* ComboBoxControl::Combo() const {
    return static_cast<QComboBox*>(widget_.data());
}

std::string ComboBoxControl::Text() const {
    if (!widget_)
        return {};
    const QComboBox* combo = Combo();
    if (!combo->isEditable() && combo->currentIndex() < 0)
        return FromQString(combo->placeholderText());
    return FromQString(combo->currentText());
}

void ComboBoxControl::SetText(const std::string& text) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    QComboBox* combo = Combo();
    const QString qtext = ToQString(text);
    if (combo->isEditable()) {
        const QSignalBlocker editBlocker(combo->lineEdit());
        combo->setEditText(qtext);
        return;
    }
    const int index = combo->findText(qtext, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index);
    combo->setPlaceholderText(index < 0 ? qtext : QString());
}

void ComboBoxControl::SetItems(const std::vector<std::string>& items) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    QComboBox* combo = Combo();
    combo->clear();
    combo->setPlaceholderText(QString());
    for (const std::string& item : items)
        combo->addItem(ToQString(item));
    combo->setCurrentIndex(-1);
}

int ComboBoxControl::ItemCount() const {
    return widget_ ? Combo()->count() : 0;
}

std::string ComboBoxControl::ItemText(int index) const {
    return widget_ ? FromQString(Combo()->itemText(index)) : "";
}

int ComboBoxControl::ItemIndex() const {
    if (!widget_)
        return -1;
    // Qt keeps the last item current while the user types over it; a typed text that is not the
    // item's own selects nothing, so validators read the text instead of a stale item.
    const QComboBox* combo = Combo();
    const int index = combo->currentIndex();
    if (combo->isEditable() && index >= 0 && combo->itemText(index) != combo->currentText())
        return -1;
    return index;
}

void ComboBoxControl::SetItemIndex(int index) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    QComboBox* combo = Combo();
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    if (!combo->isEditable())
        combo->setPlaceholderText(QString());
}

bool ComboBoxControl::IsDropDownList() const {
    return widget_ && !Combo()->isEditable();
}

// ---- CheckBoxControl

CheckBoxControl::CheckBoxControl(QCheckBox* box) : QtControl(box) {}

QCheckBox* CheckBoxControl::Box() const {
    return static_cast<QCheckBox*>(widget_.data());
}

std::string CheckBoxControl::Text() const {
    return widget_ ? FromQString(Box()->text()) : "";
}

void CheckBoxControl::SetText(const std::string& text) {
    if (widget_)
        Box()->setText(ToQString(text));
}

bool CheckBoxControl::Checked() const {
    return widget_ && Box()->isChecked();
}

void CheckBoxControl::SetChecked(bool checked) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    Box()->setChecked(checked);
}

// ---- RadioButtonControl

RadioButtonControl::RadioButtonControl(QRadioButton* button) : QtControl(button) {}

QRadioButton* RadioButtonControl::Button() const {
    return static_cast<QRadioButton*>(widget_.data());
}

std::string RadioButtonControl::Text() const {
    return widget_ ? FromQString(Button()->text()) : "";
}

void RadioButtonControl::SetText(const std::string& text) {
    if (widget_)
        Button()->setText(ToQString(text));
}

bool RadioButtonControl::Checked() const {
    return widget_ && Button()->isChecked();
}

void RadioButtonControl::SetChecked(bool checked) {
    if (!widget_)
        return;
    // The siblings an exclusive check unchecks stay quiet as well.
    std::vector<QSignalBlocker> blockers;
    if (QButtonGroup* group = Button()->group()) {
        for (QAbstractButton* sibling : group->buttons())
            blockers.emplace_back(sibling);
    } else if (QWidget* parent = Button()->parentWidget()) {
        for (QRadioButton* sibling :
             parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            blockers.emplace_back(sibling);
    }
    const QSignalBlocker blocker(widget_);
    if (checked)
        Button()->setChecked(true);
    else
        Uncheck(Button());
}

// ---- RadioGroupControl

RadioGroupControl::RadioGroupControl(RadioGroup* group) : QtControl(group) {}

RadioGroup* RadioGroupControl::Group() const {
    return static_cast<RadioGroup*>(widget_.data());
}

std::string RadioGroupControl::Text() const {
    return widget_ ? FromQString(Group()->title()) : "";
}

void RadioGroupControl::SetText(const std::string& text) {
    if (widget_)
        Group()->setTitle(ToQString(text));
}

void RadioGroupControl::SetItems(const std::vector<std::string>& items) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    QStringList texts;
    for (const std::string& item : items)
        texts.append(ToQString(item));
    Group()->SetItems(texts);
}

int RadioGroupControl::ItemCount() const {
    return widget_ ? Group()->Count() : 0;
}

std::string RadioGroupControl::ItemText(int index) const {
    return widget_ ? FromQString(Group()->ItemText(index)) : "";
}

int RadioGroupControl::ItemIndex() const {
    return widget_ ? Group()->ItemIndex() : -1;
}

void RadioGroupControl::SetItemIndex(int index) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    Group()->SetItemIndex(index);
}

// ---- LabelControl, ButtonControl

LabelControl::LabelControl(QLabel* label) : QtControl(label) {}

QLabel* LabelControl::Label() const {
    return static_cast<QLabel*>(widget_.data());
}

std::string LabelControl::Text() const {
    return widget_ ? FromQString(Label()->text()) : "";
}

void LabelControl::SetText(const std::string& text) {
    if (widget_)
        Label()->setText(ToQString(text));
}

ButtonControl::ButtonControl(QPushButton* button) : QtControl(button) {}

QPushButton* ButtonControl::Button() const {
    return static_cast<QPushButton*>(widget_.data());
}

std::string ButtonControl::Text() const {
    return widget_ ? FromQString(Button()->text()) : "";
}

void ButtonControl::SetText(const std::string& text) {
    if (widget_)
        Button()->setText(ToQString(text));
}

// ---- ListWidgetControl

ListWidgetControl::ListWidgetControl(QListWidget* list) : QtControl(list) {
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

QListWidget* ListWidgetControl::List() const {
    return static_cast<QListWidget*>(widget_.data());
}

void ListWidgetControl::SetItems(const std::vector<std::string>& items) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    QListWidget* list = List();
    list->clear();
    for (const std::string& item : items)
        list->addItem(ToQString(item));
}

int ListWidgetControl::ItemCount() const {
    return widget_ ? List()->count() : 0;
}

std::string ListWidgetControl::ItemText(int index) const {
    if (!widget_)
        return {};
    const QListWidgetItem* item = List()->item(index);
    return item ? FromQString(item->text()) : "";
}

int ListWidgetControl::ItemIndex() const {
    return widget_ ? List()->currentRow() : -1;
}

void ListWidgetControl::SetItemIndex(int index) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    QListWidget* list = List();
    list->setCurrentRow(index >= 0 && index < list->count() ? index : -1,
                        QItemSelectionModel::NoUpdate);
}

std::vector<int> ListWidgetControl::SelectedRows() const {
    std::vector<int> rows;
    if (!widget_)
        return rows;
    // selectedItems() comes in the order the user picked the rows; the records go in row order.
    for (const QModelIndex& index : List()->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ListWidgetControl::SetRowSelected(int row, bool selected) {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    if (QListWidgetItem* item = List()->item(row))
        item->setSelected(selected);
}

void ListWidgetControl::ClearSelection() {
    if (!widget_)
        return;
    const QSignalBlocker blocker(widget_);
    List()->clearSelection();
}

void ListWidgetControl::ScrollToRow(int row) {
    if (!widget_)
        return;
    if (QListWidgetItem* item = List()->item(row))
        List()->scrollToItem(item);
}

// ---- MakeControl

std::unique_ptr<QtControl> MakeControl(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return std::make_unique<EditControl>(edit);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return std::make_unique<MemoControl>(memo);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return std::make_unique<ComboBoxControl>(combo);
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        return std::make_unique<CheckBoxControl>(box);
    if (auto* radio = qobject_cast<QRadioButton*>(widget))
        return std::make_unique<RadioButtonControl>(radio);
    if (auto* group = qobject_cast<RadioGroup*>(widget))
        return std::make_unique<RadioGroupControl>(group);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return std::make_unique<LabelControl>(label);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return std::make_unique<ButtonControl>(button);
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return std::make_unique<ListWidgetControl>(list);
    return nullptr;
}

ValidatorControl* QtControlCache::Control(QWidget* widget) {
    if (widget == nullptr)
        return nullptr;
    auto found = controls_.find(widget);
    if (found == controls_.end())
        found = controls_.emplace(widget, MakeControl(widget)).first;
    return found->second.get();
}

} // namespace panolcd
