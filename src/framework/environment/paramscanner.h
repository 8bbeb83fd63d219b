#pragma once
#include "framework/environment/envcontext.h"
// The scanner of the parameter text language: keyword and value tokens separated by the
// characters 0..32 and '=' ("UPD=1 ALL=0", "UPD 1 ALL 0" and "UPD=1=ALL=0" read alike); between
// tokens a '{' starts a comment running to the next '}' and a ';' ends the text.
//
// The scanner of the parse in progress is process-wide (EnvCtx().paramScanner), so that the
// ParseParam of a parameter object can read its values with the Scan* functions below. A nested
// parse saves the enclosing scanner and puts it back when it ends, also when an exception passes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

inline constexpr std::size_t kParamWordMax = 64;
inline constexpr std::size_t kParamKeywordMax = 20;

struct ParamScanner {
    std::string text;
    std::size_t pos = 0; // 0-based position of the next character to read
};

// Makes `scanner` the current one for its lifetime.
class ParamScannerScope {
public:
    explicit ParamScannerScope(ParamScanner& scanner);
    ~ParamScannerScope();
    ParamScannerScope(const ParamScannerScope&) = delete;
    ParamScannerScope& operator=(const ParamScannerScope&) = delete;

private:
    ParamScanner* saved_;
};

// Parses `text`: for each keyword calls `parseParam`, which returns true on an error and reads
// the keyword's values with the Scan* functions. Stops at the end of the text or the first
// error. Returns true on an error, with `errorPos` set to the scanner position at that moment
// (the report shows the text up to it).
bool RunParamParse(std::string_view text,
                   const std::function<bool(const std::string& keyword)>& parseParam,
                   std::size_t& errorPos);

// Value readers for the current scanner; using them outside a parse is a logic_error.
// The next keyword: a run of non-separators, upper-cased, cut to 64 and then 20 characters;
// "" at the end of the text.
std::string ScanKeyword();
// The next run of non-separator characters as it stands ("" at the end of the text).
std::string ScanRun();
// The next run as a whole integer (ParseIntText: decimal, or "$" hexadecimal); nullopt for an
// empty or non-numeric run.
std::optional<std::int32_t> ScanInteger();
// A text in double or single quotes, taken verbatim up to the next quote of the same kind (or
// the end of the text), or else a run upper-cased and cut to 64 characters.
std::string ScanWord();
// The text as a quoted word that ScanWord reads back whole: in single quotes, or in double quotes
// when it holds a single quote.
std::string QuotedWord(std::string_view text);

// The 1-based item of `list` the keyword names, 0 for none. The list holds fixed-width items,
// each followed by '|' ("UPD|ALL|", "DM |TXS|TER|"); the keyword is cut to the item width and
// padded with blanks to it, so "UPDATE" names "UPD".
int MatchKeyword(std::string_view keyword, std::string_view list);

} // namespace panolcd
