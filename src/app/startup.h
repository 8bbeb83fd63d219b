#pragma once
// What runs before any window exists: stream classes registered, settings file located and its
// read section checked.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// Every streamable class by its stored name. Idempotent.
void RegisterStreamClasses();

// The running program's full path (Windows-1250), from the system; `argv0` is the fallback.
std::string ProgramPath(const char* argv0);

// Finds where the program's own files are: beside it, or installed under share/panolcd.
// Returns the start-up message when the installed program has no folder for the user's
// settings.
std::optional<std::string> LocateProgramFiles(const std::string& programPath);

// Registers the classes, locates the settings file and opens it. Returns the start-up message
// when the program cannot go on.
std::optional<std::string> PrepareStart(const std::string& programPath,
                                        const std::vector<std::string>& args);

// The message for a main window that could not be created: the failure names the application
// description file, whose loading is what can fail there.
std::string StartFailureText(std::string_view failure);

} // namespace panolcd
