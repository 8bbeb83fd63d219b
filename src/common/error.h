#pragma once
// The general exception of the system: carries a message text (Windows-1250).

#include <stdexcept>
#include <string>

namespace panolcd {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

} // namespace panolcd
