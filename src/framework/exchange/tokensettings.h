#pragma once
// The characters and orders that shape token texts: record values, quotes and date-time tokens.

namespace panolcd {

struct TokenSettings {
    char valueSeparator = ';';
    char altQuote = '"'; // the second quote character beside '
    char dateSeparator = '/';
    char timeSeparator = ':';
    // Order of the three date numbers: 0 month-day-year, 1 day-month-year, 2 year-month-day.
    int dateOrder = 1;
};

} // namespace panolcd
