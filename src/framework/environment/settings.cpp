#include "framework/environment/settings.h"

#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/conversions.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/inifile.h"
#include "framework/environment/trace.h"

#include <filesystem>

namespace panolcd {
namespace {

constexpr std::size_t kSectionNameMax = 200;
constexpr std::size_t kNumberTextMax = 127;

} // namespace

void SetProgramPath(std::string_view exePath, SettingsLocation& location) {
    const std::string path(exePath);
    location.exePath = path;
    location.exeDir = ExtractFilePath(path);
    location.exeName = ChangeFileExt(ExtractFileName(path), "");
}

void LocateSettingsFile(std::string_view exePath, const std::vector<std::string>& args,
                        SettingsLocation& location) {
    SetProgramPath(exePath, location);
    const std::string& settingsDir = location.userDir.empty() ? location.exeDir : location.userDir;
    // An empty first argument selects no profile: "<exe dir>.INI" would name no one's file.
    if (args.empty() || args.front().empty()) {
        location.iniFile = settingsDir + location.exeName + ".INI";
        return;
    }
    const std::string profile = ChangeFileExt(args.front(), ".INI");
    location.iniFile = HasDirectoryPart(profile) ? profile : settingsDir + profile;
}

std::optional<std::string> OpenSettings(SettingsLocation& location) {
    IniFile ini(location.iniFile);
    if (!ini.Exists()) {
        // The profile name comes from a project name; on a case-sensitive file system its
        // settings file may differ in letter case ("JOB.LCD" beside "job.ini").
        const auto found = FindExistingFile(location.iniFile);
        std::error_code ec;
        if (!found || std::filesystem::is_directory(*found, ec))
            return "INI file " + location.iniFile + " not found";
        location.iniFile = FromFsPath(*found);
        ini = IniFile(location.iniFile);
    }
    location.readSection = CutShortString(ini.Read("SECTIONS", "RD_SECTION"), kSectionNameMax);
    if (location.readSection.empty())
        return "INI file " + location.iniFile + " RD_SECTION not specified";
    if (ini.Keys(location.readSection).empty())
        return "INI file " + location.iniFile + " RD_SECTION=" + location.readSection +
               " not valid";
    location.writeSection = CutShortString(ini.Read("SECTIONS", "WR_SECTION"), kSectionNameMax);
    return std::nullopt;
}

std::string ReadIniString(std::string_view section, std::string_view key) {
    const std::string& path = EnvCtx().settings.iniFile;
    if (path.empty())
        return {};
    return IniFile(path).Read(section, key);
}

bool ReadIniNumber(std::string_view section, std::string_view key, std::int32_t max,
                   std::int32_t min, std::int32_t& value) {
    std::string text = ReadIniString(section, key).substr(0, kNumberTextMax);
    StrToIntLim(text, kShortStringMax, value, 0, max, min);
    return text.empty();
}

void WriteIniString(std::string_view key, std::string_view text) {
    const SettingsLocation& location = EnvCtx().settings;
    if (location.writeSection.empty() || location.iniFile.empty())
        return;
    const std::error_code error = IniFile(location.iniFile).Write(location.writeSection, key, text);
    if (error)
        TraceError(0, "WriteIniString(" + location.iniFile + ") " + std::string(key) + ": " +
                          IoErrorTextForErrno(error.value(), true));
}

} // namespace panolcd
