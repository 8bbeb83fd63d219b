#pragma once

namespace panolcd {

// Registers the collection classes with the class registry; run once at start-up.
void RegisterPersistenceClasses();

} // namespace panolcd
