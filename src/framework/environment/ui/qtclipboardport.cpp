#include "framework/environment/ui/qtclipboardport.h"

#include "common/ui/qtext.h"

#include <QClipboard>
#include <QGuiApplication>

namespace panolcd {

std::string QtClipboardPort::Text() const {
    return FromQString(QGuiApplication::clipboard()->text());
}

void QtClipboardPort::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(ToQString(text));
}

bool QtClipboardPort::HasText() const {
    return !QGuiApplication::clipboard()->text().isEmpty();
}

} // namespace panolcd
