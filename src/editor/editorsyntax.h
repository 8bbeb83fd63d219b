#pragma once
// What a kind of editor brings to the control: its colour elements and schemes, the settings
// record it starts from, and the highlighter's hooks. The plain editor has six elements, keeps
// state 0 on every line and colours everything as plain text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// Colours are 0x00BBGGRR values; style bit 0 bold, 1 italic, 2 underline, 3 strike-out.
struct TLexElementMap {
    std::uint32_t Foreground = 0x000000; // window text
    std::uint32_t Background = 0xFFFFFF; // window
    std::uint8_t Style = 0;

    bool operator==(const TLexElementMap&) const = default;
};
using TElementMap = std::vector<TLexElementMap>;

namespace style {
inline constexpr std::uint8_t kBold = 0x01;
inline constexpr std::uint8_t kItalic = 0x02;
inline constexpr std::uint8_t kUnderline = 0x04;
inline constexpr std::uint8_t kStrikeOut = 0x08;
} // namespace style

// The elements every editor has, in this order.
namespace element {
inline constexpr int kPlainText = 0;
inline constexpr int kSelection = 1;
inline constexpr int kBlanks = 2;
inline constexpr int kRightMargin = 3;
inline constexpr int kGutter = 4;
inline constexpr int kSearchHit = 5;
} // namespace element

enum class ShowLineNumbers : std::uint8_t { Hidden = 0, SmallFont = 1, DefaultFont = 2 };

// Copied whole between editors, the options dialog and the settings entries.
struct TSmartEditorSettings {
    std::uint32_t Options = 0x69EA7;
    std::int32_t TabSize = 8;
    std::int32_t BlockIndent = 2;
    std::int32_t UndoLimit = 2048;
    std::int32_t GutterWidth = 24;
    ShowLineNumbers LineNumbers = ShowLineNumbers::Hidden;
    std::int32_t RightMargin = 80;
    std::string FontName = "Courier New";
    std::int32_t FontSize = 10;
    std::uint8_t KeyMapping = 1; // classic
    std::string SyntaxExtensions;
    TElementMap ElementMap;

    bool operator==(const TSmartEditorSettings&) const = default;
};

class EditorSyntax {
public:
    virtual ~EditorSyntax() = default;

    virtual int ElementCount() const;
    // Empty outside 0 .. ElementCount() - 1.
    virtual std::string ElementName(int element) const;
    // Whether the options dialog offers style check boxes for the element.
    virtual bool StyleApplies(int element) const;
    virtual int SchemeCount() const;
    virtual std::string SchemeName(int scheme) const;
    virtual TElementMap DefaultElementMap(int scheme) const;
    // The default record with scheme 0's element map.
    virtual TSmartEditorSettings DefaultSettings() const;

    // Hooks of the highlighter.
    // After line breaks were inserted: `count` new lines after line `first`.
    virtual void LinesInserted(std::size_t first, std::size_t count);
    virtual void GutterClick(std::size_t line, bool shift);
    // The lexical state at the end of a line (given with its line break).
    virtual std::uint8_t LineEndState(std::string_view line, std::uint8_t start);
    // One element per character of the line (without its break); the state at its end.
    virtual std::uint8_t ColourLine(std::string_view line, std::uint8_t start,
                                    std::uint8_t* elements);
    // An element that paints the whole line, or 0.
    virtual int LineElementOverride(std::size_t line);
    // Before each key or command is carried out.
    virtual void BeforeCommand();
};

} // namespace panolcd
