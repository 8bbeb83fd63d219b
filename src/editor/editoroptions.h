#pragma once
// What the editor dialogs decide without widgets: the drop-down histories, the range checks of
// number boxes, and the options dialog's model (the option boxes, number texts, font, key map,
// line numbers, and the element colours being edited) loaded from and stored into the settings
// record.

#include "editor/editorsyntax.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// A history keeps at most 20 texts, newest first, none twice in any letter case; blank texts are
// not kept unless `keepBlank`.
inline constexpr std::size_t kHistoryMax = 20;
void RememberInHistory(std::vector<std::string>& history, const std::string& text,
                       bool keepBlank = false);

// "Hodnota musí být v rozsahu MIN až MAX" (Windows-1250) when the text is no integer in range.
std::optional<std::string> RangeError(std::string_view text, int min, int max);
// The box's integer; a text that is none counts as `min - 1`.
int BoxInteger(std::string_view text, int min);

// The 16 standard colours of the colour grid, as 0x00BBGGRR.
inline constexpr std::array<std::uint32_t, 16> kGridColours = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
// Where a colour stands on the grid; none for one that is not there.
std::optional<int> GridIndexOf(std::uint32_t colour);

// The installed fonts the editor may use: fixed-pitch families, a name equal to the one before it
// (in any letter case) skipped.
struct FontFamily {
    std::string name;
    bool fixedPitch = false;
};
std::vector<std::string> EditorFontList(const std::vector<FontFamily>& families);

// The option boxes: their captions (Windows-1250) and bits. The Editor page's two columns, then
// the display page's three.
struct OptionBox {
    const char* caption;
    int bit;
};
const std::array<OptionBox, 19>& OptionBoxes();

enum class NumberBox { BlockIndent, UndoLimit, TabSize, GutterWidth, RightMargin, FontSize };

class TSmartOptModel {
public:
    struct Failure {
        NumberBox box;
        std::string message;
    };

    // The kind of editor whose elements and schemes are offered.
    void SetEditorClass(const EditorSyntax* syntax);
    const EditorSyntax* EditorClass() const { return class_; }

    void Load(const TSmartEditorSettings& settings);
    // Options from the 19 boxes only; numbers from their texts; a font or key map not chosen
    // keeps the record's.
    void Store(TSmartEditorSettings& settings) const;

    // The five boxes the focus leaves, in their order: block indent, gutter, margin, tab, undo.
    std::optional<Failure> CheckNumbers() const;
    std::optional<Failure> CheckFontSize() const;
    // Everything OK checks before it closes.
    std::optional<Failure> CheckAll() const;

    // "Standardní (Windows)" (0) or "Klasické (Borland IDE)" (1): eight of the option boxes.
    void ApplyPreset(int preset);
    // The class's default colours of a scheme replace every colour edited before.
    void PickScheme(int scheme);
    void PickColours(std::uint32_t foreground, std::uint32_t background);
    void SetStyleBit(int bit, bool on);
    bool StyleApplies() const;

    bool Option(int bit) const { return (options & (1u << bit)) != 0; }
    void SetOption(int bit, bool on);
    std::string& Number(NumberBox box);
    const std::string& Number(NumberBox box) const;

    std::uint32_t options = 0;
    std::array<std::string, 6> numbers; // by NumberBox
    std::string extensions;
    std::vector<std::string> fonts;
    int fontIndex = -1;  // none chosen
    int keyMapping = -1; // list row: 0 default, 1 classic
    ShowLineNumbers lineNumbers = ShowLineNumbers::Hidden;
    TElementMap elements;
    int element = 0; // the selected element

private:
    const EditorSyntax* class_ = nullptr;
};

} // namespace panolcd
