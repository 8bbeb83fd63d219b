#include "editor/editorsyntax.h"

#include <algorithm>
#include <array>

namespace panolcd {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNavy = 0x800000; // red-green-blue 0x000080
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kGrey = 0x808080;

struct BaseElement {
    const char* name; // Windows-1250
    TLexElementMap map;
    bool styleApplies;
};

const std::array<BaseElement, 6> kBaseElements = {{
    {"Oby\xE8"
     "ejn\xFD text",
     {kBlack, kWhite, 0},
     true},
    {"Ozna\xE8"
     "en\xFD text",
     {kWhite, kNavy, 0},
     false},
    {"Mezery", {kBlack, kWhite, 0}, true},
    {"Prav\xFD okraj", {kSilver, kWhite, 0}, false},
    {"Panel", {kGrey, kSilver, 0}, false},
    {"Nalezen\xFD text", {kWhite, kBlack, 0}, false},
}};

} // namespace

int EditorSyntax::ElementCount() const {
    return static_cast<int>(kBaseElements.size());
}

std::string EditorSyntax::ElementName(int element) const {
    if (element < 0 || element >= static_cast<int>(kBaseElements.size()))
        return {};
    return kBaseElements[static_cast<std::size_t>(element)].name;
}

bool EditorSyntax::StyleApplies(int element) const {
    if (element < 0 || element >= static_cast<int>(kBaseElements.size()))
        return false;
    return kBaseElements[static_cast<std::size_t>(element)].styleApplies;
}

int EditorSyntax::SchemeCount() const {
    return 1;
}

std::string EditorSyntax::SchemeName(int scheme) const {
    return scheme == 0 ? "Standardn\xED" : std::string();
}

TElementMap EditorSyntax::DefaultElementMap(int /*scheme*/) const {
    TElementMap map;
    for (const BaseElement& element : kBaseElements)
        map.push_back(element.map);
    return map;
}

TSmartEditorSettings EditorSyntax::DefaultSettings() const {
    TSmartEditorSettings settings;
    settings.ElementMap = DefaultElementMap(0);
    return settings;
}

void EditorSyntax::LinesInserted(std::size_t /*first*/, std::size_t /*count*/) {}

void EditorSyntax::GutterClick(std::size_t /*line*/, bool /*shift*/) {}

std::uint8_t EditorSyntax::LineEndState(std::string_view /*line*/, std::uint8_t /*start*/) {
    return 0;
}

std::uint8_t EditorSyntax::ColourLine(std::string_view line, std::uint8_t /*start*/,
                                      std::uint8_t* elements) {
    std::fill_n(elements, line.size(), std::uint8_t{element::kPlainText});
    return 0;
}

int EditorSyntax::LineElementOverride(std::size_t /*line*/) {
    return 0;
}

void EditorSyntax::BeforeCommand() {}

} // namespace panolcd
