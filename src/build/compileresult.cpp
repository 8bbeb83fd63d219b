#include "build/compileresult.h"

#include "common/text.h"

#include <charconv>

namespace panolcd {
namespace {

// The value of the first line of the key, or none.
std::optional<std::string_view> ValueOf(const std::vector<std::string>& lines,
                                        std::string_view key) {
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        if (!SameTextAscii(TrimBlanks(std::string_view(line).substr(0, equals)), key))
            continue;
        std::string_view value = std::string_view(line).substr(equals + 1);
        while (!value.empty() && (value.back() == '\r' || value.back() == '\n'))
            value.remove_suffix(1);
        return value;
    }
    return std::nullopt;
}

bool ReadInteger(const std::vector<std::string>& lines, std::string_view key, std::int32_t& out,
                 std::string& error) {
    const std::optional<std::string_view> value = ValueOf(lines, key);
    const std::string_view text = value ? TrimBlanks(*value) : std::string_view();
    std::int32_t number = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (!value || text.empty() || failure != std::errc() || end != text.data() + text.size()) {
        error =
            "'" + std::string(text) + "' is not a valid integer value (" + std::string(key) + ")";
        return false;
    }
    out = number;
    return true;
}

} // namespace

std::string Unquote(std::string_view value) {
    const std::size_t first = value.find_first_of("\"'");
    const std::size_t last = value.find_last_of("\"'");
    if (first == std::string_view::npos || last == first)
        return {};
    return std::string(value.substr(first + 1, last - first - 1));
}

std::optional<CompilerReport> ParseCompilerReport(const std::vector<std::string>& lines,
                                                  std::string& error) {
    CompilerReport report;
    if (!ReadInteger(lines, "ERRCODE", report.code, error))
        return std::nullopt;
    report.text = Unquote(ValueOf(lines, "ERRTEXT").value_or("")).substr(0, 254);
    report.file = Unquote(ValueOf(lines, "ERRFILE").value_or(""));
    if (!ReadInteger(lines, "ERRLINE", report.line, error) ||
        !ReadInteger(lines, "ERRPOSBEG", report.begin, error) ||
        !ReadInteger(lines, "ERRPOSEND", report.end, error))
        return std::nullopt;
    return report;
}

bool ReportsError(const CompilerReport& report) {
    return report.code != 0 || !report.text.empty();
}

std::string CompileStatusText(const CompilerReport& report) {
    if (!ReportsError(report))
        return "P\xF8"
               "eklad OK";
    return "Err=" + std::to_string(report.code) + ": " + report.text;
}

} // namespace panolcd
