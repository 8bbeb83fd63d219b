#pragma once
// The command lines of the compiler and the loader, built from their templates without a shell:
// the template is split into arguments first (blanks separate, "..." and '...' group), then the
// file's path is put into each argument that asks for it, so a path with blanks, ";", "$()" or
// backticks stays one argument and is never interpreted.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

struct CommandLine {
    std::string program;                // Windows-1250, as stored
    std::vector<std::string> arguments; // after the program
    std::string text; // the template formatted as one line, for messages and the result file
};

struct CommandError {
    std::string message;
};

// The longest command line the program runs.
inline constexpr std::size_t kCommandLineCap = 254;

// Arguments of a template; quotes group and are dropped.
std::vector<std::string> SplitTemplate(std::string_view text);

// "%s" and "%0:s" stand for the path, "%%" for a percent sign; any other format refuses the
// template.
std::optional<std::string> FormatTemplate(std::string_view text, std::string_view path,
                                          CommandError& error);

// The command of a template for a file; an error for a bad format or a line longer than
// kCommandLineCap (never run cut).
std::optional<CommandLine> BuildCommandLine(std::string_view templateText, std::string_view path,
                                            CommandError& error);

// The compiler's result file, derived from its command line: up to and with the "." of the first
// ".EXE" followed by "ERR", else the text before the first blank followed by ".ERR"; upper-cased,
// a leading quote dropped. None without either.
std::optional<std::string> ResultFilePath(std::string_view commandLine);

} // namespace panolcd
