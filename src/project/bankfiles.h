#pragma once
// How the bank windows name their files: a name typed without a directory means the project's
// directory, a file found there is stored without its directory (so a project moves with its
// files), and the file search starts where the user is most likely to look.

#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

// Longest stored file name.
inline constexpr std::size_t kBankFileNameMax = 254;

// The directory part of the project file's name with its separator; empty while the project has
// no file.
std::string ProjectDirectory(std::string_view projectFileName);

// The file an edit names: its text cut to 254 characters, with the project directory put in
// front of a name that has no directory part.
std::string ResolveBankFile(std::string_view text, std::string_view projectDir);

// Directories are the same when they name the same place: canonically when both exist, else
// after folding "." and ".." and doubled separators, "\" read as "/". Letter case always counts.
bool SameDirectory(std::string_view a, std::string_view b);

// What the record keeps of a chosen or typed name: the bare file name when it lies in the
// project directory, else the whole name.
std::string StoredBankFileName(std::string_view fileName, std::string_view projectDir);

// Where the file search opens: the directory of the edit's text, else the project directory,
// else the work directory.
std::string SearchStartDirectory(std::string_view editText, std::string_view projectDir,
                                 std::string_view workDir);

// The message for a name from the file system that Windows-1250 cannot spell; none when it can.
std::optional<std::string> UnstorableFileName(std::string_view fileName);

// The register map file beside a project: its name with ".MAP", cut to 254 characters; empty
// while the project has no file.
std::string DefaultMapFile(std::string_view projectFileName);

} // namespace panolcd
