#pragma once
// TAppExtension: the program's directories and files resolved from the settings, and the
// optional resource library.

#include "framework/environment/restext.h"

#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

class TAppExtension {
public:
    // Every path and text is a ShortString of at most 254 characters.
    std::string AppCaption;
    std::string ResFile;
    std::string AppFile;
    std::string HelpFile;
    std::string EditorCmd;
    std::string CfgFile;
    std::string AppDir;
    std::string ResDir;
    std::string WorkDir;
    std::string ArchDir;
    std::string RepoDir;
    std::string WorkIniFile;
    std::optional<ResourceLibrary> ResLibrary;

    // ReadSettings, then LoadResLibrary(ResFile).
    void InitEnvironment();
    void ReadSettings();
    void LoadResLibrary(std::string_view path);
    void FreeResLibrary();
};

} // namespace panolcd
