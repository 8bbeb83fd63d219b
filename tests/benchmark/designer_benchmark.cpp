// How fast the designer follows the mouse on a full screen: painting 300 objects of mixed kinds
// at each zoom, and 100-step drags of one object and of a 50-object group through the controller.
// Run: build*/bin/designer_benchmark (a Release build gives the figures that matter).

#include "app/processcontext.h"
#include "app/startup.h"
#include "designer/fonttext.h"
#include "designer/screendesigner.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace panolcd {
namespace {

class NullHost final : public DesignerHost {
public:
    TDBRecordObj* screen = nullptr;
    TDBRecordObj* ScreenRecord() override { return screen; }
    void Invalidate() override {}
    void SetCursor(Cursor) override {}
    bool StoreScreenRecord() override {
        if (screen->GetDBTidDataBase(kDBScreenObjects) == nullptr)
            screen->EnsureSubDBs().Insert(TDataBase::New(nullptr, kDBScreenObjects, 0, 0));
        return true;
    }
    void OpenObjectWindow(TDBRecordObj&) override {}
    bool EditObjectProperties(TLCDObject&) override { return false; }
    bool RunRecordDialog(const char*, std::vector<std::uint8_t>&) override { return false; }
    void CloseWindow() override {}
    void ScrollTo(int, int) override {}
    void ReportPosition(int, int) override {}
    void ReportSelection(const TLCDObject*, const LcdCoords&) override {}
    void ReportLayers(std::uint32_t, std::uint8_t) override {}
};

// A project whose one screen holds 300 objects of every kind, spread over the LCD.
struct FullScreen {
    NullHost host;
    std::unique_ptr<ScreenDesigner> designer;

    explicit FullScreen(int zoom) {
        ResetContext();
        RegisterStreamClasses();
        EnvCtx().settings.exePath = PANOLCD_BENCH_PROGRAM;
        EnvCtx().app.LoadAppData(PANOLCD_BENCH_APP_FILE);
        NewProject();
        auto screen = TDBRecordObj::New({}, 0, schema::kRecScreen);
        ScreenRecordView(screen->RecData).SetLayerMask(0x80000007);
        host.screen = screen.get();
        SubDataBase(RootRecord(), kDBScreens)->Insert(std::move(screen));
        designer = std::make_unique<ScreenDesigner>(host, zoom);
        designer->ShowScreen();
        const std::uint8_t kinds[] = {
            kObjPoint,     kObjLine,      kObjRectangle, kObjFilledRect, kObjCircle,  kObjText,
            kObjPrintLine, kObjEdit,      kObjEditP,     kObjEnum,       kObjCmdCase, kObjCmdOnKey,
            kObjCmdWait,   kObjEditEnter, kObjGraph,     kObjGraphXY,    kObjBar};
        for (int i = 0; i < 300; ++i) {
            const std::uint8_t kind = kinds[i % std::size(kinds)];
            const std::uint8_t layer = kind >= kObjText && kind <= kObjEditEnter ? 1 : 2;
            designer->InsertObject(layer, layer, 0, kind);
            TLCDObject& object = *designer->Scene().Objects().back().object;
            const int x = (i * 37) % 200;
            const int y = (i * 23) % 100;
            object.SetBounds(object.RecordToFrame({x, y, x + 30, y + 20}, {}));
        }
    }
    ~FullScreen() {
        designer.reset();
        CloseProjectColl();
        ReleaseContext();
    }
};

void PaintFullScreen(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    FullScreen screen(zoom);
    const FontTextRenderer text;
    Raster raster(240 * zoom + 11, 128 * zoom + 13);
    for (auto _ : state) {
        raster.Clear(Colour::White);
        screen.designer->Paint(raster, &text);
        benchmark::DoNotOptimize(raster.At(0, 0));
    }
}
BENCHMARK(PaintFullScreen)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void DragOneObject(benchmark::State& state) {
    FullScreen screen(2);
    TLCDObject& object = *screen.designer->Scene().Objects().front().object;
    for (auto _ : state) {
        const Frame f = object.Bounds();
        const int x = f.left + f.width / 2;
        const int y = f.top + f.height / 2;
        screen.designer->MouseDown(MouseButton::Left, false, x, y);
        for (int step = 1; step <= 100; ++step)
            screen.designer->MouseMove(false, x + step % 7, y + step % 5);
        screen.designer->MouseUp(MouseButton::Left, false, x, y);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(DragOneObject)->Unit(benchmark::kMicrosecond);

void DragGroupOf50(benchmark::State& state) {
    FullScreen screen(2);
    // Fifty selected, then a shift-click and the key let go: the selection frame takes them.
    for (int i = 0; i < 50; ++i)
        screen.designer->Scene().Objects()[static_cast<std::size_t>(i)].object->Select();
    const Frame first = screen.designer->Scene().Objects().front().object->Bounds();
    const int fx = first.left + first.width / 2;
    const int fy = first.top + first.height / 2;
    screen.designer->MouseDown(MouseButton::Left, true, fx, fy);
    screen.designer->MouseUp(MouseButton::Left, true, fx, fy);
    screen.designer->KeyUp({});
    state.counters["selected"] = screen.designer->SelectedCount();
    for (auto _ : state) {
        const Frame f = screen.designer->SelectionFrame().Bounds();
        const int x = f.left + 1;
        const int y = f.top + f.height / 2;
        screen.designer->MouseDown(MouseButton::Left, false, x, y);
        for (int step = 1; step <= 100; ++step)
            screen.designer->MouseMove(false, x + step % 9, y + step % 4);
        screen.designer->MouseUp(MouseButton::Left, false, x, y);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(DragGroupOf50)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace panolcd

BENCHMARK_MAIN();
