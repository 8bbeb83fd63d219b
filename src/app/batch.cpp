#include "app/batch.h"

#include "app/render.h"
#include "app/startup.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/programfiles.h"
#include "framework/records/database.h"
#include "generator/syntaxparser.h"
#include "project/pictureimport.h"
#include "project/projectfile.h"

#include <clocale>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>

namespace panolcd {
namespace {

constexpr const char* kConvert = "--convert";
constexpr const char* kGenerate = "--generate";
constexpr const char* kRender = "--render";
constexpr const char* kImportImage = "--import-image";

int Fail(std::ostream& err, const std::string& text) {
    err << FileNameToUtf8(text) << '\n'; // file names as the file system spells them
    return EXIT_FAILURE;
}

// Loads the program's own description, beside it or installed (the include file's banner then
// names the program and command boxes are drawn with its default font); the failure text when
// it cannot be loaded.
std::optional<std::string> LoadDescription(const std::string& programPath) {
    RegisterStreamClasses();
    LocateProgramFiles(programPath); // batch commands need no folder for settings
    const std::string appFile = ProgramFile(EnvCtx().settings, ".APP");
    try {
        EnvCtx().app.LoadAppData(appFile);
    } catch (const std::exception& e) {
        return "APP file " + appFile + ": " + e.what();
    }
    return std::nullopt;
}

int Convert(const std::string& programPath, const std::string& in, const std::string& out,
            std::ostream& err) {
    if (const auto failure = LoadDescription(programPath))
        return Fail(err, *failure);
    const ProjectFileResult loaded = LoadProjectFile(in);
    if (!loaded.ok)
        return Fail(err, loaded.Text()); // nothing is written
    const ProjectFileResult saved = SaveProjectFile(*ProjectColl(), out);
    CloseProjectColl();
    if (!saved.ok)
        return Fail(err, saved.Text());
    return EXIT_SUCCESS;
}

int Generate(const std::string& programPath, const std::string& project, std::ostream& err) {
    if (const auto failure = LoadDescription(programPath))
        return Fail(err, *failure);
    // The generation time follows the user's locale.
    std::setlocale(LC_TIME, "");
    // The program bank line names the full path of the project's files.
    const std::string fullName =
        ExpandFileName(project, FromFsPath(std::filesystem::current_path()));
    const ProjectFileResult loaded = LoadProjectFile(fullName);
    if (!loaded.ok)
        return Fail(err, loaded.Text());
    NullGeneratorHost host;
    const GenerationResult result = GenerateProjectCode(host);
    CloseProjectColl();
    for (const std::string& warning : result.warnings)
        err << "panolcd: warning: " << FileNameToUtf8(warning) << '\n';
    if (!result.errors.empty())
        return Fail(err, result.errors.front());
    if (!result.generated)
        return Fail(err, fullName + ": nothing generated");
    return EXIT_SUCCESS;
}

// --import-image IN OUT.BMP [--threshold N | --dither] [--crop]
int ImportImageCommand(const std::vector<std::string>& args, std::ostream& err) {
    constexpr const char* kNeeds =
        "panolcd: --import-image needs IN OUT.BMP [--threshold N | --dither] [--crop]";
    PictureConversion conversion;
    std::vector<std::string> files;
    bool threshold = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dither") {
            conversion.dither = true;
        } else if (arg == "--crop") {
            conversion.fit = PictureFit::Crop;
        } else if (arg == "--threshold" && i + 1 < args.size()) {
            const std::string& value = args[++i];
            char* end = nullptr;
            const long level = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != 0 || level < 1 || level > 255)
                return Fail(err, "panolcd: --threshold takes 1..255");
            conversion.threshold = static_cast<int>(level);
            threshold = true;
        } else if (!arg.starts_with("--")) {
            files.push_back(arg);
        } else {
            return Fail(err, kNeeds);
        }
    }
    if (files.size() != 2 || (threshold && conversion.dither))
        return Fail(err, kNeeds);
    if (const auto failure = ImportPicture(files[0], files[1], conversion))
        return Fail(err, "panolcd: " + *failure);
    return EXIT_SUCCESS;
}

} // namespace

bool IsBatchCommand(const std::vector<std::string>& args) {
    return !args.empty() && (args[0] == kConvert || args[0] == kGenerate || args[0] == kRender ||
                             args[0] == kImportImage);
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
    if (!args.empty() && args[0] == kGenerate) {
        if (args.size() != 2)
            return Fail(err, "panolcd: --generate needs PROJECT.LCD");
        try {
            return Generate(programPath, args[1], err);
        } catch (const std::exception& e) {
            CloseProjectColl();
            return Fail(err, std::string("panolcd: ") + e.what());
        }
    }
    if (!args.empty() && args[0] == kRender) {
        try {
            if (const auto failure = LoadDescription(programPath))
                return Fail(err, *failure);
            return RenderCommand({args.begin() + 1, args.end()}, err);
        } catch (const std::exception& e) {
            CloseProjectColl();
            return Fail(err, std::string("panolcd: ") + e.what());
        }
    }
    if (!args.empty() && args[0] == kImportImage)
        return ImportImageCommand({args.begin() + 1, args.end()}, err);
    return Fail(err, "panolcd: unknown command " + (args.empty() ? std::string() : args[0]));
}

} // namespace panolcd
