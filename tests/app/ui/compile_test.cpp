// Compiling the sample project for real: F8 saves the program, generates the screens, starts the
// stand-in compiler as a child process, waits for its result file and puts the caret on the
// reported line of the PRG editor, marked as the error line.

#include "app/ui/mainwindow.h"

#include "editor/ui/editorwindows.h"
#include "projectwindows/ui/rootwindow.h"
#include "support/sample_project.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

namespace fs = std::filesystem;

using Compiling = testing::SampleProjectTest;

TEST_F(Compiling, AReportedErrorPutsTheCaretOnItsLine) {
    const fs::path project = UseSampleProject();
    const fs::path samples(PANOLCD_SAMPLE_FILES_DIR);
    fs::copy_file(samples / "DEMO.PRG", TempDir() / "DEMO.PRG");
    fs::create_directory(TempDir() / "tools");
    fs::copy_file(samples / "tools" / "vbc", TempDir() / "tools" / "vbc");
    fs::permissions(TempDir() / "tools" / "vbc", fs::perms::owner_all);
    WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=Main\r\n[Main]\r\nAPP=DM=0 PRJ='" +
                                 FromFsPath(project) + "'\r\nWCOMPILE=CMD='" +
                                 FromFsPath(TempDir() / "tools" / "vbc") + " %s'\r\n");
    RegisterProjectWindows();
    TAppMainForm form({});
    form.show();
    QCoreApplication::sendPostedEvents();
    form.Action("OpenEdPRG_Action")->trigger();
    TVornEdit_MDIChild* prg = form.EditorWindow(ChildKind::PrgEditor);
    ASSERT_NE(prg, nullptr);
    SmartEditCore& core = prg->Editor().Core();
    core.SetCaret(0, 4);
    core.InsertText("CHYBA ");
    core.SetCaret(0, 0);

    ASSERT_EQ(form.Action("GenPRIandCompile_Action")->shortcut(), QKeySequence(Qt::Key_F8));
    form.Action("GenPRIandCompile_Action")->trigger();
    EXPECT_FALSE(core.Text().modified); // saved before the compiler ran
    EXPECT_TRUE(fs::exists(TempDir() / "DEMO.PRI"));
    EXPECT_EQ(form.StatusPanel(3)->text(), QString::fromUtf8("Překlad běží"));
    for (int i = 0; i < 200 && form.Build().Waiting(); ++i) {
        QTest::qWait(50);
        form.Build().Tick();
    }
    ASSERT_FALSE(form.Build().Waiting());
    EXPECT_EQ(form.StatusPanel(3)->text(), "Err=1: Neznamy prikaz CHYBA");
    EXPECT_EQ(core.CaretLine(), 4);
    EXPECT_EQ(core.CaretColumn(), 0);
    EXPECT_TRUE(prg->Editor().Vorn().ErrorMarkShown());
    EXPECT_EQ(prg->Editor().Vorn().ErrorLine(), 4);

    // Mended and compiled again: "Překlad OK", the mark gone, the image written.
    core.SetCaret(0, 4);
    core.RunCommand(4); // delete the word
    core.RunCommand(3); // and its blank
    form.Action("Compile_Action")->trigger();
    EXPECT_FALSE(prg->Editor().Vorn().ErrorMarkShown());
    for (int i = 0; i < 200 && form.Build().Waiting(); ++i) {
        QTest::qWait(50);
        form.Build().Tick();
    }
    EXPECT_EQ(form.StatusPanel(3)->text(), QString::fromUtf8("Překlad OK"));
    EXPECT_TRUE(fs::exists(TempDir() / "DEMO.bin"));
}

} // namespace
} // namespace panolcd
