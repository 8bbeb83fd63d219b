#pragma once
// The process-wide state of the application environment: where the settings are, the
// environment object with the application description, the settings every subsystem reads, the
// diagnostic channels and the ports through which core reaches the user.

#include "common/installedservice.h"
#include "framework/environment/appextension.h"
#include "framework/environment/ports.h"
#include "framework/environment/settings.h"
#include "framework/environment/trace.h"

#include <cstdint>
#include <memory>

namespace panolcd {

struct ParamScanner;

struct EnvironmentContext : InstalledService<EnvironmentContext> {
    EnvironmentContext();
    ~EnvironmentContext();

    SettingsLocation settings;
    TAppExtension app;
    TraceState trace;

    // The clipboard stream also goes to and comes from the system clipboard (UseClipboard).
    bool useClipboard = false;
    // Maximum width of exported token text (ExpLineWidth).
    std::uint8_t expLineWidth = 80;

    // The parameter-text scanner of the parse in progress (nested parses save and restore it).
    ParamScanner* paramScanner = nullptr;

    std::unique_ptr<UserPort> user = std::make_unique<HeadlessUserPort>();
    std::unique_ptr<ClockPort> clock = std::make_unique<SystemClock>();
    // The system clipboard; the ui installs its own.
    std::unique_ptr<ClipboardPort> clipboard = std::make_unique<MemoryClipboardPort>();
    // Registered dialogs; the ui installs its own.
    std::unique_ptr<DialogPort> dialogs = std::make_unique<HeadlessDialogPort>();
};

inline EnvironmentContext& EnvCtx() {
    return EnvironmentContext::Installed();
}

} // namespace panolcd
