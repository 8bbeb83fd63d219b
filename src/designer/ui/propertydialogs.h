#pragma once
// The property dialogs of the screen objects whose fields stand in a simple column: one control
// per record field, built from a table (bank lookups, numbers with their range, enumeration
// choices, texts). Text, print, edit, point, circle, graph and case-bitmap dialogs are such.

#include "framework/dataentry/ui/trvaldialog.h"

#include <memory>
#include <vector>

class QWidget;

namespace panolcd {

class TCtrlValidator;

enum class PropField { FontBank, BitmapBank, Number, Enum, Text };

struct PropFieldDef {
    PropField kind;
    const char* label; // UTF-8
    const char* name;  // of the control, for tests and scripts
    std::int32_t low;  // numbers: the range; texts: the field's bytes
    std::int32_t high;
};

class TObjectProp_Dlg : public TTrValDialog {
    Q_OBJECT
public:
    TObjectProp_Dlg(QWidget* owner, const char* caption, std::vector<PropFieldDef> fields);

    void MapDialogData(std::span<std::uint8_t> buffer) override;
    // The control of field `index`, in record order.
    QWidget* Field(int index) const { return widgets_[static_cast<std::size_t>(index)]; }

private:
    std::vector<QWidget*> widgets_;
    std::vector<TCtrlValidator*> validators_;
};

// Registers every table dialog under its class name.
void RegisterPropertyDialogs();

} // namespace panolcd
