#pragma once
// INI files with the behaviour of Windows private-profile access, which the settings and the
// parameter entries rely on:
// - section and key names match without regard to ASCII letter case; the first of duplicate
//   sections or keys wins; keys before the first section belong to no section;
// - a line whose first non-blank character is ';' is a comment, a line without '=' (or with an
//   empty name before it) is not a key;
// - blanks around names and values are dropped, then one pair of enclosing quotes (the same
//   character, ' or ", at both ends) is stripped from a value; a missing key reads as empty;
// - values are read whole and bytes pass untouched (Windows-1250);
// - a write changes only the line of the key (or inserts one line, or appends the section), so
//   every other byte of the file stays as it was, and replaces the file atomically.
// The file is read afresh on every call: it is small, and another program may edit it meanwhile.

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace panolcd {

class IniFile {
public:
    // `path` is a stored name (Windows-1250).
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // True for an existing file that is not a directory.
    bool Exists() const;

    // The value of the key; nullopt when the file, the section or the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // The value of the key, "" when it is missing.
    std::string Read(std::string_view section, std::string_view key) const;
    // Names of the keys of the section, in file order (duplicates listed once).
    std::vector<std::string> Keys(std::string_view section) const;

    // Sets key=value in the section, creating the key, the section or the file as needed.
    // CR and LF in the value become blanks (they would start new lines). Returns the failure
    // (an empty or '='-holding key is invalid_argument); the file is untouched on failure.
    std::error_code Write(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string path_;
};

} // namespace panolcd
