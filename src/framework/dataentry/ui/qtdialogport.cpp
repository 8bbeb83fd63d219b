// The dialog port in Qt.

#include "framework/dataentry/ui/qtdialogport.h"

#include "framework/dataentry/ui/trvaldialog.h"

#include <QApplication>

namespace panolcd {

DialogResult QtDialogPort::RunDialog(const std::string& formName, std::uint8_t* trBuff,
                                     std::size_t size) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr)
        owner = mainWindow_;
    const std::span<std::uint8_t> buffer =
        trBuff == nullptr ? std::span<std::uint8_t>() : std::span<std::uint8_t>(trBuff, size);
    return RunDialogByName(owner, formName, buffer);
}

} // namespace panolcd
