#include "app/processcontext.h"

#include <memory>

namespace panolcd {
namespace {

std::unique_ptr<ProcessContext>& Slot() {
    static std::unique_ptr<ProcessContext> context;
    return context;
}

} // namespace

void ResetContext() {
    Slot().reset();
    Slot() = std::make_unique<ProcessContext>();
}

void ReleaseContext() {
    Slot().reset();
}

} // namespace panolcd
