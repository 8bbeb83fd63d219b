#pragma once
// The main window's actions as data: name, caption, shortcut, hint parts and the menu and
// toolbar they sit in. The Qt main window builds its actions, menus and toolbars from it.

#include <cstdint>
#include <span>
#include <string_view>

namespace panolcd {

struct MainActionDef {
    std::string_view name;     // the action's object name
    std::string_view caption;  // UTF-8; "&" marks the access key
    std::string_view shortcut; // portable text form ("F7", "Ctrl+Shift+F4"), empty for none
    std::string_view tooltip;  // shown on tool buttons
    std::string_view status;   // shown in status panel 3
    bool checkable = false;
};

// Every action of the main window, the menus' and toolbars' entries included.
std::span<const MainActionDef> MainActions();
// Nullptr for an unknown name.
const MainActionDef* FindMainAction(std::string_view name);

// A menu or toolbar: its caption and hint, then its entries in order. An entry is an action
// name, "-" for a separator, or ">Name" for a submenu listed in SubMenus().
struct MainMenuDef {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
    std::span<const std::string_view> entries;
};

std::span<const MainMenuDef> MainMenus();
std::span<const MainMenuDef> SubMenus();
std::span<const MainMenuDef> ToolBars();
const MainMenuDef* FindSubMenu(std::string_view name);

// The object insertion actions: which kind they insert and how the layer is chosen.
enum class InsertLayerRule {
    CaseAware, // the chosen case layer while the Case button is down, else the home layer
    Fixed,     // the home layer always
    CaseOnly,  // the chosen case layer as layer and home layer, only while Case is down
};

struct InsertActionDef {
    std::string_view name;
    std::uint8_t kind;
    std::uint8_t homeLayer;
    InsertLayerRule rule;
};

std::span<const InsertActionDef> InsertActions();
const InsertActionDef* FindInsertAction(std::string_view name);

} // namespace panolcd
