#include "common/format.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace panolcd {
namespace {

struct Directive {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    char type = 0;
    bool complete = false; // false when the pattern ends inside the directive
};

std::int64_t AsSigned(const FormatArg& arg) {
    return std::visit(
        [](const auto& v) -> std::int64_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return 0;
            else if constexpr (std::is_same_v<T, double>)
                return std::isfinite(v) ? static_cast<std::int64_t>(v) : 0;
            else
                return static_cast<std::int64_t>(v);
        },
        arg.Value());
}

double AsReal(const FormatArg& arg) {
    return std::visit(
        [](const auto& v) -> double {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return 0.0;
            else
                return static_cast<double>(v);
        },
        arg.Value());
}

std::string AsText(const FormatArg& arg) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>)
                return v;
            else
                return std::to_string(v);
        },
        arg.Value());
}

std::string ZeroPad(std::string digits, int precision) {
    if (precision > 0 && static_cast<int>(digits.size()) < precision)
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    return digits;
}

std::string FormatInteger(const FormatArg& arg, const Directive& d) {
    const bool isUnsigned = std::holds_alternative<std::uint64_t>(arg.Value());
    if (d.type == 'd' && !isUnsigned) {
        const std::int64_t v = AsSigned(arg);
        const std::uint64_t magnitude =
            v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
        std::string text = ZeroPad(std::to_string(magnitude), d.precision);
        return v < 0 ? "-" + text : text;
    }
    std::uint64_t v = isUnsigned ? std::get<std::uint64_t>(arg.Value())
                                 : static_cast<std::uint64_t>(AsSigned(arg));
    // Negative 32-bit values print as their 32-bit pattern, as the terminal's integers are.
    if (!isUnsigned && AsSigned(arg) < 0 && AsSigned(arg) >= INT32_MIN)
        v &= 0xFFFFFFFFu;
    if (d.type == 'x' || d.type == 'X') {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v));
        return ZeroPad(buf, d.precision);
    }
    return ZeroPad(std::to_string(v), d.precision);
}

std::string FormatFixed(double v, int decimals) {
    return PrintfC("%.*f", decimals, v);
}

// d.ddd...E+ddd with `digits` significant digits and at least three exponent digits.
std::string FormatScientific(double v, int digits) {
    std::string text = PrintfC("%.*E", digits > 0 ? digits - 1 : 0, v);
    const auto e = text.find('E');
    if (e == std::string::npos || e + 2 > text.size())
        return text;
    std::string exponent = text.substr(e + 2);
    if (exponent.size() < 3)
        exponent.insert(0, 3 - exponent.size(), '0');
    return text.substr(0, e + 2) + exponent;
}

// Shortest of fixed and scientific, trailing zeros removed.
std::string FormatGeneral(double v, int precision) {
    if (!std::isfinite(v))
        return FormatFixed(v, 0);
    std::string text = PrintfC("%.*G", precision, v);
    const auto e = text.find('E');
    std::string mantissa = text.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : text.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0')
            mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.')
            mantissa.pop_back();
    }
    if (!exponent.empty()) {
        // E+05 -> E5, E-07 -> E-7
        const bool negative = exponent.size() > 1 && exponent[1] == '-';
        std::string digits = exponent.substr(2);
        while (digits.size() > 1 && digits.front() == '0')
            digits.erase(0, 1);
        exponent = std::string("E") + (negative ? "-" : "") + digits;
    }
    return mantissa + exponent;
}

std::string FormatOne(const FormatArg* arg, const Directive& d) {
    if (!arg)
        return {};
    switch (d.type) {
    case 's': {
        std::string text = AsText(*arg);
        if (d.precision >= 0 && static_cast<int>(text.size()) > d.precision)
            text.resize(static_cast<std::size_t>(d.precision));
        return text;
    }
    case 'd':
    case 'u':
    case 'x':
    case 'X':
        return FormatInteger(*arg, d);
    case 'f':
        return FormatFixed(AsReal(*arg), d.precision >= 0 ? d.precision : 2);
    case 'e':
        return FormatScientific(AsReal(*arg), d.precision >= 0 ? d.precision : 15);
    case 'g':
        return FormatGeneral(AsReal(*arg), d.precision > 0 ? d.precision : 15);
    default:
        return {};
    }
}

// Widths and precisions from a pattern are bounded, so a damaged pattern cannot ask for
// megabytes of padding.
constexpr int kMaxWidth = 999;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the directive whose "%" is at pattern[start] (not "%%"). Returns the index after it and
// sets `d`; d.complete stays false when the pattern ends inside the directive, and d.type holds
// an unknown letter when the directive is not one of ours.
std::size_t ParseDirective(std::string_view pattern, std::size_t start, Directive& d) {
    std::size_t i = start + 1;
    if (i < pattern.size() && pattern[i] == '-') {
        d.leftAlign = true;
        ++i;
    }
    auto readNumber = [&](int& target) {
        if (i >= pattern.size() || !IsDigit(pattern[i]))
            return;
        target = 0;
        while (i < pattern.size() && IsDigit(pattern[i])) {
            target = std::min(kMaxWidth, target * 10 + (pattern[i] - '0'));
            ++i;
        }
    };
    readNumber(d.width);
    if (i < pattern.size() && pattern[i] == '.') {
        ++i;
        d.precision = 0;
        readNumber(d.precision);
    }
    if (i >= pattern.size())
        return i;
    d.type = pattern[i++];
    d.complete = true;
    return i;
}

constexpr std::string_view kTypes = "sduxXfge";

} // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
    const std::vector<FormatArg> list(args);
    std::size_t nextArg = 0;
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        const std::size_t start = i;
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        Directive d;
        i = ParseDirective(pattern, start, d);
        if (!d.complete) {
            out.append(pattern.substr(start));
            break;
        }
        if (kTypes.find(d.type) == std::string_view::npos) {
            out.append(pattern.substr(start, i - start));
            continue;
        }
        const FormatArg* arg = nextArg < list.size() ? &list[nextArg] : nullptr;
        ++nextArg;
        std::string text = FormatOne(arg, d);
        if (d.width > 0 && static_cast<int>(text.size()) < d.width) {
            const std::string pad(static_cast<std::size_t>(d.width) - text.size(), ' ');
            text = d.leftAlign ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

std::string FormatDirectiveTypes(std::string_view pattern) {
    std::string types;
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != '%') {
            ++i;
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            i += 2;
            continue;
        }
        Directive d;
        i = ParseDirective(pattern, i, d);
        if (d.complete && kTypes.find(d.type) != std::string_view::npos)
            types += d.type;
    }
    return types;
}

std::string PrintfC(const char* pattern, ...) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t previous = ::uselocale(cLocale);
    std::va_list args;
    va_start(args, pattern);
    std::va_list again;
    va_copy(again, args);
    char small[128];
    const int length = std::vsnprintf(small, sizeof small, pattern, args);
    va_end(args);
    std::string text;
    if (length >= static_cast<int>(sizeof small)) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), pattern, again);
        text.resize(static_cast<std::size_t>(length));
    } else if (length > 0) {
        text.assign(small, static_cast<std::size_t>(length));
    }
    va_end(again);
    ::uselocale(previous);
    return text;
}

} // namespace panolcd
