#include "framework/environment/context.h"

#include "framework/records/database.h"
#include "generator/syntaxparser.h"

namespace panolcd {
namespace {
std::unique_ptr<ProcessContext>& Slot() {
    static std::unique_ptr<ProcessContext> context = std::make_unique<ProcessContext>();
    return context;
}
} // namespace

ProcessContext::ProcessContext() : rootRecordLookup(RootRecordHandle) {}
ProcessContext::~ProcessContext() = default;

ProcessContext& Ctx() {
    return *Slot();
}

void ResetContext() {
    Slot() = std::make_unique<ProcessContext>();
}

} // namespace panolcd
