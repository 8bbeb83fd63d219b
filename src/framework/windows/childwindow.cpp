#include "framework/windows/childwindow.h"

#include "framework/windows/recordwindow.h"

namespace panolcd {

StatusPort* MainStatusBar() {
    RecordWindowHost* host = WindowsCtx().windowHost;
    return host != nullptr ? host->Status() : nullptr;
}

} // namespace panolcd
