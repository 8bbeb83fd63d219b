#pragma once
// TAppExtension: the program's directories and files resolved from the settings, and the
// optional resource library.

#include "framework/environment/restext.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

class TAppData;

class TAppExtension {
public:
    TAppExtension();
    ~TAppExtension();
    TAppExtension(const TAppExtension&) = delete;
    TAppExtension& operator=(const TAppExtension&) = delete;

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
    // The application description; none until it is loaded.
    std::unique_ptr<TAppData> AppData;

    // ReadSettings, then LoadResLibrary(ResFile).
    void InitEnvironment();
    void ReadSettings();
    void LoadResLibrary(std::string_view path);
    void FreeResLibrary();
};

} // namespace panolcd
