// The objects' property dialogs as the design window runs them: each shows its object, OK with
// no edits changes no byte, OK takes edits back into the object, a position out of range keeps
// the dialog open, Storno changes nothing.

#include "designer/ui/propertydialogs.h"

#include "app/startup.h"
#include "designer/objectdialogs.h"
#include "designer/screenscene.h"
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

std::vector<std::uint8_t> Record(std::uint8_t kind, LcdCoords c, const char* text) {
    std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
    const ObjectRecordView view(record);
    view.SetKind(kind);
    view.SetLayer(kind >= kObjText && kind <= kObjEnum ? kTextLayer : kGraphicLayer);
    view.SetParamByte(kind == kObjCaseBmp ? 255 : kind == kObjGraph ? 1 : 0);
    view.SetX1(c.x1), view.SetY1(c.y1), view.SetX2(c.x2), view.SetY2(c.y2);
    view.SetSym(ObjectRecordView::kSymX1, "SX");
    view.SetObjText(text);
    return record;
}

class PropertyDialog : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        RegisterPropertyDialogs();
        EnvCtx().dialogs = std::make_unique<QtDialogPort>();
        NewProject();
    }
    void TearDown() override {
        CloseProjectColl();
        ContextTest::TearDown();
    }

    // Runs the object's dialog; `step` acts on it once it shows, whatever stays open is closed.
    static bool Run(TLCDObject& object, const std::function<void(TObjectProp_Dlg&)>& step) {
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<TObjectProp_Dlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            step(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return EditInPropertyDialog(object, {});
    }
    static void Ok(TObjectProp_Dlg& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == "OK")
                button->click();
        }
    }
    static QLineEdit* Edit(TObjectProp_Dlg& dialog, int field) {
        return qobject_cast<QLineEdit*>(dialog.Field(field));
    }
};

TEST_F(PropertyDialog, EachDialogShowsItsObjectAndOkWithoutEditsChangesNoByte) {
    struct Case {
        std::uint8_t kind;
        LcdCoords coords;
        const char* caption;
    } const cases[] = {
        {kObjText, {5, 6, 30, 20}, "Parametry objektu LCD Text"},
        {kObjPrintLine, {5, 6, 30, 20}, "Parametry objektu příkazu Print"},
        {kObjEditP, {5, 6, 30, 20}, "Parametry objektu příkazu EDITP"},
        {kObjPoint, {7, 8, 7, 8}, "Parametry objektu Bod (Point)"},
        {kObjCircle, {100, 60, 40, 0}, "Parametry objektu kružnice (Circle)"},
        {kObjGraph, {10, 10, 90, 60}, "Parametry objektu GRAPH"},
        {kObjGraphXY, {10, 10, 90, 60}, "Parametry objektu GraphXY"},
        {kObjCaseBmp, {0, 0, 20, 20}, "Parametry objektu Case BMP"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> record = Record(c.kind, c.coords, "V:2");
        const std::vector<std::uint8_t> before = record;
        auto object = CreateObjectOfKind(c.kind, 1);
        object->LoadFromRecord(record, LookOfKind(c.kind), {}, false);
        QString caption;
        const bool ok = Run(*object, [&](TObjectProp_Dlg& dialog) {
            caption = dialog.windowTitle();
            Ok(dialog);
        });
        EXPECT_TRUE(ok) << c.caption;
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        object->StoreToRecord(record, {});
        EXPECT_EQ(record, before) << c.caption;
    }
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
}

TEST_F(PropertyDialog, OkTakesEditsBackAndAnUnfitValueKeepsTheDialogOpen) {
    std::vector<std::uint8_t> record = Record(kObjEdit, {12, 30, 40, 40}, "V:2");
    TLCDEditObj edit(1);
    edit.LoadFromRecord(record, LookOfKind(kObjEdit), {}, false);
    EXPECT_TRUE(Run(edit, [](TObjectProp_Dlg& dialog) {
        EXPECT_EQ(Edit(dialog, 1)->text(), "12");
        EXPECT_EQ(Edit(dialog, 5)->text(), "V:2");
        EXPECT_GT(qobject_cast<QComboBox*>(dialog.Field(0))->count(), 0); // the font banks
        Edit(dialog, 1)->setText("20");
        Edit(dialog, 5)->setText("V:6");
        Ok(dialog);
    }));
    EXPECT_EQ(edit.DisplayText, "######");
    EXPECT_EQ(edit.FrameToRecord({}, edit.Bounds()).x1, 20);

    const Frame before = edit.Bounds();
    bool stayedOpen = false;
    EXPECT_FALSE(Run(edit, [&](TObjectProp_Dlg& dialog) {
        Edit(dialog, 1)->setText("2001");
        Ok(dialog);
        stayedOpen = dialog.isVisible();
    }));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(edit.Bounds(), before);
    EXPECT_EQ(edit.Parameters, "V:6");
}

} // namespace
} // namespace panolcd
