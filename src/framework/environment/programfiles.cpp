#include "framework/environment/programfiles.h"

#include "common/paths.h"
#include "common/text.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace panolcd {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsFile(const std::string& storedName) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ToFsPath(storedName), ec);
}

// The path with symbolic links and "." / ".." resolved as far as it exists.
std::string ResolvedPath(const std::string& storedName) {
    std::error_code ec;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(std::filesystem::absolute(ToFsPath(storedName), ec), ec);
    return FromFsPath(ec ? ToFsPath(storedName).lexically_normal() : resolved);
}

std::string NormalDir(const std::filesystem::path& dir) {
    return AppendSeparator(FromFsPath(dir.lexically_normal()));
}

} // namespace

UserFolders UserFoldersFromEnvironment() {
    return {Environment("XDG_CONFIG_HOME"), Environment("HOME")};
}

std::optional<std::string> FindProgramFiles(std::string_view exePath,
                                            std::string_view dataFromExeDir,
                                            const UserFolders& user, SettingsLocation& location) {
    SetProgramPath(exePath, location);
    location.dataDir.clear();
    location.userDir.clear();
    location.homeDir.clear();
    const std::string description = location.exeName + ".APP";
    if (dataFromExeDir.empty() || IsFile(location.exeDir + description))
        return std::nullopt;
    const std::string dataDir =
        NormalDir(ToFsPath(location.exeDir) / ToFsPath(std::string(dataFromExeDir)));
    if (!IsFile(dataDir + description))
        return std::nullopt; // reported as a missing description when it is loaded
    location.dataDir = dataDir;
    // Relative folders in the environment are ignored, as the base directory rules ask.
    const bool absoluteHome = !user.home.empty() && user.home.front() == '/';
    if (!user.configHome.empty() && user.configHome.front() == '/')
        location.userDir = NormalDir(ToFsPath(user.configHome) / ToFsPath(location.exeName));
    else if (absoluteHome)
        location.userDir = NormalDir(ToFsPath(user.home) / ".config" / ToFsPath(location.exeName));
    else
        return "INI file " + location.exeName +
               ".INI: no folder for the user's settings (neither XDG_CONFIG_HOME nor HOME is set)";
    location.homeDir = absoluteHome ? AppendSeparator(user.home) : location.userDir;
    return std::nullopt;
}

std::string ProgramDir(const SettingsLocation& location) {
    return location.dataDir.empty() ? location.exeDir : location.dataDir;
}

std::string ProgramFile(const SettingsLocation& location, std::string_view ext) {
    const std::string beside = ChangeFileExt(location.exePath, ext);
    if (location.dataDir.empty())
        return beside;
    return location.dataDir + ExtractFileName(beside);
}

bool IsInstalledFile(const SettingsLocation& location, std::string_view file) {
    if (location.dataDir.empty() || file.empty())
        return false;
    const std::string dataDir = AppendSeparator(ResolvedPath(location.dataDir));
    return ResolvedPath(std::string(file)).starts_with(dataDir);
}

std::optional<std::string> TakeDocumentArgument(const std::vector<std::string>& args,
                                                std::string_view currentDir,
                                                SettingsLocation& location) {
    if (args.empty())
        return std::nullopt;
    const std::string ext = ExtractFileExt(args.front());
    const bool project = SameTextAscii(ext, ".LCD");
    if (!project && !SameTextAscii(ext, ".PRG"))
        return std::nullopt;
    if (FileExistsAnyCase(location.iniFile))
        return std::nullopt; // the document's own profile
    const std::string document = ExpandFileName(args.front(), currentDir);
    if (!FileExistsAnyCase(document))
        return std::string(project ? "Projekt " : "Program ") + document + " neexistuje";
    location.startDocument = ExistingSpelling(document);
    LocateSettingsFile(location.exePath, {}, location);
    return std::nullopt;
}

std::optional<std::string> CreateUserSettings(const SettingsLocation& location) {
    // Made whatever profile was chosen: the values that semantics keep go there.
    const std::string userSettings = location.userDir + location.exeName + ".INI";
    if (location.userDir.empty() || FileExistsAnyCase(userSettings))
        return std::nullopt;
    const std::string installed = ProgramFile(location, ".INI");
    const std::filesystem::path target = ToFsPath(userSettings);
    // Copied under a name of its own and renamed, so that two first starts at once both find
    // a whole file.
    const std::filesystem::path partial =
        ToFsPath(location.userDir + "." + location.exeName + ".INI." +
                 std::to_string(static_cast<unsigned long>(::getpid())));
    std::error_code ec;
    std::filesystem::create_directories(ToFsPath(location.userDir), ec);
    if (!ec)
        std::filesystem::copy_file(ToFsPath(installed), partial,
                                   std::filesystem::copy_options::overwrite_existing, ec);
    // The installed file may be read-only; the copy is the user's to change.
    if (!ec)
        std::filesystem::permissions(
            partial, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            std::filesystem::perm_options::add, ec);
    if (!ec)
        std::filesystem::rename(partial, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return "INI file " + userSettings + " not created from " + installed + ": " + ec.message();
    }
    return std::nullopt;
}

} // namespace panolcd
