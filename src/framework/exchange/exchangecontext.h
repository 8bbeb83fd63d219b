#pragma once
// The process-wide state of text exchange: the clipboard stream and the runner of long
// exchanges.

#include "common/installedservice.h"
#include "framework/exchange/clipboardstream.h"

#include <string>
#include <vector>

namespace panolcd {

class StepRunner;

struct ExchangeContext : InstalledService<ExchangeContext> {
    // Token texts on their way to and from the clipboard.
    TClipBoardStreamMan clipboardStream;
    // The runner of long exchanges (not owned); none: they run to their end at once.
    StepRunner* stepRunner = nullptr;
    // Read-only files the user agreed to have replaced (file-system paths, ReadOnlyConsent).
    std::vector<std::string> readOnlyConsents;
};

inline ExchangeContext& ExchangeCtx() {
    return ExchangeContext::Installed();
}

} // namespace panolcd
