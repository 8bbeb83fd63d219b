#include "app/mainformcontroller.h"

#include "app/mainactions.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/programfiles.h"
#include "framework/environment/trace.h"
#include "framework/exchange/safetycopy.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/enumtypes.h"
#include "framework/windows/windowscontext.h"
#include "generator/syntaxparser.h"
#include "project/objectrecord.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace panolcd {
namespace {

constexpr std::uint8_t kHelpScreenFlag = 0x80;
constexpr int kAlwaysShownLayer = 31;
constexpr std::uint32_t kCaseLayersMask = 0x7FFFFFF8u; // layers 3..30

bool IsEditor(ChildKind kind) {
    return kind == ChildKind::PrgEditor || kind == ChildKind::PriViewer ||
           kind == ChildKind::GeneralEditor;
}

// What the generator needs of the windows, through the main window.
class WindowsGeneratorHost final : public GeneratorHost {
public:
    explicit WindowsGeneratorHost(MainFormPort& port) : port_(port) {}
    bool CommitPendingEdits() override {
        return (port_.BroadcastEditCmd(ecCommitEdits) & kCommitRefused) == 0;
    }
    void PriFileWritten(const std::string& priPath) override {
        WindowsCtx().fileCmds.Pri.Set(priPath, fcLoad);
        port_.BroadcastFileCmd(FileRecId::Pri);
        WindowsCtx().fileCmds.Saved.Set(priPath, fcReload);
        port_.BroadcastFileCmd(FileRecId::Saved);
    }
    bool MayReplaceReadOnly(const std::string& path) override {
        std::optional<ReadOnlyConsent> consent = AskReplaceReadOnly(path);
        if (consent)
            consents_.push_back(std::move(*consent));
        return consent.has_value();
    }

private:
    MainFormPort& port_;
    std::vector<ReadOnlyConsent> consents_;
};

} // namespace

MainFormController::MainFormController(MainFormPort& port, ProjectStore& store,
                                       const std::string& programFile)
    : port_(port), lifeCycle_(port, store, programFile) {}

void MainFormController::LoadCaseLayerList() {
    caseLayerNames_.clear();
    chosenCaseEntry_ = -1;
    std::int16_t index = -1;
    if (const TEnumTypeDefStrings* type = AppFindEnumStrings("EnCaseLayers", index)) {
        for (int i = 0; i < type->Count(); ++i)
            caseLayerNames_.push_back(type->Get(i));
    }
    if (!caseLayerNames_.empty())
        chosenCaseEntry_ = 0;
}

std::uint8_t MainFormController::ChosenCaseLayer() const {
    if (chosenCaseEntry_ < 0)
        return kFirstCaseLayer;
    return static_cast<std::uint8_t>(std::min(chosenCaseEntry_ + kFirstCaseLayer, 255));
}

void MainFormController::ChooseCaseEntry(int entry) {
    chosenCaseEntry_ = entry;
    if (buttons_.caseLayer)
        ApplyLayers();
}

void MainFormController::CaseWindowClosed() {
    SetCaseButton(false);
}

void MainFormController::ApplyLayers() {
    ScreenWindowOps* screen = port_.ActiveScreen();
    if (screen == nullptr)
        return;
    const std::array<bool, 3> shown = {buttons_.bmp, buttons_.txt, buttons_.gr};
    for (int layer = 0; layer < 3; ++layer) {
        if (shown[static_cast<std::size_t>(layer)])
            screen->ShowLayer(layer);
        else
            screen->HideLayer(layer);
    }
    screen->HideLayers(kCaseLayersMask);
    if (buttons_.caseLayer)
        screen->ShowLayer(ChosenCaseLayer());
    screen->ShowLayer(kAlwaysShownLayer);
}

void MainFormController::SetHelpButton(bool down) {
    buttons_.help = down;
    if (ScreenWindowOps* screen = port_.ActiveScreen())
        screen->SetHelpMode(down);
}

void MainFormController::SetLayerButton(int layer, bool down) {
    switch (layer) {
    case 0:
        buttons_.bmp = down;
        break;
    case 1:
        buttons_.txt = down;
        break;
    case 2:
        buttons_.gr = down;
        break;
    default:
        return;
    }
    ApplyLayers();
}

void MainFormController::SetCaseButton(bool down) {
    buttons_.caseLayer = down;
    ApplyLayers();
    caseWindowVisible_ = down;
}

void MainFormController::SetZoom(int zoom) {
    currentZoom_ = zoom;
    if (ScreenWindowOps* screen = port_.ActiveScreen())
        screen->SetZoom(zoom);
}

void MainFormController::ZoomCycle() {
    switch (currentZoom_) {
    case 1:
        currentZoom_ = 2;
        break;
    case 2:
        currentZoom_ = 4;
        break;
    case 4:
        currentZoom_ = 1;
        break;
    default:
        break; // any other zoom is only applied again
    }
    SetZoom(currentZoom_);
}

void MainFormController::ShowLayerState(std::uint32_t visibleLayers, std::uint8_t flags) {
    buttons_.help = (flags & kHelpScreenFlag) != 0;
    buttons_.bmp = (visibleLayers & 0x1u) != 0;
    buttons_.txt = (visibleLayers & 0x2u) != 0;
    buttons_.gr = (visibleLayers & 0x4u) != 0;
    const std::uint32_t caseLayers = visibleLayers & kCaseLayersMask;
    buttons_.caseLayer = caseLayers != 0;
    caseWindowVisible_ = buttons_.caseLayer;
    if (caseLayers == 0)
        return;
    int lowest = kFirstCaseLayer;
    while ((caseLayers & (1u << lowest)) == 0)
        ++lowest;
    chosenCaseEntry_ = lowest - kFirstCaseLayer;
}

bool MainFormController::InsertObject(std::string_view actionName) {
    const InsertActionDef* action = FindInsertAction(actionName);
    ScreenWindowOps* screen = port_.ActiveScreen();
    if (action == nullptr || screen == nullptr)
        return false;
    std::uint8_t layer = action->homeLayer;
    std::uint8_t homeLayer = action->homeLayer;
    switch (action->rule) {
    case InsertLayerRule::CaseAware:
        if (buttons_.caseLayer)
            layer = ChosenCaseLayer();
        break;
    case InsertLayerRule::Fixed:
        break;
    case InsertLayerRule::CaseOnly:
        if (!buttons_.caseLayer || ChosenCaseLayer() > kLastCaseLayer)
            return false;
        layer = homeLayer = ChosenCaseLayer();
        break;
    }
    screen->InsertObject(layer, homeLayer, HelpFlag(), action->kind);
    return true;
}

void MainFormController::SelectedToBack() {
    if (ScreenWindowOps* screen = port_.ActiveScreen())
        screen->SelectedToBack();
}

void MainFormController::ClearAllObjects() {
    ScreenWindowOps* screen = port_.ActiveScreen();
    if (screen == nullptr)
        return;
    screen->DeleteVisibleObjects();
    if ((screen->VisibleLayers() & 0x1u) != 0)
        screen->ClearScreenBitmap();
}

void MainFormController::ActiveChildChanged(std::uint32_t editCaps, bool clipboardHasText) {
    panels_[1].clear();
    if (ScreenWindowOps* screen = port_.ActiveScreen()) {
        ShowLayerState(screen->VisibleLayers(), screen->Flags());
        const int zoom = screen->Zoom();
        if (zoom == 1 || zoom == 2 || zoom == 4)
            currentZoom_ = zoom;
    }
    editCaps_ = port_.ActiveChild() == ChildKind::None ? 0 : editCaps;
    clipboardHasText_ = clipboardHasText;
}

bool MainFormController::ActionEnabled(std::string_view name) const {
    const ChildKind active = port_.ActiveChild();
    const bool projectOpen = ProjectColl() != nullptr;
    if (name == "CloseProject_Action" || name == "SaveProject_Action" ||
        name == "SaveProjectAs_Action")
        return projectOpen || !WindowsCtx().fileCmds.Prg.FileName.empty();
    if (name == "OpenEdPRG_Action" || name == "OpenEdPRI_Action")
        return projectOpen;
    if (name == "SavePRG_Action" || name == "SavePRGAs_Action" ||
        name == "ImportFileToEditor_Action")
        return active == ChildKind::PrgEditor || active == ChildKind::GeneralEditor;
    if (name == "EditorOptions_Action" || name == "EditorFind_Action" ||
        name == "EditorFindNext_Action" || name == "EditorIncFind_Action" ||
        name == "EditorGoToLine_Action")
        return IsEditor(active);
    if (name == "EditorReplace_Action")
        return active == ChildKind::PrgEditor || active == ChildKind::GeneralEditor;
    if (name == "EditDel_Action")
        return (editCaps_ & cap::kDelete) != 0;
    if (name == "EditCut_Action")
        return (editCaps_ & cap::kCut) != 0;
    if (name == "EditCopy_Action")
        return (editCaps_ & cap::kCopy) != 0;
    if (name == "EditPaste_Action")
        return (editCaps_ & cap::kPaste) != 0 && clipboardHasText_;
    if (name == "OrigFormSize_Action")
        return (editCaps_ & cap::kOrigSize) != 0;
    if (name == "OrigAllFormSize_Action" || name == "MaximizeRestoreMDIChild_Action" ||
        name == "WindowCascade_Action" || name == "WindowTileHorizontal_Action" ||
        name == "WindowTileVertical_Action" || name == "WindowArrange_Action" ||
        name == "WindowMinimizeAll_Action" || name == "WindowCloseAll_Action" ||
        name == "WindowCloseOthers_Action" || name == "WindowClose_Action")
        return active != ChildKind::None;
    if (name == "ZoomChange_Action" || name == "ToBackLCDObj_Action" ||
        name == "ClearAllLCDObj_Action")
        return active == ChildKind::Screen;
    if (name == "LCDObjCaseBMP_Action")
        return active == ChildKind::Screen && buttons_.caseLayer;
    if (FindInsertAction(name) != nullptr)
        return active == ChildKind::Screen;
    return FindMainAction(name) != nullptr;
}

bool MainFormController::HelpGoesToChild() const {
    return port_.ActiveChild() != ChildKind::None && (editCaps_ & cap::kHelp) != 0;
}

void MainFormController::ShowCursorPosition(int x, int y) {
    panels_[1] = "[" + std::to_string(x) + "," + std::to_string(y) + "]";
}

void MainFormController::ShowObjectInfo(int left, int top, int right, int bottom,
                                        std::string_view description) {
    panels_[2] = "[" + std::to_string(left) + "," + std::to_string(top) + "," +
                 std::to_string(right) + "," + std::to_string(bottom) + "] " +
                 std::string(description.substr(0, kObjectInfoCap));
}

void MainFormController::RefreshStatus(const EditorStatus* editor) {
    const ChildKind active = port_.ActiveChild();
    if (active == ChildKind::Screen)
        return; // the screen window reports for itself
    if (!IsEditor(active) || editor == nullptr) {
        panels_[1].clear();
        panels_[2].clear();
        return;
    }
    panels_[1] =
        std::to_string(editor->caretLine + 1) + ": " + std::to_string(editor->caretColumn + 1);
    const std::string modified = editor->modified ? Utf8ToCp1250(" | Změněn") : std::string();
    if (editor->readOnly)
        panels_[2] = Utf8ToCp1250("Pouze ke čtení") + modified;
    else
        panels_[2] = Utf8ToCp1250(editor->overwrite ? "Přepisování" : "Vkládání") + modified;
    if (editor->incrementalSearch)
        panels_[3] = Utf8ToCp1250("Hledá se: ") + editor->searchText;
}

bool MainFormController::GeneratePri() {
    const TDataBase* project = ProjectColl();
    if (project == nullptr)
        return false;
    // The include file goes beside the project, which an installed sample's place is not for.
    if (project->DBFileName.empty() || IsInstalledFile(EnvCtx().settings, project->DBFileName)) {
        MsgBox("", Utf8ToCp1250("Projekt je třeba nejdříve uložit"),
               mb::kIconInformation | mb::kOk);
        return false;
    }
    WindowsGeneratorHost host(port_);
    const GenerationResult result = GenerateProjectCode(host);
    if (!result.errors.empty()) {
        std::string text;
        for (const std::string& error : result.errors)
            text += (text.empty() ? "" : "\n") + error;
        MsgBox("", text, mb::kIconError | mb::kOk);
        return false;
    }
    return true;
}

} // namespace panolcd
