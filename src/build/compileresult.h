#pragma once
// The compiler's result: the file it writes (lines KEY=value; the first of a key counts, keys in
// any letter case), what it says, and where the error lies.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

enum class ErrorPlace : std::uint8_t { None = 0, Program = 1, Screens = 2, Other = 4 };

struct TCompileResult {
    ErrorPlace where = ErrorPlace::None;
    std::int32_t line = 0;
    std::int32_t begin = -1;
    std::int32_t end = -1;
    std::string file;

    void Clear() { *this = TCompileResult(); }
};

// What the result file says.
struct CompilerReport {
    std::int32_t code = 0;
    std::string text; // at most 254 characters
    std::string file;
    std::int32_t line = 0;
    std::int32_t begin = -1;
    std::int32_t end = -1;
};

// The text between the first and the last quote (either kind); empty with fewer than two.
std::string Unquote(std::string_view value);

// The report of the file's lines; a missing or non-numeric integer gives an error text.
std::optional<CompilerReport> ParseCompilerReport(const std::vector<std::string>& lines,
                                                  std::string& error);

// "Err=N: text", or "Překlad OK" for code 0 with no text (Windows-1250).
std::string CompileStatusText(const CompilerReport& report);
bool ReportsError(const CompilerReport& report);

} // namespace panolcd
