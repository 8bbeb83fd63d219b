#pragma once
// The one formatter for patterns that come from files and resources ("%d kg",
// "Hodnota %d mimo meze <%d;%d>"). Such patterns are never handed to printf: a directive that
// does not match its argument, or has none, cannot read memory it does not own.
//
// Directives: %[-][width][.precision]type with type s d u x X f g e, and %%. Hex is upper case;
// %f defaults to 2 decimals and %e to 15 significant digits, as the terminal's tools print them.
// A directive without an argument formats as empty; an unknown directive is copied verbatim.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace panolcd {

class FormatArg {
public:
    FormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned v) : value_(static_cast<std::uint64_t>(v)) {}
    FormatArg(unsigned long v) : value_(static_cast<std::uint64_t>(v)) {}
    FormatArg(unsigned long long v) : value_(static_cast<std::uint64_t>(v)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(std::string_view v) : value_(std::string(v)) {}
    FormatArg(const std::string& v) : value_(v) {}
    FormatArg(const char* v) : value_(std::string(v ? v : "")) {}

    const auto& Value() const { return value_; }

private:
    std::variant<std::int64_t, std::uint64_t, double, std::string> value_;
};

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

// The type letters of the directives that take an argument, in order: "%5.1f C" gives "f",
// "%%" and unknown directives give nothing. Lets a caller check that a pattern fits its value
// before formatting it.
std::string FormatDirectiveTypes(std::string_view pattern);

// printf of one of the program's own constant patterns, with the C locale's decimal point
// whatever the user's locale: numbers in files and records must read back everywhere.
[[gnu::format(printf, 1, 2)]] std::string PrintfC(const char* pattern, ...);

} // namespace panolcd
