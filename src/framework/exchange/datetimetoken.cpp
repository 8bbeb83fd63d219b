#include "framework/exchange/datetimetoken.h"

#include "framework/records/datetime.h"

#include <array>

namespace panolcd {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Number {
    std::string text;
    std::int64_t value = 0; // beyond 9 digits: large enough to fail every range
};

Number TakeNumber(std::string_view line, std::size_t& pos) {
    Number n;
    while (pos < line.size() && IsDigit(line[pos])) {
        n.text += line[pos];
        if (n.value < 1'000'000'000)
            n.value = n.value * 10 + (line[pos] - '0');
        ++pos;
    }
    return n;
}

// After the date: blanks, then hour, minute and second; `pos` moves only over what was read.
std::array<Number, 3> TakeTime(std::string_view line, std::size_t& pos,
                               const TokenSettings& settings) {
    std::array<Number, 3> time;
    std::size_t p = pos;
    while (p < line.size() && static_cast<unsigned char>(line[p]) <= 32 &&
           line[p] != settings.valueSeparator)
        ++p;
    if (p == pos || p >= line.size() || !IsDigit(line[p]))
        return time;
    time[0] = TakeNumber(line, p);
    for (std::size_t i = 1; i < 3 && p < line.size() && line[p] == settings.timeSeparator; ++i) {
        ++p;
        time[i] = TakeNumber(line, p);
    }
    pos = p;
    return time;
}

struct Part {
    const Number* number;
    int min, max;
    const char* rangeText;
};

} // namespace

bool StartsDateTimeToken(std::string_view line, std::size_t start, const TokenSettings& settings) {
    std::size_t pos = start;
    while (pos < line.size() && IsDigit(line[pos]))
        ++pos;
    return pos > start && pos < line.size() && line[pos] == settings.dateSeparator;
}

bool StartsUnknownDate(std::string_view line, std::size_t start, const TokenSettings& settings) {
    const char s = settings.dateSeparator;
    const std::string unknown = std::string("??") + s + "??" + s + "????";
    return start <= line.size() && line.substr(start, unknown.size()) == unknown;
}

DateTimeToken ReadDateTimeToken(std::string_view line, std::size_t start, int form,
                                const TokenSettings& settings) {
    DateTimeToken token;
    std::size_t pos = start;
    if (form != kDateTimeFormZet && StartsUnknownDate(line, start, settings)) {
        // What a DOS date-time that is no valid date was written as: read back as 0, the value
        // such a field is created with, so that a file the program wrote can be read again.
        pos += 10;
        TakeTime(line, pos, settings);
        token.end = pos;
        token.value = 0;
        return token;
    }

    std::array<Number, 3> date;
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= line.size() || line[pos] != settings.dateSeparator)
                break;
            ++pos;
        }
        date[i] = TakeNumber(line, pos);
    }
    const std::array<Number, 3> time = TakeTime(line, pos, settings);
    token.end = pos;

    static constexpr std::array<std::array<int, 3>, 3> kOrders = {{
        {1, 0, 2}, // month-day-year: index of day, month, year in the text
        {0, 1, 2}, // day-month-year
        {2, 1, 0}, // year-month-day
    }};
    const auto& order = kOrders[settings.dateOrder >= 0 && settings.dateOrder <= 2
                                    ? static_cast<std::size_t>(settings.dateOrder)
                                    : 1];
    const Number& day = date[static_cast<std::size_t>(order[0])];
    const Number& month = date[static_cast<std::size_t>(order[1])];
    const Number& year = date[static_cast<std::size_t>(order[2])];
    const bool longYear = year.text.size() > 2;

    Part parts[6] = {
        {&day, 1, 31, "< 1,31>"},
        {&month, 1, 12, "< 1,12>"},
        {&year, longYear ? 1980 : 0, longYear ? 2079 : 99, longYear ? "<1980,2079>" : "< 0,99>"},
        {&time[0], 0, 23, "< 0,23>"},
        {&time[1], 0, 59, "< 0,59>"},
        {&time[2], 0, 59, "< 0,59>"},
    };
    // Reported in the order the date is written, then the time.
    std::array<std::size_t, 6> check = {0, 1, 2, 3, 4, 5};
    for (std::size_t i = 0; i < 3; ++i)
        check[static_cast<std::size_t>(order[i])] = i;
    for (const std::size_t i : check) {
        const Part& part = parts[i];
        if (part.number->value < part.min || part.number->value > part.max) {
            token.errorText = part.number->text + part.rangeText;
            return token;
        }
    }

    DateTimeParts value;
    value.day = static_cast<int>(day.value);
    value.month = static_cast<int>(month.value);
    value.year = static_cast<int>(year.value);
    if (!longYear)
        value.year += value.year < 80 ? 2000 : 1900;
    value.hour = static_cast<int>(time[0].value);
    value.minute = static_cast<int>(time[1].value);
    value.second = static_cast<int>(time[2].value);

    if (form == kDateTimeFormZet) {
        token.value = PackZetTime(value);
        if (!token.value)
            token.errorText = "Err PackZetTime";
        return token;
    }
    // A day the month does not have (31/04) would pack into a date nothing can show.
    token.value = PackDosDateTime(value);
    if (!token.value)
        token.errorText = "Err PackTime";
    return token;
}

} // namespace panolcd
