// Number and date-time tokens of the token reader.

#include "framework/environment/conversions.h"
#include "framework/exchange/datetimetoken.h"
#include "framework/exchange/lexreader.h"

namespace panolcd {
namespace {

// Texts naming the characters a token may start with, as the error reports show them.
constexpr const char* kByteClass = "not (Ch in [''$'',''0''..''9'',''A''..''F''])";
constexpr const char* kWordClass = "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F''])";
constexpr const char* kRealClass = "not (Ch in [''.'',''+'',''-'',''0''..''9'',''E''])";

constexpr const char* kByteRange = " <0;$FF> ";
constexpr const char* kWordRange = " <0;$FFFF> ";
constexpr const char* kLongIntRange = " <-Maxint;Maxint> ";
constexpr const char* kDWordRange = " <0;$FFFFFFFF> ";
constexpr const char* kRealRange = " <-1.0E+38;1.0E+38> ";

constexpr std::size_t kTextCapacity = 255;

bool IsDecimal(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDecimal(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsDecimalOrMinus(char c) {
    return IsDecimal(c) || c == '-';
}

bool StartsByte(char c) {
    return c == '$' || IsHexDigit(c);
}

bool StartsWord(char c) {
    return c == '-' || StartsByte(c);
}

bool IsRealChar(char c) {
    return IsDecimal(c) || c == '.' || c == '+' || c == '-' || c == 'E' || c == 'e';
}

} // namespace

std::string TLexicalElemReader::TakeRun(bool (*member)(char)) {
    const std::size_t start = column_ - 1;
    std::size_t end = start;
    while (end < line_.size() && member(line_[end]))
        ++end;
    if (end == start)
        return {};
    column_ = end;
    return line_.substr(start, end - start);
}

// "$" and hexadecimal digits, or decimal digits with "-". A token that starts with a
// hexadecimal letter is taken whole, letters and digits, so that it is refused as one bad
// number rather than read from its first decimal digit on.
std::string TLexicalElemReader::TakeIntToken() {
    if (CurrentChar() != '$')
        return TakeRun(IsDecimalOrMinus(CurrentChar()) ? IsDecimalOrMinus : IsHexDigit);
    const std::size_t start = column_ - 1;
    std::size_t end = start + 1;
    while (end < line_.size() && IsHexDigit(line_[end]))
        ++end;
    column_ = end;
    return line_.substr(start, end - start);
}

std::optional<std::int32_t>
TLexicalElemReader::ReadIntToken(bool (*starts)(char), const char* classText, IntConversion convert,
                                 std::int32_t max, std::int32_t min, const char* rangeText) {
    if (error_)
        return std::nullopt;
    if (!starts(NextChar())) {
        Error(kErrLexical, classText);
        return std::nullopt;
    }
    std::string text = TakeIntToken();
    std::int32_t value = 0;
    convert(text, kTextCapacity, value, 0, max, min);
    if (!text.empty()) {
        Error(kErrSemantic, text + rangeText);
        return std::nullopt;
    }
    return value;
}

std::uint8_t TLexicalElemReader::ReadByte() {
    const auto value = ReadIntToken(StartsByte, kByteClass, StrToIntLim, 255, 0, kByteRange);
    return value ? static_cast<std::uint8_t>(*value) : 255;
}

std::uint16_t TLexicalElemReader::ReadWord() {
    const auto value = ReadIntToken(StartsWord, kWordClass, StrToIntLim, 65535, 0, kWordRange);
    return value ? static_cast<std::uint16_t>(*value) : 65535;
}

std::int32_t TLexicalElemReader::ReadLongInt() {
    // Symmetric limits: -2147483648 is out of range.
    const auto value = ReadIntToken(StartsWord, kWordClass, StrToLongIntLim, 2147483647,
                                    -2147483647, kLongIntRange);
    return value.value_or(-1);
}

std::uint32_t TLexicalElemReader::ReadDateTime(int form) {
    constexpr std::uint32_t kFailed = 0xFFFFFFFF;
    if (error_)
        return kFailed;
    const char first = NextChar();
    const std::size_t start = column_ == 0 ? 0 : column_ - 1;
    const bool unknownDate =
        form != kDateTimeFormZet && first == '?' && StartsUnknownDate(line_, start, settings_);
    if (!unknownDate && !StartsWord(first)) {
        Error(kErrLexical, kWordClass);
        return kFailed;
    }
    if (unknownDate || StartsDateTimeToken(line_, start, settings_)) {
        const DateTimeToken token = ReadDateTimeToken(line_, start, form, settings_);
        column_ = token.end; // on the token's last character
        if (!token.value) {
            Error(kErrLexical, token.errorText);
            return kFailed;
        }
        return *token.value;
    }
    std::string text = TakeIntToken();
    std::uint32_t value = 0;
    StrToDWordLim(text, kTextCapacity, value, 0, 0xFFFFFFFF, 0);
    if (!text.empty()) {
        Error(kErrSemantic, text + kDWordRange);
        return kFailed;
    }
    return value;
}

double TLexicalElemReader::ReadReal() {
    constexpr double kFailed = 0;
    if (error_)
        return kFailed;
    if (!IsRealChar(NextChar())) {
        Error(kErrLexical, kRealClass);
        return kFailed;
    }
    std::string text = TakeRun(IsRealChar);
    double value = 0;
    StrToRealLim(text, kTextCapacity, value, 0, 1.0E+38, -1.0E+38);
    if (!text.empty()) {
        Error(kErrSemantic, text + kRealRange);
        return kFailed;
    }
    return value;
}

} // namespace panolcd
