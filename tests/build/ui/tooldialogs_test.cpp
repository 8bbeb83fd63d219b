// The tools' settings dialogs: the template edited and written to the settings file at once, in
// double quotes when it holds an apostrophe; the error position dialog's ranges.

#include "build/ui/tooldialogs.h"

#include "build/tooldialogs.h"
#include "common/paths.h"
#include "framework/dataentry/ui/qtdialogport.h"
#include "framework/environment/envcontext.h"
#include "support/test_context.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace panolcd {
namespace {

class ToolDialogs : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        static const bool registered = [] {
            RegisterToolDialogs();
            return true;
        }();
        (void)registered;
        EnvCtx().dialogs = std::make_unique<QtDialogPort>();
        ini = WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=M\r\nWR_SECTION=M\r\n[M]\r\n"
                                       "WCOMPILE= UPD=0 CMD='old %s'\r\n");
        EnvCtx().settings.iniFile = FromFsPath(ini);
        EnvCtx().settings.readSection = EnvCtx().settings.writeSection = "M";
    }
    // Runs `step` on the dialog once it is shown; it is cancelled unless the step closed it.
    static void WhenShown(std::function<void(QDialog&)> step) {
        QTimer::singleShot(0, [step] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            step(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
    }
    std::filesystem::path ini;
};

TEST_F(ToolDialogs, TheTemplateIsWrittenAtOnceAndReadsBack) {
    TWCompilerNameObject compiler;
    compiler.ReadEntry();
    EXPECT_EQ(compiler.CMD, "old %s");
    WhenShown([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Překladač Vorn-Basicu"));
        auto* edit = dialog.findChild<QLineEdit*>("EditPan_WCompilerCMDL_Edit");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "old %s");
        edit->setText("'/opt/it''s vbc' %s");
        dialog.accept();
    });
    EXPECT_TRUE(EditToolTemplate(compiler, kCompilerDialogName));
    EXPECT_EQ(compiler.CMD, "'/opt/it''s vbc' %s");
    EXPECT_NE(ReadFile(ini).find("CMD=\"'/opt/it''s vbc' %s\""), std::string::npos)
        << ReadFile(ini);
    TWCompilerNameObject reread;
    reread.ReadEntry();
    EXPECT_EQ(reread.CMD, compiler.CMD);

    WhenShown([](QDialog&) {}); // Storno
    EXPECT_FALSE(EditToolTemplate(compiler, kCompilerDialogName));
    EXPECT_EQ(compiler.CMD, "'/opt/it''s vbc' %s");
}

TEST_F(ToolDialogs, TheErrorPositionDialogKeepsItsRanges) {
    std::array<std::uint8_t, TFindCompilerErr_Dlg::kTransferSize> buffer{};
    buffer[0] = 2;
    buffer[1] = 5; // line 5
    WhenShown([](QDialog& dialog) {
        const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 3);
        EXPECT_EQ(edits[0]->text(), "5");
        edits[0]->setText("40000");
        dialog.accept(); // refused: out of 0..32767
        EXPECT_TRUE(dialog.isVisible());
        edits[0]->setText("7");
        edits[1]->setText("-1");
        edits[2]->setText("255");
        dialog.accept();
    });
    EXPECT_EQ(EnvCtx().dialogs->RunDialog("D_FCERR", buffer.data(), buffer.size()),
              DialogResult::Ok);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(buffer[1], 7);
    EXPECT_EQ(buffer[5], 0xFF); // -1
    EXPECT_EQ(buffer[9], 255);
}

} // namespace
} // namespace panolcd
