#pragma once

namespace panolcd {

// Registers the field descriptor and assign table classes with the class registry; run once at
// start-up.
void RegisterRecordClasses();
// Descriptors, databases, database records and pointer fields; RegisterRecordClasses calls it.
void RegisterDatabaseClasses();

} // namespace panolcd
