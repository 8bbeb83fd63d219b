#pragma once
// The settings file: where it is, which sections it reads and writes, and access to its keys.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// Fixed at start-up. Paths are stored names (Windows-1250).
struct SettingsLocation {
    std::string exeDir;  // ends in a separator
    std::string exeName; // without extension
    std::string exePath; // full path of the program file
    std::string iniFile;
    std::string readSection;
    std::string writeSection; // empty: parameters are never written
    // An installed program never writes its own files: they are read from dataDir, the user's
    // settings live in userDir (created from the installed default at the first start), and
    // file dialogs start in homeDir. All three are empty when the program runs from its build
    // folder, where everything is beside it. Each ends in a separator.
    std::string dataDir;
    std::string userDir;
    std::string homeDir;
    // A project or program named on the command line that has no settings profile of its own:
    // the default settings are used and it is opened first.
    std::string startDocument;
};

// Fills exeDir, exeName and exePath from the program path (which may be the location's own).
void SetProgramPath(std::string_view exePath, SettingsLocation& location);

// Fills exeDir, exeName, exePath and iniFile from the program path and the first argument. A
// profile without a directory is looked for in userDir when the program is installed.
void LocateSettingsFile(std::string_view exePath, const std::vector<std::string>& args,
                        SettingsLocation& location);

// Checks the file and its read section and reads the section names; returns the start-up
// message ("INI file ... not found" and its siblings) or nullopt when the settings can be used.
std::optional<std::string> OpenSettings(SettingsLocation& location);

// The value of a key in the read section ("" when absent). Values are read whole.
std::string ReadIniString(std::string_view section, std::string_view key);
// Parses the value with StrToIntLim; on failure `value` stays as it was.
bool ReadIniNumber(std::string_view section, std::string_view key, std::int32_t max,
                   std::int32_t min, std::int32_t& value);
// key=text into the write section; nothing when there is no write section.
void WriteIniString(std::string_view key, std::string_view text);

} // namespace panolcd
