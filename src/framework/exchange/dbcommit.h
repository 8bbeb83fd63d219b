#pragma once
// Moves the records of a database built by an import into the target database: type check,
// insertion point, filter, capacity, record semantics and the selection of the first record.

#include <memory>

namespace panolcd {

class TDataBase;
class TLexicalElemReader;

enum class CommitResult { Ok, TypeMismatch, Full };

// The built database is emptied and freed. With a type mismatch nothing moves and the reader
// reports "Nesouhlasí typ souboru Databáze". When the target fills up, the records that still
// fit are inserted, the rest freed, and "Database full" is shown. `insertIx` (used when it lies
// inside the target) grows with every inserted record; a filter index >= 0 lets the target's
// filter refuse records.
CommitResult CommitRecords(std::unique_ptr<TDataBase> built, TDataBase& target, int& insertIx,
                           int filterIx, TLexicalElemReader& reader);

} // namespace panolcd
