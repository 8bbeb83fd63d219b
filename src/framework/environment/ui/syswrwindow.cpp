#include "framework/environment/ui/syswrwindow.h"

#include "framework/environment/ui/consolewidget.h"

#include <QVBoxLayout>

namespace panolcd {

TMDIChild_SysWr0::TMDIChild_SysWr0(QWidget* parent) : QWidget(parent) {
    setObjectName("TMDIChild_SysWr0");
    setWindowTitle("SysWr[0]");
    setAttribute(Qt::WA_DeleteOnClose);
    console_ = new TConsole(this);
    console_->setObjectName("ConsoleWr0");
    console_->Model().SetSize(128, 40);
    console_->Model().SetLineBreak(ConsoleLineBreak::CRLF);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(console_);
    resize(429, 246);
    RegisterTraceChannel(0, this);
}

TMDIChild_SysWr0::~TMDIChild_SysWr0() {
    UnregisterTraceChannel(0, this);
}

void TMDIChild_SysWr0::HandleTraceMessage(int message, const std::string* text) {
    ApplyTraceMessage(console_->Model(), message, text);
    console_->Refresh();
}

} // namespace panolcd
