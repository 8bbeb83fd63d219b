#pragma once
// TTrValDialog: the modal form that edits a record through its record validator, and the
// process-wide registry that runs such dialogs by name.

#include "framework/dataentry/dialogregistry.h"
#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/dataentry/validator.h"

#include <QDialog>

class QDialogButtonBox;

#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace panolcd {

class TTrValDialog : public QDialog, public TValidatedDialog {
    Q_OBJECT
public:
    explicit TTrValDialog(QWidget* owner = nullptr);
    ~TTrValDialog() override;

    TRecordValidator& RecordValidator() { return validator_; }

    // Maps the controls and validators onto the caller's buffer, in the field order of the
    // record the dialog edits. A dialog without fields maps nothing.
    void MapDialogData(std::span<std::uint8_t> buffer) override;
    // Ok when the dialog closed through a passed OK check; Cancel for any other way out.
    DialogResult ShowModal() override;
    // Closing with OK validates and stores first and stays open when that fails (the failing
    // validator has told the user and focused its control). Any other result closes without
    // validation and without storing.
    void done(int result) override;

protected:
    // A validator owned by the dialog.
    template <class V, class... Args> V& AddValidator(Args&&... args) {
        auto validator = std::make_unique<V>(std::forward<Args>(args)...);
        V& ref = *validator;
        validators_.push_back(std::move(validator));
        return ref;
    }
    // The adapter of one of the dialog's widgets, made on first use; null for a widget no
    // validator can serve (or none).
    ValidatorControl* Control(QWidget* widget);
    // TransferTo of the record validator with the adapters of `widgets` (null = no control).
    void TransferTo(const std::vector<QWidget*>& widgets,
                    const std::vector<TCtrlValidator*>& validators, std::span<std::uint8_t> buffer);

    // The dialog's "OK" (default) and "Storno" buttons, wired to accept and reject.
    QDialogButtonBox* OkStornoButtons();
    // A further check after a successful store on OK; false keeps the dialog open.
    virtual bool CanCloseWithOk() { return true; }

private:
    TRecordValidator validator_;
    std::vector<std::unique_ptr<TCtrlValidator>> validators_;
    QtControlCache controls_;
};

using QtDialogsMan = TDialogsMan<QWidget>;

// The registry of the program, created on first use.
QtDialogsMan& DialogsMan();
void RegisterDialog(const std::string& name, QtDialogsMan::Factory factory);
template <class D> void RegisterDialogClass(const std::string& name) {
    RegisterDialog(name, [](QWidget* owner) { return std::make_unique<D>(owner); });
}
const QtDialogsMan::Factory* FindDialogClass(const std::string& name);
DialogResult RunDialogByName(QWidget* owner, const std::string& name,
                             std::span<std::uint8_t> buffer);

} // namespace panolcd
