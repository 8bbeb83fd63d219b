// The text objects' property dialog as the design window runs it: it shows the object's font,
// position and text, OK takes the edits back into the object, a position out of range keeps it
// open, Storno changes nothing.

#include "designer/ui/textdialogs.h"

#include "app/startup.h"
#include "designer/objectdialogs.h"
#include "designer/textobjects.h"
#include "framework/dataentry/ui/qtdialogport.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "project/projectmodel.h"
#include "support/test_context.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace panolcd {
namespace {

class TextDialog : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        RegisterTextDialogs();
        EnvCtx().dialogs = std::make_unique<QtDialogPort>();
        NewProject();
        record_.assign(ObjectRecordView::kSize, 0);
        const ObjectRecordView view(record_);
        view.SetKind(kObjEdit);
        view.SetLayer(kTextLayer);
        view.SetX1(12), view.SetY1(30), view.SetX2(40), view.SetY2(40);
        view.SetObjText("V:2");
        edit_.LoadFromRecord(record_, LookOfKind(kObjEdit), {}, false);
    }
    void TearDown() override {
        CloseProjectColl();
        ContextTest::TearDown();
    }

    // Runs the dialog; `step` acts on it once it shows, and whatever it leaves open is closed.
    bool Run(const std::function<void(TLCDObjTextProp_Dlg&)>& step) {
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<TLCDObjTextProp_Dlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            step(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return EditInPropertyDialog(edit_, {});
    }
    static void Ok(TLCDObjTextProp_Dlg& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == "OK")
                button->click();
        }
    }

    std::vector<std::uint8_t> record_;
    TLCDEditObj edit_{1};
};

TEST_F(TextDialog, ShowsTheObjectAndOkTakesTheEditsBack) {
    const bool ok = Run([](TLCDObjTextProp_Dlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Parametry objektu příkazu EDIT"));
        EXPECT_EQ(dialog.X()->text(), "12");
        EXPECT_EQ(dialog.Y()->text(), "30");
        EXPECT_EQ(dialog.Text()->text(), "V:2");
        EXPECT_GT(dialog.FontBank()->count(), 0); // the project's font banks
        dialog.X()->setText("20");
        dialog.Text()->setText("V:6");
        Ok(dialog);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(edit_.DisplayText, "######");
    EXPECT_EQ(edit_.FrameToRecord({}, edit_.Bounds()).x1, 20);
}

TEST_F(TextDialog, AnUnfitPositionKeepsItOpenAndStornoChangesNothing) {
    const Frame before = edit_.Bounds();
    bool stayedOpen = false;
    const bool ok = Run([&](TLCDObjTextProp_Dlg& dialog) {
        dialog.X()->setText("2001");
        Ok(dialog);
        stayedOpen = dialog.isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(ok); // closed with Storno in the end
    EXPECT_EQ(edit_.Bounds(), before);
    EXPECT_EQ(edit_.Parameters, "V:2");
}

} // namespace
} // namespace panolcd
