#include "editor/editoroptions.h"

#include "common/cp1250.h"
#include "common/text.h"
#include "editor/editcore.h"

#include <algorithm>
#include <charconv>

namespace panolcd {
namespace {

const std::array<OptionBox, 19> kOptionBoxes = {{
    {"&Automatick\xE9 odsazov\xE1n\xED", 2},
    {"Re\x9Eim &vkl\xE1"
     "d\xE1n\xED",
     0},
    {"&Pou\x9E\xEDvat tabul\xE1tory", 4},
    {"Tabul\xE1tor&y odsazuj\xED", 10},
    {"&Optim\xE1ln\xED pln\xECn\xED", 6},
    {"&Backspace p\xF8isazuje", 9},
    {"&Kurzor proch\xE1z\xED  tabul\xE1tory", 1},
    {"&Hledat text na pozici kurzoru", 17},
    {"Skupinov\xE1 funkce &Zp\xECt", 5},
    {"&Mezery na konci \xF8\xE1"
     "dku",
     3},
    {"Perzistentn\xED &bloky", 7},
    {"P\xF8&episuj\xED"
     "c\xED bloky",
     8},
    {"&Dvojklik ozna\xE8\xED \xF8\xE1"
     "dku",
     14},
    {"Obarvovat podle synta&xe", 13},
    {"Aktivn\xED posuvn\xE9 &li\x9Aty", 15},
    {"&Funkce Zp\xECt po ulo\x9E"
     "en\xED",
     16},
    {"&Prav\xFD okraj", 11},
    {"&Informa\xE8n\xED panel", 12},
    {"Vytv\xE1\xF8"
     "et &z\xE1lo\x9En\xED soubor",
     18},
}};

struct Range {
    NumberBox box;
    int min;
    int max;
};
constexpr Range kRanges[] = {
    {NumberBox::BlockIndent, 1, 16},  {NumberBox::GutterWidth, 24, 300},
    {NumberBox::RightMargin, 1, 160}, {NumberBox::TabSize, 1, 16},
    {NumberBox::UndoLimit, 0, 32768},
};
constexpr Range kFontSizeRange = {NumberBox::FontSize, 5, 20};

std::optional<int> ParseInteger(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

void RememberInHistory(std::vector<std::string>& history, const std::string& text, bool keepBlank) {
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.front() == ' ')
        trimmed.remove_prefix(1);
    if (trimmed.empty() && !keepBlank)
        return;
    for (const std::string& item : history) {
        if (SameTextCp1250(item, text))
            return;
    }
    if (history.size() >= kHistoryMax)
        history.pop_back();
    history.insert(history.begin(), text);
}

int BoxInteger(std::string_view text, int min) {
    return ParseInteger(text).value_or(min - 1);
}

std::optional<std::string> RangeError(std::string_view text, int min, int max) {
    const int value = BoxInteger(text, min);
    if (value >= min && value <= max)
        return std::nullopt;
    return Utf8ToCp1250("Hodnota musí být v rozsahu ") + std::to_string(min) +
           Utf8ToCp1250(" až ") + std::to_string(max);
}

std::optional<int> GridIndexOf(std::uint32_t colour) {
    const auto found = std::find(kGridColours.begin(), kGridColours.end(), colour & 0xFFFFFF);
    if (found == kGridColours.end())
        return std::nullopt;
    return static_cast<int>(found - kGridColours.begin());
}

std::vector<std::string> EditorFontList(const std::vector<FontFamily>& families) {
    std::vector<std::string> fonts;
    for (const FontFamily& family : families) {
        if (!family.fixedPitch)
            continue;
        if (!fonts.empty() && SameTextCp1250(fonts.back(), family.name))
            continue;
        fonts.push_back(family.name);
    }
    return fonts;
}

const std::array<OptionBox, 19>& OptionBoxes() {
    return kOptionBoxes;
}

void TSmartOptModel::SetEditorClass(const EditorSyntax* syntax) {
    class_ = syntax;
}

void TSmartOptModel::SetOption(int bit, bool on) {
    if (on)
        options |= 1u << bit;
    else
        options &= ~(1u << bit);
}

std::string& TSmartOptModel::Number(NumberBox box) {
    return numbers[static_cast<std::size_t>(box)];
}

const std::string& TSmartOptModel::Number(NumberBox box) const {
    return numbers[static_cast<std::size_t>(box)];
}

void TSmartOptModel::Load(const TSmartEditorSettings& settings) {
    options = 0;
    for (const OptionBox& box : kOptionBoxes)
        SetOption(box.bit, (settings.Options & (1u << box.bit)) != 0);
    Number(NumberBox::BlockIndent) = std::to_string(settings.BlockIndent);
    Number(NumberBox::UndoLimit) = std::to_string(settings.UndoLimit);
    Number(NumberBox::TabSize) = std::to_string(settings.TabSize);
    Number(NumberBox::GutterWidth) = std::to_string(settings.GutterWidth);
    Number(NumberBox::RightMargin) = std::to_string(settings.RightMargin);
    Number(NumberBox::FontSize) = std::to_string(settings.FontSize);
    extensions = settings.SyntaxExtensions;
    const auto font = std::find(fonts.begin(), fonts.end(), settings.FontName);
    fontIndex = font == fonts.end() ? -1 : static_cast<int>(font - fonts.begin());
    if (settings.KeyMapping <= 1)
        keyMapping = settings.KeyMapping;
    if (static_cast<int>(settings.LineNumbers) <= 2)
        lineNumbers = settings.LineNumbers;
    elements = settings.ElementMap;
    element = 0;
}

void TSmartOptModel::Store(TSmartEditorSettings& settings) const {
    settings.Options = 0;
    for (const OptionBox& box : kOptionBoxes) {
        if (Option(box.bit))
            settings.Options |= 1u << box.bit;
    }
    settings.BlockIndent = BoxInteger(Number(NumberBox::BlockIndent), 1);
    settings.UndoLimit = BoxInteger(Number(NumberBox::UndoLimit), 0);
    settings.TabSize = BoxInteger(Number(NumberBox::TabSize), 1);
    settings.GutterWidth = BoxInteger(Number(NumberBox::GutterWidth), 24);
    settings.RightMargin = BoxInteger(Number(NumberBox::RightMargin), 1);
    settings.FontSize = BoxInteger(Number(NumberBox::FontSize), 5);
    settings.SyntaxExtensions = extensions;
    if (fontIndex >= 0 && fontIndex < static_cast<int>(fonts.size()))
        settings.FontName = fonts[static_cast<std::size_t>(fontIndex)];
    if (keyMapping == 0 || keyMapping == 1)
        settings.KeyMapping = static_cast<std::uint8_t>(keyMapping);
    settings.LineNumbers = lineNumbers;
    settings.ElementMap = elements;
}

std::optional<TSmartOptModel::Failure> TSmartOptModel::CheckNumbers() const {
    for (const Range& range : kRanges) {
        if (std::optional<std::string> error = RangeError(Number(range.box), range.min, range.max))
            return Failure{range.box, *error};
    }
    return std::nullopt;
}

std::optional<TSmartOptModel::Failure> TSmartOptModel::CheckFontSize() const {
    if (std::optional<std::string> error =
            RangeError(Number(NumberBox::FontSize), kFontSizeRange.min, kFontSizeRange.max))
        return Failure{NumberBox::FontSize, *error};
    return std::nullopt;
}

std::optional<TSmartOptModel::Failure> TSmartOptModel::CheckAll() const {
    if (std::optional<Failure> failure = CheckNumbers())
        return failure;
    return CheckFontSize();
}

void TSmartOptModel::ApplyPreset(int preset) {
    if (preset != 0 && preset != 1)
        return;
    const bool classic = preset == 1;
    SetOption(2, true);     // automatic indent
    SetOption(0, true);     // insert mode
    SetOption(6, false);    // optimal fill
    SetOption(1, true);     // caret through tabs
    SetOption(5, true);     // group undo
    SetOption(3, false);    // keep trailing blanks
    SetOption(7, classic);  // persistent blocks
    SetOption(8, !classic); // overwrite blocks
}

void TSmartOptModel::PickScheme(int scheme) {
    if (class_ == nullptr || scheme < 0 || scheme >= class_->SchemeCount())
        return;
    elements = class_->DefaultElementMap(scheme);
}

void TSmartOptModel::PickColours(std::uint32_t foreground, std::uint32_t background) {
    if (element < 0 || element >= static_cast<int>(elements.size()))
        return;
    TLexElementMap& map = elements[static_cast<std::size_t>(element)];
    map.Foreground = foreground;
    map.Background = background;
}

void TSmartOptModel::SetStyleBit(int bit, bool on) {
    if (element < 0 || element >= static_cast<int>(elements.size()) || bit < 0 || bit > 2)
        return;
    std::uint8_t& styleByte = elements[static_cast<std::size_t>(element)].Style;
    if (on)
        styleByte = static_cast<std::uint8_t>(styleByte | (1u << bit));
    else
        styleByte = static_cast<std::uint8_t>(styleByte & ~(1u << bit));
}

bool TSmartOptModel::StyleApplies() const {
    return class_ != nullptr && class_->StyleApplies(element);
}

} // namespace panolcd
