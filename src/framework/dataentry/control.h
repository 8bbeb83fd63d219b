#pragma once
// What a validator needs of the window control it serves. The Qt adapters implement it for the
// real widgets; tests use a plain fake. Texts are Windows-1250; a memo's line breaks are CR LF
// here whatever the widget uses.

#include <optional>
#include <string>
#include <vector>

namespace panolcd {

// The control classes validators accept, by the names their wiring messages use.
enum class ControlKind {
    Edit,        // TEdit
    Memo,        // TMemo
    Label,       // TLabel
    Button,      // TButton
    CheckBox,    // TCheckBox
    RadioButton, // TRadioButton
    ComboBox,    // TComboBox
    RadioGroup,  // TRadioGroup
    ListBox,     // TListBox
    StringGrid,  // TStringGrid
};

// "TEdit", "TMemo", ... for messages.
const char* ControlClassName(ControlKind kind);

class ValidatorControl {
public:
    virtual ~ValidatorControl() = default;

    virtual ControlKind Kind() const = 0;

    // Edit boxes, memos and combo boxes (the typed text); the caption of labels, buttons, check
    // boxes and radio buttons. Setting a text never counts as a user edit.
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // The first typed character of an edit or memo that Windows-1250 cannot hold (Text() shows
    // it as '?'); none for the other controls.
    virtual std::optional<char32_t> ForeignChar() const { return std::nullopt; }
    // Characters the user can type into an edit or memo (CR LF counts 2); 0 = no limit.
    virtual void SetMaxLength(int length) = 0;

    // Check boxes and radio buttons.
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;

    // Combo boxes and radio groups: the items and the selected one (-1 = none).
    virtual void SetItems(const std::vector<std::string>& items) = 0;
    virtual int ItemCount() const = 0;
    virtual std::string ItemText(int index) const = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    // A combo box whose text can only be one of its items.
    virtual bool IsDropDownList() const = 0;

    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Edits and memos.
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetTabStop(bool tabStop) = 0;
    virtual void SetFocus() = 0;
};

// What a multi-select list needs beyond ValidatorControl. The rows' texts go through SetItems;
// ItemIndex / SetItemIndex are the current row and never change the selection.
class ListBoxControl : public virtual ValidatorControl {
public:
    ControlKind Kind() const override { return ControlKind::ListBox; }

    // The selected rows in ascending row order, whatever order the user picked them in.
    virtual std::vector<int> SelectedRows() const = 0;
    virtual int SelectedCount() const { return static_cast<int>(SelectedRows().size()); }
    virtual void SetRowSelected(int row, bool selected) = 0;
    virtual void ClearSelection() = 0;
    virtual void ScrollToRow(int row) = 0;
};

} // namespace panolcd
