#pragma once
// Windows tests on a copy of the sample project: the settings file names it as the project to
// reopen, and the application description the build wrote lies beside the program.

#include "app/startup.h"
#include "common/paths.h"
#include "support/test_context.h"

#include <filesystem>

namespace panolcd::testing {

class SampleProjectTest : public ContextTest {
protected:
    // The copy's path; the main window opens it at start.
    std::filesystem::path UseSampleProject() {
        namespace fs = std::filesystem;
        const fs::path sample = TempDir() / "DEMO.LCD";
        fs::copy_file(PANOLCD_SAMPLE_PROJECT, sample);
        const auto ini =
            WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\nAPP=DM=0 PRJ='" +
                                         FromFsPath(sample) + "'\r\n");
        EnvCtx().settings.iniFile = FromFsPath(ini);
        EnvCtx().settings.readSection = "Main";
        EnvCtx().settings.exeDir = FromFsPath(TempDir()) + "/";
        EnvCtx().settings.exeName = "panolcd";
        EnvCtx().settings.exePath = EnvCtx().settings.exeDir + "panolcd";
        fs::copy_file(PANOLCD_GENERATED_APP_FILE, TempDir() / "panolcd.APP");
        RegisterStreamClasses();
        return sample;
    }
};

} // namespace panolcd::testing
