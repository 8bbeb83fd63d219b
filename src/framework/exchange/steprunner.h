#pragma once
// Long exchanges (export, import) run as step machines. A runner drives the steps: the wait
// window does so from its timer, batch and test code synchronously to the end. Either way an
// exception escaping a step is caught at the step boundary, shown, and stops the machine.

#include <chrono>
#include <functional>
#include <string>

namespace panolcd {

class StepMachine {
public:
    virtual ~StepMachine() = default;
    // One step; answers how many milliseconds the running batch may still take after it (0 ends
    // the batch, so that the window repaints).
    virtual int Step() = 0;
    virtual bool Finished() const = 0;
    // True when the machine ran to its end without failure.
    virtual bool Succeeded() const = 0;
    // Stops the machine after a failure that escaped a step; what it built and not yet handed on
    // is freed.
    virtual void Halt() = 0;
    // The status line; empty when the machine has none to offer.
    virtual std::string StatusText() const { return {}; }

    // True when an exception stopped a step; the machine was halted at the step boundary.
    bool StepFailed() const { return stepFailed_; }

private:
    friend int RunOneStep(StepMachine& machine);
    bool stepFailed_ = false;
};

// Which wait window shows a machine.
enum class StepWindowKind { Plain, Export, Import, ExportCSV, ImportCSV };

// The caption and label line of the window that shows a running machine.
struct StepWindowTexts {
    std::string caption;
    std::string label;
    StepWindowKind kind = StepWindowKind::Plain;
};

// One call of a step with the failure boundary: an exception is shown through the message port
// and halts the machine. Answers the step's budget (0 after a failure).
int RunOneStep(StepMachine& machine);

// Steps until the machine is finished or the budget of the last step is spent since `start`.
// `status` gets every status text offered.
void RunStepBatch(StepMachine& machine, const std::function<void(const std::string&)>& status);

class StepRunner {
public:
    virtual ~StepRunner() = default;
    // Drives the machine until it is finished or the user cancels. True when it finished; a
    // cancelled machine is left as it stands (nothing is rolled back).
    virtual bool Run(StepMachine& machine, const StepWindowTexts& texts) = 0;
};

// Runs every step at once. `cancelAfter` >= 0 cancels after that many steps (for tests and for
// callers that stop a batch themselves).
class SyncStepRunner final : public StepRunner {
public:
    explicit SyncStepRunner(int cancelAfter = -1) : cancelAfter_(cancelAfter) {}
    bool Run(StepMachine& machine, const StepWindowTexts& texts) override;

    const std::string& LastStatus() const { return lastStatus_; }
    int Steps() const { return steps_; }

private:
    int cancelAfter_;
    int steps_ = 0;
    std::string lastStatus_;
};

// The runner the exchange entry points use unless given one: the window layer installs the
// wait window; without one the synchronous runner is used. The runner stays owned by the
// caller; nullptr restores the default.
StepRunner& CurrentStepRunner();
void InstallStepRunner(StepRunner* runner);

} // namespace panolcd
