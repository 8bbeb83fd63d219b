#pragma once
// TMDIChild_SysWr0: the diagnostic window. While it exists it is trace channel 0.

#include "framework/environment/trace.h"

#include <QWidget>

namespace panolcd {

class TConsole;

class TMDIChild_SysWr0 : public QWidget, public TraceChannelWindow {
    Q_OBJECT
public:
    explicit TMDIChild_SysWr0(QWidget* parent = nullptr);
    ~TMDIChild_SysWr0() override;

    void HandleTraceMessage(int message, const std::string* text) override;
    TConsole* ConsoleWr0() const { return console_; }

private:
    TConsole* console_;
};

} // namespace panolcd
