#pragma once
// The database types of an LCD project. The program finds every database by its type, never by
// a record type name.

#include <cstdint>

namespace panolcd {

inline constexpr std::uint16_t kDBRoot = 0x5000;
inline constexpr std::uint16_t kDBFontBanks = 0x5010;
inline constexpr std::uint16_t kDBBitmapBanks = 0x5011;
inline constexpr std::uint16_t kDBScreens = 0x5012;
inline constexpr std::uint16_t kDBRegisterMap = 0x5013;
inline constexpr std::uint16_t kDBScreenObjects = 0x5020;
inline constexpr std::uint16_t kDBCaseVariants = 0x5022;
inline constexpr std::uint16_t kDBOnKeyVariants = 0x5023;
inline constexpr std::uint16_t kDBEnumVariants = 0x5024;

} // namespace panolcd
