#pragma once
// Process-wide state in one place, so that each test can start from a clean slate.

#include "framework/environment/appextension.h"
#include "framework/environment/ports.h"
#include "framework/environment/settings.h"
#include "framework/environment/trace.h"
#include "framework/exchange/clipboardstream.h"

#include <cstdint>
#include <memory>

namespace panolcd {

struct ParamScanner;

struct ProcessContext {
    SettingsLocation settings;
    TAppExtension app;
    TraceState trace;

    bool useClipboard = false;
    std::uint8_t expLineWidth = 80;

    // The parameter-text scanner of the parse in progress (nested parses save and restore it).
    ParamScanner* paramScanner = nullptr;

    std::unique_ptr<UserPort> user = std::make_unique<HeadlessUserPort>();
    std::unique_ptr<ClockPort> clock = std::make_unique<SystemClock>();
    // The system clipboard; the ui installs its own.
    std::unique_ptr<ClipboardPort> clipboard = std::make_unique<MemoryClipboardPort>();
    // Token texts on their way to and from the clipboard.
    TClipBoardStreamMan clipboardStream;
};

ProcessContext& Ctx();
// Replaces the context by a fresh one (tests, and the start of the program).
void ResetContext();

} // namespace panolcd
