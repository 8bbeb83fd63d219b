#pragma once

namespace panolcd {

// Registers the field descriptor and assign table classes with the class registry; run once at
// start-up.
void RegisterRecordClasses();

} // namespace panolcd
