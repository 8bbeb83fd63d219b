#include "project/bitmapuse.h"

#include "common/paths.h"
#include "project/dbtypes.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"

namespace panolcd {

BitmapUse::~BitmapUse() {
    Drop();
}

void BitmapUse::Drop() {
    if (!holds_)
        return;
    TLCDBitmaps_Man& bitmaps = ProjectCtx().bitmaps;
    // A file refused at loading left an entry of no bank: it is found by its name.
    if (bitmaps.FindByNumber(number_) != nullptr)
        bitmaps.ReleaseBitmap(number_);
    else
        bitmaps.ReleaseBitmapByName(fileName_);
    holds_ = false;
}

void BitmapUse::SetBitmap(std::uint8_t number) {
    if (number == number_ && holds_)
        return;
    Drop();
    number_ = number;
    fileName_ = BankFile(kDBBitmapBanks, number);
    if (!fileName_.empty() && FileExistsAnyCase(fileName_)) {
        ProjectCtx().bitmaps.AcquireBitmap(number, fileName_);
        holds_ = true;
        return;
    }
    if (whenMissing_ == WhenMissing::NoBank)
        number_ = TLCDBitmapObject::kNoBank;
}

const BmpImage* BitmapUse::Bitmap() const {
    if (!holds_)
        return nullptr;
    const TLCDBitmaps_Man& bitmaps = ProjectCtx().bitmaps;
    if (bitmaps.FindByNumber(number_) != nullptr)
        return bitmaps.GetBitmap(number_);
    return nullptr;
}

} // namespace panolcd
