#include "framework/environment/ui/qtuserport.h"

#include "common/ui/qtext.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>

namespace panolcd {
namespace {

QMessageBox::Icon IconOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error:
        return QMessageBox::Critical;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Warning:
        return QMessageBox::Warning;
    }
    return QMessageBox::Warning;
}

QString StandardTitle(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error:
        return QStringLiteral("Chyba");
    case MsgKind::Confirmation:
        return QStringLiteral("Potvrzení");
    case MsgKind::Information:
        return QStringLiteral("Informace");
    case MsgKind::Warning:
        return QStringLiteral("Upozornění");
    }
    return {};
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    }
    return QMessageBox::Ok;
}

MsgResult ResultOf(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    case QMessageBox::Abort:
        return MsgResult::Abort;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    case QMessageBox::Ignore:
        return MsgResult::Ignore;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::Cancel;
    }
}

} // namespace

void QtUserPort::Beep() {
    QApplication::beep();
}

MsgResult QtUserPort::ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                                  const std::string& text) {
    const QString title = caption.empty() ? StandardTitle(kind) : ToQString(caption);
    // Messages name files as the file system spells them.
    QMessageBox box(IconOf(kind), title, FileNameToQString(text), ButtonsOf(buttons),
                    QApplication::activeWindow());
    return ResultOf(box.exec());
}

void QtUserPort::RequestAppClose() {
    if (mainWindow_)
        QMetaObject::invokeMethod(mainWindow_, &QWidget::close, Qt::QueuedConnection);
}

} // namespace panolcd
