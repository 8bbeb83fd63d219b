#pragma once
// The register map of the terminal program, read from the map file its tools write: one
// register a line, the register map record's columns in order.

#include "framework/exchange/exchangerunner.h"

#include <memory>
#include <string>

namespace panolcd {

class TDataBase;

// The whole file in a database of the register map's type, not attached to any project; none
// when any line failed or the file holds more registers than the map may (the reader has told
// the user why, naming the file and the line). A register that `check` refuses fails its line.
std::unique_ptr<TDataBase> ReadMapFile(const std::string& fileName,
                                       const ImportedRecordCheck& check = {});

} // namespace panolcd
