#pragma once
// The record windows of the screen's program constructs, without widgets: the five object
// windows (case, onkey, wait, editenter, enumeration) and the three variant windows, as one
// table of captions, names, panels, lists, help and capabilities, and the validators of each
// panel with the controls they are shown in.

#include "projectwindows/panelfield.h"
#include "projectwindows/rootlayout.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace panolcd {

class TUDBEdit_Validator;

enum class CommandWindowKind {
    Case,
    OnKey,
    Wait,
    EditEnter,
    Enum,
    CaseVariant,
    OnKeyVariant,
    EnumVariant
};

// How a variant list is framed: a bevel, or the single page of a notebook.
enum class ListFrame { None, Bevel, Notebook };

struct CommandWindowDef {
    CommandWindowKind kind;
    const char* className;
    const char* caption; // UTF-8
    const char* formName;
    // The database of the records the window edits.
    std::uint16_t dbTypeId;
    std::size_t panelBytes;
    // The variants' database, 0 for a window without a list.
    std::uint16_t variantDbTypeId;
    const char* listHeader; // UTF-8
    ListFrame frame;
    const char* tab; // the notebook's page
    bool browser;
    int helpContext;
};

const std::vector<CommandWindowDef>& CommandWindows();
const CommandWindowDef* FindCommandWindow(std::string_view formName);

// The object windows and the variant windows answer the capability query differently; the
// windows without a list report cut, copy, paste and delete but ignore them.
inline constexpr std::uint32_t kCommandObjectCaps = 0x40000C78;
inline constexpr std::uint32_t kCommandVariantCaps = 0x40000C00;
std::uint32_t EditCapsOf(const CommandWindowDef& def);
bool IsObjectWindow(const CommandWindowDef& def);
bool TakesEditCommand(const CommandWindowDef& def, std::uint32_t code);

// The panel of a window in record field order: every field has its validator, fields without
// control pass through unchanged. `edit` is the window's edit validator, which the variant
// database's pointer validator works with.
std::vector<PanelField> PanelFieldsOf(const CommandWindowDef& def, TUDBEdit_Validator& edit);

// The list and its frame after a resize: the frame takes the client height below its top, never
// less than half its saved height; the list grows with it; widths stay.
struct ListResized {
    LayoutRect frame;
    LayoutRect list;
};
ListResized ResizeVariantList(const LayoutRect& savedFrame, const LayoutRect& savedList,
                              int clientHeight);

} // namespace panolcd
