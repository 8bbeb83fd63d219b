#pragma once
// The bitmap a screen (background or help background) or a case-bitmap object shows: a bank
// number resolved to the project's bitmap file, held in the shared bitmap cache while in use.

#include "project/lcdbitmap.h"

#include <cstdint>

namespace panolcd {

class BitmapUse {
public:
    // What a holder's number becomes when the bank's file is missing: a screen shows no
    // background (255), a case-bitmap object keeps the number the user chose.
    enum class WhenMissing { NoBank, KeepNumber };

    explicit BitmapUse(WhenMissing whenMissing) : whenMissing_(whenMissing) {}
    ~BitmapUse();
    BitmapUse(const BitmapUse&) = delete;
    BitmapUse& operator=(const BitmapUse&) = delete;

    // Holds the bitmap of bank `number` (nothing changes when it already does). There is no
    // default bitmap.
    void SetBitmap(std::uint8_t number);
    void Drop();

    std::uint8_t Number() const { return number_; }
    bool Holds() const { return held_ != nullptr; }
    // None when nothing is held or the file was refused.
    const BmpImage* Bitmap() const;

private:
    WhenMissing whenMissing_;
    std::uint8_t number_ = TLCDBitmapObject::kNoBank;
    // The cache entry this holder acquired (also one whose file was refused): released as it is,
    // never looked up again by a number or a name another holder may share.
    const TLCDBitmapObject* held_ = nullptr;
};

} // namespace panolcd
