#pragma once
// Checked number input, file-name checks and the texts of input/output error codes. Messages come
// from the resource texts (restext.h), so a resource library can replace them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

// StrToIntLim flags.
inline constexpr unsigned kLimExcludeMin = 0x400;
inline constexpr unsigned kLimExcludeMax = 0x800;

// A whole text as a 32-bit integer: leading blanks, then an optional sign and decimal digits,
// or "$" and 1 to 8 hexadecimal digits taken as a 32-bit two's complement pattern ("$FFFFFFFF"
// is -1). Anything else, including trailing characters and decimal overflow, is nullopt.
std::optional<std::int32_t> ParseIntText(std::string_view text);

// Parses `text` within <min;max> (flags exclude the limits themselves). On success the text
// becomes empty and `value` is set; on a syntax error the text becomes text 134, outside the
// limits text 135 and a blank, each cut to `capacity`, and `value` stays as it was.
void StrToIntLim(std::string& text, std::size_t capacity, std::int32_t& value, unsigned flags,
                 std::int32_t max, std::int32_t min);

// The siblings of StrToIntLim, alike in every respect but their number type and the text of a
// syntax error (text 138 for the long and the unsigned form, 139 for the real one).
// Long integer: the texts ParseIntText accepts.
void StrToLongIntLim(std::string& text, std::size_t capacity, std::int32_t& value, unsigned flags,
                     std::int32_t max, std::int32_t min);
// Unsigned 32-bit: decimal digits with an optional sign, or "$" and 1 to 8 hexadecimal digits.
// A negative number is well formed and so falls below the limits rather than being a syntax
// error; a decimal number beyond 32 bits is a syntax error.
void StrToDWordLim(std::string& text, std::size_t capacity, std::uint32_t& value, unsigned flags,
                   std::uint32_t max, std::uint32_t min);
// Real: an optional sign, digits with an optional decimal point (".5" and "5." too), and an
// optional exponent E or e with an optional sign. A number too large for a double counts as
// infinite and so lies outside any finite limits.
void StrToRealLim(std::string& text, std::size_t capacity, double& value, unsigned flags,
                  double max, double min);

// The parsers behind them: nullopt for a syntax error. Leading blanks are allowed, nothing after.
std::optional<std::int64_t> ParseDWordText(std::string_view text); // -2^32+1 .. 2^32-1
std::optional<double> ParseRealText(std::string_view text);

// The longest file name the system holds; longer ones are refused, never cut.
inline constexpr std::size_t kFileNameCap = 254;
// The refusal of a name longer than kFileNameCap, naming it.
std::string LongFileNameText(std::string_view name);

// "" when the name may be used. With a required extension (".LCD"): refuses another extension
// with "<extension>-" + text 132. Without one: refuses reserved device names with
// "<name>-" + text 133.
std::string CheckFileName(std::string_view name, std::string_view requiredExt = {});

// The text of an input/output error code (0: ""; unknown codes: text 131, a blank, the code).
std::string IoErrorText(int code);

// The same for a POSIX errno value, translated to the nearest code first:
//   ENOENT -> 2, ENOTDIR -> 3, EMFILE/ENFILE -> 4, EACCES/EPERM/EROFS/EISDIR -> 5, EBADF -> 6,
//   EINVAL -> 12, EXDEV -> 17, EIO -> 100 (reading) or 101 (writing),
//   ENOSPC/EDQUOT/EFBIG -> 101.
// Other values give text 131, a blank and the errno value.
int IoErrorCodeForErrno(int err, bool writing = false);
std::string IoErrorTextForErrno(int err, bool writing = false);

} // namespace panolcd
