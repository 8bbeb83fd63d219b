#pragma once
// Starts the tools as detached processes: the program and its arguments as they are, no shell.

#include "build/processlauncher.h"

namespace panolcd {

class QtProcessLauncher final : public ProcessLauncher {
public:
    bool Start(const CommandLine& command, const std::string& workingDir,
               std::string& error) override;
};

} // namespace panolcd
