#include "framework/environment/envcontext.h"

namespace panolcd {

EnvironmentContext::EnvironmentContext() = default;
EnvironmentContext::~EnvironmentContext() = default;

} // namespace panolcd
