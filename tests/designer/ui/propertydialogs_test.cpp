// The objects' property dialogs as the design window runs them: each shows its object, OK with
// no edits changes no byte, OK takes edits back into the object, a position out of range keeps
// the dialog open, Storno changes nothing.

#include "designer/ui/propertydialogs.h"

#include "app/startup.h"
#include "designer/objectdialogs.h"
#include "designer/screenscene.h"
#include "designer/textobjects.h"
#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/dataentry/ui/qtdialogport.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

#include <QApplication>
#include <QCheckBox>
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
    // Fails the test when no dialog showed, so a step's checks never pass by not running.
    static bool Run(TLCDObject& object, const std::function<void(TObjectProp_Dlg&)>& step) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<TObjectProp_Dlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            shown = true;
            step(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        const bool confirmed = EditInPropertyDialog(object, {});
        EXPECT_TRUE(shown) << "no dialog for kind " << int(object.Kind);
        return confirmed;
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
        {kObjLine, {7, 8, 40, 30}, "Parametry objektu Úsečka (Line)"},
        {kObjFilledRect, {7, 8, 40, 30}, "Parametry objektu obdélník (Rect/FillRect)"},
        {kObjBar, {7, 8, 40, 30}, "Parametry objektu grafu typu BAR"},
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

// Line, rectangle and bar: "Rel Dx Dy" and "Směr JZ->SV" convert the edits on the dialog's own
// copy, an invalid edit undoes the click, the checks on OK keep the dialog open with their
// message, and Storno after conversions leaves the object as it was.
TEST_F(PropertyDialog, TheSecondCornerAsPositionOrSizeAndTheChecksOnOk) {
    const auto box = [](TObjectProp_Dlg& dialog, const char* name) {
        return dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    const auto edit = [](TObjectProp_Dlg& dialog, const char* name) {
        return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    const auto page = [](TObjectProp_Dlg& dialog) {
        return dynamic_cast<TCornerProp_Dlg&>(dialog).ShownPage();
    };
    std::vector<std::uint8_t> record = Record(kObjLine, {10, 5, 30, 9}, "");
    auto line = CreateObjectOfKind(kObjLine, 1);
    line->LoadFromRecord(record, LookOfKind(kObjLine), {}, false);
    const std::vector<std::uint8_t> before = record;
    EXPECT_FALSE(Run(*line, [&](TObjectProp_Dlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Parametry objektu Úsečka (Line)"));
        EXPECT_EQ(page(dialog), "Abs");
        box(dialog, "RelDxDy_CheckBox")->click();
        EXPECT_EQ(edit(dialog, "X2_Edit")->text(), "20");
        EXPECT_EQ(page(dialog), "Rel");
        box(dialog, "LineSwNe_CheckBox")->click(); // X1 moves by the width, the width turns
        EXPECT_EQ(edit(dialog, "X1_Edit")->text(), "30");
        EXPECT_EQ(edit(dialog, "X2_Edit")->text(), "-20");
        box(dialog, "RelDxDy_CheckBox")->click();
        EXPECT_EQ(edit(dialog, "X2_Edit")->text(), "10");
        EXPECT_EQ(page(dialog), "Abs");
        // An invalid X1 undoes the click and changes no edit.
        edit(dialog, "X1_Edit")->setText("x");
        box(dialog, "RelDxDy_CheckBox")->click();
        EXPECT_FALSE(box(dialog, "RelDxDy_CheckBox")->isChecked());
        EXPECT_EQ(edit(dialog, "X2_Edit")->text(), "10");
        EXPECT_EQ(User().shown.size(), 1u);
    })); // Storno
    line->StoreToRecord(record, {});
    EXPECT_EQ(record, before);

    // A conversion leaving the edits' range is refused and undone: -30000 .. 30000 is 60000 wide.
    std::vector<std::uint8_t> wide = Record(kObjBar, {-30000, 5, 30000, 9}, "");
    auto bar = CreateObjectOfKind(kObjBar, 1);
    bar->LoadFromRecord(wide, LookOfKind(kObjBar), {}, false);
    User().shown.clear();
    Run(*bar, [&](TObjectProp_Dlg& dialog) {
        box(dialog, "RelDxDy_CheckBox")->click();
        EXPECT_FALSE(box(dialog, "RelDxDy_CheckBox")->isChecked());
        EXPECT_EQ(edit(dialog, "X2_Edit")->text(), "30000");
        EXPECT_EQ(page(dialog), "Abs");
    });
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown.front().text,
              testing::Cz("Chyba : výsledná hodnota mimo meze <-32767;32767>"));

    // Each dialog opens on a sound object; the user then types what its check refuses.
    struct Refusal {
        std::uint8_t kind;
        std::uint16_t options;
        const char* field;
        const char* typed;
        const char* message;
    } const refusals[] = {
        {kObjLine, kOptUseRelDxDy | kOptLineSwNe, "X2_Edit", "5", "Chyba : šířka Dx > 0"},
        {kObjRectangle, 0, "X1_Edit", "40", "Chyba : Pozice X1 > Pozice X2"},
        {kObjGraph, 0, "X2_Edit", "5", "Chyba : Pozice X1 > Pozice X2"},
        {kObjBar, kOptUseRelDxDy, "Y2_Edit", "-4", "Chyba : výška Dy < 0"},
    };
    for (const Refusal& r : refusals) {
        User().shown.clear();
        const bool southWest = (r.options & kOptLineSwNe) != 0;
        std::vector<std::uint8_t> bytes =
            Record(r.kind, southWest ? LcdCoords{30, 5, 10, 9} : LcdCoords{10, 5, 30, 9}, "");
        ObjectRecordView(bytes).SetOptions(r.options);
        auto object = CreateObjectOfKind(r.kind, 1);
        object->LoadFromRecord(bytes, LookOfKind(r.kind), {}, false);
        bool stayedOpen = false;
        Run(*object, [&](TObjectProp_Dlg& dialog) {
            edit(dialog, r.field)->setText(QString::fromLatin1(r.typed));
            Ok(dialog);
            stayedOpen = dialog.isVisible();
        });
        EXPECT_TRUE(stayedOpen) << r.message;
        ASSERT_EQ(User().shown.size(), 1u) << r.message;
        EXPECT_EQ(User().shown.front().text, testing::Cz(r.message));
    }
}

// The screen window's own dialogs edit the bytes of their records: the choices of the radio
// groups, the sizes, the screen's number, identifier and name.
TEST_F(PropertyDialog, TheScreenWindowsDialogsEditTheirRecords) {
    struct Case {
        const char* type;
        const char* caption;
        std::vector<std::uint8_t> record;
        std::function<void(TObjectProp_Dlg&)> edit;
        std::vector<std::uint8_t> expected;
    };
    const auto choose = [](int field, int item) {
        return [=](TObjectProp_Dlg& dialog) {
            auto* group = qobject_cast<RadioGroup*>(dialog.Field(field));
            ASSERT_NE(group, nullptr);
            group->SetItemIndex(item);
        };
    };
    std::vector<std::uint8_t> screen(83, 0);
    ScreenRecordView(screen).SetScrSymb("MAIN");
    screen[82] = 255;
    std::vector<std::uint8_t> renamed = screen;
    ScreenRecordView(renamed).SetScrNum(9);
    ScreenRecordView(renamed).SetScrSymb("HLAVNI");
    const Case cases[] = {
        {kAlignmentRecord, "Zarovnání pozice", {0, 0}, choose(1, 5), {0, 5}},
        {kSingleAlignRecord, "Zarovnání pozice", {0, 0}, choose(0, 1), {1, 0}},
        {kAlignSizeRecord,
         "Srovnání rozměrů",
         std::vector<std::uint8_t>(10, 0),
         [&](TObjectProp_Dlg& dialog) {
             choose(0, 3)(dialog);
             Edit(dialog, 2)->setText("300");
         },
         {3, 0, 0x2C, 1, 0, 0, 0, 0, 0, 0}},
        {kScreenParametersRecord, "Parametry obrazovky", screen,
         [](TObjectProp_Dlg& dialog) {
             EXPECT_EQ(Edit(dialog, 1)->text(), "MAIN");
             Edit(dialog, 0)->setText("9");
             Edit(dialog, 1)->setText("HLAVNI");
         },
         renamed},
        {kScreenHelpRecord, "Parametry obrazovky Help", {255}, [](TObjectProp_Dlg&) {}, {255}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> record = c.record;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<TObjectProp_Dlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            caption = dialog->windowTitle();
            c.edit(*dialog);
            Ok(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        EXPECT_TRUE(EditDialogRecord(c.type, record)) << c.type;
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(record, c.expected) << c.type;
    }
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
}

} // namespace
} // namespace panolcd
