#pragma once
// Path helpers over stored file names (Windows-1250). Names made on Windows use "\", ours "/";
// both separate. Conversion to a file-system path happens only in ToFsPath/FromFsPath.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

bool IsPathSeparator(char c);

// Directory part including its final separator ("" when there is none).
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
// Extension including the dot, from the last dot of the file-name part ("" when there is none).
std::string ExtractFileExt(std::string_view path);
// Replaces the extension of the file-name part, or appends `ext` when there is none.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

bool HasDirectoryPart(std::string_view path);
bool EndsWithSeparator(std::string_view path);
// Appends a separator of the path's own style ("\" for a path written with backslashes only).
std::string AppendSeparator(std::string_view dir);

// A full path for a relative one, against `currentDir`; "." and ".." are folded.
std::string ExpandFileName(std::string_view path, std::string_view currentDir);

// Exact both ways: a name from FromFsPath names the same file in ToFsPath, whatever it is spelt
// in (see FileNameFromUtf8). "\" becomes "/".
std::filesystem::path ToFsPath(std::string_view storedName);
std::string FromFsPath(const std::filesystem::path& path);

// The existing file for a stored name: the exact path first, then each component matched
// without regard to letter case (Linux file systems are case-sensitive, projects made on
// Windows are not).
std::optional<std::filesystem::path> FindExistingFile(std::string_view storedName);
// Whether a regular file of that name exists, matched as FindExistingFile does.
bool FileExistsAnyCase(std::string_view storedName);
// The existing file's spelling of the name; the name itself when there is none.
std::string ExistingSpelling(std::string_view storedName);
// Whether both names, found as FindExistingFile does, are one file on disk (links followed).
bool SameExistingFile(std::string_view a, std::string_view b);

// What tells one version of a file from another: its size and modification time.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the regular file FindExistingFile finds; a missing or unreadable one has none.
FileStamp StampOfFile(std::string_view storedName);

} // namespace panolcd
