#pragma once
// Starting an external program: the compiler or the loader. The Qt side starts it detached;
// tests record what would have run.

#include "build/commandline.h"

#include <string>

namespace panolcd {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // False with a reason when the program could not be started.
    virtual bool Start(const CommandLine& command, const std::string& workingDir,
                       std::string& error) = 0;
};

} // namespace panolcd
