#include "framework/environment/appextension.h"

#include "common/cp1250.h"
#include "common/format.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/programfiles.h"
#include "framework/environment/settings.h"
#include "framework/records/appdata.h"
#include "framework/records/appdatastream.h"
#include "framework/records/parrecords.h"
#include "framework/records/recordscontext.h"
#include "framework/records/recordtype.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace panolcd {
namespace {

constexpr std::size_t kPathMax = 254;
// What the platform reports for a library file in the wrong format.
constexpr int kBadLibraryFormat = 193;

std::string Setting(std::string_view key) {
    const std::string& section = EnvCtx().settings.readSection;
    return CutShortString(ReadIniString(section, key), kPathMax);
}

std::string CurrentDir() {
    std::error_code ec;
    return FromFsPath(std::filesystem::current_path(ec));
}

std::string ExpandDotRelative(const std::string& value) {
    if (value.find(".\\") == std::string::npos && value.find("./") == std::string::npos)
        return value;
    return ExpandFileName(value, CurrentDir());
}

// A file setting: expanded when written relative to "." and taken in `baseDir` without a
// directory part.
std::string FileRule(std::string_view key, const std::string& baseDir, std::string fallback) {
    const std::string value = Setting(key);
    if (value.empty())
        return CutShortString(fallback, kPathMax);
    const std::string expanded = ExpandDotRelative(value);
    if (HasDirectoryPart(expanded))
        return CutShortString(expanded, kPathMax);
    return CutShortString(baseDir + expanded, kPathMax);
}

std::string DirectoryRule(std::string_view key, const std::string& fallback) {
    const std::string value = Setting(key);
    if (value.empty())
        return fallback;
    return CutShortString(AppendSeparator(ExpandDotRelative(value)), kPathMax);
}

// Reads "id=text" lines (UTF-8); blank lines and lines starting with '#' or ';' are comments.
// Returns 0 or the failure code.
int ReadResourceLibrary(const std::filesystem::path& path, ResourceLibrary& library) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return errno != 0 ? errno : kBadLibraryFormat;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0 || eq > 5)
            return kBadLibraryFormat;
        int id = 0;
        for (std::size_t i = 0; i < eq; ++i) {
            if (line[i] < '0' || line[i] > '9')
                return kBadLibraryFormat;
            id = id * 10 + (line[i] - '0');
        }
        std::string text;
        if (!TryUtf8ToCp1250(std::string_view(line).substr(eq + 1), text))
            return kBadLibraryFormat;
        library[id] = std::move(text);
    }
    if (in.bad())
        return EIO;
    return 0;
}

} // namespace

TAppExtension::TAppExtension() = default;
TAppExtension::~TAppExtension() = default;

void TAppExtension::InitEnvironment() {
    ReadSettings();
    LoadResLibrary(ResFile);
    LoadAppData(AppFile);
}

void TAppExtension::LoadAppData(std::string_view fileName) {
    // Databases, records and their windows cache record types and descriptors of the held
    // description; replacing it under them would leave them dangling.
    const RecordsContext& records = RecordsCtx();
    if (records.projectColl != nullptr || records.instMan.Current() != TDBInstMan::kStart)
        throw Exception("LoadAppData: the application description is in use by databases");
    ReleaseAppData();
    TAppDataStream stream(fileName);
    stream.OpenRead();
    AppData = stream.GetAs<TAppData>();
    ParRecData = stream.GetAs<TParRecData>();
    stream.Close();
    // The stored sizes are only caches; records are laid out by the fields.
    const std::string mismatch =
        AppData && AppData->RecTypesDscrColl ? AppData->RecTypesDscrColl->RecomputeSizes() : "";
    if (!mismatch.empty()) {
        ReleaseAppData();
        throw Exception("damaged description: " + mismatch);
    }
}

void TAppExtension::ReleaseAppData() {
    ParRecData.reset();
    AppData.reset();
}

void TAppExtension::ReadSettings() {
    EnvironmentContext& ctx = EnvCtx();
    const SettingsLocation& where = ctx.settings;
    // Installed, the program's own files are in the data folder; relative names are taken there.
    const std::string programDir = ProgramDir(where);
    const std::string programBase = programDir + where.exeName;

    AppCaption = Setting("APP_CAP");
    ResFile = FileRule("APP_RES", programDir, "");
    AppFile = FileRule("APPfile", programDir, programBase + ".APP");
    AppDir = ExtractFilePath(AppFile);
    HelpFile = FileRule("AppHelp", AppDir, programBase + ".HLP");
    EditorCmd = Setting("AppEditor");
    if (EditorCmd.empty())
        EditorCmd = "NOTEPAD";
    CfgFile = FileRule("App_Cfg", AppDir, programBase + ".CFG");
    ResDir = ResFile.empty() ? programDir : ExtractFilePath(ResFile);
    // The installed data folder is not the user's to write: file dialogs then start at home and
    // the values that semantics keep go to the user's settings folder.
    const bool installed = !where.userDir.empty() && Setting("AppWork").empty();
    WorkDir = DirectoryRule("AppWork", installed ? where.homeDir : AppDir);
    ArchDir = DirectoryRule("AppArch", WorkDir);
    RepoDir = DirectoryRule("AppRepo", WorkDir);
    WorkIniFile = CutShortString((installed ? where.userDir : WorkDir) +
                                     ChangeFileExt(ExtractFileName(AppFile), ".INI"),
                                 kPathMax);

    std::int32_t useClipboard = 0;
    ctx.useClipboard =
        ReadIniNumber(where.readSection, "UseClipboard", 1, 0, useClipboard) && useClipboard != 0;
    std::int32_t lineWidth = ctx.expLineWidth;
    if (ReadIniNumber(where.readSection, "ExpLineWidth", 255, 40, lineWidth))
        ctx.expLineWidth = static_cast<std::uint8_t>(lineWidth);
}

void TAppExtension::LoadResLibrary(std::string_view path) {
    if (path.empty())
        return;
    const std::filesystem::path file = ToFsPath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        ResLibrary.reset();
        MsgBox("", "LoadLibrary(" + std::string(path) + ") Error", mb::kIconError | mb::kOk);
        return;
    }
    FreeResLibrary();
    ResourceLibrary library;
    errno = 0;
    if (const int failure = ReadResourceLibrary(file, library); failure != 0) {
        MsgBox("", Format("LoadLibrary(%s) Error=%d", {path, failure}), mb::kIconError | mb::kOk);
        return;
    }
    ResLibrary = std::move(library);
}

void TAppExtension::FreeResLibrary() {
    ResLibrary.reset();
}

} // namespace panolcd
