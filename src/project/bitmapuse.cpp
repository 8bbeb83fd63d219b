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
    if (held_ == nullptr)
        return;
    ProjectCtx().bitmaps.ReleaseHeld(held_);
    held_ = nullptr;
}

void BitmapUse::SetBitmap(std::uint8_t number) {
    if (number == number_ && Holds())
        return;
    Drop();
    number_ = number;
    const std::string fileName = BankFile(kDBBitmapBanks, number);
    if (!fileName.empty() && FileExistsAnyCase(fileName)) {
        held_ = ProjectCtx().bitmaps.AcquireBitmap(number, fileName);
        return;
    }
    if (whenMissing_ == WhenMissing::NoBank)
        number_ = TLCDBitmapObject::kNoBank;
}

const BmpImage* BitmapUse::Bitmap() const {
    return held_ == nullptr ? nullptr : ProjectCtx().bitmaps.BitmapOfHeld(held_);
}

} // namespace panolcd
