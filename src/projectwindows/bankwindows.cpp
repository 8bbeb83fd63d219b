#include "projectwindows/bankwindows.h"

#include "common/paths.h"
#include "designer/lcdimage.h"
#include "framework/dataentry/enumvalidators.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/stringedits.h"
#include "framework/records/initiator.h"
#include "framework/records/initiatorcoll.h"
#include "project/bankfiles.h"
#include "project/dbtypes.h"
#include "project/lcdfont.h"
#include "project/projectcontext.h"

#include <algorithm>

namespace panolcd {
namespace {

constexpr std::uint16_t kFileNameSize = 255;
constexpr std::uint16_t kPreviewTextSize = 41;
constexpr std::uint16_t kSymbolSize = 17;
constexpr std::uint16_t kFormatSize = 33;
constexpr std::int32_t kLargestRegister = 2000;

std::unique_ptr<TCtrlValidator> Text(std::uint16_t size, const CharSet& chars) {
    auto validator = std::make_unique<TTrStringEdit_Validator>();
    validator->DefAttributs(0, size, chars);
    return validator;
}

std::unique_ptr<TCtrlValidator> Byte() {
    auto validator = std::make_unique<TTrByteEdit_Validator>();
    validator->DefAttributs(0, 0, 255);
    return validator;
}

// Identifiers of the terminal program: ASCII only.
CharSet AsciiChars() {
    CharSet chars;
    for (std::size_t c = 32; c < 128; ++c)
        chars.set(c);
    return chars;
}

} // namespace

const std::vector<BankWindowDef>& BankWindows() {
    static const std::vector<BankWindowDef> windows = {
        {BankWindowKind::Font, "TDBProjFnt_MDIChild", "Bank fontu", "F_PRJFNT", kDBFontBanks, 4,
         297},
        {BankWindowKind::Bitmap, "TDBProjBmp_MDIChild", "Bank bitmapy", "F_PRJBMP", kDBBitmapBanks,
         5, 256},
        {BankWindowKind::Register, "TDBProjMap_MDIChild", "Sledovaný register", "F_PRJMAP",
         kDBRegisterMap, 6, 58},
    };
    return windows;
}

const BankWindowDef* FindBankWindow(std::string_view formName) {
    for (const BankWindowDef& def : BankWindows()) {
        if (def.formName == formName)
            return &def;
    }
    return nullptr;
}

std::optional<std::size_t> FileNameFieldOf(BankWindowKind kind) {
    if (kind == BankWindowKind::Register)
        return std::nullopt;
    return 1;
}

std::vector<PanelField> BankPanelFields(const BankWindowDef& def) {
    std::vector<PanelField> fields;
    switch (def.kind) {
    case BankWindowKind::Font:
        fields.push_back(
            Shown(Byte(), PanelControl::Edit, "EditPan_FontNum_Edit", "Číslo banku fontu"));
        fields.push_back(Shown(Text(kFileNameSize, PrintableChars()), PanelControl::Edit,
                               "EditPan_FontFileName_Edit", "Soubor fontu"));
        fields.push_back(Shown(Text(kPreviewTextSize, PrintableChars()), PanelControl::Edit,
                               "EditPan_FontPreviewStr_Edit", "Text pro náhled"));
        break;
    case BankWindowKind::Bitmap:
        fields.push_back(
            Shown(Byte(), PanelControl::Edit, "EditPan_BmpNum_Edit", "Číslo banku BMP"));
        fields.push_back(Shown(Text(kFileNameSize, PrintableChars()), PanelControl::Edit,
                               "EditPan_BmpFileName_Edit", "Soubor bitmapy"));
        break;
    case BankWindowKind::Register: {
        auto address = std::make_unique<TTrWordEdit_Validator>();
        address->DefAttributs(vfHex, 0, kLargestRegister);
        fields.push_back(
            Shown(std::move(address), PanelControl::Edit, "EditPan_AddrReg_Edit", "Addr Reg"));
        auto type = std::make_unique<TTrEnumCombo_Validator>();
        type->DefAttributs(0);
        fields.push_back(
            Shown(std::move(type), PanelControl::Combo, "EditPan_TypReg_ComboBox", "Typ registru"));
        fields.push_back(
            Shown(Byte(), PanelControl::Edit, "EditPan_BitOffsSSize_Edit", "Bit / StrSize"));
        fields.push_back(Shown(Text(kSymbolSize, AsciiChars()), PanelControl::Edit,
                               "EditPan_RegSymbName_Edit", "Identifikátor"));
        fields.push_back(Shown(Text(kFormatSize, PrintableChars()), PanelControl::Edit,
                               "EditPan_RegFormat_Edit", "Formát zobr."));
        break;
    }
    }
    return fields;
}

std::string RegisterRecordRefusal(TDBRecordObj& record, const TRecIniciatorColl& values) {
    const BankWindowDef& def = *std::ranges::find(BankWindows(), BankWindowKind::Register,
                                                  &BankWindowDef::kind);
    const std::vector<PanelField> fields = BankPanelFields(def);
    // The map's columns stand in the panel's field order; a text too long for its field has
    // already been cut in the record, so it is checked as read.
    for (std::size_t i = 0; i < fields.size() && static_cast<int>(i) < values.Count(); ++i) {
        const auto* text =
            dynamic_cast<const TPStrElIniciatorObj*>(values.Iniciator(static_cast<int>(i)));
        const auto* edit = dynamic_cast<const TTrStringEdit_Validator*>(fields[i].validator.get());
        if (text == nullptr || edit == nullptr)
            continue;
        if (const std::string refusal = edit->TextRefusal(text->Value); !refusal.empty())
            return FieldRefusal(fields[i], refusal);
    }
    return PanelRefusal(fields, record);
}

bool BankPreview::FileNameChanged(std::string_view editText, std::string_view projectDir) {
    const std::string resolved = ResolveBankFile(editText, projectDir);
    if (!held_.empty() && resolved == held_)
        return false;
    const bool held = !held_.empty();
    Release();
    if (resolved.empty() || !FileExistsAnyCase(resolved))
        return held;
    // Held under the name the edit gives; loaded as the file system spells it.
    const std::string file = ExistingSpelling(resolved);
    held_ = resolved;
    if (kind_ == BankWindowKind::Font) {
        entry_ = ProjectCtx().fonts.Acquire(TLCDFonts_Man::kByName, file);
        if (ProjectCtx().fonts.GetFontDataByName(held_).Empty())
            Release();
    } else {
        entry_ = ProjectCtx().bitmaps.AcquireBitmapByName(file);
        if (BitmapPreview() == nullptr)
            Release();
    }
    return true;
}

void BankPreview::Release() {
    if (kind_ == BankWindowKind::Font)
        ProjectCtx().fonts.ReleaseHeld(entry_);
    else
        ProjectCtx().bitmaps.ReleaseHeld(entry_);
    entry_ = nullptr;
    held_.clear();
}

BmpImage BankPreview::FontPreview(std::string_view text) const {
    LcdImage image({kPreviewWidth, kPreviewHeight});
    if (held_.empty() || kind_ != BankWindowKind::Font)
        return image.Image();
    const FontView font = ProjectCtx().fonts.GetFontDataByName(held_);
    if (!font.Empty())
        DrawText(image, {0, 0, kPreviewWidth, kPreviewHeight}, 0, 0, LcdBrush{}, 1, font,
                 text.substr(0, 254));
    return image.Image();
}

const BmpImage* BankPreview::BitmapPreview() const {
    if (kind_ != BankWindowKind::Bitmap)
        return nullptr;
    return ProjectCtx().bitmaps.BitmapOfHeld(entry_);
}

} // namespace panolcd
