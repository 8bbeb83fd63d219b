#pragma once
// TAppMainForm: the multi-document frame of the program. It builds its actions, menus and
// toolbars from the action table, forwards every action to the main window's controller and
// shows what the controller decides; it is also the window side the controller works through.

#include "app/buildcommands.h"
#include "app/mainformcontroller.h"
#include "app/mainformports.h"
#include "app/projectstore.h"
#include "framework/windows/ui/udbform.h"

#include <QEvent>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolBar;

namespace panolcd {

class MainFormSession;
class TAboutBox;
class TCaseLayers_Form;
class TMDIChild_SysWr0;
class TVornEdit_MDIChild;
class QtProcessLauncher;
struct TEditorDialogs;

class TAppMainForm final : public TTrMainForm, public MainFormPort, public StatusPort {
    Q_OBJECT
public:
    // `args` are the command-line arguments after the program name (Windows-1250).
    explicit TAppMainForm(const std::vector<std::string>& args, QWidget* parent = nullptr);
    ~TAppMainForm() override;

    QMdiArea* MdiArea() const { return mdiArea_; }
    QMdiArea* ChildArea() const override { return mdiArea_; }
    MainFormController& Controller() { return *controller_; }
    // Nullptr for an unknown name.
    QAction* Action(const std::string& name) const;
    QToolBar* ToolBar(const std::string& name) const;
    QLabel* StatusPanel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
    TCaseLayers_Form* CaseLayersForm() const { return caseLayers_; }
    TEditorDialogs& EditorDialogs() const { return *editorDialogs_; }
    BuildCommands& Build() const { return *build_; }

    // Brings the diagnostic window to the front, creating it when there is none.
    TMDIChild_SysWr0* OpenDiagnosticWindow();
    TMDIChild_SysWr0* DiagnosticWindow() const;
    // The first editor window of a kind (a general editor: the one on `fileName`, in any letter
    // case); none when there is none.
    TVornEdit_MDIChild* EditorWindow(ChildKind kind, const std::string& fileName = {}) const;
    // The active child when it is an editor window.
    TVornEdit_MDIChild* ActiveEditor() const;
    // Brings the general editor of the file forward, or opens one, and loads the file.
    TVornEdit_MDIChild* OpenInGeneralEditor(const std::string& fileName);
    // Brings the PRI viewer forward, or opens one on the generated file's name.
    TVornEdit_MDIChild* OpenPriViewer();
    // Enables the actions as the controller says and shows the button states and status panels.
    void UpdateActions();

    // MainFormPort
    TTransferBuffObj& TransferBuffer() override { return TTrMainForm::TransferBuffer(); }
    void BeginBusy() override { TTrMainForm::BeginBusy(); }
    void EndBusy() override { TTrMainForm::EndBusy(); }
    void PostProjectCmd(ProjectCmd command) override;
    std::uint32_t BroadcastFileCmd(FileRecId record) override;
    std::uint32_t BroadcastEditCmd(EditCmd command) override;
    std::optional<FileChoice> AskFile(FileDialogKind dialog, const std::string& initialDir,
                                      const std::string& fileName, int filterIndex) override;
    void SetLcdToolbarsVisible(bool visible) override;
    bool RaiseRootWindow() override;
    void CreateRootWindow(TDataBase& project, TDBRecordObj* rootRecord) override;
    void CloseProjectWindows() override;
    bool RaisePrgEditor() override;
    bool HasPrgEditor() const override;
    void CreatePrgEditor() override;
    void ShowErrorLocation(const TCompileResult& result) override;
    ChildKind ActiveChild() const override;
    ScreenWindowOps* ActiveScreen() override;

    // StatusPort: the children's status texts.
    StatusPort* Status() override { return this; }
    void ShowCursorPosition(int x, int y) override;
    void ShowObjectInfo(int left, int top, int right, int bottom,
                        std::string_view description) override;
    void ShowHint(std::string_view text) override;

    // Sets up the first showing's deferred work (open the last project); also run by the first
    // show event.
    void StartUp();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void CreateActions();
    void CreateMenusAndToolBars();
    void CreateStatusBar();
    void ConnectActions();
    void On(const std::string& name, std::function<void()> handler);
    void ActiveChildChanged();
    void ShowButtons();
    void PostEditCmdToActive(EditCmd command);
    void CloseChildren(bool allButActive);
    void TileChildren(bool horizontal);
    void SetFlatToolBars(bool flat);
    void ShowPanels();
    // The open child windows at the end of the window menu: captions, the active one checked.
    void ListChildWindows(QMenu& menu);
    TVornEdit_MDIChild* AddEditorWindow(TVornEdit_MDIChild* window);
    void Raise(QMdiSubWindow* child);

    QMdiArea* mdiArea_;
    std::unique_ptr<MainFormSession> session_;
    FileProjectStore store_;
    std::unique_ptr<MainFormController> controller_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QToolBar*> toolBars_;
    std::array<QLabel*, MainFormController::kStatusPanels> panels_{};
    bool caseLayersPlaced_ = false;
    TCaseLayers_Form* caseLayers_ = nullptr;
    std::unique_ptr<TEditorDialogs> editorDialogs_;
    std::unique_ptr<QtProcessLauncher> launcher_;
    std::unique_ptr<BuildCommands> build_;
    QTimer* tick_ = nullptr;
    std::vector<QAction*> windowListActions_;
    bool started_ = false;
};

} // namespace panolcd
