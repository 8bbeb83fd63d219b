#pragma once
// LCD bitmaps: the full-screen monochrome pictures of the bitmap banks, checked against the LCD
// size of the terminal type, and the process-wide cache of loaded pictures with reference counts.

#include "project/bmpfile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
class TLCDBitmapObject {
public:
    static constexpr std::uint8_t kNoBank = 255;

    // Loads the file; the entry takes the bank number when the load succeeded, else 255.
    TLCDBitmapObject(std::uint8_t bankNumber, std::string_view fileName);

    // Checks the size first ("Nedovolené rozměry BMP"), then the pixel format ("BMP musí být
    // černobílá (monochrome)"); either refusal is shown and nothing is kept. A missing file
    // fails silently, and so does a file that is no readable bitmap. The name is kept either
    // way, so that an entry that failed is found and released by it.
    bool Load(std::string_view fileName);
    void Unload();
    void AddRef() { ++refCount_; }
    void Release() {
        if (refCount_ > 0)
            --refCount_;
    }

    std::uint8_t BankNumber() const { return bankNumber_; }
    const std::string& FileName() const { return fileName_; }
    int RefCount() const { return refCount_; }
    // None when nothing is loaded.
    const BmpImage* Bitmap() const { return bitmap_ ? &*bitmap_ : nullptr; }

private:
    std::uint8_t bankNumber_;
    std::string fileName_;
    std::optional<BmpImage> bitmap_;
    int refCount_ = 0;
};

class TLCDBitmaps_Man {
public:
    static constexpr std::uint8_t kByName = 255;

    TLCDBitmapObject* FindByNumber(std::uint8_t number) const;
    TLCDBitmapObject* FindByNumberAndName(std::uint8_t number, std::string_view fileName) const;
    const BmpImage* GetBitmap(std::uint8_t number) const;
    void AcquireBitmap(std::uint8_t number, std::string_view fileName);
    void ReleaseBitmap(std::uint8_t number);
    const BmpImage* GetBitmapByName(std::string_view fileName) const;
    void AcquireBitmapByName(std::string_view fileName);
    // The entry's bank number; 0 without an entry.
    std::uint8_t ReleaseBitmapByName(std::string_view fileName);

    int Count() const { return static_cast<int>(entries_.size()); }

private:
    void ReleaseEntry(TLCDBitmapObject* entry);

    std::vector<std::unique_ptr<TLCDBitmapObject>> entries_;
};

} // namespace panolcd
