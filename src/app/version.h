#pragma once

namespace panolcd {

inline constexpr const char* kProgramTitle = "PanoLCD";
inline constexpr const char* kProgramVersion = "V2.10 11.11.2001";

} // namespace panolcd
