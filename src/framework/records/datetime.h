#pragma once
// Packed date-time values stored in 32-bit fields: DOS file date-time and ZetTime, and the texts
// that show them.

#include <cstdint>
#include <optional>
#include <string>

namespace panolcd {

struct DateTimeParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// hh:mm:ss of a number of seconds; hours above 99 take more digits.
std::string TimeText(std::uint32_t seconds);

// dd/mm/yyyy hh:mm:ss; "??" for a day outside 1..31 or a month outside 1..12, "????" for year 0.
std::string DateTimeText(const DateTimeParts& parts);

// DOS date-time: date in the high 16 bits (years since 1980: 7, month: 4, day: 5), time in the
// low 16 bits (hours: 5, minutes: 6, seconds / 2: 5). Nullopt when it is no valid date and time.
std::optional<DateTimeParts> UnpackDosDateTime(std::uint32_t value);
std::optional<std::uint32_t> PackDosDateTime(const DateTimeParts& parts);
// The text of a DOS date-time; ??/??/???? 00:00:00 for one that is not valid.
std::string DosDateTimeText(std::uint32_t value);

// ZetTime: low 16 bits twice the days since 1 January 1992 (plus 1 from noon on), high 16 bits
// the seconds since the start of that half day.
DateTimeParts UnpackZetTime(std::uint32_t value);
// Years 1992..2080 only; nullopt for anything that is not a valid date and time.
std::optional<std::uint32_t> PackZetTime(const DateTimeParts& parts);
std::string ZetTimeText(std::uint32_t value);
// Chronological order: low 16 bits first, then high 16 bits, both unsigned. -1, 0 or 1.
int CompareZetTime(std::uint32_t a, std::uint32_t b);

} // namespace panolcd
