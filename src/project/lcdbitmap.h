#pragma once
// LCD bitmaps: the full-screen monochrome pictures of the bitmap banks, checked against the LCD
// size of the terminal type, and the process-wide cache of loaded pictures with reference counts.

#include "project/bankcache.h"
#include "project/bmpfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

struct LcdSize {
    int width = 240;
    int height = 128;
};

// The LCD size of a terminal type (TER): 10 gives 240 × 128, 3 gives 128 × 64; any other type
// keeps `current`.
LcdSize LcdSizeOfTerminal(int terminalType, LcdSize current);
// Sets the LCD size of the process from the terminal type.
void ApplyTerminalType(int terminalType);

// One loaded picture.
class TLCDBitmapObject : public BankEntry {
public:
    static constexpr std::uint8_t kNoBank = 255;

    // Loads the file; the entry takes the bank number when the load succeeded, else 255.
    TLCDBitmapObject(std::uint8_t bankNumber, std::string_view fileName);

    // Checks the size first ("Nedovolené rozměry BMP"), then the pixel format ("BMP musí být
    // černobílá (monochrome)"); either refusal is shown and nothing is kept. A missing file
    // fails silently, and so does a file that is no readable bitmap.
    bool Load(std::string_view fileName);
    void Unload();

    // None when nothing is loaded.
    const BmpImage* Bitmap() const { return bitmap_ ? &*bitmap_ : nullptr; }

private:
    std::optional<BmpImage> bitmap_;
};

class TLCDBitmaps_Man : public BankCache<TLCDBitmapObject> {
public:
    const BmpImage* GetBitmap(std::uint8_t number) const { return BitmapOf(FindByNumber(number)); }
    // The entry is the holder's handle (ReleaseHeld, BitmapOfHeld).
    TLCDBitmapObject* AcquireBitmap(std::uint8_t number, std::string_view fileName) {
        return Acquire(number, fileName);
    }
    void ReleaseBitmap(std::uint8_t number) { Release(number); }
    const BmpImage* GetBitmapByName(std::string_view fileName) const {
        return BitmapOf(FindByNumberAndName(kByName, fileName));
    }
    TLCDBitmapObject* AcquireBitmapByName(std::string_view fileName) {
        return Acquire(kByName, fileName);
    }
    std::uint8_t ReleaseBitmapByName(std::string_view fileName) { return ReleaseByName(fileName); }
    // The picture of an acquired entry; none when it has none or is no longer in the cache.
    const BmpImage* BitmapOfHeld(const BankEntry* entry) const { return BitmapOf(Held(entry)); }
    // The file was written anew: every entry of it, whatever the spelling of its name, loads it
    // again, so each of its holders shows the new picture.
    void ReloadFile(std::string_view fileName);

private:
    static const BmpImage* BitmapOf(const TLCDBitmapObject* entry) {
        return entry ? entry->Bitmap() : nullptr;
    }
};

} // namespace panolcd
