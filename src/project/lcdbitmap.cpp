#include "project/lcdbitmap.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/environment/msgbox.h"
#include "project/projectcontext.h"

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
    : BankEntry(bankNumber) {
    if (!Load(fileName))
        bankNumber_ = kNoBank;
}

bool TLCDBitmapObject::Load(std::string_view fileName) {
    Unload();
    fileName_ = std::string(fileName); // kept also when the load fails
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

void TLCDBitmaps_Man::ReloadFile(std::string_view fileName) {
    if (!FindExistingFile(fileName))
        return;
    ReloadWhere([fileName](const TLCDBitmapObject& entry) {
        return SameExistingFile(entry.FileName(), fileName);
    });
}

} // namespace panolcd
