#pragma once
// What a field descriptor needs of its evaluator collection. The collection class that streams
// itself (TSemEvalColl) implements this; the descriptor only owns it and asks it to run.

#include <cstdint>

namespace panolcd {

class SemEvaluatorRunner {
public:
    virtual ~SemEvaluatorRunner() = default;
    // Runs every evaluator whose identifier is `semId`, from index 0 upward.
    virtual void RunAllEvaluators(std::int16_t semId, int phase, std::uint8_t* data, int event) = 0;
};

} // namespace panolcd
