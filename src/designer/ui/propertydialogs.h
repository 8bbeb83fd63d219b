#pragma once
// The property dialogs of the screen objects and the screen window's own dialogs, built from one
// table: one control per record field (bank lookups, numbers with their range, enumeration
// choices, check boxes on bits, texts). Most stand in a simple column; the line, rectangle and
// bar dialogs place the second corner beside two page sets that name it as a position or as a
// width and height.

#include "designer/objectdialogs.h"
#include "framework/dataentry/ui/trvaldialog.h"

#include <memory>
#include <vector>

class QCheckBox;
class QStackedWidget;
class QWidget;

namespace panolcd {

class TCtrlValidator;

enum class PropField { FontBank, BitmapBank, Byte, Number, Enum, Radio, Check, Text };

struct PropFieldDef {
    PropField kind;
    const char* label; // UTF-8
    const char* name;  // of the control, for tests and scripts
    // Numbers and choices: the range. Texts: the field's bytes. Checks: the bit, and 1 in `high`
    // on the last check of a field (the one that takes the field's bytes).
    std::int32_t low;
    std::int32_t high;
};

// The record-level check a dialog runs on OK.
enum class PropCheck { None, Graph };

class TObjectProp_Dlg : public TTrValDialog {
    Q_OBJECT
public:
    TObjectProp_Dlg(QWidget* owner, const char* caption, std::vector<PropFieldDef> fields,
                    PropCheck check = PropCheck::None);

    void MapDialogData(std::span<std::uint8_t> buffer) override;
    // The control of field `index`, in record order.
    QWidget* Field(int index) const { return widgets_[static_cast<std::size_t>(index)]; }
    int FieldCount() const { return static_cast<int>(widgets_.size()); }

protected:
    // Builds the controls and validators without placing them; the caller lays them out.
    struct Unplaced {};
    TObjectProp_Dlg(QWidget* owner, const char* caption, std::vector<PropFieldDef> fields,
                    Unplaced);

    TCtrlValidator& Validator(int index) const {
        return *validators_[static_cast<std::size_t>(index)];
    }
    const PropFieldDef& Def(int index) const { return defs_[static_cast<std::size_t>(index)]; }
    // A 32-bit field's value in `buffer` (the mapped buffer or a copy of it), and back.
    std::int32_t IntIn(TrBuffer buffer, int index);
    void SetIntIn(TrBuffer buffer, int index, std::int32_t value);
    std::uint16_t WordIn(TrBuffer buffer, int index);
    // Shows `message` and refuses, or accepts when there is none.
    static bool Refuse(const std::optional<std::string>& message);

private:
    void BuildFields();
    void LayOutColumn();
    std::size_t OffsetOf(int index);

    std::vector<PropFieldDef> defs_;
    std::vector<QWidget*> widgets_;
    std::vector<TCtrlValidator*> validators_;
};

// The line, rectangle and bar dialogs. "Rel Dx Dy" turns the second corner into width and
// height and back; the line's "Směr JZ->SV" turns its direction. Both act on the dialog's own
// buffer, so Storno leaves the caller's record as it was.
class TCornerProp_Dlg : public TObjectProp_Dlg {
    Q_OBJECT
public:
    TCornerProp_Dlg(QWidget* owner, const char* caption, CornerDialog dialog,
                    std::vector<PropFieldDef> fields);

    void MapDialogData(std::span<std::uint8_t> buffer) override;
    // The page both page sets show: "Abs" or "Rel".
    QString ShownPage() const;

private:
    void RelativeClicked();
    void DirectionClicked();
    // Validates `fields` and stores them; when one is invalid the click on `box` is undone.
    bool TakeFields(std::initializer_list<int> fields, QCheckBox* box);
    CornerFields CornersIn(TrBuffer buffer);
    void Refill(std::initializer_list<int> fields);
    // False, with the click undone and a message, when a converted value leaves the edits' range.
    bool InRange(std::initializer_list<std::int32_t> values, QCheckBox* box);
    void UndoClick(QCheckBox* box);
    void ShowPages(bool relative);

    CornerDialog dialog_;
    std::vector<int> checks_;
    int x1_ = -1, y1_ = -1, x2_ = -1, y2_ = -1;
    QStackedWidget* labels_ = nullptr;
    QStackedWidget* symbols_ = nullptr;
    // Set while the dialog fills its controls: the check boxes' handlers do nothing then.
    bool filling_ = false;
};

// Registers every dialog of the table under its class name.
void RegisterPropertyDialogs();

} // namespace panolcd
