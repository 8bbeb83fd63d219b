#include "framework/exchange/steprunner.h"

#include "framework/environment/msgbox.h"
#include "framework/exchange/exchangecontext.h"

#include <exception>

namespace panolcd {
int RunOneStep(StepMachine& machine) {
    try {
        return machine.Step();
    } catch (const std::exception& e) {
        machine.stepFailed_ = true;
        machine.Halt();
        MsgBox("", e.what(), mb::kIconError | mb::kOk);
    } catch (...) {
        machine.stepFailed_ = true;
        machine.Halt();
        MsgBox("", "Unknown error", mb::kIconError | mb::kOk);
    }
    return 0;
}

void RunStepBatch(StepMachine& machine, const std::function<void(const std::string&)>& status) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    while (!machine.Finished()) {
        const int budget = RunOneStep(machine);
        if (status) {
            if (const std::string text = machine.StatusText(); !text.empty())
                status(text);
        }
        if (Clock::now() - start >= std::chrono::milliseconds(budget))
            break;
    }
}

bool SyncStepRunner::Run(StepMachine& machine, const StepWindowTexts& /*texts*/) {
    while (!machine.Finished()) {
        if (cancelAfter_ >= 0 && steps_ >= cancelAfter_)
            return false;
        RunOneStep(machine);
        ++steps_;
        if (const std::string text = machine.StatusText(); !text.empty())
            lastStatus_ = text;
    }
    return true;
}

StepRunner& CurrentStepRunner() {
    static SyncStepRunner fallback;
    if (ExchangeCtx().stepRunner != nullptr)
        return *ExchangeCtx().stepRunner;
    fallback = SyncStepRunner();
    return fallback;
}

void InstallStepRunner(StepRunner* runner) {
    ExchangeCtx().stepRunner = runner;
}

} // namespace panolcd
