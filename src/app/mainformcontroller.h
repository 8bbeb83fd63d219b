#pragma once
// The main window's logic without widgets: the project life cycle, the layer, zoom and object
// insertion rules, which actions are enabled, the status bar texts and the generation command.
// The Qt main window wires its actions to it and shows what it decides.

#include "app/mainformports.h"
#include "app/projectlifecycle.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// The state of the layer tool buttons.
struct LayerButtons {
    bool help = false;
    bool bmp = true;
    bool txt = true;
    bool gr = true;
    bool caseLayer = false;
};

// What an editor window tells the status bar.
struct EditorStatus {
    int caretLine = 0;   // 0-based
    int caretColumn = 0; // 0-based
    bool readOnly = false;
    bool overwrite = false;
    bool modified = false;
    bool incrementalSearch = false;
    std::string searchText;
};

class MainFormController {
public:
    static constexpr int kStatusPanels = 4;
    static constexpr std::size_t kObjectInfoCap = 63;

    MainFormController(MainFormPort& port, ProjectStore& store, const std::string& programFile);

    ProjectLifeCycle& LifeCycle() { return lifeCycle_; }

    // The case-layer list from the description's "EnCaseLayers"; entry 0 chosen when not empty.
    void LoadCaseLayerList();
    const std::vector<std::string>& CaseLayerNames() const { return caseLayerNames_; }
    int ChosenCaseEntry() const { return chosenCaseEntry_; }
    // The case-layer tool window's list changed: apply the layers while Case is down.
    void ChooseCaseEntry(int entry);
    // The case-layer tool window was closed: Case goes up.
    void CaseWindowClosed();
    bool CaseWindowVisible() const { return caseWindowVisible_; }
    // The chosen case layer: list entry + 3, or 3 with no entry chosen.
    std::uint8_t ChosenCaseLayer() const;

    // Tool buttons. Layer buttons apply the layers to the active screen window.
    const LayerButtons& Buttons() const { return buttons_; }
    void SetHelpButton(bool down);
    void SetLayerButton(int layer, bool down); // 0 BMP, 1 TXT, 2 GR
    void SetCaseButton(bool down);
    int CurrentZoom() const { return currentZoom_; }
    void SetZoom(int zoom);
    void ZoomCycle();
    // 128 while the Help button is down.
    std::uint8_t HelpFlag() const { return buttons_.help ? 0x80 : 0; }

    // The active screen window's layer state shown on the buttons.
    void ShowLayerState(std::uint32_t visibleLayers, std::uint8_t flags);
    // Inserts the object of an insertion action into the active screen window; false when
    // nothing was inserted.
    bool InsertObject(std::string_view actionName);
    void SelectedToBack();
    void ClearAllObjects();

    // The active window changed (also with none).
    void ActiveChildChanged(std::uint32_t editCaps, bool clipboardHasText);
    void SetClipboardHasText(bool hasText) { clipboardHasText_ = hasText; }
    std::uint32_t EditCaps() const { return editCaps_; }
    bool ActionEnabled(std::string_view actionName) const;
    // Whether context help goes to the active child.
    bool HelpGoesToChild() const;

    // Status bar.
    const std::string& Panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
    void SetPanel(int index, std::string text) {
        panels_[static_cast<std::size_t>(index)] = std::move(text);
    }
    void ShowCursorPosition(int x, int y);
    // `description` is empty without an object. Panel texts are Windows-1250.
    void ShowObjectInfo(int left, int top, int right, int bottom, std::string_view description);
    // The idle refresh; `editor` is the active editor's state when the active child is one.
    void RefreshStatus(const EditorStatus* editor);

    // GenPRI_Action; false when nothing was written.
    bool GeneratePri();

private:
    void ApplyLayers();

    MainFormPort& port_;
    ProjectLifeCycle lifeCycle_;
    LayerButtons buttons_;
    int currentZoom_ = 1;
    std::vector<std::string> caseLayerNames_;
    int chosenCaseEntry_ = -1;
    bool caseWindowVisible_ = false;
    std::uint32_t editCaps_ = 0;
    bool clipboardHasText_ = false;
    std::array<std::string, kStatusPanels> panels_;
};

} // namespace panolcd
