#pragma once
// Views of the records of the project tree: root, font and bitmap banks, screens, register map
// and the variants of the case, onkey and enumeration objects. Offsets and sizes are the record
// layouts the application description declares; the screen objects are in objectrecord.h.

#include "project/recordview.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

// Bank number meaning "no bank".
inline constexpr std::uint8_t kNoBankNum = 255;

class RootRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 201;
    static constexpr std::size_t kProjectName = 0, kProjectNameCap = 127;
    static constexpr std::size_t kTermObjName = 128, kTermObjNameCap = 63;
    static constexpr std::size_t kPrgBankNum = 192;
    static constexpr std::size_t kFontBanksLink = 193, kBitmapBanksLink = 195;
    static constexpr std::size_t kScreensLink = 197, kRegisterMapLink = 199;
    using RecordView::RecordView;

    std::string ProjectName() const { return Text(kProjectName, kProjectNameCap); }
    void SetProjectName(std::string_view v) const { SetText(kProjectName, kProjectNameCap, v); }
    std::string TermObjName() const { return Text(kTermObjName, kTermObjNameCap); }
    void SetTermObjName(std::string_view v) const { SetText(kTermObjName, kTermObjNameCap, v); }
    std::uint8_t PrgBankNum() const { return Get<std::uint8_t>(kPrgBankNum); }
    void SetPrgBankNum(std::uint8_t v) const { Set(kPrgBankNum, v); }
    std::int16_t FontBanksLink() const { return Get<std::int16_t>(kFontBanksLink); }
    std::int16_t BitmapBanksLink() const { return Get<std::int16_t>(kBitmapBanksLink); }
    std::int16_t ScreensLink() const { return Get<std::int16_t>(kScreensLink); }
    std::int16_t RegisterMapLink() const { return Get<std::int16_t>(kRegisterMapLink); }
};

class FontBankRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 297;
    static constexpr std::size_t kFontNum = 0;
    static constexpr std::size_t kFontFileName = 1, kFontFileNameCap = 254;
    static constexpr std::size_t kFontPreviewStr = 256, kFontPreviewStrCap = 40;
    using RecordView::RecordView;

    std::uint8_t FontNum() const { return Get<std::uint8_t>(kFontNum); }
    void SetFontNum(std::uint8_t v) const { Set(kFontNum, v); }
    std::string FontFileName() const { return Text(kFontFileName, kFontFileNameCap); }
    void SetFontFileName(std::string_view v) const { SetText(kFontFileName, kFontFileNameCap, v); }
    std::string FontPreviewStr() const { return Text(kFontPreviewStr, kFontPreviewStrCap); }
    void SetFontPreviewStr(std::string_view v) const {
        SetText(kFontPreviewStr, kFontPreviewStrCap, v);
    }
};

class BitmapBankRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kBmpNum = 0;
    static constexpr std::size_t kBmpFileName = 1, kBmpFileNameCap = 254;
    using RecordView::RecordView;

    std::uint8_t BmpNum() const { return Get<std::uint8_t>(kBmpNum); }
    void SetBmpNum(std::uint8_t v) const { Set(kBmpNum, v); }
    std::string BmpFileName() const { return Text(kBmpFileName, kBmpFileNameCap); }
    void SetBmpFileName(std::string_view v) const { SetText(kBmpFileName, kBmpFileNameCap, v); }
};

class ScreenRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 91;
    static constexpr std::size_t kScrNum = 0;
    static constexpr std::size_t kScrSymb = 1, kScrSymbCap = 16;
    static constexpr std::size_t kScrName = 18, kScrNameCap = 63;
    static constexpr std::size_t kBmpNum = 82, kHlpBmpNum = 83;
    static constexpr std::size_t kLayerMask = 84, kScrFlags = 88, kObjectsLink = 89;
    // ScrFlags bit of the help-screen mode.
    static constexpr std::uint8_t kHelpScreenMode = 0x80;
    using RecordView::RecordView;

    std::uint8_t ScrNum() const { return Get<std::uint8_t>(kScrNum); }
    void SetScrNum(std::uint8_t v) const { Set(kScrNum, v); }
    std::string ScrSymb() const { return Text(kScrSymb, kScrSymbCap); }
    void SetScrSymb(std::string_view v) const { SetText(kScrSymb, kScrSymbCap, v); }
    std::string ScrName() const { return Text(kScrName, kScrNameCap); }
    void SetScrName(std::string_view v) const { SetText(kScrName, kScrNameCap, v); }
    std::uint8_t BmpNum() const { return Get<std::uint8_t>(kBmpNum); }
    void SetBmpNum(std::uint8_t v) const { Set(kBmpNum, v); }
    std::uint8_t HlpBmpNum() const { return Get<std::uint8_t>(kHlpBmpNum); }
    void SetHlpBmpNum(std::uint8_t v) const { Set(kHlpBmpNum, v); }
    std::uint32_t LayerMask() const { return Get<std::uint32_t>(kLayerMask); }
    void SetLayerMask(std::uint32_t v) const { Set(kLayerMask, v); }
    std::uint8_t ScrFlags() const { return Get<std::uint8_t>(kScrFlags); }
    void SetScrFlags(std::uint8_t v) const { Set(kScrFlags, v); }
    std::int16_t ObjectsLink() const { return Get<std::int16_t>(kObjectsLink); }
    void SetObjectsLink(std::int16_t v) const { Set(kObjectsLink, v); }
};

class RegisterRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 54;
    static constexpr std::size_t kAddrReg = 0, kTypReg = 2, kBitOffsSSize = 3;
    static constexpr std::size_t kRegSymbName = 4, kRegSymbNameCap = 16;
    static constexpr std::size_t kRegFormat = 21, kRegFormatCap = 32;
    using RecordView::RecordView;

    std::uint16_t AddrReg() const { return Get<std::uint16_t>(kAddrReg); }
    void SetAddrReg(std::uint16_t v) const { Set(kAddrReg, v); }
    std::uint8_t TypReg() const { return Get<std::uint8_t>(kTypReg); }
    void SetTypReg(std::uint8_t v) const { Set(kTypReg, v); }
    std::uint8_t BitOffs_SSize() const { return Get<std::uint8_t>(kBitOffsSSize); }
    void SetBitOffs_SSize(std::uint8_t v) const { Set(kBitOffsSSize, v); }
    std::string RegSymbName() const { return Text(kRegSymbName, kRegSymbNameCap); }
    void SetRegSymbName(std::string_view v) const { SetText(kRegSymbName, kRegSymbNameCap, v); }
    std::string RegFormat() const { return Text(kRegFormat, kRegFormatCap); }
    void SetRegFormat(std::string_view v) const { SetText(kRegFormat, kRegFormatCap, v); }
};

class CaseVariantRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 82;
    static constexpr std::size_t kCaseConstSym = 0, kCaseConstSymCap = 16;
    static constexpr std::size_t kCaseLayer = 17;
    static constexpr std::size_t kCaseConstComment = 18, kCaseConstCommentCap = 63;
    using RecordView::RecordView;

    std::string CaseConstSym() const { return Text(kCaseConstSym, kCaseConstSymCap); }
    void SetCaseConstSym(std::string_view v) const { SetText(kCaseConstSym, kCaseConstSymCap, v); }
    std::uint8_t CaseLayer() const { return Get<std::uint8_t>(kCaseLayer); }
    void SetCaseLayer(std::uint8_t v) const { Set(kCaseLayer, v); }
    std::string CaseConstComment() const { return Text(kCaseConstComment, kCaseConstCommentCap); }
    void SetCaseConstComment(std::string_view v) const {
        SetText(kCaseConstComment, kCaseConstCommentCap, v);
    }
};

class OnKeyVariantRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 272;
    static constexpr std::size_t kOnKeyConstSym = 0, kOnKeyConstSymCap = 16;
    static constexpr std::size_t kOnKeyConstCode = 17, kOnKeyConstCodeCap = 254;
    using RecordView::RecordView;

    std::string OnKeyConstSym() const { return Text(kOnKeyConstSym, kOnKeyConstSymCap); }
    void SetOnKeyConstSym(std::string_view v) const {
        SetText(kOnKeyConstSym, kOnKeyConstSymCap, v);
    }
    std::string OnKeyConstCode() const { return Text(kOnKeyConstCode, kOnKeyConstCodeCap); }
    void SetOnKeyConstCode(std::string_view v) const {
        SetText(kOnKeyConstCode, kOnKeyConstCodeCap, v);
    }
};

class EnumVariantRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 272;
    static constexpr std::size_t kEnumConstSym = 0, kEnumConstSymCap = 16;
    static constexpr std::size_t kEnumConstStr = 17, kEnumConstStrCap = 254;
    using RecordView::RecordView;

    std::string EnumConstSym() const { return Text(kEnumConstSym, kEnumConstSymCap); }
    void SetEnumConstSym(std::string_view v) const { SetText(kEnumConstSym, kEnumConstSymCap, v); }
    std::string EnumConstStr() const { return Text(kEnumConstStr, kEnumConstStrCap); }
    void SetEnumConstStr(std::string_view v) const { SetText(kEnumConstStr, kEnumConstStrCap, v); }
};

// A variant constant "else" in any letter case marks the default variant.
bool IsDefaultVariantSym(std::string_view symbol);

} // namespace panolcd
