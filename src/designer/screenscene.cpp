#include "designer/screenscene.h"

#include "designer/commandobjects.h"
#include "designer/graphicobjects.h"
#include "designer/lcddraw.h"
#include "designer/textobjects.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectcontext.h"
#include "project/projectrecords.h"

namespace panolcd {

std::unique_ptr<TLCDObject> CreateObjectOfKind(std::uint8_t kind, int zoom) {
    switch (kind) {
    case kObjPoint:
    case kObjLine:
    case kObjRectangle:
    case kObjFilledRect:
    case kObjCircle:
        return std::make_unique<TLCDVectGrObj>(zoom);
    case kObjText:
        return std::make_unique<TLCDTextObj>(zoom);
    case kObjPrintLine:
        return std::make_unique<TLCDPrintLineObj>(zoom);
    case kObjEdit:
        return std::make_unique<TLCDEditObj>(zoom);
    case kObjEditP:
        return std::make_unique<TLCDEditPObj>(zoom);
    case kObjEnum:
        return std::make_unique<TLCDEnumObj>(zoom);
    case kObjCmdCase:
        return std::make_unique<TLCDCaseObj>(zoom);
    case kObjCmdOnKey:
        return std::make_unique<TLCDOnKeyObj>(zoom);
    case kObjCmdWait:
        return std::make_unique<TLCDCmdWaitObj>(zoom);
    case kObjEditEnter:
        return std::make_unique<TLCDEditEnterObj>(zoom);
    case kObjGraph:
    case kObjGraphXY:
    case kObjBar:
        return std::make_unique<TLCDGraphObj>(zoom);
    case kObjCaseBmp:
        return std::make_unique<TLCDCaseBmpObj>(zoom);
    default:
        return std::make_unique<TLCDObject>(zoom);
    }
}

void ScreenScene::Load(TDBRecordObj& screen) {
    const ScreenRecordView view(screen.RecData);
    background_.SetBitmap(view.BmpNum());
    helpBitmap_.SetBitmap(view.HlpBmpNum());
    LoadObjects(screen.GetDBTidDataBase(kDBScreenObjects));
    SetLayers(view.LayerMask(), (view.ScrFlags() & kObjFlagHelpScreen) != 0);
}

void ScreenScene::LoadObjects(TDataBase* records) {
    objects_.clear();
    if (records == nullptr)
        return;
    for (int i = 0; i < records->Count(); ++i) {
        if (TDBRecordObj* record = records->Record(i))
            Append(ObjectOfRecord(*record, zoom_, scroll_), record);
    }
}

std::unique_ptr<TLCDObject> ScreenScene::ObjectOfRecord(TDBRecordObj& record, int zoom,
                                                        Scroll scroll) {
    const std::uint8_t kind = ObjectRecordView(record.RecData).Kind();
    auto object = CreateObjectOfKind(kind, zoom);
    object->LoadFromRecord(record.RecData, LookOfKind(kind), scroll, false);
    object->RefreshFromRecord(&record, scroll);
    return object;
}

TLCDObject& ScreenScene::Append(std::unique_ptr<TLCDObject> object, TDBRecordObj* record) {
    TLCDObject& added = *object;
    stack_.Add(added);
    objects_.push_back({std::move(object), record});
    return added;
}

SceneObject ScreenScene::Take(const TLCDObject& object) {
    const int index = IndexOf(object);
    if (index < 0)
        return {};
    SceneObject taken = std::move(objects_[static_cast<std::size_t>(index)]);
    objects_.erase(objects_.begin() + index);
    stack_.Remove(*taken.object);
    return taken;
}

int ScreenScene::IndexOf(const TLCDObject& object) const {
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        if (objects_[i].object.get() == &object)
            return static_cast<int>(i);
    }
    return -1;
}

void ScreenScene::SetZoom(int zoom, Scroll scroll) {
    if (zoom == zoom_)
        return;
    for (const SceneObject& entry : objects_)
        entry.object->SetZoom(scroll, zoom);
    zoom_ = zoom;
}

void ScreenScene::SetLayers(std::uint32_t layers, bool helpMode) {
    layers_ = layers;
    helpMode_ = helpMode;
    for (const SceneObject& entry : objects_)
        entry.object->ApplyLayers(layers, helpMode);
}

const BmpImage* ScreenScene::ShownBitmap() const {
    if ((layers_ & kBitmapLayerBit) == 0)
        return nullptr;
    if ((layers_ & kCaseLayerBits) != 0) {
        for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
            const auto* caseBitmap = dynamic_cast<const TLCDCaseBmpObj*>(it->object.get());
            if (caseBitmap == nullptr || !caseBitmap->IsShownFor(layers_, helpMode_))
                continue;
            if (const BmpImage* bitmap = caseBitmap->Bitmap())
                return bitmap;
            break;
        }
    }
    return helpMode_ ? helpBitmap_.Bitmap() : background_.Bitmap();
}

void ScreenScene::PaintBitmap(LcdCanvas& canvas, int zoom, std::int64_t originX,
                              std::int64_t originY) const {
    const BmpImage* bitmap = ShownBitmap();
    if (bitmap == nullptr)
        return;
    // Each picture at its own size: a 128 × 64 one is never stretched over 240 × 128.
    ZoomedCanvas zoomed(canvas, originX, originY, zoom);
    for (int y = 0; y < bitmap->height; ++y)
        for (int x = 0; x < bitmap->width; ++x)
            if (bitmap->Ink(x, y))
                zoomed.InkBlock(x, y, 1);
}

LcdRect ScreenScene::LcdArea(int zoom) {
    const LcdSize lcd = ProjectCtx().lcdSize;
    return {0, 0, lcd.width * zoom + 11, lcd.height * zoom + 13};
}

void ScreenScene::Paint(Raster& raster, const GuiTextRenderer* text) const {
    const int z = zoom_;
    const int h = scroll_.h;
    const int v = scroll_.v;
    Painter window(raster, raster.Bounds(), text);
    PaintBitmap(window, z, -h, -v);

    const LcdSize lcd = ProjectCtx().lcdSize;
    const int right = lcd.width * z - h;
    const int bottom = lcd.height * z - v;
    window.Polyline({{right + 10, bottom}, {right, bottom}, {right, bottom + 12}},
                    Pen{Colour::Blue, 1});
    const int b = z / 2;
    window.Polyline({{right + b, -v}, {right + b, bottom + b}, {-h, bottom + b}},
                    Pen{Colour::Blue, z});

    for (TLCDObject* object : stack_.PaintOrder()) {
        if (!object->Visible)
            continue;
        Painter painter(raster, object->WindowRect(), text);
        object->Paint(painter);
    }
}

LcdImage ScreenScene::PaintLcd() const {
    LcdImage image(ProjectCtx().lcdSize);
    PaintBitmap(image, 1, 0, 0);
    for (TLCDObject* object : stack_.PaintOrder()) {
        if (object->Visible)
            object->PaintLcd(image, scroll_);
    }
    return image;
}

} // namespace panolcd
