#pragma once
// What the main window does in core when it is created and destroyed: the start-up traces, the
// settings objects, the environment.

#include "app/appnameobject.h"
#include "build/toolsettings.h"
#include "editor/editorsettings.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class MainFormSession {
public:
    // `args` are the command-line arguments after the program name.
    explicit MainFormSession(const std::vector<std::string>& args);
    // Writes back the settings entries that ask for it.
    ~MainFormSession();
    MainFormSession(const MainFormSession&) = delete;
    MainFormSession& operator=(const MainFormSession&) = delete;

    TAppNameObject& AppSettings() { return *appSettings_; }
    TWCompilerNameObject& CompilerSettings() { return *compilerSettings_; }
    TVSLoaderNameObject& LoaderSettings() { return *loaderSettings_; }
    // The PRG editor's, the PRI viewer's and the general editors' settings.
    TPanoEditNameObject& PrgEditorSettings() { return *editorSettings_[0]; }
    TPanoEditNameObject& PriViewerSettings() { return *editorSettings_[1]; }
    TPanoEditNameObject& EditorSettings() { return *editorSettings_[2]; }

private:
    std::unique_ptr<TAppNameObject> appSettings_;
    std::unique_ptr<TWCompilerNameObject> compilerSettings_;
    std::unique_ptr<TVSLoaderNameObject> loaderSettings_;
    std::array<std::unique_ptr<TPanoEditNameObject>, 3> editorSettings_;
};

} // namespace panolcd
