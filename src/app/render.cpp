#include "app/render.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "designer/fonttext.h"
#include "designer/screenimage.h"
#include "framework/exchange/safetycopy.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/bankfiles.h"
#include "project/dbtypes.h"
#include "project/projectfile.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

namespace panolcd {
namespace {

struct RenderOptions {
    std::string project;
    std::string screen; // number, symbol or "all"
    int zoom = 1;
    bool helpScreen = false;
    std::optional<std::uint32_t> layers;
    std::string out;
};

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "0,1,2,5": the layers shown.
std::optional<std::uint32_t> LayerSet(std::string_view list) {
    std::uint32_t set = 0;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const auto layer = Number(list.substr(0, comma));
        if (!layer || *layer < 0 || *layer > 31)
            return std::nullopt;
        set |= std::uint32_t{1} << *layer;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return set;
}

// The failure when the arguments do not make a command.
std::optional<std::string> Parse(const std::vector<std::string>& args, RenderOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--screen" && hasValue) {
            o.screen = args[++i];
        } else if (arg == "--zoom" && hasValue) {
            const auto zoom = Number(args[++i]);
            if (!zoom || (*zoom != 1 && *zoom != 2 && *zoom != 4))
                return "--zoom takes 1, 2 or 4";
            o.zoom = *zoom;
        } else if (arg == "--help-screen") {
            o.helpScreen = true;
        } else if (arg == "--layers" && hasValue) {
            o.layers = LayerSet(args[++i]);
            if (!o.layers)
                return "--layers takes layer numbers 0..31 separated by commas";
        } else if (arg == "--out" && hasValue) {
            o.out = args[++i];
        } else if (o.project.empty() && !arg.starts_with("--")) {
            o.project = arg;
        } else {
            return "unexpected argument " + arg;
        }
    }
    if (o.project.empty() || o.screen.empty() || o.out.empty())
        return "--render needs PROJECT.LCD --screen ID|all --out FILE|DIR";
    return std::nullopt;
}

// A file name from a screen's symbol, its number when the symbol is empty.
std::string ScreenFileStem(const ScreenRecordView& view) {
    std::string stem = view.ScrSymb();
    for (char& c : stem) {
        const auto u = static_cast<unsigned char>(c);
        if (!(std::isalnum(u) && u < 0x80) && c != '_' && c != '-')
            c = '_';
    }
    return stem.empty() ? "screen" + std::to_string(view.ScrNum()) : stem;
}

// Whether writing `output` would replace `file`, or put a file where the project looks for it
// (names are matched without regard to letter case there): the same name but for case, or the
// same file on disk, a link to it included.
bool WouldReplace(const std::string& output, const std::string& file) {
    std::error_code ec;
    const std::string cwd = FromFsPath(std::filesystem::current_path(ec));
    if (SameTextCp1250(ExpandFileName(output, cwd), ExpandFileName(file, cwd)))
        return true;
    return SameExistingFile(output, file);
}

// The open project's own files: the project, its program and generated files, and every file
// its font and bitmap banks name.
std::vector<std::string> ProjectFiles(const std::string& project) {
    std::vector<std::string> files{project};
    for (const char* ext : {".PRG", ".PRI", ".T10"})
        files.push_back(ChangeFileExt(project, ext));
    const std::string dir = ProjectDirectory(project);
    for (const std::uint16_t banks : {kDBFontBanks, kDBBitmapBanks}) {
        for (TDataBase* database : FindProjectDBs(banks)) {
            for (int i = 0; i < database->Count(); ++i) {
                // Font and bitmap banks alike: the file name at the same place.
                TDBRecordObj* bank = database->Record(i);
                const std::string name =
                    bank != nullptr ? FontBankRecordView(bank->RecData).FontFileName() : "";
                if (!name.empty())
                    files.push_back(ResolveBankFile(name, dir));
            }
        }
    }
    return files;
}

std::optional<std::string> RefusedOutput(const std::string& output,
                                         const std::vector<std::string>& projectFiles) {
    for (const std::string& file : projectFiles) {
        if (WouldReplace(output, file))
            return output + Utf8ToCp1250(": výstupní soubor by přepsal soubor projektu ") + file;
    }
    return std::nullopt;
}

// Written whole under a temporary name, then put in place: a failed render leaves the previous
// picture. No safety copy: a picture is made again from its project at any time.
std::optional<std::string> WriteBytes(const std::string& file,
                                      const std::vector<std::uint8_t>& bytes) {
    int code = 0;
    std::unique_ptr<ReplacingFile> out = ReplacingFile::Create(file, code);
    if (out != nullptr) {
        out->SetCopyName({});
        if (out->Write(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) &&
            out->Commit())
            return std::nullopt;
        code = out->Error();
    }
    return Utf8ToCp1250("Soubor nelze zapsat: ") + file + " (" + std::strerror(code) + ")";
}

std::optional<std::string> RenderOne(TDBRecordObj& screen, const RenderOptions& o,
                                     const std::string& file) {
    ScreenScene scene(o.zoom);
    scene.Load(screen);
    scene.SetLayers(o.layers.value_or(scene.Layers()), o.helpScreen);
    if (AsciiUpper(ExtractFileExt(file)) == ".BMP")
        return WriteBytes(file, ScreenBmp(scene));
    const FontTextRenderer text;
    return WriteBytes(file, ScreenPng(scene, &text));
}

struct Output {
    TDBRecordObj* screen;
    std::string file;
};

// One file in `dir` for each screen, named by ScreenFileStem; screens whose names would be alike
// (letter case does not tell files apart everywhere) get their numbers added. The failure when
// two are still alike.
std::optional<std::string> NameOutputs(const std::vector<TDBRecordObj*>& screens,
                                       const std::string& dir, std::vector<Output>& outputs) {
    std::vector<std::string> stems;
    for (TDBRecordObj* screen : screens)
        stems.push_back(ScreenFileStem(ScreenRecordView(screen->RecData)));
    const auto shared = [&](std::size_t i) {
        return std::count_if(stems.begin(), stems.end(), [&](const std::string& other) {
                   return SameTextAscii(other, stems[i]);
               }) > 1;
    };
    std::vector<std::string> names;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const ScreenRecordView view(screens[i]->RecData);
        names.push_back(shared(i) ? stems[i] + "_" + std::to_string(view.ScrNum()) : stems[i]);
    }
    const std::string folder = EndsWithSeparator(dir) ? dir : AppendSeparator(dir);
    for (std::size_t i = 0; i < screens.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (SameTextAscii(names[i], names[j]))
                return folder + names[i] + ".png" +
                       Utf8ToCp1250(": do jednoho souboru by se zapsaly obrazovky ") +
                       std::to_string(ScreenRecordView(screens[j]->RecData).ScrNum()) + " a " +
                       std::to_string(ScreenRecordView(screens[i]->RecData).ScrNum());
        }
        outputs.push_back({screens[i], folder + names[i] + ".png"});
    }
    return std::nullopt;
}

std::optional<std::string> Render(const RenderOptions& o) {
    std::vector<TDBRecordObj*> screens;
    for (TDataBase* database : FindProjectDBs(kDBScreens)) {
        for (int i = 0; i < database->Count(); ++i) {
            if (TDBRecordObj* record = database->Record(i))
                screens.push_back(record);
        }
    }
    std::vector<Output> outputs;
    if (o.screen == "all") {
        if (auto failure = NameOutputs(screens, o.out, outputs))
            return failure;
    } else {
        const auto number = Number(o.screen);
        for (TDBRecordObj* screen : screens) {
            const ScreenRecordView view(screen->RecData);
            if ((number && *number == view.ScrNum()) || SameTextAscii(view.ScrSymb(), o.screen)) {
                outputs.push_back({screen, o.out});
                break;
            }
        }
        if (outputs.empty())
            return o.project + ": no screen " + o.screen;
        const std::string ext = AsciiUpper(ExtractFileExt(o.out));
        if (ext != ".PNG" && ext != ".BMP")
            return o.out + ": the picture is written as .png or .bmp";
    }
    // Every output checked before the first is written.
    const std::vector<std::string> projectFiles = ProjectFiles(o.project);
    for (const Output& output : outputs) {
        if (auto refused = RefusedOutput(output.file, projectFiles))
            return refused;
    }
    if (o.screen == "all") {
        std::error_code ec;
        std::filesystem::create_directories(ToFsPath(o.out), ec);
        if (ec)
            return o.out + ": " + ec.message();
    }
    for (const Output& output : outputs) {
        if (auto failure = RenderOne(*output.screen, o, output.file))
            return failure;
    }
    return std::nullopt;
}

} // namespace

int RenderCommand(const std::vector<std::string>& args, std::ostream& err) {
    RenderOptions options;
    if (const auto failure = Parse(args, options)) {
        err << "panolcd: " << *failure << '\n';
        return EXIT_FAILURE;
    }
    const ProjectFileResult loaded = LoadProjectFile(options.project);
    if (!loaded.ok) {
        err << FileNameToUtf8(loaded.Text()) << '\n';
        return EXIT_FAILURE;
    }
    const std::optional<std::string> failure = Render(options);
    CloseProjectColl();
    if (failure) {
        err << FileNameToUtf8(*failure) << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

} // namespace panolcd
