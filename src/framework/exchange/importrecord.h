#pragma once
// Builds a database record from the current values of an import's initiators.

#include <memory>

namespace panolcd {

class TDataBase;
class TDBRecordObj;
class TRecIniciatorColl;

// The record of `database`'s record type for the values, holding the nested databases the
// initiators kept (an empty collection is dropped), its pointer fields checked. Nullptr when no
// valid record can be made; whatever it would have held is freed.
std::unique_ptr<TDBRecordObj> BuildImportedRecord(TDataBase& database,
                                                  TRecIniciatorColl& iniciators);

} // namespace panolcd
