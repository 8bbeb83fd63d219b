#include "framework/environment/conversions.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "common/text.h"
#include "framework/environment/restext.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace panolcd {
namespace {

constexpr int kTextIntSyntax = 134;
constexpr int kTextOutOfLimits = 135;
constexpr int kTextLongIntSyntax = 138;
constexpr int kTextRealSyntax = 139;
constexpr int kTextBadExtension = 132;
constexpr int kTextBadFileName = 133;
constexpr int kTextIoError = 131;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char u = AsciiUpper(c);
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    return text.substr(pos);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal order of a well-formed unsigned real text: the power of ten of its first
// significant digit, plus one ("5" gives 1, "0.05" gives -1, "1E400" gives 401).
std::int64_t DecimalOrder(std::string_view text) {
    std::int64_t order = 0;
    bool seenPoint = false;
    bool significant = false;
    std::size_t pos = 0;
    for (; pos < text.size() && (IsDigit(text[pos]) || text[pos] == '.'); ++pos) {
        const char c = text[pos];
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (!significant && c != '0')
            significant = true;
        if (!seenPoint && significant)
            ++order;
        else if (seenPoint && !significant)
            --order;
    }
    if (!significant)
        return INT64_MIN / 2; // zero
    if (pos < text.size()) {  // exponent
        ++pos;
        bool negative = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            negative = text[pos++] == '-';
        std::int64_t exponent = 0;
        for (; pos < text.size(); ++pos)
            exponent = std::min<std::int64_t>(exponent * 10 + (text[pos] - '0'), 1'000'000'000);
        order += negative ? -exponent : exponent;
    }
    return order;
}

// Sets the result of a checked conversion: empty text and the value, or the error text.
template <typename T>
void SetLimResult(std::string& text, std::size_t capacity, T& value, const std::optional<T>& parsed,
                  int syntaxTextId, unsigned flags, T max, T min) {
    if (!parsed) {
        text = CutShortString(ResText(syntaxTextId), capacity);
        return;
    }
    const T v = *parsed;
    if (!(v >= min && v <= max) || ((flags & kLimExcludeMin) && v == min) ||
        ((flags & kLimExcludeMax) && v == max)) {
        text = CutShortString(ResText(kTextOutOfLimits) + " ", capacity);
        return;
    }
    text.clear();
    value = v;
}

} // namespace

std::optional<std::int32_t> ParseIntText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    text.remove_prefix(pos);
    if (text.empty())
        return std::nullopt;

    if (text.front() == '$') {
        text.remove_prefix(1);
        if (text.empty() || text.size() > 8)
            return std::nullopt;
        std::uint32_t bits = 0;
        for (const char c : text) {
            const int digit = HexDigit(c);
            if (digit < 0)
                return std::nullopt;
            bits = bits << 4 | static_cast<std::uint32_t>(digit);
        }
        return static_cast<std::int32_t>(bits);
    }

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{1} << 31)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void StrToIntLim(std::string& text, std::size_t capacity, std::int32_t& value, unsigned flags,
                 std::int32_t max, std::int32_t min) {
    SetLimResult(text, capacity, value, ParseIntText(text), kTextIntSyntax, flags, max, min);
}

void StrToLongIntLim(std::string& text, std::size_t capacity, std::int32_t& value, unsigned flags,
                     std::int32_t max, std::int32_t min) {
    SetLimResult(text, capacity, value, ParseIntText(text), kTextLongIntSyntax, flags, max, min);
}

std::optional<std::int64_t> ParseDWordText(std::string_view text) {
    text = SkipLeadingBlanks(text);
    if (!text.empty() && text.front() == '$') {
        const std::optional<std::int32_t> bits = ParseIntText(text);
        if (!bits)
            return std::nullopt;
        return static_cast<std::int64_t>(static_cast<std::uint32_t>(*bits));
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{UINT32_MAX})
            return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

void StrToDWordLim(std::string& text, std::size_t capacity, std::uint32_t& value, unsigned flags,
                   std::uint32_t max, std::uint32_t min) {
    const std::optional<std::int64_t> parsed = ParseDWordText(text);
    std::int64_t wide = 0;
    SetLimResult(text, capacity, wide, parsed, kTextLongIntSyntax, flags, std::int64_t{max},
                 std::int64_t{min});
    if (text.empty())
        value = static_cast<std::uint32_t>(wide);
}

std::optional<double> ParseRealText(std::string_view text) {
    text = SkipLeadingBlanks(text);
    std::size_t pos = 0;
    const auto digits = [&] {
        const std::size_t start = pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        return pos - start;
    };
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t mantissaStart = pos;
    std::size_t mantissaDigits = digits();
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        if (digits() == 0)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;

    // from_chars, unlike strtod, does not follow the locale's decimal point.
    const char* first = text.data() + (text.front() == '+' ? 1 : 0);
    const char* last = text.data() + text.size();
    double result = 0;
    const auto [end, error] = std::from_chars(first, last, result, std::chars_format::general);
    if (end != last)
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Beyond a double: infinite when the number's decimal order is positive, else zero.
        const bool negative = text.front() == '-';
        const bool huge = DecimalOrder(text.substr(mantissaStart)) > 0;
        if (huge)
            return negative ? -HUGE_VAL : HUGE_VAL;
        return negative ? -0.0 : 0.0;
    }
    if (error != std::errc())
        return std::nullopt;
    return result;
}

void StrToRealLim(std::string& text, std::size_t capacity, double& value, unsigned flags,
                  double max, double min) {
    SetLimResult(text, capacity, value, ParseRealText(text), kTextRealSyntax, flags, max, min);
}

std::string LongFileNameText(std::string_view name) {
    return Utf8ToCp1250("Jméno souboru je delší než 254 znaků, soubor nelze použít: ") +
           std::string(name);
}

std::string CheckFileName(std::string_view name, std::string_view requiredExt) {
    std::string upper = AsciiUpper(name);
    if (!requiredExt.empty()) {
        const std::string ext = ExtractFileExt(upper).substr(0, 6);
        if (SameTextAscii(ext, requiredExt))
            return {};
        return ext + "-" + ResText(kTextBadExtension);
    }
    if (upper == "CLOCK$")
        upper = "CON";
    if (upper.size() == 4)
        upper.resize(3); // COM1, LPT2, NUL1...
    static constexpr std::string_view kDevices[] = {"CON", "AUX", "COM", "PRN", "LPT", "NUL"};
    bool refused = upper.empty();
    for (const std::string_view device : kDevices)
        refused = refused || upper == device;
    if (refused)
        return std::string(name) + "-" + ResText(kTextBadFileName);
    return {};
}

std::string IoErrorText(int code) {
    switch (code) {
    case 0:
        return {};
    case 1:
        return ResText(101);
    case 2:
        return ResText(102);
    case 3:
        return ResText(103);
    case 4:
        return ResText(104);
    case 5:
        return ResText(105);
    case 6:
        return ResText(106);
    case 12:
        return ResText(107);
    case 15:
        return ResText(108);
    case 16:
        return ResText(109);
    case 17:
        return ResText(110);
    default:
        break;
    }
    if (code >= 100 && code <= 106)
        return ResText(111 + (code - 100));
    if (code >= 150 && code <= 162)
        return ResText(118 + (code - 150));
    return ResText(kTextIoError) + " " + std::to_string(code);
}

int IoErrorCodeForErrno(int err, bool writing) {
    switch (err) {
    case 0:
        return 0;
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5;
    case EBADF:
        return 6;
    case EINVAL:
        return 12;
    case EXDEV:
        return 17;
    case EIO:
        return writing ? 101 : 100;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 101;
    default:
        return -1;
    }
}

std::string IoErrorTextForErrno(int err, bool writing) {
    const int code = IoErrorCodeForErrno(err, writing);
    if (code < 0)
        return ResText(kTextIoError) + " " + std::to_string(err);
    return IoErrorText(code);
}

} // namespace panolcd
