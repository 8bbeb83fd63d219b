#pragma once
// The commands that run without a window. They are decided before any Qt object exists, need
// no settings file and answer with an exit status and at most one line on standard error.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace panolcd {

// True when the first argument names a batch command.
bool IsBatchCommand(const std::vector<std::string>& args);

// Runs the batch command of `args` (Windows-1250) with the description beside the program at
// `programPath`; answers the exit status. Messages go to `err` in UTF-8.
int RunBatchCommand(const std::string& programPath, const std::vector<std::string>& args,
                    std::ostream& err);

} // namespace panolcd
