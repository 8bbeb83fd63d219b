#pragma once
// The property dialogs of the text objects: font bank, position, symbolic position and the text
// (or the print and edit statements' parameters), one dialog class under four names.

#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/refvalidators.h"
#include "framework/dataentry/stringedits.h"
#include "framework/dataentry/ui/trvaldialog.h"

class QComboBox;
class QLineEdit;

namespace panolcd {

class TLCDObjTextProp_Dlg : public TTrValDialog {
    Q_OBJECT
public:
    // `caption` and `textLabel` in UTF-8.
    TLCDObjTextProp_Dlg(QWidget* owner, const char* caption, const char* textLabel);

    void MapDialogData(std::span<std::uint8_t> buffer) override;

    QComboBox* FontBank() const { return font_; }
    QLineEdit* X() const { return x_; }
    QLineEdit* Y() const { return y_; }
    QLineEdit* Text() const { return text_; }

private:
    QComboBox* font_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* symX_;
    QLineEdit* symY_;
    QLineEdit* text_;
    TTrRefByteLookUpCombo_Validator fontV_;
    TTrLIntEdit_Validator xV_;
    TTrLIntEdit_Validator yV_;
    TTrStringEdit_Validator symXV_;
    TTrStringEdit_Validator symYV_;
    TTrStringEdit_Validator textV_;
};

// Registers the four text dialogs under their class names.
void RegisterTextDialogs();

} // namespace panolcd
