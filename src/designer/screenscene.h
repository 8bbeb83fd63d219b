#pragma once
// One screen as the designer shows it: the objects built from the screen's object records (list
// order pairs object i with record i; the z-order is kept apart), the background and help
// bitmaps, the visible layers and help mode, and the painting of the whole screen into the
// window's raster or into the one-bit picture of the LCD. The design window and the command-line
// renderer both draw through it.

#include "designer/lcdimage.h"
#include "designer/lcdobject.h"
#include "designer/objectstack.h"
#include "project/bitmapuse.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace panolcd {

class TDataBase;
class TDBRecordObj;

// The class of a kind; a plain object for kinds never created.
std::unique_ptr<TLCDObject> CreateObjectOfKind(std::uint8_t kind, int zoom);

// An object and the record it loads from and stores to.
struct SceneObject {
    std::unique_ptr<TLCDObject> object;
    TDBRecordObj* record = nullptr;
};

inline constexpr std::uint32_t kBitmapLayerBit = 0x1;
inline constexpr std::uint32_t kCaseLayerBits = 0x7FFFFFF8; // layers 3..30

class ScreenScene {
public:
    explicit ScreenScene(int zoom = 1) : zoom_(zoom) {}

    // Builds every object of the screen record's objects, loads it and refreshes it from its
    // record (so that command boxes show their statements at once), then applies the record's
    // layers and help mode. The bitmaps follow BmpNum and HlpBmpNum.
    void Load(TDBRecordObj& screen);
    // The objects of the records of `objects`, in order; none without a database.
    void LoadObjects(TDataBase* objects);
    void SetLayers(std::uint32_t layers, bool helpMode);
    // Every object follows; `scroll` is the position before the window changes its own.
    void SetZoom(int zoom, Scroll scroll);
    void SetScroll(Scroll scroll) { scroll_ = scroll; }
    // Holds the background or help bitmap of a bank (255: none).
    void SetBackground(std::uint8_t number) { background_.SetBitmap(number); }
    void SetHelpBitmap(std::uint8_t number) { helpBitmap_.SetBitmap(number); }
    std::uint8_t BackgroundNumber() const { return background_.Number(); }
    std::uint8_t HelpBitmapNumber() const { return helpBitmap_.Number(); }

    // The object of a record: built for its kind, loaded and refreshed from it.
    static std::unique_ptr<TLCDObject> ObjectOfRecord(TDBRecordObj& record, int zoom,
                                                      Scroll scroll);
    // Appends an object, on top of the z-order.
    TLCDObject& Append(std::unique_ptr<TLCDObject> object, TDBRecordObj* record);
    // Takes an object out of the list and the z-order and hands it back.
    SceneObject Take(const TLCDObject& object);
    // -1 when the object is not in the list.
    int IndexOf(const TLCDObject& object) const;
    std::uint32_t Layers() const { return layers_; }
    bool HelpMode() const { return helpMode_; }
    int Zoom() const { return zoom_; }
    Scroll ScrollPosition() const { return scroll_; }

    const std::vector<SceneObject>& Objects() const { return objects_; }
    ObjectStack& Stack() { return stack_; }

    // The picture the LCD layer shows: the last case bitmap shown while a case layer is visible,
    // else the help or the background bitmap; none while layer 0 is hidden.
    const BmpImage* ShownBitmap() const;

    // The window's client area from the scroll position: bitmap, LCD edges, objects back to
    // front. `text` draws the command boxes' texts.
    void Paint(Raster& raster, const GuiTextRenderer* text) const;
    // What the terminal shows.
    LcdImage PaintLcd() const;
    // The window pixels the LCD, its edges and their corner mark take.
    static LcdRect LcdArea(int zoom);

private:
    void PaintBitmap(LcdCanvas& canvas, int zoom, std::int64_t originX, std::int64_t originY) const;

    int zoom_;
    Scroll scroll_;
    std::uint32_t layers_ = 0;
    bool helpMode_ = false;
    std::vector<SceneObject> objects_;
    ObjectStack stack_;
    BitmapUse background_{BitmapUse::WhenMissing::NoBank};
    BitmapUse helpBitmap_{BitmapUse::WhenMissing::NoBank};
};

} // namespace panolcd
