// The editor windows in the main window: the sample project's program and generated screens,
// a typed line saved to disk, the viewer following each generation, the bare program at start
// and the general editors, one per file.

#include "app/ui/mainwindow.h"

#include "common/cp1250.h"
#include "common/ui/qtext.h"
#include "editor/ui/editorwindows.h"
#include "framework/records/database.h"
#include "framework/records/recordscontext.h"
#include "projectwindows/ui/rootwindow.h"
#include "support/sample_project.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

namespace fs = std::filesystem;

class EditorWindowsInTheMainWindow : public testing::SampleProjectTest {
protected:
    // The sample with its program beside it.
    fs::path Sample() {
        const fs::path project = UseSampleProject();
        fs::copy_file(fs::path(PANOLCD_SAMPLE_FILES_DIR) / "DEMO.PRG", TempDir() / "DEMO.PRG");
        return project;
    }
    static void Settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(EditorWindowsInTheMainWindow, TheSampleProgramIsEditedSavedAndItsScreensViewed) {
    Sample();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    Settle();
    ASSERT_NE(ProjectColl(), nullptr);
    EXPECT_FALSE(form.Action("SavePRG_Action")->isEnabled());

    form.Action("OpenEdPRG_Action")->trigger();
    TVornEdit_MDIChild* prg = form.EditorWindow(ChildKind::PrgEditor);
    ASSERT_NE(prg, nullptr);
    const std::string program = FromFsPath(TempDir() / "DEMO.PRG");
    EXPECT_EQ(FromQString(prg->windowTitle()), "Projekt: " + program);
    EXPECT_EQ(prg->Editor().Core().Text().AllText(), ReadFile(TempDir() / "DEMO.PRG"));
    EXPECT_TRUE(prg->Editor().Core().HighlightActive());
    EXPECT_EQ(form.ActiveChild(), ChildKind::PrgEditor);
    EXPECT_EQ(prg->EditCaps(), 0x478u);

    // A typed line and Save: the file on disk holds it, the old one is kept as the safety copy.
    const std::string before = ReadFile(TempDir() / "DEMO.PRG");
    prg->Editor().setFocus();
    QTest::keyClicks(&prg->Editor(), "Obrazovka := 2;");
    QTest::keyClick(&prg->Editor(), Qt::Key_Return);
    form.UpdateActions();
    EXPECT_EQ(form.StatusPanel(1)->text(), "2: 1");
    EXPECT_EQ(form.StatusPanel(2)->text(), QString::fromUtf8("Vkládání | Změněn"));
    ASSERT_TRUE(form.Action("SavePRG_Action")->isEnabled());
    form.Action("SavePRG_Action")->trigger();
    EXPECT_EQ(ReadFile(TempDir() / "DEMO.PRG"), "Obrazovka := 2;\r\n" + before);
    EXPECT_EQ(ReadFile(TempDir() / "DEMO.~PR"), before);
    EXPECT_FALSE(prg->Editor().Core().Text().modified);

    // The viewer shows the generated file and follows every generation (F7).
    ASSERT_EQ(form.Action("GenPRI_Action")->shortcut(), QKeySequence(Qt::Key_F7));
    form.Action("GenPRI_Action")->trigger();
    form.Action("OpenEdPRI_Action")->trigger();
    TVornEdit_MDIChild* pri = form.EditorWindow(ChildKind::PriViewer);
    ASSERT_NE(pri, nullptr);
    EXPECT_EQ(pri->Editor().Core().Text().AllText(), ReadFile(TempDir() / "DEMO.PRI"));
    EXPECT_TRUE(pri->Editor().Core().readOnly);
    testing::ContextTest::WriteFile("DEMO.PRI", "stale");
    pri->Logic().ReloadOwnFile();
    EXPECT_EQ(pri->Editor().Core().Text().AllText(), "stale");
    form.Action("GenPRI_Action")->trigger();
    EXPECT_NE(pri->Editor().Core().Text().AllText(), "stale");
    EXPECT_EQ(pri->Editor().Core().Text().AllText(), ReadFile(TempDir() / "DEMO.PRI"));
    EXPECT_FALSE(form.Action("SavePRG_Action")->isEnabled()); // the viewer is active

    // Closing the project closes both without questions about them.
    User().answers = {MsgResult::No};
    form.Action("CloseProject_Action")->trigger();
    Settle();
    EXPECT_EQ(form.EditorWindow(ChildKind::PrgEditor), nullptr);
    EXPECT_EQ(form.EditorWindow(ChildKind::PriViewer), nullptr);
    EXPECT_EQ(User().shown.size(), 1u); // "Uložit projekt"
}

TEST_F(EditorWindowsInTheMainWindow, ABareProgramOpensAtStartAndSavesItself) {
    const std::string program = FromFsPath(WriteFile("ALONE.PRG", "begin\r\nend.\r\n"));
    UseSampleProject();
    WriteFile("panolcd.INI",
              "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\nAPP=DM=0 PRJ='" + program + "'\r\n");
    TAppMainForm form({});
    form.show();
    Settle();
    EXPECT_EQ(ProjectColl(), nullptr);
    TVornEdit_MDIChild* prg = form.EditorWindow(ChildKind::PrgEditor);
    ASSERT_NE(prg, nullptr);
    EXPECT_EQ(prg->Logic().FileName(), program);
    prg->Editor().Core().InsertText("{ x }");
    form.Action("SaveProject_Action")->trigger(); // the bare program's Save
    EXPECT_EQ(ReadFile(TempDir() / "ALONE.PRG"), "{ x }begin\r\nend.\r\n");
}

TEST_F(EditorWindowsInTheMainWindow, AFileHasOneGeneralEditorWhateverItsSpelling) {
    UseSampleProject();
    const std::string notes = FromFsPath(WriteFile("notes.txt", "one"));
    TAppMainForm form({});
    form.show();
    Settle();
    TVornEdit_MDIChild* first = form.OpenInGeneralEditor(notes);
    std::string shouting = notes;
    shouting.replace(shouting.size() - 9, 9, "NOTES.TXT");
    EXPECT_EQ(form.OpenInGeneralEditor(shouting), first);
    EXPECT_EQ(FromQString(first->windowTitle()), "Editor: " + notes);
    EXPECT_FALSE(first->Editor().Core().HighlightActive()); // a .txt
    EXPECT_TRUE(form.Action("ImportFileToEditor_Action")->isEnabled());
    // Opened again over unsaved edits: asked first, and "No" reads the file anew.
    first->Editor().Core().InsertText("x");
    User().answers = {MsgResult::No};
    form.OpenInGeneralEditor(notes);
    EXPECT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(first->Editor().Core().Text().AllText(), "one");
}

TEST_F(EditorWindowsInTheMainWindow, FindAndReplaceRunOnTheProgramFromTheMainWindow) {
    Sample();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    Settle();
    form.Action("OpenEdPRG_Action")->trigger();
    TVornEdit_MDIChild* prg = form.EditorWindow(ChildKind::PrgEditor);
    ASSERT_NE(prg, nullptr);
    SmartEditCore& core = prg->Editor().Core();
    core.SetCaretOffset(0);
    const auto answer = [](QDialog* dialog, std::function<void()> step) {
        QTimer::singleShot(0, dialog, [dialog, step] {
            step();
            if (dialog->isVisible())
                dialog->accept();
        });
    };

    TSmartFindForm* find = form.EditorDialogs().find;
    answer(find, [find] {
        find->FindBox()->setEditText("repeat");
        find->findChild<QRadioButton*>("rbEntireScope")->setChecked(true);
    });
    form.Action("EditorFind_Action")->trigger();
    const std::string text = core.Text().AllText();
    ASSERT_GE(core.Text().foundBegin, 0);
    EXPECT_EQ(text.substr(static_cast<std::size_t>(core.Text().foundBegin), 6), "repeat");

    TSmartReplaceForm* replace = form.EditorDialogs().replace;
    QTimer::singleShot(0, replace, [replace] {
        replace->FindBox()->setEditText("SCR_HLAVNI");
        replace->ReplaceBox()->setEditText("SCR_PRVNI");
        replace->findChild<QCheckBox*>("chbPrompt")->setChecked(false);
        replace->findChild<QRadioButton*>("rbEntireScope")->setChecked(true);
        replace->findChild<QPushButton*>("btnReplaceAll")->click();
    });
    form.Action("EditorReplace_Action")->trigger();
    const std::string replaced = core.Text().AllText();
    EXPECT_EQ(replaced.find("SCR_HLAVNI"), std::string::npos);
    EXPECT_NE(replaced.find("Obrazovka := SCR_PRVNI;"), std::string::npos);
    EXPECT_TRUE(core.Text().modified);

    TGotoLineForm* gotoLine = form.EditorDialogs().gotoLine;
    answer(gotoLine, [gotoLine] { gotoLine->LineBox()->setEditText("3"); });
    form.Action("EditorGoToLine_Action")->trigger();
    EXPECT_EQ(core.CaretLine(), 2);
}

} // namespace
} // namespace panolcd
