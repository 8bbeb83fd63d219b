// Graphic objects: the LCD pixels of every shape at zoom 1, the window's picture as their
// block-scaled copy, the frames of south-west lines and circles, and the graph previews.

#include "designer/graphicobjects.h"

#include "designer/lcdimage.h"
#include "designer_fakes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace panolcd {
namespace {

std::vector<std::uint8_t> ShapeRecord(std::uint8_t kind, const LcdCoords& c,
                                      std::uint16_t options = 0, std::uint32_t param = 0) {
    std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
    const ObjectRecordView view(record);
    view.SetKind(kind);
    view.SetLayer(kGraphicLayer);
    view.SetOptions(options);
    view.SetParam(param);
    view.SetX1(c.x1), view.SetY1(c.y1), view.SetX2(c.x2), view.SetY2(c.y2);
    return record;
}

std::vector<std::string> LcdRows(const LcdImage& image, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += image.Ink(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(GraphicObjects, ShapesOnTheLcdAndTheirZoomedPictures) {
    struct Case {
        const char* what;
        std::uint8_t kind;
        LcdCoords coords;
        std::uint16_t options;
        std::vector<std::string> lcd; // 8 × 6 from the LCD's corner
    } const cases[] = {
        {"point",
         kObjPoint,
         {2, 1, 2, 1},
         0,
         {"........", "..#.....", "........", "........", "........", "........"}},
        {"horizontal line one pixel tall",
         kObjLine,
         {1, 2, 6, 2},
         0,
         {"........", "........", ".######.", "........", "........", "........"}},
        {"vertical line one pixel wide",
         kObjLine,
         {3, 0, 3, 4},
         0,
         {"...#....", "...#....", "...#....", "...#....", "...#....", "........"}},
        {"45 degrees, end point left out",
         kObjLine,
         {0, 0, 4, 4},
         0,
         {"#.......", ".#......", "..#.....", "...#....", "....#...", "........"}},
        // From (right - 1, top) to (left, bottom), so one step steeper than 45 degrees.
        {"south-west to north-east",
         kObjLine,
         {4, 0, 0, 4},
         kOptLineSwNe,
         {"....#...", "...#....", "..#.....", "..#.....", ".#......", "........"}},
        {"rectangle",
         kObjRectangle,
         {1, 1, 5, 3},
         0,
         {"........", ".#####..", ".#...#..", ".#####..", "........", "........"}},
        {"filled rectangle",
         kObjFilledRect,
         {1, 1, 3, 2},
         0,
         {"........", ".###....", ".###....", "........", "........", "........"}},
        // Centre and radius 3: the circle fills the 6 × 6 square of the frame.
        {"circle of radius 3",
         kObjCircle,
         {3, 3, 3, 0},
         0,
         {".####...", "#....#..", "#....#..", "#....#..", "#....#..", ".####..."}},
    };
    for (const Case& c : cases) {
        auto record = ShapeRecord(c.kind, c.coords, c.options);
        TLCDVectGrObj one(1);
        one.LoadFromRecord(record, LookOfKind(c.kind), {}, false);
        LcdImage lcd({240, 128});
        one.PaintLcd(lcd, {});
        EXPECT_EQ(LcdRows(lcd, 8, 6), c.lcd) << c.what;
        for (const int z : {1, 2, 4}) {
            TLCDVectGrObj object(z);
            object.LoadFromRecord(record, LookOfKind(c.kind), {}, false);
            Raster raster(16 * z, 12 * z, Colour::White);
            Painter painter(raster, object.WindowRect());
            object.Paint(painter);
            int mismatches = 0;
            for (int y = 0; y < raster.Height(); ++y)
                for (int x = 0; x < raster.Width(); ++x)
                    mismatches += (raster.At(x, y) == Colour::Black) != lcd.Ink(x / z, y / z);
            EXPECT_EQ(mismatches, 0) << c.what << " zoom " << z;
        }
    }
}

TEST(GraphicObjects, FramesOfSouthWestLinesAndCircles) {
    TLCDVectGrObj circle(1);
    auto record = ShapeRecord(kObjCircle, {100, 60, 40, 0});
    circle.LoadFromRecord(record, LookOfKind(kObjCircle), {}, false);
    EXPECT_EQ(circle.Bounds(), (Frame{55, 15, 90, 90}));
    // Resized to a non-square frame: the largest centred circle that fits.
    circle.SetBounds({55, 15, 90, 70});
    EXPECT_EQ(circle.FrameToRecord({}, circle.Bounds()), (LcdCoords{90, 50, 30, 0}));

    for (const int z : {1, 2, 4}) {
        TLCDVectGrObj line(z);
        auto stored = ShapeRecord(kObjLine, {30, 5, 10, 25}, kOptLineSwNe);
        line.LoadFromRecord(stored, LookOfKind(kObjLine), {3, 1}, false);
        EXPECT_EQ(line.Bounds().left, 10 * z - 3 - MetricsOf(z).margin); // the left edge at X2
        line.StoreToRecord(stored, {3, 1});
        const ObjectRecordView view(stored);
        EXPECT_EQ((LcdCoords{view.X1(), view.Y1(), view.X2(), view.Y2()}),
                  (LcdCoords{30, 5, 10, 25}));
        EXPECT_EQ(view.Options(), kOptLineSwNe);
    }
}

TEST(GraphicObjects, GraphPreviews) {
    std::vector<int> offsets;
    for (int i = 0; i <= 10; ++i)
        offsets.push_back(SampleOffset(10, 10, i));
    EXPECT_EQ(offsets, (std::vector<int>{0, 5, 9, 9, 5, 0, -5, -9, -9, -5, 0}));

    // Points of a 30 × 20 plot at zoom 1 (its frame starts 5 pixels off the raster): count 10,
    // step 3, from the middle row.
    TLCDGraphObj points(1);
    auto record = ShapeRecord(kObjGraph, {0, 0, 29, 19}, 0, 0);
    points.LoadFromRecord(record, LookOfKind(kObjGraph), {}, false);
    Raster raster(40, 30, Colour::White);
    Painter painter(raster, points.WindowRect());
    points.Paint(painter);
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(raster.At(3 * i, 10 + offsets[static_cast<std::size_t>(i)]), Colour::Black) << i;
    EXPECT_EQ(raster.At(29, 0), Colour::Green); // the plot rectangle

    // At zoom 4 a plot narrower than 8 pixels shows only its rectangle.
    TLCDGraphObj narrow(4);
    auto small = ShapeRecord(kObjGraph, {0, 0, 1, 9}, 0, 1);
    narrow.LoadFromRecord(small, LookOfKind(kObjGraph), {}, false);
    Raster r4(80, 120, Colour::White);
    Painter p4(r4, narrow.WindowRect());
    narrow.Paint(p4);
    for (int y = 0; y < r4.Height(); ++y)
        for (int x = 0; x < r4.Width(); ++x)
            EXPECT_NE(r4.At(x, y), Colour::Black) << x << "," << y;

    // A bar growing downwards fills the lower half of its plot.
    struct BarCase {
        std::uint8_t direction;
        int inkX, inkY, clearX, clearY;
    } const bars[] = {
        {0, 10, 5, 10, 15}, {1, 10, 15, 10, 5}, {2, 5, 10, 15, 10}, {3, 15, 10, 5, 10}};
    for (const BarCase& b : bars) {
        TLCDGraphObj bar(1);
        auto barRecord = ShapeRecord(kObjBar, {0, 0, 19, 19}, 0, b.direction);
        bar.LoadFromRecord(barRecord, LookOfKind(kObjBar), {}, false);
        Raster rb(30, 30, Colour::White);
        Painter pb(rb, bar.WindowRect());
        bar.Paint(pb);
        EXPECT_EQ(rb.At(b.inkX, b.inkY), Colour::Black) << int(b.direction);
        EXPECT_EQ(rb.At(b.clearX, b.clearY), Colour::White) << int(b.direction);
    }
}

TEST(GraphicObjects, DamagedCoordinatesPaintNothingOutsideTheRaster) {
    for (const std::uint8_t kind : {kObjLine, kObjCircle, kObjRectangle, kObjGraph, kObjBar}) {
        for (const LcdCoords c : {LcdCoords{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                  LcdCoords{INT_MAX, 0, INT_MIN, 5}, LcdCoords{5, 5, -9, -9}}) {
            auto record = ShapeRecord(kind, c, kOptLineSwNe);
            for (const int z : {1, 4}) {
                std::unique_ptr<TLCDGraphicBase> object;
                if (kind >= kObjGraph)
                    object = std::make_unique<TLCDGraphObj>(z);
                else
                    object = std::make_unique<TLCDVectGrObj>(z);
                object->LoadFromRecord(record, LookOfKind(kind), {}, false);
                Raster raster(50, 50);
                Painter painter(raster, object->WindowRect());
                object->Paint(painter);
                LcdImage lcd({240, 128});
                object->PaintLcd(lcd, {});
            }
        }
    }
}

} // namespace
} // namespace panolcd
