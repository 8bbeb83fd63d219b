#include "app/batch.h"

#include "app/startup.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/environment/context.h"
#include "framework/records/database.h"
#include "project/projectfile.h"

#include <cstdlib>
#include <exception>

namespace panolcd {
namespace {

constexpr const char* kConvert = "--convert";

// The description the program reads: its own name with .APP, beside it.
std::string AppFileBeside(const std::string& programPath) {
    return ChangeFileExt(programPath, ".APP");
}

int Fail(std::ostream& err, const std::string& text) {
    err << Cp1250ToUtf8(text) << '\n';
    return EXIT_FAILURE;
}

int Convert(const std::string& programPath, const std::string& in, const std::string& out,
            std::ostream& err) {
    RegisterStreamClasses();
    const std::string appFile = AppFileBeside(programPath);
    try {
        Ctx().app.LoadAppData(appFile);
    } catch (const std::exception& e) {
        return Fail(err, "APP file " + appFile + ": " + e.what());
    }
    const ProjectFileResult loaded = LoadProjectFile(in);
    if (!loaded.ok)
        return Fail(err, loaded.Text()); // nothing is written
    const ProjectFileResult saved = SaveProjectFile(*ProjectColl(), out);
    CloseProjectColl();
    if (!saved.ok)
        return Fail(err, saved.Text());
    return EXIT_SUCCESS;
}

} // namespace

bool IsBatchCommand(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == kConvert;
}

int RunBatchCommand(const std::string& programPath, const std::vector<std::string>& args,
                    std::ostream& err) {
    if (!args.empty() && args[0] == kConvert) {
        if (args.size() != 3)
            return Fail(err, "panolcd: --convert needs IN.LCD OUT.LCD");
        try {
            return Convert(programPath, args[1], args[2], err);
        } catch (const std::exception& e) {
            CloseProjectColl();
            return Fail(err, std::string("panolcd: ") + e.what());
        }
    }
    return Fail(err, "panolcd: unknown command " + (args.empty() ? std::string() : args[0]));
}

} // namespace panolcd
