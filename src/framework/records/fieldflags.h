#pragma once
// Option bits of a field descriptor (TRecFieldTypeDscr::Flags).

#include <cstdint>

namespace panolcd {

inline constexpr std::uint16_t fNoTrBuff = 0x0001;
inline constexpr std::uint16_t fNoPad = 0x0004;
inline constexpr std::uint16_t fNoLineCaption = 0x0008;
inline constexpr std::uint16_t fNoCWinCaption = 0x0010;
inline constexpr std::uint16_t fCWinNoPad = 0x0020;
inline constexpr std::uint16_t fNoJoinCaption = 0x0040;
inline constexpr std::uint16_t fCSVAlways = 0x0080;
inline constexpr std::uint16_t fCSVNewLine = 0x0200;
inline constexpr std::uint16_t fHex = 0x0400;
inline constexpr std::uint16_t fExpo = 0x0800;
inline constexpr std::uint16_t fFormat = 0x1000;
inline constexpr std::uint16_t fAutoDec = 0x2000;

} // namespace panolcd
