#include "app/ui/mainwindow.h"

#include "app/batch.h"
#include "app/startup.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "editor/ui/editorwindows.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/ui/consolewidget.h"
#include "framework/environment/ui/syswrwindow.h"
#include "framework/records/appdata.h"
#include "framework/records/appdatastream.h"
#include "framework/records/database.h"
#include "framework/windows/childwindow.h"
#include "framework/windows/udbforms.h"
#include "framework/windows/ui/udbform.h"
#include "projectwindows/bankwindows.h"
#include "projectwindows/commandwindows.h"
#include "projectwindows/ui/rootwindow.h"
#include "support/test_context.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

namespace panolcd {
namespace {

class MainWindow : public testing::ContextTest {
protected:
    void UseEntry(const std::string& app) {
        const auto ini = WriteFile(
            "panolcd.INI", "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\nAPP=" + app + "\r\n");
        EnvCtx().settings.iniFile = FromFsPath(ini);
        EnvCtx().settings.readSection = "Main";
        EnvCtx().settings.exeDir = FromFsPath(TempDir()) + "/";
        EnvCtx().settings.exeName = "panolcd";
        // The main window loads the application description beside the program.
        RegisterStreamClasses();
        TAppData description;
        WriteAppData(FromFsPath(TempDir() / "panolcd.APP"), &description, nullptr);
    }
    // A copy of the sample project, reopened at start with the project's description.
    std::filesystem::path UseSampleProject() {
        namespace fs = std::filesystem;
        const fs::path sample = TempDir() / "DEMO.LCD";
        fs::copy_file(PANOLCD_SAMPLE_PROJECT, sample);
        UseEntry("DM=0 PRJ='" + FromFsPath(sample) + "'");
        fs::copy_file(PANOLCD_GENERATED_APP_FILE, TempDir() / "panolcd.APP",
                      fs::copy_options::overwrite_existing);
        return sample;
    }
};

// Answers the file dialogs the window opens, one step each, as a user would; a dialog left open
// by its step is cancelled. Counts the dialogs seen.
class FileDialogAnswers : public QObject {
public:
    using Step = std::function<void(QFileDialog&)>;
    explicit FileDialogAnswers(std::vector<Step> steps) : steps_(std::move(steps)) { Watch(); }
    int seen = 0;
    std::vector<std::string> dialogQuestions;
    static void Cancel(QFileDialog&) {}
    // Types the name into the dialog's name field with the filter chosen.
    static Step Type(const QString& name, int filter) {
        return [name, filter](QFileDialog& dialog) {
            dialog.selectNameFilter(dialog.nameFilters().at(filter - 1));
            auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(field, nullptr);
            field->clear();
            QTest::keyClicks(field, name);
            static_cast<QDialog&>(dialog).accept(); // QFileDialog's own, as the Save button
        };
    }

private:
    void Watch() {
        QTimer::singleShot(5, this, [this] {
            Watch(); // also while a step waits in a dialog of the dialog's own
            QFileDialog* dialog = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                // The dialog's own overwrite question, answered Yes.
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    dialogQuestions.push_back(box->text().toStdString());
                    if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                        yes->click();
                    else
                        box->reject();
                }
                if (auto* open = qobject_cast<QFileDialog*>(widget); open && open->isVisible())
                    dialog = open;
            }
            if (dialog == nullptr || answered_.contains(dialog))
                return;
            answered_.push_back(dialog);
            const std::size_t index = static_cast<std::size_t>(seen++);
            if (index < steps_.size())
                steps_[index](*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
    }
    std::vector<Step> steps_;
    QList<QFileDialog*> answered_;
};

TEST_F(MainWindow, OpensTheDiagnosticWindowAtStartUnlessTheMaskIsZero) {
    struct Case {
        const char* entry;
        bool opened;
    };
    for (const Case& c : {Case{"DM=1", true}, Case{"DM=0", false}, Case{"UPD=0", true}}) {
        UseEntry(c.entry);
        TAppMainForm form({});
        EXPECT_EQ(form.windowTitle(), "PanoLCD");
        form.show();
        EXPECT_EQ(form.DiagnosticWindow() != nullptr, c.opened) << c.entry;
    }
}

TEST_F(MainWindow, DiagnosticWindowCanBeReopenedAndTracingFollowsIt) {
    UseEntry("DM=0");
    TAppMainForm form({});
    form.show();
    auto* open = form.findChild<QAction*>("OpenSysWr_Action");
    ASSERT_NE(open, nullptr);
    open->trigger();
    TMDIChild_SysWr0* first = form.DiagnosticWindow();
    ASSERT_NE(first, nullptr);
    open->trigger(); // the existing window comes to the front; no second one
    EXPECT_EQ(form.MdiArea()->subWindowList().size(), 1);

    form.MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form.DiagnosticWindow(), nullptr);
    TraceLine(0, "while closed");

    open->trigger();
    TMDIChild_SysWr0* second = form.DiagnosticWindow();
    ASSERT_NE(second, nullptr);
    TraceLine(0, "reopened");
    const std::string row = second->ConsoleWr0()->Model().RowText(0);
    EXPECT_EQ(row.substr(0, 8), "reopened");
}

TEST_F(MainWindow, OpensSavesAndClosesTheSampleProject) {
    const std::filesystem::path sample = UseSampleProject();
    EnvCtx().settings.exePath = EnvCtx().settings.exeDir + "panolcd";

    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    QCoreApplication::sendPostedEvents(&form); // the deferred reopening of PRJ
    ASSERT_NE(ProjectColl(), nullptr);
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1); // the project's root window
    EXPECT_EQ(form.MdiArea()->subWindowList().front()->windowTitle(),
              QString("LCD Projekt[") + FromFsPath(sample).c_str() + "]");
    EXPECT_EQ(ProjectColl()->DBFileName, FromFsPath(sample));
    EXPECT_FALSE(form.ToolBar("LCDObjects_ToolBar")->isHidden());
    EXPECT_EQ(form.Action("EditorReplace_Action")->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(form.Action("SaveProject_Action")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_TRUE(form.Action("SaveProject_Action")->isEnabled());
    EXPECT_TRUE(form.Action("Compile_Action")->isEnabled());
    // The layer buttons start down, Case up; the zoom starts at 1x.
    EXPECT_TRUE(form.Action("BmpLayer_Action")->isChecked());
    EXPECT_TRUE(form.Action("GraphicLayer_Action")->isChecked());
    EXPECT_FALSE(form.Action("CaseLayer_Action")->isChecked());
    EXPECT_TRUE(form.Action("Zoom1_Action")->isChecked());

    // Save as a new file; a conversion of what was written changes no byte. The program goes
    // with it: the PRG editor opens on the project's program, which the copy lacks, and saves
    // its (empty) text under the new name.
    const std::string saved = FromFsPath(TempDir() / "SAVED.LCD");
    EXPECT_TRUE(form.Controller().LifeCycle().SaveAs(saved));
    EXPECT_EQ(ProjectColl()->DBFileName, saved);
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "Soubor " + FromFsPath(TempDir() / "DEMO.PRG") + " neexistuje");
    EXPECT_TRUE(std::filesystem::exists(TempDir() / "SAVED.PRG"));

    User().answers = {MsgResult::No};
    form.Action("CloseProject_Action")->trigger();
    EXPECT_EQ(ProjectColl(), nullptr);
    ASSERT_EQ(User().shown.size(), 2u); // and "Uložit projekt"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty()); // closed with the project
    EXPECT_FALSE(form.Action("SaveProject_Action")->isEnabled());

    std::ostringstream err;
    const std::string converted = FromFsPath(TempDir() / "CONVERTED.LCD");
    ASSERT_EQ(RunBatchCommand(EnvCtx().settings.exePath, {"--convert", saved, converted}, err), 0)
        << err.str();
    EXPECT_EQ(ReadFile(saved), ReadFile(converted));
}

TEST_F(MainWindow, ARefusedEditInTheRootWindowStopsTheSave) {
    const std::filesystem::path sample = UseSampleProject();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    QCoreApplication::sendPostedEvents(&form);
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* root = form.MdiArea()->subWindowList().front();
    auto* name = root->findChild<QLineEdit*>("EditPan_ProjectName_Edit");
    auto* bank = root->findChild<QLineEdit*>("EditPan_PrgBankNum_Edit");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(bank, nullptr);
    QTest::keyClicks(name, "X");
    bank->selectAll();
    QTest::keyClicks(bank, "300");

    const std::string before = ReadFile(sample);
    form.Action("SaveProject_Action")->trigger();
    ASSERT_FALSE(User().shown.empty());
    EXPECT_EQ(User().shown.front().text, "Hodnota 300 mimo meze <0;255>");
    EXPECT_EQ(ReadFile(sample), before);
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "DEMO.~CD"));
    // The edits wait in the window; closing the project still asks about them.
    EXPECT_TRUE(dynamic_cast<TUDBForm*>(root)->IsEditPanModified(0));
}

TEST_F(MainWindow, ACancelledOrFailedSaveWhileClosingKeepsTheProgramAndTheProject) {
    namespace fs = std::filesystem;
    UseEntry("DM=0");
    fs::copy_file(PANOLCD_GENERATED_APP_FILE, TempDir() / "panolcd.APP",
                  fs::copy_options::overwrite_existing);
    const fs::path built = fs::path(PANOLCD_SAMPLE_FILES_DIR) / "../../templates";
    fs::copy_file(built / "panolcd.LC$", TempDir() / "panolcd.LC$");
    fs::copy_file(built / "panolcd.PR$", TempDir() / "panolcd.PR$");
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    QCoreApplication::sendPostedEvents(&form);

    // New project from the template, and a project name typed into its root window.
    {
        FileDialogAnswers dialogs({[this](QFileDialog& dialog) {
            dialog.selectFile(FromFsPath(TempDir() / "panolcd.LC$").c_str());
            static_cast<QDialog&>(dialog).accept(); // QFileDialog's own, as the Save button
        }});
        form.Action("NewProject_Action")->trigger();
        QCoreApplication::sendPostedEvents(&form);
        ASSERT_EQ(dialogs.seen, 1);
    }
    ASSERT_NE(ProjectColl(), nullptr);
    ASSERT_NE(form.EditorWindow(ChildKind::PrgEditor), nullptr);
    auto* name = form.findChild<QLineEdit*>("EditPan_ProjectName_Edit");
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, "Kotel");

    // No for the program, Yes for the project, then the save dialog cancelled: nothing closes.
    const auto stillOpen = [&](const char* what) {
        EXPECT_TRUE(form.isVisible()) << what;
        ASSERT_NE(ProjectColl(), nullptr) << what;
        EXPECT_EQ(name->text(), "Kotel") << what;
        EXPECT_NE(form.EditorWindow(ChildKind::PrgEditor), nullptr) << what;
    };
    const auto lastQuestion = [&] {
        return User().shown.empty() ? std::string() : User().shown.back().text;
    };
    for (const char* action : {"", "CloseProject_Action", "OpenProject_Action"}) {
        User().shown.clear();
        User().answers = {MsgResult::No, MsgResult::Yes};
        FileDialogAnswers dialogs({&FileDialogAnswers::Cancel});
        if (*action == '\0')
            form.close();
        else
            form.Action(action)->trigger();
        QCoreApplication::sendPostedEvents(&form); // an open dialog would follow here
        EXPECT_EQ(dialogs.seen, 1) << action;
        ASSERT_EQ(User().shown.size(), 2u) << action;
        EXPECT_EQ(lastQuestion(), testing::Cz("Uložit projekt"));
        stillOpen(*action == '\0' ? "close" : action);
    }

    // Yes for the program and its save dialog cancelled: the project is not even asked about.
    User().shown.clear();
    User().answers = {MsgResult::Yes};
    {
        FileDialogAnswers dialogs({&FileDialogAnswers::Cancel});
        form.close();
        EXPECT_EQ(dialogs.seen, 1);
    }
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_NE(lastQuestion().find(testing::Cz("Uložit jako")), std::string::npos);
    stillOpen("the program's save cancelled");

    // Answered No for both, the program ends.
    User().answers = {MsgResult::No, MsgResult::No};
    form.close();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindow, SaveAsAsksBeforeReplacingTheAdjustedNameAndTheProgramBesideIt) {
    UseSampleProject();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    QCoreApplication::sendPostedEvents(&form);
    ASSERT_NE(ProjectColl(), nullptr);
    const auto oldProject = WriteFile("NEW1.LCD", "someone's project");
    const auto oldProgram = WriteFile("NEW1.PRG", "someone's program");
    const std::string replace = testing::Cz(" existuje. Přepsat?");

    // NEW1.prg typed with the project filter. Each file that would be replaced is asked about
    // once, by the dialog (answered Yes here) or by the window; the window's No keeps both.
    for (const char* typed : {"NEW1.prg", "NEW1", "new1.lcd"}) {
        User().shown.clear();
        User().answers = {MsgResult::No};
        FileDialogAnswers dialogs({FileDialogAnswers::Type(typed, 1)});
        form.Action("SaveProjectAs_Action")->trigger();
        ASSERT_EQ(dialogs.seen, 1) << typed;
        std::vector<std::string> asked = dialogs.dialogQuestions;
        for (const testing::ShownMessage& shown : User().shown) {
            EXPECT_EQ(shown.kind, MsgKind::Confirmation);
            asked.push_back(shown.text);
        }
        ASSERT_FALSE(User().shown.empty()) << typed;
        const auto about = [&](const std::string& file) {
            return std::count_if(asked.begin(), asked.end(), [&](const std::string& question) {
                return question.find(file) != std::string::npos;
            });
        };
        EXPECT_EQ(about("NEW1.LCD"), 1) << typed;
        // Once the project may be replaced, the program beside it is asked about.
        if (!dialogs.dialogQuestions.empty()) {
            EXPECT_EQ(User().shown.back().text, "Soubor " + FromFsPath(oldProgram) + replace);
        }
        EXPECT_EQ(ReadFile(oldProject), "someone's project");
        EXPECT_EQ(ReadFile(oldProgram), "someone's program");
        EXPECT_EQ(ProjectColl()->DBFileName, FromFsPath(TempDir() / "DEMO.LCD"));
        for (const auto& entry : std::filesystem::directory_iterator(TempDir()))
            EXPECT_NE(entry.path().filename(), typed) << "a second spelling written";
    }

    // Allowed: the project and its program are written under NEW1.
    User().answers = {MsgResult::Yes, MsgResult::Yes};
    {
        FileDialogAnswers dialogs({FileDialogAnswers::Type("NEW1.prg", 1)});
        form.Action("SaveProjectAs_Action")->trigger();
    }
    EXPECT_EQ(ProjectColl()->DBFileName, FromFsPath(oldProject));
    EXPECT_NE(ReadFile(oldProject), "someone's project");
    EXPECT_NE(ReadFile(oldProgram), "someone's program");
}

TEST_F(MainWindow, TheWindowMenuListsTheChildrenAndActivatesTheChosenOne) {
    UseSampleProject();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    QCoreApplication::sendPostedEvents(&form);
    form.Action("OpenSysWr_Action")->trigger();
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 2);
    auto* menu = form.findChild<QMenu*>("Windows_Menu");
    ASSERT_NE(menu, nullptr);
    const auto listed = [&] {
        emit menu->aboutToShow();
        std::vector<QAction*> entries;
        for (QAction* action : menu->actions()) {
            if (action->isCheckable() && action->text().startsWith('&'))
                entries.push_back(action);
        }
        return entries;
    };
    listed();
    const std::vector<QAction*> entries = listed(); // shown twice, listed once
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0]->text().startsWith("&1 LCD Projekt["))
        << entries[0]->text().toStdString();
    EXPECT_EQ(entries[1]->text(), "&2 SysWr[0]");
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked()); // the diagnostic window opened last
    entries[0]->trigger();
    EXPECT_EQ(form.MdiArea()->currentSubWindow(), form.MdiArea()->subWindowList().front());
    EXPECT_TRUE(listed()[0]->isChecked());
}

TEST_F(MainWindow, EveryToolBarButtonHasItsPictureAndTheBarsFitOneRow) {
    UseEntry("DM=0");
    TAppMainForm form({});
    form.show();
    int width = 0;
    for (const char* name :
         {"FileClipboard_ToolBar", "Run_ToolBar", "LayersZoom_ToolBar", "LCDObjects_ToolBar"}) {
        QToolBar* bar = form.ToolBar(name);
        ASSERT_NE(bar, nullptr) << name;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                continue;
            const std::string what = action->objectName().toStdString();
            // Drawn, not a caption: at 1x and at 2x.
            EXPECT_FALSE(action->icon().isNull()) << what;
            for (const int size : {16, 32}) {
                const QImage picture = action->icon().pixmap(size, size).toImage();
                EXPECT_EQ(picture.width(), size) << what;
                EXPECT_GT(picture.pixelColor(size / 2, size / 2).alpha() +
                              picture.pixelColor(size / 4, size / 2).alpha() +
                              picture.pixelColor(size / 2, size / 4).alpha(),
                          0)
                    << what << " is empty at " << size;
            }
        }
        width += bar->sizeHint().width();
    }
    EXPECT_LE(width, 1280);
}

TEST_F(MainWindow, CheckedToggleButtonsLookPressedOnFlatAndRaisedBars) {
    UseEntry("DM=0");
    TAppMainForm form({});
    form.show();
    QToolBar* bar = form.ToolBar("LayersZoom_ToolBar");
    ASSERT_NE(bar, nullptr);
    QAction* flat = form.Action("FlatToolBars_Action");
    for (const bool flatBars : {false, true}) {
        if (flat->isChecked() != flatBars)
            flat->trigger();
        for (const char* name : {"HelpScr_Action", "BmpLayer_Action", "TextLayer_Action",
                                 "GraphicLayer_Action", "CaseLayer_Action", "Zoom2_Action"}) {
            QAction* action = form.Action(name);
            ASSERT_TRUE(action->isCheckable()) << name;
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
            ASSERT_NE(button, nullptr) << name;
            const auto look = [&](bool checked) {
                action->setChecked(checked);
                return button->grab().toImage();
            };
            const QImage up = look(false);
            const QImage down = look(true);
            const std::string what = std::string(name) + (flatBars ? " flat" : " raised");
            // Pressing does not move the neighbours.
            EXPECT_EQ(up.size(), down.size()) << what;
            EXPECT_TRUE(up != down) << what;
            // The pressed face is darker than the raised one, edge to edge.
            const auto shade = [](const QImage& image) {
                const QColor c = image.pixelColor(image.width() / 2, 1);
                return c.red() + c.green() + c.blue();
            };
            EXPECT_LT(shade(down), shade(up)) << what;
        }
    }
}

TEST_F(MainWindow, KnowsWhatItsActiveChildIsAndLendsItsStatusBar) {
    UseSampleProject();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    EXPECT_EQ(form.ActiveChild(), ChildKind::None);
    QCoreApplication::sendPostedEvents(&form); // reopens the project with its root window
    ASSERT_FALSE(UDBFormsMan().Entries().empty());
    for (const TUDBFormObj& entry : UDBFormsMan().Entries()) {
        // The bank, register and program construct windows edit other records than the project's.
        if (FindCommandWindow(entry.Name) != nullptr || FindBankWindow(entry.Name) != nullptr)
            continue;
        TDataBase* project = ProjectColl();
        ASSERT_NE(OpenUDBForm(entry.Name, project, project->Record(0), -1, 0, -1), nullptr);
        const auto* child = dynamic_cast<ChildWindow*>(form.MdiArea()->currentSubWindow());
        ASSERT_NE(child, nullptr) << entry.Name;
        EXPECT_EQ(child->WindowClass(), entry.Name);
        EXPECT_EQ(form.ActiveChild(),
                  entry.Name == "F_LCROOT" ? ChildKind::Root : ChildKind::Record)
            << entry.Name;
        EXPECT_EQ(form.ActiveScreen(), nullptr);
    }
    form.Action("OpenSysWr_Action")->trigger();
    EXPECT_EQ(form.ActiveChild(), ChildKind::Diagnostic);

    StatusPort* status = MainStatusBar();
    ASSERT_EQ(status, &form);
    status->ShowCursorPosition(12, -3);
    status->ShowObjectInfo(1, 2, 3, 4, "obj");
    status->ShowHint("hint");
    EXPECT_EQ(form.StatusPanel(1)->text(), "[12,-3]");
    EXPECT_EQ(form.StatusPanel(2)->text(), "[1,2,3,4] obj");
    EXPECT_EQ(form.StatusPanel(3)->text(), "hint");
}

} // namespace
} // namespace panolcd
