#pragma once
// Where the program's own files are. Run from its build folder, everything it reads and the
// settings it writes are beside it. Installed, the program is in <prefix>/bin and its files in
// <prefix>/share/panolcd, which it never writes; the user's settings are in the user's
// configuration folder, made from the installed default at the first start.

#include "framework/environment/settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// The user's folders, as the environment names them (XDG_CONFIG_HOME, HOME).
struct UserFolders {
    std::string configHome; // empty: HOME/.config
    std::string home;
};
UserFolders UserFoldersFromEnvironment();

// Sets exeDir, exeName and exePath, and dataDir, userDir and homeDir when the program's
// description is not beside it but in `dataFromExeDir` (a path relative to exeDir). Returns the
// start-up message when the program is installed but the user's folders are unknown.
std::optional<std::string> FindProgramFiles(std::string_view exePath,
                                            std::string_view dataFromExeDir,
                                            const UserFolders& user, SettingsLocation& location);

// The program's own file with the extension `ext` (".APP", ".FNT", ".LC$"...), in dataDir when
// installed, else beside the program.
std::string ProgramFile(const SettingsLocation& location, std::string_view ext);
// The folder of the program's own files.
std::string ProgramDir(const SettingsLocation& location);

// Whether `file` is one of an installed program's own files (under dataDir), which are never
// written: saving one asks for another place. Always false beside a build.
bool IsInstalledFile(const SettingsLocation& location, std::string_view file);

// A first argument naming a project or program (.LCD, .PRG) that has no settings profile of its
// own opens that file with the default settings: startDocument is set and iniFile located again
// without the argument. Returns the start-up message when that file does not exist.
std::optional<std::string> TakeDocumentArgument(const std::vector<std::string>& args,
                                                std::string_view currentDir,
                                                SettingsLocation& location);

// Installed, the user's default settings file is copied from the installed one into userDir
// when it is missing, whichever profile was chosen. Returns the message when that fails. Nothing
// happens beside a build or when the file exists.
std::optional<std::string> CreateUserSettings(const SettingsLocation& location);

} // namespace panolcd
