#pragma once
// The generation time written into the include file: the user's short date and long time, or
// the instant SOURCE_DATE_EPOCH names, so that a build can reproduce its output.

#include "framework/environment/ports.h"

#include <optional>
#include <string>

namespace panolcd {

// strftime "%x %X" under the current C locale; "%x" alone at exactly midnight.
std::string FormatGenerationTime(const LocalDateTime& time);

// The time of this generation: SOURCE_DATE_EPOCH broken down in UTC when it is set, else the
// clock's local time. Nullopt and `error` set when SOURCE_DATE_EPOCH is not a count of seconds.
std::optional<LocalDateTime> GenerationInstant(std::string& error);

} // namespace panolcd
