#pragma once
// Date-time tokens: "1/2/03 4:05" in the configured date order and separators, packed as a DOS
// file date-time or, for form 2, as a ZetTime.

#include "framework/exchange/tokensettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

inline constexpr int kDateTimeFormZet = 2;

struct DateTimeToken {
    std::size_t end = 0; // index just past the token's last character
    std::optional<std::uint32_t> value;
    std::string errorText; // when there is no value: the bad part and its range, or a pack error
};

// True when `line` at `start` holds decimal digits followed by the date separator.
bool StartsDateTimeToken(std::string_view line, std::size_t start, const TokenSettings& settings);

// True when `line` at `start` holds the text a DOS date-time that is no valid date is shown
// with: ??/??/???? (the date separator as configured).
bool StartsUnknownDate(std::string_view line, std::size_t start, const TokenSettings& settings);

// Reads a date-time token at `start`: three date numbers separated by the date separator, then,
// after blanks, up to three time numbers separated by the time separator. A missing number
// counts as 0. An unknown date (StartsUnknownDate) reads as 0 for every form but the ZetTime.
DateTimeToken ReadDateTimeToken(std::string_view line, std::size_t start, int form,
                                const TokenSettings& settings);

} // namespace panolcd
