#pragma once
// Enumeration types of the application description: lists of texts, optionally with a table
// that maps the 256 values of a one-byte field to item positions.

#include "framework/persistence/collection.h"

namespace panolcd {

class TEnumTypesColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TEnumTypesColl"; }
};

} // namespace panolcd
