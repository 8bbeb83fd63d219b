#pragma once
// TAppExtension: the program's directories and files resolved from the settings, the optional
// resource library, and the application description with its parameter record data.

#include "framework/environment/restext.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

class TAppData;
class TParRecData;

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
    // Loaded with the description; declared after it so that its records, which refer to the
    // description's record types, go first.
    std::unique_ptr<TParRecData> ParRecData;

    // ReadSettings, then LoadResLibrary(ResFile), then LoadAppData(AppFile).
    void InitEnvironment();
    // Replaces the description and the parameter record data by those of the file. Failures
    // raise; whatever top-level object was read completely before stays held. Refused while
    // databases exist, since they keep references into the description being replaced.
    void LoadAppData(std::string_view fileName);
    // Destroys the parameter record data, then the description.
    void ReleaseAppData();
    void ReadSettings();
    void LoadResLibrary(std::string_view path);
    void FreeResLibrary();
};

} // namespace panolcd
