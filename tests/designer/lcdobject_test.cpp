// The object base: record and frame geometry at every zoom and scroll position, hit areas,
// dragging, zoom changes, layers, locking, z-order and the selection and command box pictures.

#include "designer/lcdobject.h"

#include "designer/objectstack.h"
#include "designer_fakes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace panolcd {
namespace {

using testing::FakeTextRenderer;
using testing::Picture;

TEST(LcdObject, RecordAndFrameAreInverseAtEveryZoomAndScroll) {
    const LcdCoords coords[] = {
        {0, 0, 0, 0}, {-3, -7, 10, 4}, {100, 50, 239, 127}, {-40, 5, -2, 6}};
    const Scroll scrolls[] = {{0, 0}, {3, 7}, {13, 1}, {-5, -9}};
    for (const int zoom : {1, 2, 4}) {
        TLCDObject object(zoom);
        for (const Scroll& s : scrolls) {
            for (const LcdCoords& c : coords) {
                const Frame f = object.RecordToFrame(c, s);
                EXPECT_EQ(object.FrameToRecord(s, f), c)
                    << "zoom " << zoom << " scroll " << s.h << "," << s.v << " x1 " << c.x1;
            }
        }
    }
    // A one-pixel object at zoom 1 is 11 window pixels across: the pixel and two margins of 5.
    TLCDObject one(1);
    EXPECT_EQ(one.RecordToFrame({7, 9, 7, 9}, {2, 3}), (Frame{0, 1, 11, 11}));
    TLCDObject four(4);
    EXPECT_EQ(four.RecordToFrame({-1, 0, 0, 0}, {0, 0}), (Frame{-24, -20, 48, 44}));
}

TEST(LcdObject, HitAreasAreTriedInOrder) {
    TLCDObject object(1);
    object.SetBounds({0, 0, 40, 30}); // margin 5
    struct Case {
        int x, y, area;
    } const cases[] = {
        {10, 10, 1}, {5, 5, 1},  {34, 24, 1}, {0, 0, 2},   {4, 4, 2},   {17, 0, 3},  {21, 4, 3},
        {16, 0, 0},  {22, 0, 0}, {35, 0, 4},  {39, 12, 5}, {39, 17, 0}, {35, 25, 6}, {20, 29, 7},
        {0, 29, 8},  {0, 12, 9}, {40, 0, 0},  {-1, 5, 0},  {39, 29, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(object.HitTest(c.x, c.y), c.area) << c.x << "," << c.y;
    EXPECT_EQ(object.CursorAt(0, 0), Cursor::SizeNwSe);
    EXPECT_EQ(object.CursorAt(17, 0), Cursor::SizeNS);
    EXPECT_EQ(object.CursorAt(0, 12), Cursor::SizeWE);
    object.Kind = kObjMultiSelFrame;
    EXPECT_EQ(object.HitTest(10, 10), 0);
}

TEST(LcdObject, DraggingMovesAndResizesAndSnapsToTheZoom) {
    struct Case {
        const char* what;
        int zoom;
        MouseButton button;
        int downX, downY; // control coordinates at the press
        int moveX, moveY;
        Frame expected; // after the release
    } const cases[] = {
        {"move", 1, MouseButton::Left, 20, 20, 27, 13, {107, 43, 60, 60}},
        {"right button selects only", 1, MouseButton::Right, 20, 20, 27, 13, {100, 50, 60, 60}},
        // The left edge follows the mouse past the right one; the width stays at the minimum.
        {"left handle past the right edge", 1, MouseButton::Left, 0, 30, 90, 30, {190, 50, 11, 60}},
        {"bottom-right", 1, MouseButton::Left, 59, 59, 69, 49, {100, 50, 70, 50}},
        {"top-middle below the minimum", 1, MouseButton::Left, 30, 0, 30, 70, {100, 120, 60, 11}},
        // At zoom 4 the frame snaps down to multiples of 4, also below zero.
        {"zoom 4 snaps toward minus infinity",
         4,
         MouseButton::Left,
         120,
         120,
         15,
         123,
         {-8, 52, 240, 240}},
    };
    for (const Case& c : cases) {
        TLCDObject object(c.zoom);
        object.SetBounds({100, 50, 60 * c.zoom, 60 * c.zoom});
        object.MouseDown(c.button, false, c.downX, c.downY);
        EXPECT_TRUE(object.Selected()) << c.what;
        object.MouseMove(false, c.moveX, c.moveY);
        object.MouseUp(c.button, false, c.moveX, c.moveY);
        EXPECT_EQ(object.Bounds(), c.expected) << c.what;
        EXPECT_FALSE(object.Dragging()) << c.what;
    }
}

TEST(LcdObject, HandlersRunAroundTheObjectsOwnProcessing) {
    TLCDObject object(1);
    std::vector<std::string> calls;
    object.OnMouseDown = [&](TLCDObject& o, MouseButton, bool, int, int) {
        calls.push_back(o.Selected() ? "down after select" : "down before select");
    };
    object.OnMouseMove = [&](TLCDObject& o, bool, int, int) {
        calls.push_back("move at " + std::to_string(o.Bounds().left));
    };
    object.OnMouseUp = [&](TLCDObject&, MouseButton, bool, int, int) { calls.push_back("up"); };
    object.OnDoubleClick = [&](TLCDObject&) { calls.push_back("double"); };
    object.MouseDown(MouseButton::Left, false, 10, 10);
    object.MouseMove(false, 15, 10);
    object.DoubleClick();
    object.MouseUp(MouseButton::Left, false, 15, 10);
    object.MouseUp(MouseButton::Left, false, 15, 10); // consumed: no second double click
    EXPECT_EQ(calls,
              (std::vector<std::string>{"down after select", "move at 0", "up", "double", "up"}));
}

TEST(LcdObject, ZoomChangesGoBackExactly) {
    for (const Scroll s : {Scroll{0, 0}, Scroll{3, 5}, Scroll{7, 1}}) {
        TLCDObject object(1);
        const Frame start{-13, 21, 37, 11};
        object.SetBounds(start);
        object.SetZoom(s, 2);
        EXPECT_EQ(object.Bounds(), (Frame{2 * (s.h - 13) - s.h, 2 * (s.v + 21) - s.v, 74, 22}));
        object.SetZoom(s, 4);
        object.SetZoom(s, 1);
        EXPECT_EQ(object.Bounds(), start) << s.h << "," << s.v;
        EXPECT_EQ(object.Zoom(), 1);
    }
}

TEST(LcdObject, LayersHelpScreenAndLocking) {
    TLCDObject object(1);
    struct Case {
        std::uint8_t layer;
        std::uint8_t flags;
        std::uint32_t layers;
        bool help;
        bool shown;
    } const cases[] = {
        {31, 0, 0x80000000u, false, true},
        {31, 0, 0x7FFFFFFFu, false, false},
        {32, 0, 0xFFFFFFFFu, false, false},
        {200, 0, 0xFFFFFFFFu, false, false},
        {1, kObjFlagHelpScreen, 0x2, true, true},
        {1, kObjFlagHelpScreen, 0x2, false, false},
        {1, 0, 0x2, true, false},
    };
    for (const Case& c : cases) {
        object.Layer = c.layer;
        object.Flags = c.flags | kObjFlagSelected;
        object.ApplyLayers(c.layers, c.help);
        EXPECT_EQ(object.Visible, c.shown) << int(c.layer);
        EXPECT_EQ(object.Selected(), c.shown) << int(c.layer); // hiding deselects
    }

    // Locked while selected, then unlocked: clickable again at once.
    ObjectStack stack;
    TLCDObject below(1);
    stack.Add(below);
    stack.Add(object);
    object.Layer = 1;
    object.Flags = 0;
    object.ApplyLayers(0x2, false);
    below.SetBounds(object.Bounds());
    object.Select();
    object.Lock();
    EXPECT_EQ(object.State(), 2);
    EXPECT_EQ(stack.ObjectAt(10, 10), &below); // a press on a locked object goes through
    object.Unlock();
    EXPECT_EQ(stack.ObjectAt(10, 10), &object);
    EXPECT_EQ(object.State(), kObjFlagSelected);
    // Pressing the one below brings it to the front; the list order is not the stack's.
    below.MouseDown(MouseButton::Left, false, 10, 10);
    EXPECT_EQ(stack.PaintOrder().back(), &below);
    EXPECT_EQ(stack.ObjectAt(10, 10), &below);
}

TEST(LcdObject, SelectionFrameAndHandlesAtZoom1) {
    TLCDObject object(1);
    object.Kind = kObjPoint; // no content of its own here
    object.SetBounds({0, 0, 20, 16});
    Raster raster(20, 16, Colour::Yellow);
    Painter unselected(raster, object.WindowRect());
    object.Paint(unselected);
    EXPECT_EQ(Picture(raster), Picture(Raster(20, 16, Colour::Yellow)));

    // Handles of 5 × 5 (the middle ones centred), the red rectangle inset by 2 between them.
    object.Select();
    Painter painter(raster, object.WindowRect());
    object.Paint(painter);
    const std::string handles = "rrrrr..rrrrr...rrrrr";
    const std::string full(20, 'r');
    const std::string sides = "rrrrr..........rrrrr";
    const std::string frame = "..r..............r..";
    EXPECT_EQ(Picture(raster), (std::vector<std::string>{
                                   handles, handles, full, handles, handles, sides, sides, sides,
                                   sides, sides, frame, handles, handles, full, handles, handles}));
}

class RecordingCommand final : public TLCDCmdObject {
public:
    using TLCDCmdObject::TLCDCmdObject;
    LcdRect textRect{};
    void PaintCommandText(Painter&, const LcdRect& rect) override { textRect = rect; }
};

TEST(LcdObject, CommandBoxIsARaisedSilverBox) {
    RecordingCommand command(1);
    command.Kind = kObjCmdWait;
    command.Look = LookOfKind(kObjCmdWait);
    command.SetBounds({0, 0, 22, 20}); // inner area 5..16 × 5..14
    Raster raster(22, 20, Colour::Yellow);
    Painter painter(raster, command.WindowRect());
    command.Paint(painter);
    const std::vector<std::string> picture = Picture(raster);
    const std::vector<std::string> inner(picture.begin() + 5, picture.begin() + 15);
    std::vector<std::string> box;
    for (const std::string& row : inner)
        box.push_back(row.substr(5, 12));
    // Two white lines along the top and left, two grey ones along the bottom and right, each
    // leaving out its end point.
    EXPECT_EQ(box, (std::vector<std::string>{
                       "############",
                       "#wwwwwwwwws#",
                       "#wwwwwwwwsg#",
                       "#wwssssssgg#",
                       "#wwssssssgg#",
                       "#wwssssssgg#",
                       "#wwssssssgg#",
                       "#wsgggggggg#",
                       "#sggggggggg#",
                       "############",
                   }));
    EXPECT_EQ(command.textRect.left, 8);
    EXPECT_EQ(command.textRect.top, 8);
    EXPECT_EQ(command.textRect.right, 14);
    EXPECT_EQ(command.textRect.bottom, 12);
}

TEST(LcdObject, UnknownKindsShowTheirStateAndDamagedFramesAreSafe) {
    TLCDObject object(1);
    object.Kind = 42;
    object.SetBounds({10, 20, 60, 60});
    object.Flags = kObjFlagSelected;
    object.SavePosition();
    Raster raster(100, 100);
    FakeTextRenderer text;
    Painter painter(raster, object.WindowRect(), &text);
    object.Paint(painter);
    EXPECT_EQ(text.texts,
              (std::vector<std::string>{"16,26 10,20 S=$01", "16,40 E=1 0,0", "16,53 10,20"}));

    // Coordinates from a damaged record: anywhere in the int range, or inverted.
    std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
    const ObjectRecordView view(record);
    for (const LcdCoords c : {LcdCoords{INT_MAX, INT_MIN, INT_MIN, INT_MAX},
                              LcdCoords{50, 50, -100000, -100000}, LcdCoords{0, 0, INT_MAX, 3}}) {
        view.SetX1(c.x1), view.SetY1(c.y1), view.SetX2(c.x2), view.SetY2(c.y2);
        for (const int zoom : {1, 4}) {
            TLCDObject damaged(zoom);
            damaged.LoadFromRecord(record, LookOfKind(42), {0, 0}, false);
            damaged.Select();
            Painter p(raster, damaged.WindowRect());
            damaged.Paint(p);
            EXPECT_GE(damaged.HitTest(0, 0), 0);
            damaged.StoreToRecord(record, {0, 0});
        }
    }
}

} // namespace
} // namespace panolcd
