#pragma once
// The process-wide state of the code generator: its driver, made at the first generation.

#include "common/installedservice.h"

#include <memory>

namespace panolcd {

class TSyntaxParser;

struct GeneratorContext : InstalledService<GeneratorContext> {
    GeneratorContext();
    ~GeneratorContext();

    std::unique_ptr<TSyntaxParser> syntaxParser;
};

inline GeneratorContext& GeneratorCtx() {
    return GeneratorContext::Installed();
}

} // namespace panolcd
