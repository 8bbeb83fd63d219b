#pragma once
// The project root window's rules that need no widgets: its caption, its edit capabilities, which
// card operation a key stands for, and how the cards follow the window's size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace panolcd {

// Cut, copy, paste, delete, help, original size, and the two bits the main window keeps for
// record windows.
inline constexpr std::uint32_t kRootEditCaps = 0x40001C78;
inline constexpr int kRootHelpContext = 3;
inline constexpr std::size_t kRootDesignCaptionMax = 80;

// "LCD Projekt" alone, or followed by the project file's name in brackets.
std::string RootCaption(const std::string& designCaption, const std::string& fileName);

// The operations of a card.
enum class CardOp { None, Add, Insert, Open, Delete, Copy, Cut, Paste };

enum class CardKey { Space, Delete, Insert, Other };

// A key counts only with exactly the modifier it names: Space and Delete alone, Shift+Delete,
// Ctrl+Insert, Shift+Insert.
CardOp CardKeyOp(CardKey key, bool shift, bool ctrl, bool alt);
// The card operation of the main window's cut, copy, paste and delete; None for other codes.
CardOp CardEditCommandOp(std::uint32_t code);

struct LayoutRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const LayoutRect&) const = default;
};

inline constexpr std::size_t kCardCount = 4;
inline constexpr std::size_t kCardButtonCount = 5;

// The bounds recorded when the window is made; the original-size command returns to them.
struct RootSavedLayout {
    LayoutRect Window;
    LayoutRect Notebook;
    std::array<LayoutRect, kCardCount> Lists;
    // Add, insert, delete, map import, map refresh.
    std::array<LayoutRect, kCardButtonCount> Buttons;
    // Between the notebook's right edge and the buttons' left edge.
    int Gap = 0;
};

struct RootResized {
    int NotebookWidth = 0;
    int NotebookHeight = 0;
    int ButtonsLeft = 0;
    std::array<LayoutRect, kCardCount> Lists;
};

// The notebook takes what the client area leaves beside the buttons, never less than its saved
// width nor less than half its saved height; the buttons follow its right edge and the lists
// grow with it. `addButtonWidth` is the current width of the add button.
RootResized ResizeCards(const RootSavedLayout& saved, int clientWidth, int clientHeight,
                        int addButtonWidth);

// Restoring the saved size: the window first when it is smaller than the saved one in both
// directions (so the controls fit into it), else the controls first.
bool RestoreWindowFirst(const LayoutRect& current, const LayoutRect& saved);

} // namespace panolcd
