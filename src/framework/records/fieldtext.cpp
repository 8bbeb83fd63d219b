#include "framework/records/fieldtext.h"

#include "common/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace panolcd {
namespace {

constexpr int kMaxDecimals = 30;

} // namespace

void AppendCapped(std::string& text, std::size_t capacity, std::string_view piece) {
    if (text.size() >= capacity)
        return;
    text.append(piece.substr(0, capacity - text.size()));
}

std::string AlignRight(std::string text, int width) {
    if (width > static_cast<int>(text.size()))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string PadRight(std::string text, int width) {
    if (width > static_cast<int>(text.size()))
        text.append(static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string CutTo(std::string text, int width) {
    if (width >= 0 && static_cast<int>(text.size()) > width)
        text.resize(static_cast<std::size_t>(width));
    return text;
}

std::string HexDigits(std::uint64_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0x0F];
        value >>= 4;
    }
    return text;
}

std::string CsvPattern(std::string_view caption) {
    const auto percent = caption.find('%');
    if (percent == std::string_view::npos)
        return {};
    const std::size_t start = percent > 0 && caption[percent - 1] == '$' ? percent - 1 : percent;
    std::size_t end = percent + 1;
    while (end < caption.size() && caption[end] != ' ')
        ++end;
    return std::string(caption.substr(start, end - start));
}

bool PatternFits(std::string_view pattern, PatternValue kind) {
    const std::string types = FormatDirectiveTypes(pattern);
    if (types.size() != 1)
        return false;
    const std::string_view accepted = kind == PatternValue::Integer ? "duxX"
                                      : kind == PatternValue::Real  ? "fge"
                                                                    : "s";
    return accepted.find(types[0]) != std::string_view::npos;
}

std::string FixedText(double value, int decimals) {
    return PrintfC("%.*f", std::clamp(decimals, 0, kMaxDecimals), value);
}

std::string ExpoText(double value, int width) {
    if (!std::isfinite(value))
        return AlignRight(FixedText(value, 0), width);
    // Room for the sign, "d.", "E+ddd"; at least two significant digits, at most 17.
    const int significant = std::clamp(width - 7, 2, 17);
    std::string text = PrintfC("%.*E", significant - 1, value);
    const auto e = text.find('E');
    if (e != std::string::npos && e + 2 <= text.size()) {
        std::string exponent = text.substr(e + 2);
        if (exponent.size() < 3)
            exponent.insert(0, 3 - exponent.size(), '0');
        text = text.substr(0, e + 2) + exponent;
    }
    return AlignRight(text, width);
}

int AutoDecimals(double value, int width) {
    if (!std::isfinite(value))
        return 0;
    const double magnitude = std::fabs(value);
    int integerDigits = 1;
    for (double limit = 10.0; magnitude >= limit && integerDigits < 309; limit *= 10.0)
        ++integerDigits;
    int decimals = std::min(width - 1, 15) - integerDigits - (value < 0 ? 1 : 0);
    if (decimals < 0)
        return 0;
    const double scaled = magnitude * std::pow(10.0, decimals);
    if (scaled >= 2147483647.0 || PascalRound(scaled) >= std::pow(10.0, integerDigits + decimals))
        --decimals;
    return std::max(decimals, 0);
}

} // namespace panolcd
