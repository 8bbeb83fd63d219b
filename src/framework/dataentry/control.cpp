#include "framework/dataentry/control.h"

namespace panolcd {

const char* ControlClassName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return "TEdit";
    case ControlKind::Memo:
        return "TMemo";
    case ControlKind::Label:
        return "TLabel";
    case ControlKind::Button:
        return "TButton";
    case ControlKind::CheckBox:
        return "TCheckBox";
    case ControlKind::RadioButton:
        return "TRadioButton";
    case ControlKind::ComboBox:
        return "TComboBox";
    case ControlKind::RadioGroup:
        return "TRadioGroup";
    case ControlKind::ListBox:
        return "TListBox";
    case ControlKind::StringGrid:
        return "TStringGrid";
    }
    return "?";
}

} // namespace panolcd
