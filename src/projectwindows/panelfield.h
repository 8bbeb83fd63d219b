#pragma once
// One field of a record window's edit panel: its validator and the control it is shown in, if
// any. The record windows are described as lists of these, in record field order.

#include "framework/dataentry/validator.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class TDBRecordObj;

// The control a panel field is shown in.
enum class PanelControl { None, Edit, Memo, Combo, CheckBox };

struct PanelField {
    std::unique_ptr<TCtrlValidator> validator;
    PanelControl control = PanelControl::None;
    const char* name = nullptr;  // the control's object name
    const char* label = nullptr; // UTF-8
    // Texts standing before and after the control on its line ("case" ... "of", ... "[s]").
    const char* before = nullptr;
    const char* after = nullptr;
};

// A field that passes through without a control, and one shown in a control.
PanelField Hidden(std::unique_ptr<TCtrlValidator> validator);
PanelField Shown(std::unique_ptr<TCtrlValidator> validator, PanelControl control, const char* name,
                 const char* label);

// Where a field's bytes start in the panel's buffer.
std::size_t PanelOffsetOf(const std::vector<PanelField>& fields, std::size_t index);

// Why the panel would refuse the record's values ("label: refusal" of the first field that
// would), empty when it would take them all. Shows nothing.
std::string PanelRefusal(const std::vector<PanelField>& fields, TDBRecordObj& record);
// The refusal of one field, after the field's label.
std::string FieldRefusal(const PanelField& field, const std::string& refusal);

} // namespace panolcd
