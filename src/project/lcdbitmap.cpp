#include "project/lcdbitmap.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "framework/environment/msgbox.h"
#include "project/projectcontext.h"

#include <algorithm>

namespace panolcd {

LcdSize LcdSizeOfTerminal(int terminalType, LcdSize current) {
    if (terminalType == 10)
        return {240, 128};
    if (terminalType == 3)
        return {128, 64};
    return current;
}

void ApplyTerminalType(int terminalType) {
    LcdSize& size = ProjectCtx().lcdSize;
    size = LcdSizeOfTerminal(terminalType, size);
}

// ---- TLCDBitmapObject

TLCDBitmapObject::TLCDBitmapObject(std::uint8_t bankNumber, std::string_view fileName)
    : bankNumber_(bankNumber) {
    if (!Load(fileName))
        bankNumber_ = kNoBank;
}

bool TLCDBitmapObject::Load(std::string_view fileName) {
    Unload();
    // The name stays also when the load fails: the entry is found and released by it.
    fileName_ = std::string(fileName);
    if (!FileExistsAnyCase(fileName))
        return false;
    BmpReadResult read = ReadBmpFile(fileName);
    if (!read.ok)
        return false;
    const LcdSize lcd = ProjectCtx().lcdSize;
    if (read.image.width != lcd.width || read.image.height != lcd.height) {
        MsgBox("", Utf8ToCp1250("Nedovolené rozměry BMP"), mb::kIconError | mb::kOk);
        return false;
    }
    if (read.image.bitsPerPixel != 1) {
        MsgBox("", Utf8ToCp1250("BMP musí být černobílá (monochrome)"), mb::kIconError | mb::kOk);
        return false;
    }
    bitmap_ = std::move(read.image);
    return true;
}

void TLCDBitmapObject::Unload() {
    bitmap_.reset();
    fileName_.clear();
}

// ---- TLCDBitmaps_Man

TLCDBitmapObject* TLCDBitmaps_Man::FindByNumber(std::uint8_t number) const {
    if (number == kByName)
        return nullptr;
    for (const auto& entry : entries_) {
        if (entry->BankNumber() == number)
            return entry.get();
    }
    return nullptr;
}

TLCDBitmapObject* TLCDBitmaps_Man::FindByNumberAndName(std::uint8_t number,
                                                       std::string_view fileName) const {
    for (const auto& entry : entries_) {
        if (entry->BankNumber() == number && SameTextAscii(entry->FileName(), fileName))
            return entry.get();
    }
    return nullptr;
}

const BmpImage* TLCDBitmaps_Man::GetBitmap(std::uint8_t number) const {
    const TLCDBitmapObject* entry = FindByNumber(number);
    return entry ? entry->Bitmap() : nullptr;
}

void TLCDBitmaps_Man::AcquireBitmap(std::uint8_t number, std::string_view fileName) {
    TLCDBitmapObject* entry =
        number == kByName ? FindByNumberAndName(kByName, fileName) : FindByNumber(number);
    if (entry == nullptr) {
        entries_.push_back(std::make_unique<TLCDBitmapObject>(number, fileName));
        entry = entries_.back().get();
    } else if (!SameTextAscii(entry->FileName(), fileName)) {
        entry->Load(fileName);
    }
    entry->AddRef();
}

void TLCDBitmaps_Man::ReleaseBitmap(std::uint8_t number) {
    ReleaseEntry(FindByNumber(number));
}

const BmpImage* TLCDBitmaps_Man::GetBitmapByName(std::string_view fileName) const {
    const TLCDBitmapObject* entry = FindByNumberAndName(kByName, fileName);
    return entry ? entry->Bitmap() : nullptr;
}

void TLCDBitmaps_Man::AcquireBitmapByName(std::string_view fileName) {
    AcquireBitmap(kByName, fileName);
}

std::uint8_t TLCDBitmaps_Man::ReleaseBitmapByName(std::string_view fileName) {
    TLCDBitmapObject* entry = FindByNumberAndName(kByName, fileName);
    if (entry == nullptr)
        return 0;
    const std::uint8_t number = entry->BankNumber();
    ReleaseEntry(entry);
    return number;
}

void TLCDBitmaps_Man::ReleaseEntry(TLCDBitmapObject* entry) {
    if (entry == nullptr)
        return;
    entry->Release();
    if (entry->RefCount() > 0)
        return;
    std::erase_if(entries_, [entry](const auto& held) { return held.get() == entry; });
}

} // namespace panolcd
