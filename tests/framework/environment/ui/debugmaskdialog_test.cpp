// The diagnostic mask dialog run as the main window runs it: its boxes show the current mask,
// OK takes the boxes back as the new mask and TXS flag, Storno changes nothing.

#include "framework/environment/ui/debugmaskdialog.h"

#include "framework/dataentry/ui/qtdialogport.h"
#include "framework/environment/debugmask.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/trace.h"
#include "support/test_context.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace panolcd {
namespace {

class DebugMaskDialog : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        static const bool registered = [] {
            RegisterDebugMaskDialog();
            return true;
        }();
        (void)registered;
        EnvCtx().dialogs = std::make_unique<QtDialogPort>();
    }

    bool Edit(const std::function<void(TDebugDM_Dlg&)>& step) {
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<TDebugDM_Dlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            step(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return EditTraceMask();
    }
};

TEST_F(DebugMaskDialog, BoxesShowTheMaskAndOkTakesThemBack) {
    SetTraceMask(0x80000005u);
    EnvCtx().trace.txs = false;
    const bool ok = Edit([](TDebugDM_Dlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Nastavení ladících výpisů"));
        EXPECT_EQ(dialog.BitCheck(0)->text(), "DM_InitDone");
        EXPECT_EQ(dialog.BitCheck(3)->text(), "DebugDM_Check_3");
        EXPECT_EQ(dialog.BitCheck(22)->text(), "DM_PANO_SymbMess");
        EXPECT_EQ(dialog.BitCheck(31)->objectName(), "DebugDM_Check_31");
        EXPECT_EQ(dialog.TxsCheck()->text(), "WriteTo *.TXS");
        for (int bit = 0; bit < TDebugDM_Dlg::kMaskBits; ++bit)
            EXPECT_EQ(dialog.BitCheck(bit)->isChecked(), bit == 0 || bit == 2 || bit == 31) << bit;
        // Only bit 0 stays ticked.
        dialog.BitCheck(2)->setChecked(false);
        dialog.BitCheck(31)->setChecked(false);
        dialog.TxsCheck()->setChecked(true);
        dialog.accept();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(TraceMask(), 1u);
    EXPECT_TRUE(EnvCtx().trace.txs);
}

TEST_F(DebugMaskDialog, StornoChangesNothing) {
    SetTraceMask(0x12345678u);
    EnvCtx().trace.txs = true;
    const bool ok = Edit([](TDebugDM_Dlg& dialog) {
        for (int bit = 0; bit < TDebugDM_Dlg::kMaskBits; ++bit)
            dialog.BitCheck(bit)->setChecked(false);
        dialog.TxsCheck()->setChecked(false);
        dialog.reject();
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(TraceMask(), 0x12345678u);
    EXPECT_TRUE(EnvCtx().trace.txs);
}

TEST_F(DebugMaskDialog, ClearingEveryBoxGivesMaskZero) {
    SetTraceMask(0xFFFFFFFFu);
    EXPECT_TRUE(Edit([](TDebugDM_Dlg& dialog) {
        for (int bit = 0; bit < TDebugDM_Dlg::kMaskBits; ++bit)
            dialog.BitCheck(bit)->setChecked(false);
        dialog.accept();
    }));
    EXPECT_EQ(TraceMask(), 0u);
}

} // namespace
} // namespace panolcd
