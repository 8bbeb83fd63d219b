#pragma once
// The process-wide state of the record windows: the file command records the main window
// announces to the editors, and the main window record windows open in.

#include "common/installedservice.h"
#include "framework/windows/commands.h"

namespace panolcd {

class RecordWindowHost;

struct WindowsContext : InstalledService<WindowsContext> {
    // The file command records the main window announces to the editor windows.
    FileCmdRecs fileCmds;
    // The main window record windows are opened in (not owned); none without a user interface.
    RecordWindowHost* windowHost = nullptr;
};

inline WindowsContext& WindowsCtx() {
    return WindowsContext::Installed();
}

} // namespace panolcd
