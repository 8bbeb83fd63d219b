#include "app/startup.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/programfiles.h"
#include "framework/environment/settings.h"
#include "framework/persistence/register.h"
#include "framework/records/register.h"
#include "project/bankfilters.h"

#include <filesystem>
#include <system_error>

namespace panolcd {

void RegisterStreamClasses() {
    RegisterPersistenceClasses();
    RegisterRecordClasses();
    RegisterProjectClasses();
}

std::string ProgramPath(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return FromFsPath(self);
    return FromFsPath(std::filesystem::absolute(argv0 ? argv0 : "panolcd", ec));
}

std::optional<std::string> LocateProgramFiles(const std::string& programPath) {
    return FindProgramFiles(programPath, PANOLCD_DATA_FROM_BIN, UserFoldersFromEnvironment(),
                            EnvCtx().settings);
}

std::optional<std::string> PrepareStart(const std::string& programPath,
                                        const std::vector<std::string>& args) {
    RegisterStreamClasses();
    SettingsLocation& settings = EnvCtx().settings;
    if (auto failure = LocateProgramFiles(programPath))
        return failure;
    LocateSettingsFile(programPath, args, settings);
    std::error_code ec;
    const std::string currentDir = FromFsPath(std::filesystem::current_path(ec));
    if (auto failure = TakeDocumentArgument(args, currentDir, settings))
        return failure;
    if (auto failure = CreateUserSettings(settings))
        return failure;
    return OpenSettings(settings);
}

std::string StartFailureText(std::string_view failure) {
    const std::string& appFile = EnvCtx().app.AppFile;
    if (appFile.empty())
        return std::string(failure);
    return "APP file " + appFile + ": " + std::string(failure);
}

} // namespace panolcd
