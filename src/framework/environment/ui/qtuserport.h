#pragma once
// The user port in Qt: message boxes, the system beep, and closing the main window.

#include "framework/environment/ports.h"

#include <QPointer>
#include <QWidget>

namespace panolcd {

class QtUserPort final : public UserPort {
public:
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    void Beep() override;
    MsgResult ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                          const std::string& text) override;
    void RequestAppClose() override;

private:
    QPointer<QWidget> mainWindow_;
};

} // namespace panolcd
