#pragma once
// Record types: ordered collections of field descriptors, and the collection of all record types
// of the application.

#include "framework/persistence/collection.h"

namespace panolcd {

class TRecTypesDscrColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TRecTypesDscrColl"; }
};

} // namespace panolcd
