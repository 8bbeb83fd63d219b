#include "app/render.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "designer/fonttext.h"
#include "designer/screenimage.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectfile.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

std::optional<std::string> WriteBytes(const std::string& file,
                                      const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(ToFsPath(file), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out || bytes.empty())
        return file + ": cannot be written";
    return std::nullopt;
}

std::optional<std::string> RenderOne(TDBRecordObj& screen, const RenderOptions& o,
                                     const std::string& file) {
    ScreenScene scene(o.zoom);
    scene.Load(screen);
    scene.SetLayers(o.layers.value_or(scene.Layers()), o.helpScreen);
    const std::string ext = AsciiUpper(ExtractFileExt(file));
    if (ext == ".BMP")
        return WriteBytes(file, ScreenBmp(scene));
    if (ext != ".PNG")
        return file + ": the picture is written as .png or .bmp";
    const FontTextRenderer text;
    return WriteBytes(file, ScreenPng(scene, &text));
}

std::optional<std::string> Render(const RenderOptions& o) {
    std::vector<TDBRecordObj*> screens;
    for (TDataBase* database : FindProjectDBs(kDBScreens)) {
        for (int i = 0; i < database->Count(); ++i) {
            if (TDBRecordObj* record = database->Record(i))
                screens.push_back(record);
        }
    }
    if (o.screen == "all") {
        std::error_code ec;
        std::filesystem::create_directories(ToFsPath(o.out), ec);
        if (ec)
            return o.out + ": " + ec.message();
        for (TDBRecordObj* screen : screens) {
            const std::string file = (EndsWithSeparator(o.out) ? o.out : AppendSeparator(o.out)) +
                                     ScreenFileStem(ScreenRecordView(screen->RecData)) + ".png";
            if (auto failure = RenderOne(*screen, o, file))
                return failure;
        }
        return std::nullopt;
    }
    const auto number = Number(o.screen);
    for (TDBRecordObj* screen : screens) {
        const ScreenRecordView view(screen->RecData);
        if ((number && *number == view.ScrNum()) || SameTextAscii(view.ScrSymb(), o.screen))
            return RenderOne(*screen, o, o.out);
    }
    return o.project + ": no screen " + o.screen;
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
