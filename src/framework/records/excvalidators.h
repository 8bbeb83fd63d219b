#pragma once
// ExcValidators: wiring faults of databases and the validators that show them — a database type
// the application description does not know, a control tied to a missing field.

#include "common/error.h"

namespace panolcd {

class ExcValidators : public Exception {
public:
    using Exception::Exception;
};

} // namespace panolcd
