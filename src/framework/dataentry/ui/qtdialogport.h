#pragma once
// The dialog port in Qt: runs the dialogs registered by name, owned by the window that is modal
// at the time (a dialog opened from a dialog) or else by the main window.

#include "framework/environment/ports.h"

#include <QPointer>
#include <QWidget>

namespace panolcd {

class QtDialogPort final : public DialogPort {
public:
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    // An unknown name raises ExcTrValDialog.
    DialogResult RunDialog(const std::string& formName, std::uint8_t* trBuff,
                           std::size_t size) override;

private:
    QPointer<QWidget> mainWindow_;
};

} // namespace panolcd
