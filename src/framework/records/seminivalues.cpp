#include "framework/records/seminivalues.h"

#include "common/format.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/conversions.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/inifile.h"
#include "framework/environment/restext.h"
#include "framework/environment/trace.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/semfielddata.h"

#include <cstdint>
#include <optional>

namespace panolcd {
namespace {

constexpr std::size_t kIniNumberMax = 31;
constexpr std::size_t kIniFileNameMax = 254;

// The file to read from, or nullopt when reading is skipped.
std::optional<std::string> IniFileToRead(std::string_view redirectSection, std::string_view section,
                                         bool onlyWithRedirect) {
    if (onlyWithRedirect && redirectSection.empty())
        return std::nullopt;
    const std::string& work = EnvCtx().app.WorkIniFile;
    if (section.empty() || work.empty() || !IniFile(work).Exists())
        return std::nullopt;
    return ResolveIniFile(work, redirectSection, false);
}

void WriteIni(std::string_view redirectSection, std::string_view section, std::string_view key,
              std::string_view value) {
    if (section.empty())
        return;
    const std::string file = ResolveIniFile(EnvCtx().app.WorkIniFile, redirectSection, true);
    if (IniFile(file).Write(section, key, value))
        ReportInternalError(file);
}

} // namespace

std::string ResolveIniFile(const std::string& file, std::string_view redirectSection,
                           bool allowMissing) {
    if (redirectSection.empty())
        return file;
    std::string name =
        CutShortString(IniFile(file).Read(redirectSection, "INIfileFN"), kIniFileNameMax);
    if (name.empty() || ExtractFileExt(name).empty())
        return file;
    if (!HasDirectoryPart(name))
        name = AppendSeparator(EnvCtx().app.WorkDir) + name;
    if (allowMissing || IniFile(name).Exists())
        return name;
    return file;
}

void TDWAppINISetSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WriteNum<std::int32_t>(Value);
    stream.WritePChar(RedirectSection);
    stream.WritePChar(IniSection);
    stream.WritePChar(IniKey);
}

void TDWAppINISetSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    Value = stream.ReadNum<std::int32_t>();
    RedirectSection = stream.ReadPChar();
    IniSection = stream.ReadPChar();
    IniKey = stream.ReadPChar();
    ReadValueFromINI(false);
}

void TDWAppINISetSem::ReadValueFromINI(bool onlyWithRedirect) {
    const auto file = IniFileToRead(RedirectSection, IniSection, onlyWithRedirect);
    if (!file)
        return;
    const std::string text = IniFile(*file).Read(IniSection, IniKey).substr(0, kIniNumberMax);
    if (const auto value = ParseIntText(text))
        Value = *value;
}

void TDWAppINISetSem::WriteValueToINI() {
    WriteIni(RedirectSection, IniSection, IniKey,
             "$" + Format("%.8X", {static_cast<std::uint32_t>(Value)}));
}

void TDWAppINISetSem::Evaluate(int phase, int event, SemData data) {
    const std::size_t width = FieldWidth();
    if (phase != kSemPhaseField || data.size() < width)
        return;
    // The field zero-extended, and Value cut to the field's width.
    std::uint32_t field = 0;
    for (std::size_t i = 0; i < width; ++i)
        field |= std::uint32_t{data[i]} << (8 * i);
    const std::uint32_t mask = width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
    switch (event) {
    case kSemEventLoad:
        Value = static_cast<std::int32_t>(field);
        Found = true;
        break;
    case kSemEventStore: {
        const std::uint32_t value = static_cast<std::uint32_t>(Value) & mask;
        if (field != value)
            SetModified();
        for (std::size_t i = 0; i < width; ++i)
            data[i] = static_cast<std::uint8_t>(value >> (8 * i));
        Found = true;
        break;
    }
    case kSemEventWriteOut:
        Value = static_cast<std::int32_t>(field);
        WriteValueToINI();
        Found = true;
        break;
    default:
        break;
    }
}

void TStrAppINISetSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WritePChar(RedirectSection);
    stream.WritePChar(IniSection);
    stream.WritePChar(IniKey);
    stream.WriteNum<std::uint8_t>(MaxLen);
    stream.WriteNum<std::uint8_t>(FormatKind);
    stream.WriteNum<std::int32_t>(TextId);
    stream.WriteStr(StrValue);
}

void TStrAppINISetSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    RedirectSection = stream.ReadPChar();
    IniSection = stream.ReadPChar();
    IniKey = stream.ReadPChar();
    MaxLen = stream.ReadNum<std::uint8_t>();
    FormatKind = stream.ReadNum<std::uint8_t>();
    TextId = stream.ReadNum<std::int32_t>();
    StrValue = stream.ReadStr();
    ReadValueFromINI(false);
}

std::string TStrAppINISetSem::CutToMaxLen(std::string_view text) const {
    return CutShortString(text, MaxLen == 0 ? 0 : MaxLen - 1u);
}

std::string TStrAppINISetSem::DisplayText() const {
    return ResTextOr(TextId, StrValue);
}

void TStrAppINISetSem::ReadValueFromINI(bool onlyWithRedirect) {
    const auto file = IniFileToRead(RedirectSection, IniSection, onlyWithRedirect);
    if (!file)
        return;
    std::string text = CutToMaxLen(IniFile(*file).Read(IniSection, IniKey));
    if (!text.empty())
        StrValue = std::move(text);
}

void TStrAppINISetSem::WriteValueToINI() {
    // The quotes keep leading and trailing blanks when the value is read back.
    WriteIni(RedirectSection, IniSection, IniKey, "'" + DisplayText() + "'");
}

void TStrAppINISetSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::GetText(data);
    if (phase != kSemPhaseField || !field)
        return;
    switch (event) {
    case kSemEventLoad:
        StrValue = CutToMaxLen(*field);
        Found = true;
        break;
    case kSemEventStore: {
        std::string text = DisplayText();
        if (ScanObj != nullptr) {
            switch (FormatKind) {
            case 1:
                text = Format(text, {ScanObj->WordKey & 0xFF});
                break;
            case 2:
                text = Format(text, {static_cast<std::int16_t>(ScanObj->WordKey)});
                break;
            case 3:
                text = Format(text, {ScanObj->WordKey});
                break;
            case 4:
                text = Format(text, {ScanObj->LongKey});
                break;
            case 5:
                text = Format(text, {static_cast<std::uint32_t>(ScanObj->LongKey)});
                break;
            default:
                break;
            }
        }
        const std::string stored = semfield::FitText(data, CutToMaxLen(text));
        if (*field != stored)
            SetModified();
        semfield::PutText(data, stored);
        Found = true;
        break;
    }
    case kSemEventWriteOut:
        StrValue = CutToMaxLen(*field);
        WriteValueToINI();
        Found = true;
        break;
    default:
        break;
    }
}

void RegisterIniSemantics() {
    RegisterClass<TDWAppINISetSem>();
    RegisterClass<TWoAppINISetSem>();
    RegisterClass<TByAppINISetSem>();
    RegisterClass<TStrAppINISetSem>();
}

} // namespace panolcd
