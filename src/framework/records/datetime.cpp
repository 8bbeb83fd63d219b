#include "framework/records/datetime.h"

#include <cstdio>

namespace panolcd {
namespace {

constexpr int kZetEpochYear = 1992;
constexpr int kZetLastYear = 2080;
constexpr int kDaysPerCycle = 1461;
constexpr std::uint32_t kHalfDay = 43200;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

bool IsValid(const DateTimeParts& p) {
    if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > DaysInMonth(p.year, p.month))
        return false;
    return p.hour >= 0 && p.hour <= 23 && p.minute >= 0 && p.minute <= 59 && p.second >= 0 &&
           p.second <= 59;
}

std::string TwoDigits(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", value);
    return buf;
}

} // namespace

std::string TimeText(std::uint32_t seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buf;
}

std::string DateTimeText(const DateTimeParts& p) {
    const std::string day = p.day >= 1 && p.day <= 31 ? TwoDigits(p.day) : "??";
    const std::string month = p.month >= 1 && p.month <= 12 ? TwoDigits(p.month) : "??";
    char year[16];
    std::snprintf(year, sizeof year, "%04d", p.year);
    const std::uint32_t seconds =
        static_cast<std::uint32_t>(p.hour * 3600 + p.minute * 60 + p.second);
    return day + "/" + month + "/" + (p.year == 0 ? std::string("????") : year) + " " +
           TimeText(seconds);
}

std::optional<DateTimeParts> UnpackDosDateTime(std::uint32_t value) {
    const std::uint32_t date = value >> 16;
    const std::uint32_t time = value & 0xFFFF;
    DateTimeParts p;
    p.year = 1980 + static_cast<int>(date >> 9);
    p.month = static_cast<int>((date >> 5) & 0x0F);
    p.day = static_cast<int>(date & 0x1F);
    p.hour = static_cast<int>(time >> 11);
    p.minute = static_cast<int>((time >> 5) & 0x3F);
    p.second = static_cast<int>(time & 0x1F) * 2;
    if (!IsValid(p))
        return std::nullopt;
    return p;
}

std::optional<std::uint32_t> PackDosDateTime(const DateTimeParts& p) {
    if (p.year < 1980 || p.year > 1980 + 127 || !IsValid(p))
        return std::nullopt;
    const auto date = static_cast<std::uint32_t>(((p.year - 1980) << 9) | (p.month << 5) | p.day);
    const auto time = static_cast<std::uint32_t>((p.hour << 11) | (p.minute << 5) | (p.second / 2));
    return (date << 16) | time;
}

std::string DosDateTimeText(std::uint32_t value) {
    const auto parts = UnpackDosDateTime(value);
    if (!parts)
        // Spelled in pieces: "??/" would read as a trigraph.
        return std::string("??") + "/??" + "/???? 00:00:00";
    return DateTimeText(*parts);
}

DateTimeParts UnpackZetTime(std::uint32_t value) {
    const std::uint32_t low = value & 0xFFFF;
    std::uint32_t days = low >> 1;
    const std::uint32_t seconds = (value >> 16) + ((low & 1) != 0 ? kHalfDay : 0);
    DateTimeParts p;
    p.year = kZetEpochYear + 4 * static_cast<int>(days / kDaysPerCycle);
    days %= kDaysPerCycle;
    for (;;) {
        const std::uint32_t yearDays = IsLeapYear(p.year) ? 366 : 365;
        if (days < yearDays)
            break;
        days -= yearDays;
        ++p.year;
    }
    p.month = 1;
    while (days >= static_cast<std::uint32_t>(DaysInMonth(p.year, p.month))) {
        days -= static_cast<std::uint32_t>(DaysInMonth(p.year, p.month));
        ++p.month;
    }
    p.day = static_cast<int>(days) + 1;
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

std::optional<std::uint32_t> PackZetTime(const DateTimeParts& p) {
    if (p.year < kZetEpochYear || p.year > kZetLastYear || !IsValid(p))
        return std::nullopt;
    const int cycleYear = (p.year - kZetEpochYear) % 4;
    std::uint32_t days = static_cast<std::uint32_t>((p.year - kZetEpochYear) / 4) * kDaysPerCycle;
    for (int y = p.year - cycleYear; y < p.year; ++y)
        days += IsLeapYear(y) ? 366 : 365;
    for (int m = 1; m < p.month; ++m)
        days += static_cast<std::uint32_t>(DaysInMonth(p.year, m));
    days += static_cast<std::uint32_t>(p.day - 1);
    std::uint32_t seconds = static_cast<std::uint32_t>(p.hour * 3600 + p.minute * 60 + p.second);
    std::uint32_t low = days * 2;
    if (seconds >= kHalfDay) {
        seconds -= kHalfDay;
        low += 1;
    }
    if (low > 0xFFFF)
        return std::nullopt;
    return (seconds << 16) | low;
}

std::string ZetTimeText(std::uint32_t value) {
    return DateTimeText(UnpackZetTime(value));
}

int CompareZetTime(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t lowA = a & 0xFFFF;
    const std::uint32_t lowB = b & 0xFFFF;
    if (lowA != lowB)
        return lowA < lowB ? -1 : 1;
    const std::uint32_t highA = a >> 16;
    const std::uint32_t highB = b >> 16;
    if (highA != highB)
        return highA < highB ? -1 : 1;
    return 0;
}

} // namespace panolcd
