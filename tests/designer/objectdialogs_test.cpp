// The property dialogs' records and rules: filled from an object and taken back unchanged, the
// second corner as width and height, the line's direction, and the checks on OK in their order.

#include "designer/objectdialogs.h"

#include "designer/screenscene.h"
#include "project/recordview.h"
#include "support/test_context.h"

#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

class ObjectDialogs : public DescriptionTest {};

std::vector<std::uint8_t> Record(std::uint8_t kind, LcdCoords c, std::uint16_t options = 0) {
    std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
    const ObjectRecordView view(record);
    view.SetKind(kind);
    view.SetLayer(kind >= kObjText && kind <= kObjEnum ? kTextLayer : kGraphicLayer);
    view.SetOptions(options);
    view.SetParamByte(kind == kObjBar ? 2 : kind == kObjCaseBmp ? 255 : 0);
    view.SetX1(c.x1), view.SetY1(c.y1), view.SetX2(c.x2), view.SetY2(c.y2);
    for (int s = 0; s < 6; ++s)
        view.SetSym(static_cast<ObjectRecordView::Symbol>(s), "S" + std::to_string(s));
    view.SetObjText(kind == kObjPrintLine ? "\"A=\",A:2" : "text");
    return record;
}

TEST_F(ObjectDialogs, AConfirmedDialogWithNoEditsChangesNoByte) {
    struct Case {
        std::uint8_t kind;
        LcdCoords coords;
        std::uint16_t options;
    } const cases[] = {
        {kObjPoint, {5, 6, 5, 6}, 0},
        {kObjLine, {10, 20, 30, 25}, 0},
        {kObjLine, {30, 20, 10, 25}, kOptLineSwNe},
        {kObjLine, {10, 20, 30, 25}, kOptUseRelDxDy},
        {kObjRectangle, {1, 2, 40, 30}, kOptUseRelDxDy},
        {kObjFilledRect, {1, 2, 40, 30}, 0},
        {kObjCircle, {100, 60, 40, 0}, 0},
        {kObjGraph, {10, 10, 90, 60}, 0},
        {kObjGraphXY, {10, 10, 90, 60}, kOptUseRelDxDy},
        {kObjBar, {10, 10, 20, 60}, kOptUseRelDxDy},
        {kObjCaseBmp, {0, 0, 20, 20}, 0},
        {kObjPrintLine, {3, 4, 40, 15}, 0},
    };
    for (const Case& c : cases) {
        for (const int zoom : {1, 4}) {
            std::vector<std::uint8_t> record = Record(c.kind, c.coords, c.options);
            const std::vector<std::uint8_t> before = record;
            auto object = CreateObjectOfKind(c.kind, zoom);
            object->LoadFromRecord(record, LookOfKind(c.kind), {8, 4}, false);
            std::vector<std::uint8_t> dialog = FillDialogRecord(*object, {8, 4});
            ASSERT_EQ(dialog.size(), ObjectDialogOf(c.kind)->recordSize) << int(c.kind);
            // A graph's second corner is a position even in the relative form.
            if (c.kind == kObjGraphXY) {
                EXPECT_EQ(RecordView(dialog).Get<std::int32_t>(9), c.coords.x2);
            }
            ApplyDialogRecord(*object, dialog, {8, 4});
            object->StoreToRecord(record, {8, 4});
            EXPECT_EQ(record, before) << int(c.kind) << " zoom " << zoom;
        }
    }
    EXPECT_FALSE(ObjectDialogOf(kObjCmdWait));
}

TEST_F(ObjectDialogs, RelativeCornersAndTheLineDirection) {
    CornerFields f{0, 10, 5, 30, 9};
    f.options |= kOptUseRelDxDy;
    ApplyRelativeToggle(f);
    EXPECT_EQ(f.x2, 20);
    EXPECT_EQ(f.y2, 4);
    f.options &= ~kOptUseRelDxDy;
    ApplyRelativeToggle(f);
    EXPECT_EQ(f.x2, 30);

    CornerFields rel{kOptUseRelDxDy | kOptLineSwNe, 10, 0, 5, 8};
    EXPECT_EQ(CheckCorners(CornerDialog::Line, rel), Cz("Chyba : šířka Dx > 0"));
    rel.options = kOptUseRelDxDy;
    ApplyDirectionToggle(rel);
    rel.options |= kOptLineSwNe;
    EXPECT_EQ(rel.x1, 15);
    EXPECT_EQ(rel.x2, -5);
    EXPECT_EQ(CheckCorners(CornerDialog::Line, rel), std::nullopt);
    CornerFields abs{0, 10, 0, 30, 8};
    ApplyDirectionToggle(abs);
    EXPECT_EQ(abs.x1, 30);
    EXPECT_EQ(abs.x2, 10);

    // A relative line entered with width 10 at X1 = 20 stores X2 = 30.
    auto line = CreateObjectOfKind(kObjLine, 1);
    std::vector<std::uint8_t> record = Record(kObjLine, {20, 5, 25, 9}, kOptUseRelDxDy);
    line->LoadFromRecord(record, LookOfKind(kObjLine), {}, false);
    std::vector<std::uint8_t> dialog = FillDialogRecord(*line, {});
    CornerFields entered = CornersOf(CornerDialog::Line, dialog);
    entered.x2 = 10;
    SetCorners(CornerDialog::Line, dialog, entered);
    ApplyDialogRecord(*line, dialog, {});
    line->StoreToRecord(record, {});
    EXPECT_EQ(ObjectRecordView(record).X2(), 30);
}

TEST_F(ObjectDialogs, TheChecksOnOkAndTheirOrder) {
    struct Case {
        CornerDialog dialog;
        CornerFields fields;
        const char* message; // nullptr: accepted
    } const cases[] = {
        {CornerDialog::Line, {kOptUseRelDxDy, 0, 0, -1, 0}, "Chyba : šířka Dx < 0"},
        {CornerDialog::Line, {kOptUseRelDxDy | kOptLineSwNe, 0, 0, 1, 0}, "Chyba : šířka Dx > 0"},
        {CornerDialog::Line, {kOptUseRelDxDy, 0, 9, 3, 5}, nullptr},
        // No relative form makes a frame of negative size.
        {CornerDialog::Line, {kOptUseRelDxDy, 0, 9, 3, -5}, "Chyba : výška Dy < 0"},
        {CornerDialog::Bar, {kOptUseRelDxDy, 0, 9, 3, -5}, "Chyba : výška Dy < 0"},
        {CornerDialog::Bar, {kOptUseRelDxDy, 0, 9, -3, 5}, "Chyba : šířka Dx < 0"},
        {CornerDialog::Bar, {kOptUseRelDxDy, 9, 9, 0, 0}, nullptr},
        // Both corners wrong: the vertical rule comes first.
        {CornerDialog::Line, {0, 9, 9, 1, 1}, "Chyba : Pozice Y1 > Pozice Y2"},
        {CornerDialog::Line, {0, 9, 1, 1, 9}, "Chyba : Pozice X1 > Pozice X2"},
        {CornerDialog::Line, {kOptLineSwNe, 1, 1, 9, 9}, "Chyba : Pozice X1 < Pozice X2"},
        {CornerDialog::Line, {kOptLineSwNe, 9, 1, 1, 9}, nullptr},
        {CornerDialog::Rectangle, {0, 9, 9, 1, 1}, "Chyba : Pozice Y1 > Pozice Y2"},
        {CornerDialog::Rectangle, {0, 9, 1, 1, 9}, "Chyba : Pozice X1 > Pozice X2"},
        {CornerDialog::Rectangle, {kOptUseRelDxDy, 9, 9, -5, -5}, nullptr},
        {CornerDialog::Bar, {0, 9, 1, 1, 9}, "Chyba : Pozice X1 > Pozice X2"},
    };
    for (const Case& c : cases) {
        const auto message = CheckCorners(c.dialog, c.fields);
        // The graphs follow the absolute rectangle.
        if (c.dialog == CornerDialog::Rectangle && (c.fields.options & kOptUseRelDxDy) == 0) {
            EXPECT_EQ(CheckGraphCorners(c.fields), message);
        }
        if (c.message == nullptr)
            EXPECT_FALSE(message) << *message;
        else
            EXPECT_EQ(message, Cz(c.message));
    }
    // The bar's fields lie one byte further than the line's.
    std::vector<std::uint8_t> bar(376, 0);
    SetCorners(CornerDialog::Bar, bar, {kOptUseRelDxDy, 1, 2, 3, 4});
    EXPECT_EQ(RecordView(bar).Get<std::int32_t>(3), 1);
    EXPECT_EQ(RecordView(bar).Get<std::uint16_t>(1), kOptUseRelDxDy);
}

} // namespace
} // namespace panolcd::testing
