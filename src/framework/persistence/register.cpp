#include "framework/persistence/register.h"

#include "framework/persistence/classregistry.h"
#include "framework/persistence/collection.h"

namespace panolcd {

void RegisterPersistenceClasses() {
    RegisterClass<TrbCollection>();
    RegisterClass<TrbSortedCollection>();
}

} // namespace panolcd
