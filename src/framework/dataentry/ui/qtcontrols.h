#pragma once
// The Qt widgets behind the controls validators serve. Each adapter holds its widget weakly (the
// form owns it); once the widget is gone the adapter does nothing. Filling a control blocks its
// signals, so a form's "modified" handlers see only what the user does.

#include "framework/dataentry/control.h"

#include <QGroupBox>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace panolcd {

// A titled group of exclusive radio buttons, one per item; index -1 = none selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int Count() const;
    QString ItemText(int index) const;
    int ItemIndex() const;
    // -1 or an index out of range clears the selection.
    void SetItemIndex(int index);

signals:
    void itemIndexChanged(int index);
    // The user chose an item (a click or a key); never for a choice made by the program.
    void itemChosen(int index);

private:
    QButtonGroup* group_;
    QVBoxLayout* layout_;
};

// What every adapter shares: visibility, enabling, focus, tab stop. The rest answers "nothing".
// The base is virtual so that the list adapter can also be a ListBoxControl.
class QtControl : public virtual ValidatorControl {
public:
    std::string Text() const override { return {}; }
    void SetText(const std::string&) override {}
    void SetMaxLength(int) override {}
    bool Checked() const override { return false; }
    void SetChecked(bool) override {}
    void SetItems(const std::vector<std::string>&) override {}
    int ItemCount() const override { return 0; }
    std::string ItemText(int) const override { return {}; }
    int ItemIndex() const override { return -1; }
    void SetItemIndex(int) override {}
    bool IsDropDownList() const override { return false; }

    // The control's own visibility, not its window's: a control of a form not yet shown counts
    // as visible.
    bool IsVisible() const override;
    void SetVisible(bool visible) override;
    bool IsEnabled() const override;
    void SetEnabled(bool enabled) override;
    void SetReadOnly(bool) override {}
    void SetTabStop(bool tabStop) override;
    void SetFocus() override;

    QWidget* Widget() const { return widget_; }

protected:
    explicit QtControl(QWidget* widget) : widget_(widget) {}

    QPointer<QWidget> widget_;
};

class EditControl final : public QtControl {
public:
    explicit EditControl(QLineEdit* edit);
    ControlKind Kind() const override { return ControlKind::Edit; }
    std::string Text() const override;
    std::optional<char32_t> ForeignChar() const override;
    void SetText(const std::string& text) override;
    void SetMaxLength(int length) override;
    void SetReadOnly(bool readOnly) override;
    void SetFocus() override;

private:
    QLineEdit* Edit() const;
};

// Texts are CR LF here and LF in the widget. The maximum length counts a line break as the two
// characters it takes in the record and holds for typing and pasting alike.
class MemoControl final : public QtControl {
public:
    explicit MemoControl(QPlainTextEdit* memo);
    ControlKind Kind() const override { return ControlKind::Memo; }
    std::string Text() const override;
    std::optional<char32_t> ForeignChar() const override;
    void SetText(const std::string& text) override;
    void SetMaxLength(int length) override;
    void SetReadOnly(bool readOnly) override;

    int MaxLength() const { return *maxLength_; }

private:
    QPlainTextEdit* Memo() const;

    // Shared with the widget's change handler, which may outlive this adapter.
    std::shared_ptr<int> maxLength_ = std::make_shared<int>(0);
    std::shared_ptr<bool> filling_ = std::make_shared<bool>(false);
};

// An editable combo box, or a drop-down list (not editable) whose text is one of its items. A
// text set on a drop-down list that is none of its items shows as a placeholder with no item
// selected.
class ComboBoxControl final : public QtControl {
public:
    explicit ComboBoxControl(QComboBox* combo);
    ControlKind Kind() const override { return ControlKind::ComboBox; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetItems(const std::vector<std::string>& items) override;
    int ItemCount() const override;
    std::string ItemText(int index) const override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    bool IsDropDownList() const override;

private:
    QComboBox* Combo() const;
};

class CheckBoxControl final : public QtControl {
public:
    explicit CheckBoxControl(QCheckBox* box);
    ControlKind Kind() const override { return ControlKind::CheckBox; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool Checked() const override;
    void SetChecked(bool checked) override;

private:
    QCheckBox* Box() const;
};

// Unchecking works also on the checked button of an exclusive group: several validators may
// serve bits of one field, and a value may select none of them.
class RadioButtonControl final : public QtControl {
public:
    explicit RadioButtonControl(QRadioButton* button);
    ControlKind Kind() const override { return ControlKind::RadioButton; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool Checked() const override;
    void SetChecked(bool checked) override;

private:
    QRadioButton* Button() const;
};

class RadioGroupControl final : public QtControl {
public:
    explicit RadioGroupControl(RadioGroup* group);
    ControlKind Kind() const override { return ControlKind::RadioGroup; }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetItems(const std::vector<std::string>& items) override;
    int ItemCount() const override;
    std::string ItemText(int index) const override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;

private:
    RadioGroup* Group() const;
};

class LabelControl final : public QtControl {
public:
    explicit LabelControl(QLabel* label);
    ControlKind Kind() const override { return ControlKind::Label; }
    std::string Text() const override;
    void SetText(const std::string& text) override;

private:
    QLabel* Label() const;
};

class ButtonControl final : public QtControl {
public:
    explicit ButtonControl(QPushButton* button);
    ControlKind Kind() const override { return ControlKind::Button; }
    std::string Text() const override;
    void SetText(const std::string& text) override;

private:
    QPushButton* Button() const;
};

// A multi-select list in a fixed-pitch font, so that the records' columns line up. Setting the
// current row never touches the selection.
class ListWidgetControl final : public QtControl, public ListBoxControl {
public:
    explicit ListWidgetControl(QListWidget* list);
    void SetItems(const std::vector<std::string>& items) override;
    int ItemCount() const override;
    std::string ItemText(int index) const override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    std::vector<int> SelectedRows() const override;
    void SetRowSelected(int row, bool selected) override;
    void ClearSelection() override;
    void ScrollToRow(int row) override;

private:
    QListWidget* List() const;
};

// The adapter for a widget of one of the classes above; null for any other widget.
std::unique_ptr<QtControl> MakeControl(QWidget* widget);

// The adapters of a form's widgets, each made on first use and kept as long as the form.
class QtControlCache {
public:
    // Null for no widget or one no adapter serves.
    ValidatorControl* Control(QWidget* widget);

private:
    std::map<const QWidget*, std::unique_ptr<QtControl>> controls_;
};

// Record texts (CR LF) and the widget's (LF). A lone CR cannot live in the widget: it becomes a
// line break.
QString MemoTextToQt(const std::string& text);
std::string MemoTextFromQt(const QString& text);
// Characters a text takes in a record: every line break counts 2.
int RecordLength(const QString& text);

} // namespace panolcd
