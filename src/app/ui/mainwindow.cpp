#include "app/ui/mainwindow.h"

#include "app/mainactions.h"
#include "app/mainformsession.h"
#include "app/ui/aboutbox.h"
#include "app/ui/caselayersform.h"
#include "app/version.h"
#include "build/tooldialogs.h"
#include "build/ui/qtprocesslauncher.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "common/ui/filedialogs.h"
#include "common/ui/qtext.h"
#include "editor/ui/editorwindows.h"
#include "framework/environment/debugmask.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/programfiles.h"
#include "framework/environment/trace.h"
#include "framework/environment/ui/helpviewer.h"
#include "framework/environment/ui/syswrwindow.h"
#include "framework/records/database.h"
#include "framework/records/recordscontext.h"
#include "framework/windows/udbforms.h"
#include "framework/windows/windowmessages.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

// The resources of a static library are registered by hand, from outside any namespace.
static void RegisterToolbarPictures() {
    Q_INIT_RESOURCE(icons);
}

namespace panolcd {
namespace {

const QEvent::Type kProjectCmdEvent = static_cast<QEvent::Type>(QEvent::User + kWmProjectCmd);

// A deferred project command on its way to the main window.
class ProjectCmdEvent final : public QEvent {
public:
    explicit ProjectCmdEvent(ProjectCmd command) : QEvent(kProjectCmdEvent), command_(command) {}
    ProjectCmd Command() const { return command_; }

private:
    ProjectCmd command_;
};

constexpr int kTickMs = 550;
constexpr int kHelpContents = 0;
constexpr int kHelpNoChild = 1;
constexpr std::array<int, MainFormController::kStatusPanels> kPanelWidths = {0, 64, 160, 50};
constexpr char kRootWindowName[] = "F_LCROOT";

struct FileDialogDef {
    const char* title;
    const char* suffix;
    // "caption|pattern" pairs as the dialogs list them.
    const char* filters;
};

FileDialogDef DialogOf(FileDialogKind kind) {
    switch (kind) {
    case FileDialogKind::ProjectOpen:
        return {"Otevření projektu", "LCD",
                "Projekt LCD (*.lcd)|*.lcd|Projekt PRG (*.prg)|*.prg|Všechny (*.*)|*.*"};
    case FileDialogKind::ProjectSave:
        return {"Uložení projektu", "LCD",
                "Projekt LCD (*.lcd)|*.lcd|Projekt PRG (*.prg)|*.prg|Šablona projektu LCD "
                "(*.lc$)|*.lc$|Šablona projektu PRG (*.pr$)|*.pr$|Všechny (*.*)|*.*"};
    case FileDialogKind::ProjectTemplateOpen:
        return {"Nový projekt", "LC$",
                "Šablona nového projektu|*.lc$;*.pr$|Šablona projektu LCD (*.lc$)|*.lc$|Šablona "
                "projektu PRG (*.pr$)|*.pr$|Všechny (*.*)|*.*"};
    case FileDialogKind::EditorOpen:
        break;
    }
    return {"Otevření souboru", "PRG",
            "Program Vorn-Basic (*.prg)|*.prg|Obrazovky LCD (*.pri)|*.pri|Textový soubor "
            "(*.txt)|*.txt|Šablona projektu PRG (*.pr$)|*.pr$|Šablona projektu LCD "
            "(*.lc$)|*.lc$|Konfigurační soubor (*.ini)|*.ini|Všechny soubory(*.*)|*.*"};
}

// Qt name filters from "caption|pattern;pattern|..." pairs. Patterns are matched in both letter
// cases, as file names made on Windows come in either.

// Toolbar pictures from the desktop's icon theme, with the style's own where it has one; an
// action without a picture shows its caption.
// The action's own picture from the program's resources; none for actions without one.
QIcon ActionIcon(std::string_view name) {
    const QString path = ":/icons/" + QString::fromLatin1(name.data(), name.size()) + ".svg";
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace

TAppMainForm::TAppMainForm(const std::vector<std::string>& args, QWidget* parent)
    : TTrMainForm(parent), mdiArea_(new QMdiArea(this)) {
    RegisterToolbarPictures();
    setObjectName("TAppMainForm");
    setWindowTitle(kProgramTitle);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    session_ = std::make_unique<MainFormSession>(args);
    controller_ =
        std::make_unique<MainFormController>(*this, store_, ProgramFile(EnvCtx().settings, ".APP"));
    launcher_ = std::make_unique<QtProcessLauncher>();
    build_ = std::make_unique<BuildCommands>(
        *this, *launcher_, [this] { return controller_->GeneratePri(); },
        [this](const std::string& text) {
            controller_->SetPanel(3, text);
            ShowPanels();
        });
    CreateActions();
    CreateMenusAndToolBars();
    CreateStatusBar();
    SetFlatToolBars(session_->AppSettings().FTB);

    caseLayers_ = new TCaseLayers_Form(this);
    editorDialogs_ = std::make_unique<TEditorDialogs>(this);
    caseLayers_->hide();
    controller_->LoadCaseLayerList();
    caseLayers_->SetEntries(controller_->CaseLayerNames(), controller_->ChosenCaseEntry());
    ShowButtons();
    connect(caseLayers_, &TCaseLayers_Form::EntryChosen, this,
            [this](int entry) { Guarded([&] { controller_->ChooseCaseEntry(entry); }); });
    connect(caseLayers_, &TCaseLayers_Form::Closed, this, [this] {
        Guarded([&] {
            controller_->CaseWindowClosed();
            ShowButtons();
        });
    });

    // The object clipboard is the system clipboard whatever the settings say.
    EnvCtx().useClipboard = true;
    ConnectActions();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow*) { Guarded([&] { ActiveChildChanged(); }); });
    tick_ = new QTimer(this);
    tick_->setInterval(kTickMs);
    connect(tick_, &QTimer::timeout, this, [this] {
        Guarded([&] {
            build_->Tick();
            UpdateActions();
        });
    });
    tick_->start();
    // Paste follows the clipboard at once rather than at the next tick. Queued: a cut has
    // deleted what it copied before the actions are asked.
    connect(
        QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
        [this] { Guarded([&] { UpdateActions(); }); }, Qt::QueuedConnection);
    resize(900, 650);
    ActiveChildChanged();
}

TAppMainForm::~TAppMainForm() {
    tick_->stop();
    session_->AppSettings().PRJ = controller_->LifeCycle().ReopenName();
    // Children first: they may still refer to the project and the diagnostic channel.
    delete mdiArea_;
    mdiArea_ = nullptr;
    CloseProjectColl();
    RecordsCtx().secondGlobalDB.reset();
    controller_.reset();
    session_.reset();
}

void TAppMainForm::CreateActions() {
    for (const MainActionDef& def : MainActions()) {
        auto* action = new QAction(Utf8(def.caption), this);
        action->setObjectName(Utf8(def.name));
        if (!def.shortcut.empty())
            action->setShortcut(QKeySequence(Utf8(def.shortcut), QKeySequence::PortableText));
        if (!def.tooltip.empty())
            action->setToolTip(Utf8(def.tooltip));
        action->setStatusTip(Utf8(def.status));
        action->setCheckable(def.checkable);
        action->setIcon(ActionIcon(def.name));
        actions_[std::string(def.name)] = action;
        addAction(action); // shortcuts work while a child has the focus
    }
    auto* zooms = new QActionGroup(this);
    for (const char* name : {"Zoom1_Action", "Zoom2_Action", "Zoom4_Action"})
        zooms->addAction(actions_.at(name));
    actions_.at("Zoom1_Action")->setChecked(true);
}

void TAppMainForm::CreateMenusAndToolBars() {
    const auto fill = [this](QWidget* target, const MainMenuDef& def, auto&& self) -> void {
        for (std::string_view entry : def.entries) {
            if (entry == "-") {
                auto* separator = new QAction(target);
                separator->setSeparator(true);
                target->addAction(separator);
                continue;
            }
            if (entry.front() == '>') {
                const MainMenuDef* sub = FindSubMenu(entry.substr(1));
                auto* menu = qobject_cast<QMenu*>(target);
                if (sub == nullptr || menu == nullptr)
                    continue;
                QMenu* child = menu->addMenu(Utf8(sub->caption));
                child->setObjectName(Utf8(sub->name));
                child->menuAction()->setStatusTip(Utf8(sub->hint));
                self(child, *sub, self);
                continue;
            }
            target->addAction(actions_.at(std::string(entry)));
        }
    };
    for (const MainMenuDef& def : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(Utf8(def.caption));
        menu->setObjectName(Utf8(def.name));
        menu->menuAction()->setStatusTip(Utf8(def.hint));
        fill(menu, def, fill);
        if (std::string_view(def.name) == "Windows_Menu")
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { ListChildWindows(*menu); });
    }
    for (const MainMenuDef& def : ToolBars()) {
        QToolBar* bar = addToolBar(Utf8(def.name));
        bar->setObjectName(Utf8(def.name));
        bar->setFloatable(true);
        bar->setMovable(true);
        // The pictures are drawn on a 16-pixel grid (and stay sharp on 2x screens); at this
        // size all four bars fit one row of a 1280-pixel window.
        bar->setIconSize(QSize(16, 16));
        toolBars_[std::string(def.name)] = bar;
        fill(bar, def, fill);
    }
    const std::pair<const char*, const char*> visibility[] = {
        {"FileClipboardToolVisible_Action", "FileClipboard_ToolBar"},
        {"LayersZoomToolVisible_Action", "LayersZoom_ToolBar"},
        {"RunToolBarVisible_Action", "Run_ToolBar"},
        {"LCDObjectsToolVisible_Action", "LCDObjects_ToolBar"}};
    for (const auto& [actionName, barName] : visibility) {
        QAction* action = actions_.at(actionName);
        QToolBar* bar = toolBars_.at(barName);
        action->setChecked(true);
        connect(action, &QAction::toggled, bar, &QToolBar::setVisible);
        connect(bar, &QToolBar::visibilityChanged, action, &QAction::setChecked);
    }
}

void TAppMainForm::CreateStatusBar() {
    statusBar()->setObjectName("MainForm_StatusBar");
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(statusBar());
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setMinimumWidth(kPanelWidths[i]);
        panel->setVisible(kPanelWidths[i] > 0);
        statusBar()->addWidget(panel, i + 1 == panels_.size() ? 1 : 0);
        panels_[i] = panel;
    }
}

QAction* TAppMainForm::Action(const std::string& name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

QToolBar* TAppMainForm::ToolBar(const std::string& name) const {
    const auto found = toolBars_.find(name);
    return found == toolBars_.end() ? nullptr : found->second;
}

void TAppMainForm::On(const std::string& name, std::function<void()> handler) {
    connect(actions_.at(name), &QAction::triggered, this, [this, handler = std::move(handler)] {
        Guarded(handler);
        UpdateActions();
    });
}

void TAppMainForm::ConnectActions() {
    ProjectLifeCycle& cycle = controller_->LifeCycle();
    MainFormController& ctl = *controller_;
    On("NewProject_Action", [&cycle] { cycle.NewProjectAction(); });
    On("OpenProject_Action", [&cycle] { cycle.OpenProjectAction(); });
    On("CloseProject_Action", [&cycle] { cycle.CloseProjectAction(); });
    On("SaveProject_Action", [&cycle] { cycle.SaveProjectAction(); });
    On("SaveProjectAs_Action", [&cycle] { cycle.SaveProjectAsAction(); });
    On("Exit_Action", [this] { close(); });

    On("EditDel_Action", [this] { PostEditCmdToActive(ecDelete); });
    On("EditCut_Action", [this] { PostEditCmdToActive(ecCut); });
    On("EditCopy_Action", [this] { PostEditCmdToActive(ecCopy); });
    On("EditPaste_Action", [this] { PostEditCmdToActive(ecPaste); });

    On("GenPRI_Action", [this, &ctl] {
        if (ctl.GeneratePri())
            build_->ClearResult();
    });
    const auto compile = [this](bool generate) {
        build_->compilerTemplate = session_->CompilerSettings().CMD;
        build_->Compile(generate);
    };
    On("GenPRIandCompile_Action", [compile] { compile(true); });
    On("Compile_Action", [compile] { compile(false); });
    On("RunPRG_Action", [this] {
        build_->loaderTemplate = session_->LoaderSettings().CMD;
        build_->Run();
    });
    On("CompilerCFG_Action",
       [this] { EditToolTemplate(session_->CompilerSettings(), kCompilerDialogName); });
    On("RunPRGCFG_Action",
       [this] { EditToolTemplate(session_->LoaderSettings(), kLoaderDialogName); });

    On("OpenEdPRG_Action", [&cycle] { cycle.OpenProgram(""); });
    On("OpenEdPANO_Action", [this] {
        const std::optional<FileChoice> choice =
            AskFile(FileDialogKind::EditorOpen, EnvCtx().app.WorkDir, "", 1);
        if (choice)
            OpenInGeneralEditor(choice->fileName);
    });
    On("OpenEdPRI_Action", [this] { OpenPriViewer(); });
    On("SavePRG_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->Logic().Save(true);
    });
    On("SavePRGAs_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->Logic().SaveAsWithDialog();
    });
    On("ImportFileToEditor_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->Logic().InsertFile();
    });
    On("EditorFindNext_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->FindNext();
    });
    On("EditorFind_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->Find(*editorDialogs_->find);
    });
    On("EditorReplace_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->Replace(*editorDialogs_->replace);
    });
    On("EditorGoToLine_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->LineJump(*editorDialogs_->gotoLine);
    });
    On("EditorOptions_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->Options(*editorDialogs_->options);
    });
    On("EditorIncFind_Action", [this] {
        if (TVornEdit_MDIChild* editor = ActiveEditor())
            editor->IncrementalFind();
    });

    On("OpenRootWin_Action", [this] { PostProjectCmd(ProjectCmd::ShowProject); });
    On("MaximizeRestoreMDIChild_Action", [this] {
        QMdiSubWindow* child = mdiArea_->currentSubWindow();
        if (child == nullptr || child->isMinimized())
            return;
        if (child->isMaximized())
            child->showNormal();
        else
            child->showMaximized();
    });
    On("ZoomChange_Action", [this, &ctl] {
        ctl.ZoomCycle();
        ShowButtons();
    });
    On("WindowClose_Action", [this] {
        if (QMdiSubWindow* child = mdiArea_->currentSubWindow())
            child->close();
    });
    On("WindowCloseOthers_Action", [this] { CloseChildren(true); });
    On("WindowCloseAll_Action", [this] { CloseChildren(false); });
    On("OrigFormSize_Action", [this] {
        QMdiSubWindow* child = mdiArea_->currentSubWindow();
        if (child == nullptr)
            return;
        if (child->isMaximized() || child->isMinimized())
            child->showNormal();
        PostEditCmdToActive(ecOrigSize);
    });
    On("OrigAllFormSize_Action", [this] {
        QMdiSubWindow* active = mdiArea_->currentSubWindow();
        if (active != nullptr && (active->isMaximized() || active->isMinimized()))
            active->showNormal();
        for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
            auto* target = dynamic_cast<MessageTarget*>(child);
            if (target == nullptr)
                continue;
            QPointer<QMdiSubWindow> guard(child);
            QTimer::singleShot(0, this, [guard, target] {
                if (guard)
                    Guarded([&] { target->HandleMessage(kWmEditCmd, ecOrigSize, 0); });
            });
        }
    });
    On("WindowCascade_Action", [this] { mdiArea_->cascadeSubWindows(); });
    On("WindowTileHorizontal_Action", [this] { TileChildren(true); });
    On("WindowTileVertical_Action", [this] { TileChildren(false); });
    On("WindowMinimizeAll_Action", [this] {
        for (QMdiSubWindow* child : mdiArea_->subWindowList())
            child->showMinimized();
    });
    On("WindowArrange_Action", [this] {
        // Minimized windows line up along the bottom edge.
        int x = 0;
        for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
            if (!child->isMinimized())
                continue;
            child->move(x, mdiArea_->viewport()->height() - child->height());
            x += child->width();
        }
    });
    On("MainFormMaxRestore_Action", [this] {
        if (windowState() == Qt::WindowNoState)
            showMaximized();
        else
            showNormal();
    });

    On("HelpScr_Action",
       [this, &ctl] { ctl.SetHelpButton(Action("HelpScr_Action")->isChecked()); });
    On("BmpLayer_Action",
       [this, &ctl] { ctl.SetLayerButton(0, Action("BmpLayer_Action")->isChecked()); });
    On("TextLayer_Action",
       [this, &ctl] { ctl.SetLayerButton(1, Action("TextLayer_Action")->isChecked()); });
    On("GraphicLayer_Action",
       [this, &ctl] { ctl.SetLayerButton(2, Action("GraphicLayer_Action")->isChecked()); });
    On("CaseLayer_Action", [this, &ctl] {
        ctl.SetCaseButton(Action("CaseLayer_Action")->isChecked());
        ShowButtons();
    });
    On("Zoom1_Action", [&ctl] { ctl.SetZoom(1); });
    On("Zoom2_Action", [&ctl] { ctl.SetZoom(2); });
    On("Zoom4_Action", [&ctl] { ctl.SetZoom(4); });
    On("ToBackLCDObj_Action", [&ctl] { ctl.SelectedToBack(); });
    On("ClearAllLCDObj_Action", [&ctl] { ctl.ClearAllObjects(); });
    for (const InsertActionDef& insert : InsertActions()) {
        const std::string name(insert.name);
        On(name, [&ctl, name] { ctl.InsertObject(name); });
    }

    On("HelpContent_Action", [this] { ShowHelpTopic(kHelpContents); });
    On("HelpContext_Action", [this, &ctl] {
        if (ActiveChild() == ChildKind::None)
            ShowHelpTopic(kHelpNoChild);
        else if (ctl.HelpGoesToChild())
            PostEditCmdToActive(ecHelp);
        else
            ShowHelpTopic(kHelpContents);
    });
    On("FlatToolBars_Action", [this] {
        const bool flat = Action("FlatToolBars_Action")->isChecked();
        session_->AppSettings().FTB = flat;
        SetFlatToolBars(flat);
    });
    On("DiagMask_Action", [] { EditTraceMask(); });
    On("OpenSysWr_Action", [this] { OpenDiagnosticWindow(); });
    On("About_Action", [this] {
        TAboutBox about(this);
        about.exec();
    });
}

void TAppMainForm::SetFlatToolBars(bool flat) {
    actions_.at("FlatToolBars_Action")->setChecked(flat);
    // A flat button shows its edge only under the mouse. A checked one (a shown layer, the
    // zoom, the help screen) stays sunk on either kind of bar, with the same box so that
    // nothing beside it moves.
    const QString raised = flat ? QStringLiteral("QToolButton { border: 1px solid transparent; "
                                                 "padding: 2px; } QToolButton:hover { "
                                                 "border: 1px outset palette(mid); }")
                                : QStringLiteral("QToolButton { border: 1px outset "
                                                 "palette(mid); padding: 2px; }");
    const QString sunk = QStringLiteral(" QToolButton:checked, QToolButton:pressed { border: 1px "
                                        "inset palette(dark); background: palette(mid); }");
    for (const auto& [name, bar] : toolBars_)
        bar->setStyleSheet(raised + sunk);
}

QMenu* TAppMainForm::createPopupMenu() {
    auto* menu = new QMenu(this);
    for (const char* name : {"FileClipboardToolVisible_Action", "LayersZoomToolVisible_Action",
                             "RunToolBarVisible_Action", "LCDObjectsToolVisible_Action"})
        menu->addAction(actions_.at(name));
    menu->addSeparator();
    menu->addAction(actions_.at("FlatToolBars_Action"));
    return menu;
}

void TAppMainForm::UpdateActions() {
    if (controller_ == nullptr)
        return;
    controller_->SetClipboardHasText(EnvCtx().clipboard->HasText());
    if (TVornEdit_MDIChild* editor = ActiveEditor()) {
        SmartEditCore& core = editor->Editor().Core();
        EditorStatus status;
        status.caretLine = core.CaretLine();
        status.caretColumn = core.CaretColumn() + core.VirtualBlanks();
        status.readOnly = core.readOnly;
        status.overwrite = (core.options & eo::kInsertMode) == 0;
        status.modified = core.Text().modified;
        status.incrementalSearch = core.InIncrementalSearch();
        status.searchText = core.IncrementalText();
        controller_->RefreshStatus(&status);
    } else {
        controller_->RefreshStatus(nullptr);
    }
    for (const auto& [name, action] : actions_)
        action->setEnabled(controller_->ActionEnabled(name));
    ShowPanels();
}

void TAppMainForm::ShowButtons() {
    const LayerButtons& buttons = controller_->Buttons();
    const std::pair<const char*, bool> checks[] = {{"HelpScr_Action", buttons.help},
                                                   {"BmpLayer_Action", buttons.bmp},
                                                   {"TextLayer_Action", buttons.txt},
                                                   {"GraphicLayer_Action", buttons.gr},
                                                   {"CaseLayer_Action", buttons.caseLayer}};
    for (const auto& [name, down] : checks)
        actions_.at(name)->setChecked(down);
    const int zoom = controller_->CurrentZoom();
    if (zoom == 1 || zoom == 2 || zoom == 4)
        actions_.at("Zoom" + std::to_string(zoom) + "_Action")->setChecked(true);
    caseLayers_->SetChosen(controller_->ChosenCaseEntry());
    const bool showCase = controller_->CaseWindowVisible();
    // First shown near the main window's top right, out of the menus' way.
    if (showCase && !caseLayers_->isVisible() && !caseLayersPlaced_) {
        caseLayers_->move(mapToGlobal(QPoint(width() - caseLayers_->width() - 24, 72)));
        caseLayersPlaced_ = true;
    }
    caseLayers_->setVisible(showCase);
}

void TAppMainForm::ActiveChildChanged() {
    std::uint32_t caps = 0;
    if (auto* child = dynamic_cast<ChildWindow*>(mdiArea_->currentSubWindow()))
        caps = child->EditCaps();
    controller_->ActiveChildChanged(caps, EnvCtx().clipboard->HasText());
    if (ActiveScreen() != nullptr)
        ShowButtons();
    UpdateActions();
}

ChildKind TAppMainForm::ActiveChild() const {
    QMdiSubWindow* child = mdiArea_ != nullptr ? mdiArea_->currentSubWindow() : nullptr;
    if (child == nullptr)
        return ChildKind::None;
    if (const auto* known = dynamic_cast<const ChildWindow*>(child))
        return known->Kind();
    if (qobject_cast<const TMDIChild_SysWr0*>(child->widget()) != nullptr)
        return ChildKind::Diagnostic;
    return ChildKind::Other;
}

TVornEdit_MDIChild* TAppMainForm::EditorWindow(ChildKind kind, const std::string& fileName) const {
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        auto* editor = dynamic_cast<TVornEdit_MDIChild*>(child);
        if (editor == nullptr || editor->Kind() != kind || editor->IsClosing())
            continue;
        if (kind != ChildKind::GeneralEditor ||
            SameTextCp1250(editor->Logic().FileName(), fileName))
            return editor;
    }
    return nullptr;
}

TVornEdit_MDIChild* TAppMainForm::ActiveEditor() const {
    return dynamic_cast<TVornEdit_MDIChild*>(mdiArea_->currentSubWindow());
}

void TAppMainForm::Raise(QMdiSubWindow* child) {
    if (child->isMinimized())
        child->showNormal();
    mdiArea_->setActiveSubWindow(child);
}

TVornEdit_MDIChild* TAppMainForm::AddEditorWindow(TVornEdit_MDIChild* window) {
    mdiArea_->addSubWindow(window);
    window->show();
    mdiArea_->setActiveSubWindow(window);
    return window;
}

bool TAppMainForm::RaisePrgEditor() {
    TVornEdit_MDIChild* editor = EditorWindow(ChildKind::PrgEditor);
    if (editor == nullptr)
        return false;
    Raise(editor);
    return true;
}

bool TAppMainForm::HasPrgEditor() const {
    return EditorWindow(ChildKind::PrgEditor) != nullptr;
}

void TAppMainForm::CreatePrgEditor() {
    auto* editor = AddEditorWindow(new TViewFilePRG_MDIChild(&session_->PrgEditorSettings()));
    editor->Logic().LoadFile(WindowsCtx().fileCmds.Prg.FileName);
}

TVornEdit_MDIChild* TAppMainForm::OpenPriViewer() {
    if (TVornEdit_MDIChild* viewer = EditorWindow(ChildKind::PriViewer)) {
        Raise(viewer);
        return viewer;
    }
    auto* viewer = AddEditorWindow(new TViewFilePRI_MDIChild(&session_->PriViewerSettings()));
    viewer->Logic().LoadFile(WindowsCtx().fileCmds.Pri.FileName);
    return viewer;
}

void TAppMainForm::ShowErrorLocation(const TCompileResult& result) {
    const BusyCursorGuard busy(static_cast<TTrMainForm*>(this));
    const FileCmdRecs& records = WindowsCtx().fileCmds;
    TVornEdit_MDIChild* window = nullptr;
    switch (result.where) {
    case ErrorPlace::Program:
        if (!RaisePrgEditor() && FileExistsAnyCase(records.Prg.FileName))
            CreatePrgEditor();
        window = EditorWindow(ChildKind::PrgEditor);
        break;
    case ErrorPlace::Screens:
        if (EditorWindow(ChildKind::PriViewer) != nullptr ||
            FileExistsAnyCase(records.Pri.FileName))
            window = OpenPriViewer();
        break;
    case ErrorPlace::Other:
        if (FileExistsAnyCase(result.file))
            window = OpenInGeneralEditor(result.file);
        break;
    case ErrorPlace::None:
        break;
    }
    if (window != nullptr)
        window->Logic().ShowErrorLocation(result.line, result.begin, result.end);
}

TVornEdit_MDIChild* TAppMainForm::OpenInGeneralEditor(const std::string& fileName) {
    const BusyCursorGuard busy(static_cast<TTrMainForm*>(this));
    TVornEdit_MDIChild* editor = EditorWindow(ChildKind::GeneralEditor, fileName);
    if (editor != nullptr) {
        Raise(editor);
        // Opened again: read anew from disk, but not over unsaved edits unasked.
        if (!editor->Logic().AskToSave())
            return editor;
    } else {
        editor = AddEditorWindow(new TPanoEditor_MDIChild(&session_->EditorSettings()));
    }
    editor->Logic().LoadFile(fileName);
    return editor;
}

ScreenWindowOps* TAppMainForm::ActiveScreen() {
    auto* child = dynamic_cast<ChildWindow*>(mdiArea_->currentSubWindow());
    return child != nullptr && child->Kind() == ChildKind::Screen ? child->ScreenOps() : nullptr;
}

void TAppMainForm::ShowCursorPosition(int x, int y) {
    controller_->ShowCursorPosition(x, y);
    ShowPanels();
}

void TAppMainForm::ShowObjectInfo(int left, int top, int right, int bottom,
                                  std::string_view description) {
    controller_->ShowObjectInfo(left, top, right, bottom, description);
    ShowPanels();
}

void TAppMainForm::ShowHint(std::string_view text) {
    controller_->SetPanel(3, std::string(text));
    ShowPanels();
}

void TAppMainForm::ShowPanels() {
    for (std::size_t i = 1; i < panels_.size(); ++i)
        panels_[i]->setText(ToQString(controller_->Panel(static_cast<int>(i))));
}

void TAppMainForm::PostEditCmdToActive(EditCmd command) {
    QPointer<QMdiSubWindow> child = mdiArea_->currentSubWindow();
    auto* target = dynamic_cast<MessageTarget*>(child.data());
    if (target == nullptr)
        return; // the main window ignores edit commands
    QTimer::singleShot(0, this, [child, target, command] {
        if (child)
            Guarded([&] { target->HandleMessage(kWmEditCmd, command, 0); });
    });
}

void TAppMainForm::CloseChildren(bool allButActive) {
    QMdiSubWindow* active = mdiArea_->currentSubWindow();
    std::vector<QPointer<QMdiSubWindow>> snapshot;
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (!allButActive || child != active)
            snapshot.emplace_back(child);
    }
    for (const QPointer<QMdiSubWindow>& child : snapshot) {
        if (child)
            child->close();
    }
}

void TAppMainForm::TileChildren(bool horizontal) {
    std::vector<QMdiSubWindow*> shown;
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (!child->isMinimized())
            shown.push_back(child);
    }
    if (shown.empty())
        return;
    const QSize area = mdiArea_->viewport()->size();
    const int count = static_cast<int>(shown.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* child = shown[static_cast<std::size_t>(i)];
        child->showNormal();
        if (horizontal)
            child->setGeometry(0, i * area.height() / count, area.width(), area.height() / count);
        else
            child->setGeometry(i * area.width() / count, 0, area.width() / count, area.height());
    }
}

void TAppMainForm::ListChildWindows(QMenu& menu) {
    for (QAction* action : windowListActions_)
        delete action;
    windowListActions_.clear();
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
    if (children.isEmpty())
        return;
    windowListActions_.push_back(menu.addSeparator());
    // The current one, not the active one: a menu that is open takes the activation.
    const QMdiSubWindow* current = mdiArea_->currentSubWindow();
    for (qsizetype i = 0; i < children.size(); ++i) {
        QMdiSubWindow* child = children[i];
        const QString number = i < 9 ? QString("&%1 ").arg(i + 1) : QString("%1 ").arg(i + 1);
        QAction* action = menu.addAction(number + child->windowTitle());
        action->setCheckable(true);
        action->setChecked(child == current);
        connect(action, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(child)] {
            if (child == nullptr)
                return;
            if (child->isMinimized())
                child->showNormal();
            mdiArea_->setActiveSubWindow(child);
        });
        windowListActions_.push_back(action);
    }
}

void TAppMainForm::PostProjectCmd(ProjectCmd command) {
    QCoreApplication::postEvent(this, new ProjectCmdEvent(command));
}

std::uint32_t TAppMainForm::BroadcastFileCmd(FileRecId record) {
    return Broadcast(this, kWmFileCmd, 0, static_cast<std::uint32_t>(record));
}

std::uint32_t TAppMainForm::BroadcastEditCmd(EditCmd command) {
    return Broadcast(this, kWmEditCmd, command, 0);
}

std::optional<FileChoice> TAppMainForm::AskFile(FileDialogKind kind, const std::string& initialDir,
                                                const std::string& fileName, int filterIndex) {
    if (FileDialogsSuppressed())
        return std::nullopt;
    const FileDialogDef def = DialogOf(kind);
    QFileDialog dialog(this, Utf8(def.title), FileNameToQString(initialDir));
    const QStringList filters = NameFilters(def.filters);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.setDefaultSuffix(Utf8(def.suffix));
    if (kind == FileDialogKind::ProjectSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(kind == FileDialogKind::EditorOpen ? QFileDialog::AnyFile
                                                              : QFileDialog::ExistingFile);
    }
    if (!fileName.empty())
        dialog.selectFile(FileNameToQString(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileChoice choice;
    choice.fileName = FileNameFromQString(dialog.selectedFiles().front());
    choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}

void TAppMainForm::SetLcdToolbarsVisible(bool visible) {
    toolBars_.at("LCDObjects_ToolBar")->setVisible(visible);
    toolBars_.at("LayersZoom_ToolBar")->setVisible(visible);
}

bool TAppMainForm::RaiseRootWindow() {
    const TUDBFormObj* rootClass = FindUDBFormClass(kRootWindowName);
    if (rootClass == nullptr)
        return false;
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        auto* window = dynamic_cast<RecordWindow*>(child);
        if (window == nullptr || UDBFormClassOf(*window) != rootClass->Class)
            continue;
        window->ShowEditWindow();
        return true;
    }
    return false;
}

void TAppMainForm::CreateRootWindow(TDataBase& project, TDBRecordObj* rootRecord) {
    // Until the root window's class is registered there is nothing to open.
    if (FindUDBFormClass(kRootWindowName) == nullptr)
        return;
    OpenUDBForm(kRootWindowName, &project, rootRecord, -1, 0, -1);
}

void TAppMainForm::CloseProjectWindows() {
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (auto* window = dynamic_cast<RecordWindow*>(child)) {
            window->SetNoAskClose(true);
            window->CloseWindow();
        }
    }
}

TMDIChild_SysWr0* TAppMainForm::DiagnosticWindow() const {
    if (!mdiArea_)
        return nullptr;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (auto* window = qobject_cast<TMDIChild_SysWr0*>(sub->widget()))
            return window;
    }
    return nullptr;
}

TMDIChild_SysWr0* TAppMainForm::OpenDiagnosticWindow() {
    const BusyCursorGuard busy(static_cast<TTrMainForm*>(this));
    TMDIChild_SysWr0* window = DiagnosticWindow();
    if (window) {
        QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        if (sub && sub->isMinimized())
            sub->showNormal();
        mdiArea_->setActiveSubWindow(sub);
    } else {
        window = new TMDIChild_SysWr0;
        QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(window->size());
        sub->show();
    }
    return window;
}

bool TAppMainForm::event(QEvent* event) {
    if (event->type() == kProjectCmdEvent) {
        const ProjectCmd command = static_cast<ProjectCmdEvent*>(event)->Command();
        Guarded(
            [&] { controller_->LifeCycle().RunProjectCmd(command, session_->AppSettings().PRJ); });
        UpdateActions();
        return true;
    }
    if (event->type() == QEvent::StatusTip) {
        // Hints go to panel 3.
        panels_[3]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return TTrMainForm::event(event);
}

void TAppMainForm::closeEvent(QCloseEvent* event) {
    // The close query asks about saving; a save asked for that did not happen keeps the program
    // open. Unattended nobody could answer, so the program ends.
    bool mayClose = true;
    Guarded([&] { mayClose = controller_->LifeCycle().QueryExit(); });
    if (!mayClose && !FileDialogsSuppressed()) {
        event->ignore();
        return;
    }
    TTrMainForm::closeEvent(event);
    event->accept();
}

void TAppMainForm::StartUp() {
    if (started_)
        return;
    started_ = true;
    PostProjectCmd(ProjectCmd::OpenLast);
    if (TraceMask() != 0)
        OpenDiagnosticWindow();
}

void TAppMainForm::showEvent(QShowEvent* event) {
    TTrMainForm::showEvent(event);
    StartUp();
}

} // namespace panolcd
