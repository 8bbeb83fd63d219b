#include "generator/generationtime.h"

#include "framework/environment/envcontext.h"

#include <cstdlib>
#include <ctime>
#include <string_view>

namespace panolcd {

std::string FormatGenerationTime(const LocalDateTime& time) {
    std::tm tm{};
    tm.tm_year = time.year - 1900;
    tm.tm_mon = time.month - 1;
    tm.tm_mday = time.day;
    tm.tm_hour = time.hour;
    tm.tm_min = time.minute;
    tm.tm_sec = time.second;
    // Normalises the fields and fills in the weekday a locale's date format may show; the
    // fields are taken as they are, so no time zone can shift them.
    std::tm normal = tm;
    if (timegm(&normal) != static_cast<std::time_t>(-1))
        tm = normal;
    const bool midnight = tm.tm_hour == 0 && tm.tm_min == 0 && tm.tm_sec == 0;
    char buffer[256];
    const std::size_t n = std::strftime(buffer, sizeof buffer, midnight ? "%x" : "%x %X", &tm);
    return std::string(buffer, n);
}

std::optional<LocalDateTime> GenerationInstant(std::string& error) {
    const char* env = std::getenv("SOURCE_DATE_EPOCH");
    if (env == nullptr)
        return EnvCtx().clock->Now();
    const std::string_view value(env);
    // At most 18 digits: the count fits in 64 bits.
    bool valid = !value.empty() && value.size() <= 18;
    for (char c : value)
        valid = valid && c >= '0' && c <= '9';
    std::time_t seconds = 0;
    if (valid)
        for (char c : value)
            seconds = seconds * 10 + (c - '0');
    std::tm tm{};
    if (!valid || gmtime_r(&seconds, &tm) == nullptr) {
        error = "SOURCE_DATE_EPOCH is not a number of seconds: " + std::string(value);
        return std::nullopt;
    }
    return LocalDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                         tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

} // namespace panolcd
