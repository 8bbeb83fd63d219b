#include "project/fontuse.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/programfiles.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"

namespace panolcd {

std::string DefaultFontFile() {
    return ProgramFile(EnvCtx().settings, ".FNT");
}

FontUse::~FontUse() {
    Drop();
}

void FontUse::Drop() {
    TLCDFonts_Man& fonts = ProjectCtx().fonts;
    if (held_ == Held::Bank)
        fonts.ReleaseFont(number_);
    else if (held_ == Held::Fallback)
        fonts.ReleaseFontByName(fallbackName_);
    held_ = Held::None;
}

void FontUse::SetFont(std::uint8_t number) {
    if (number == number_ && Holds())
        return;
    Drop();
    number_ = number;
    TLCDFonts_Man& fonts = ProjectCtx().fonts;
    const std::string bankFile = BankFile(kDBFontBanks, number);
    if (!bankFile.empty() && FileExistsAnyCase(bankFile)) {
        fonts.AcquireFont(number, bankFile);
        held_ = Held::Bank;
        return;
    }
    // The default font by its own name: the cache entry of bank 0 keeps the project's file.
    fallbackName_ = DefaultFontFile();
    if (FileExistsAnyCase(fallbackName_)) {
        fonts.AcquireFontByName(fallbackName_);
        held_ = Held::Fallback;
    }
}

FontView FontUse::Font() const {
    const TLCDFonts_Man& fonts = ProjectCtx().fonts;
    switch (held_) {
    case Held::Bank:
        return fonts.GetFontData(number_);
    case Held::Fallback:
        return fonts.GetFontDataByName(fallbackName_);
    case Held::None:
        break;
    }
    return {};
}

} // namespace panolcd
