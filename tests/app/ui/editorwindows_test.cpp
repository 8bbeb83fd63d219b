// The editor windows in the main window: the sample project's program and generated screens,
// a typed line saved to disk, the viewer following each generation, the bare program at start
// and the general editors, one per file; a failed save that leaves the program alone, and a file
// written by another window or another program.

#include "app/ui/mainwindow.h"

#include "common/cp1250.h"
#include "common/ui/qtext.h"
#include "editor/ui/editorwindows.h"
#include "framework/records/database.h"
#include "framework/records/recordscontext.h"
#include "projectwindows/ui/rootwindow.h"
#include "support/sample_project.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
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
using testing::Cz;

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
    // The next file dialog is answered with this name; a dialog that stays open is cancelled.
    static void AnswerFileDialog(const std::string& name) {
        QTimer::singleShot(0, [name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(FileNameToQString(name));
            EXPECT_EQ(dialog->selectedFiles(), QStringList{FileNameToQString(name)});
            QMetaObject::invokeMethod(dialog, "accept");
            if (dialog->isVisible())
                dialog->reject();
        });
    }
    static void Activate(TVornEdit_MDIChild* window) {
        window->mdiArea()->setActiveSubWindow(window);
        Settle();
    }
    std::string LastMessage() {
        return User().shown.empty() ? std::string() : User().shown.back().text;
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
                QMetaObject::invokeMethod(dialog, "accept");
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

TEST_F(EditorWindowsInTheMainWindow, AFailedSaveAsLeavesTheProgramAndItsCaretAsTheyWere) {
    Sample();
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    Settle();
    form.Action("OpenEdPRG_Action")->trigger();
    TVornEdit_MDIChild* prg = form.EditorWindow(ChildKind::PrgEditor);
    ASSERT_NE(prg, nullptr);
    SmartEditCore& core = prg->Editor().Core();
    const std::string text = core.Text().AllText();
    const std::size_t include = text.find("{$I DEMO.PRI}");
    ASSERT_NE(include, std::string::npos);
    const std::size_t word = text.find("repeat", include);
    core.SetCaretOffset(word);
    const QString title = prg->windowTitle();

    // No such directory: the write fails and the include keeps its name.
    const std::string lost = FromFsPath(TempDir() / "missing" / "RENAMED.PRG");
    AnswerFileDialog(lost);
    form.Action("SavePRGAs_Action")->trigger();
    EXPECT_NE(LastMessage().find(Cz("Chyba při ukládání souboru ") + lost), std::string::npos);
    EXPECT_EQ(core.Text().AllText(), text);
    EXPECT_EQ(core.CaretOffset(), word);
    EXPECT_FALSE(core.Text().modified);
    EXPECT_EQ(prg->windowTitle(), title);

    // Written: renamed in the file and the text, the caret still on its word.
    const std::string renamed = FromFsPath(TempDir() / "RENAMED.PRG");
    AnswerFileDialog(renamed);
    form.Action("SavePRGAs_Action")->trigger();
    EXPECT_EQ(ReadFile(renamed), core.Text().AllText());
    EXPECT_NE(core.Text().AllText().find("{$I RENAMED.PRI}"), std::string::npos);
    EXPECT_EQ(core.Text().Text(core.CaretOffset(), 6), "repeat");
    EXPECT_EQ(FromQString(prg->windowTitle()), "Projekt: " + renamed);
    EXPECT_EQ(ReadFile(TempDir() / "DEMO.PRG"), text);
}

// The program as the project-less start opens it, and a general editor on the same file.
class OneFileInTwoWindows : public EditorWindowsInTheMainWindow {
protected:
    void SetUp() override {
        EditorWindowsInTheMainWindow::SetUp();
        UseSampleProject();
        program = FromFsPath(WriteFile("NEW.PRG", "begin\r\nend.\r\n"));
        WriteFile("panolcd.INI",
                  "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\nAPP=DM=0 PRJ='" + program + "'\r\n");
    }
    std::string program;
};

TEST_F(OneFileInTwoWindows, AWindowWhoseFileAnotherSavedReloadsOrKeepsItsEditsAsUnsaved) {
    for (const MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
        SCOPED_TRACE(static_cast<int>(answer));
        WriteFile("NEW.PRG", "begin\r\nend.\r\n");
        User().shown.clear();
        TAppMainForm form({});
        form.show();
        Settle();
        TVornEdit_MDIChild* prg = form.EditorWindow(ChildKind::PrgEditor);
        ASSERT_NE(prg, nullptr);
        TVornEdit_MDIChild* general = form.OpenInGeneralEditor(program);
        Settle();
        prg->Editor().Core().InsertText("{ P }");
        general->Editor().Core().InsertText("{ G }");

        // The general editor saves: the program's window says so and lets the user choose.
        User().answers = {answer};
        form.UpdateActions();
        form.Action("SavePRG_Action")->trigger();
        EXPECT_EQ(ReadFile(TempDir() / "NEW.PRG"), "{ G }begin\r\nend.\r\n");
        ASSERT_EQ(User().shown.size(), 1u);
        EXPECT_NE(User().shown[0].text.find(program + Cz(" byl uložen z jiného okna")),
                  std::string::npos);
        const std::string expected = answer == MsgResult::Yes ? "{ G }begin\r\nend.\r\n"
                                                                : "{ P }begin\r\nend.\r\n";
        EXPECT_EQ(prg->Editor().Core().Text().AllText(), expected);
        EXPECT_EQ(prg->Editor().Core().Text().modified, answer == MsgResult::No);
        EXPECT_FALSE(general->Editor().Core().Text().modified);

        // The program's window saves its own text without another question; the general editor
        // follows, so closing it loses nothing.
        Activate(prg);
        prg->Editor().Core().SetCaretOffset(0);
        prg->Editor().Core().InsertText("!");
        form.UpdateActions();
        form.Action("SavePRG_Action")->trigger();
        EXPECT_EQ(User().shown.size(), 1u);
        EXPECT_EQ(ReadFile(TempDir() / "NEW.PRG"), "!" + expected);
        EXPECT_EQ(general->Editor().Core().Text().AllText(), "!" + expected);
        EXPECT_FALSE(general->Editor().Core().Text().modified);
    }
}

TEST_F(EditorWindowsInTheMainWindow, AFileChangedByAnotherProgramIsAskedAboutOnActivationAndSave) {
    UseSampleProject();
    const std::string notes = FromFsPath(WriteFile("notes.txt", "one\r\n"));
    const std::string other = FromFsPath(WriteFile("other.txt", "two\r\n"));
    TAppMainForm form({});
    form.show();
    Settle();
    TVornEdit_MDIChild* editor = form.OpenInGeneralEditor(notes);
    TVornEdit_MDIChild* second = form.OpenInGeneralEditor(other);
    Settle();
    SmartEditCore& core = editor->Editor().Core();
    const std::string changed = notes + Cz(" byl změněn jiným programem");
    const auto save = [&] {
        Activate(editor);
        form.UpdateActions();
        form.Action("SavePRG_Action")->trigger();
    };

    // Untouched text, another program writes: asked when the window comes forward; Yes reads.
    WriteFile("notes.txt", "one two\r\n");
    User().answers = {MsgResult::Yes};
    Activate(editor);
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_NE(LastMessage().find(changed), std::string::npos);
    EXPECT_EQ(core.Text().AllText(), "one two\r\n");
    EXPECT_FALSE(core.Text().modified);
    // Edits of its own and a second change: No keeps them, asked once for that version.
    core.InsertText("mine ");
    WriteFile("notes.txt", "three\r\n");
    User().answers = {MsgResult::No};
    Activate(second);
    Activate(editor);
    EXPECT_EQ(User().shown.size(), 2u);
    EXPECT_NE(LastMessage().find(Cz("úpravy v tomto okně se ztratí")), std::string::npos);
    Activate(second);
    Activate(editor);
    EXPECT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(core.Text().AllText(), "mine one two\r\n");
    save(); // kept: written without asking again
    EXPECT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(ReadFile(notes), "mine one two\r\n");

    // Changed behind the window between the last look and the save: Cancel writes nothing and
    // is not asked about again on activation; Yes then writes the window's text.
    core.SetCaretOffset(0);
    core.InsertText("more ");
    WriteFile("notes.txt", "theirs\r\n");
    User().answers = {MsgResult::Cancel};
    save();
    ASSERT_EQ(User().shown.size(), 3u);
    EXPECT_NE(LastMessage().find(changed), std::string::npos);
    EXPECT_NE(LastMessage().find(Cz("Zrušit – neukládat")), std::string::npos);
    EXPECT_EQ(ReadFile(notes), "theirs\r\n");
    EXPECT_TRUE(core.Text().modified);
    Activate(second);
    Activate(editor);
    EXPECT_EQ(User().shown.size(), 3u);
    User().answers = {MsgResult::Yes};
    save();
    EXPECT_EQ(ReadFile(notes), "more mine one two\r\n");
    EXPECT_FALSE(core.Text().modified);
    // No reads the other program's version instead.
    core.InsertText("lost ");
    WriteFile("notes.txt", "newest\r\n");
    User().answers = {MsgResult::No};
    save();
    EXPECT_EQ(ReadFile(notes), "newest\r\n");
    EXPECT_EQ(core.Text().AllText(), "newest\r\n");

    // The main window comes back from another program with the editor active in it.
    WriteFile("notes.txt", "from outside\r\n");
    Activate(editor);
    const std::size_t asked = User().shown.size();
    User().answers = {MsgResult::Yes};
    for (const QEvent::Type type : {QEvent::ApplicationDeactivate, QEvent::ApplicationActivate}) {
        QEvent change(type);
        QCoreApplication::sendEvent(qApp, &change);
    }
    Settle();
    EXPECT_EQ(User().shown.size(), asked + 1);
    EXPECT_EQ(core.Text().AllText(), "from outside\r\n");

    // Deleted: the window's text is the only copy left and stays unsaved.
    std::filesystem::remove(notes);
    Activate(second);
    Activate(editor);
    EXPECT_NE(LastMessage().find(Cz("smazán nebo přejmenován")), std::string::npos);
    EXPECT_TRUE(core.Text().modified);
    save();
    EXPECT_EQ(ReadFile(notes), "from outside\r\n");
}

} // namespace
} // namespace panolcd
