// TTrValDialog and the registry of validated dialogs.

#include "framework/dataentry/ui/trvaldialog.h"

#include "framework/environment/msgbox.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include <exception>

namespace panolcd {

TTrValDialog::TTrValDialog(QWidget* owner) : QDialog(owner) {}

TTrValDialog::~TTrValDialog() = default;

void TTrValDialog::MapDialogData(std::span<std::uint8_t>) {}

QDialogButtonBox* TTrValDialog::OkStornoButtons() {
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

DialogResult TTrValDialog::ShowModal() {
    return exec() == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void TTrValDialog::done(int result) {
    if (result == QDialog::Accepted) {
        bool passed = false;
        try {
            passed = validator_.ValidateAndStore() && CanCloseWithOk();
        } catch (const std::exception& e) {
            // Reached from a button's click: nothing may leave towards the event loop.
            MsgBox("", e.what(), mb::kIconError | mb::kOk);
        }
        if (!passed)
            return;
    } else {
        result = QDialog::Rejected;
    }
    QDialog::done(result);
}

ValidatorControl* TTrValDialog::Control(QWidget* widget) {
    return controls_.Control(widget);
}

void TTrValDialog::TransferTo(const std::vector<QWidget*>& widgets,
                              const std::vector<TCtrlValidator*>& validators,
                              std::span<std::uint8_t> buffer) {
    std::vector<ValidatorControl*> controls;
    controls.reserve(widgets.size());
    for (QWidget* widget : widgets)
        controls.push_back(Control(widget));
    validator_.TransferTo(controls, validators, buffer);
}

QtDialogsMan& DialogsMan() {
    static QtDialogsMan dialogs;
    return dialogs;
}

void RegisterDialog(const std::string& name, QtDialogsMan::Factory factory) {
    DialogsMan().RegisterDialog(name, std::move(factory));
}

const QtDialogsMan::Factory* FindDialogClass(const std::string& name) {
    return DialogsMan().FindDialogClass(name);
}

DialogResult RunDialogByName(QWidget* owner, const std::string& name,
                             std::span<std::uint8_t> buffer) {
    return DialogsMan().RunDialogByName(owner, name, buffer);
}

} // namespace panolcd
