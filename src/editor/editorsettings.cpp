#include "editor/editorsettings.h"

#include <algorithm>

#include "common/format.h"
#include "common/shortstring.h"
#include "framework/environment/paramtrace.h"
#include "framework/environment/trace.h"

namespace panolcd {

bool TLexElPropNameObj::ParseParam(const std::string& keyword) {
    const int item = MatchKeyword(keyword, "FGD|BGD|STY|");
    if (item == 0)
        return TNameObject::ParseParam(keyword);
    const std::optional<std::int32_t> value = ReadInteger();
    if (!value)
        return true;
    switch (item) {
    case 1:
        Map.Foreground = static_cast<std::uint32_t>(*value);
        break;
    case 2:
        Map.Background = static_cast<std::uint32_t>(*value);
        break;
    default:
        Map.Style = static_cast<std::uint8_t>(*value);
        break;
    }
    return false;
}

std::string TLexElPropNameObj::BuildParamText() const {
    return TNameObject::BuildParamText() +
           Format(" FGD=$%.8X BGD=$%.8X STY=%d", {Map.Foreground, Map.Background, Map.Style});
}

std::string TLexElementMapColl::ElementEntryName(const std::string& prefix, int index) {
    return prefix + Format("%.2X", {index});
}

bool TLexElementMapColl::ReadWithElements() {
    const bool trace = TraceEnabled(1);
    const std::string className(ClassName());
    if (trace)
        TraceLine(0, className + ".Create(" + Name() + ") Entry");
    const bool error = ReadParamFromINI(trace);
    FreeAll();
    for (int i = 0; i <= MAX && i < 256; ++i)
        Insert(MakeTracedParamObject<TLexElPropNameObj>(ElementEntryName(PFX, i)));
    if (trace) {
        TraceWrite(0, Name() + ":" + className + "/TLexElementMapColl.Create Exit");
        TraceLine(0, error ? "ERROR" : "OK");
        TraceLine(0, BuildParamText());
        TraceLine(0, "*** " + className + "(" + Name() + ") **** Count=" + std::to_string(Count()));
        for (std::size_t i = 0; i < Count(); ++i)
            TraceLine(0, At(i)->BuildParamText());
    }
    return error;
}

const TLexElPropNameObj* TLexElementMapColl::Element(std::size_t index) const {
    return index < Count() ? static_cast<const TLexElPropNameObj*>(At(index)) : nullptr;
}

bool TPanoEditNameObject::ParseParam(const std::string& keyword) {
    const int item = MatchKeyword(keyword, "OPT|TAB|BLI|UND|GUW|LNU|RMA|FNT|FSI|KEY|SEX|MAP|");
    if (item == 0)
        return TNameObject::ParseParam(keyword);
    switch (item) {
    case 8:
        FontName = CutShortString(ReadWord(), kShortStringMax);
        return false;
    case 11:
        SyntaxExtensions = CutShortString(ReadWord(), kShortStringMax);
        return false;
    case 12:
        MAP = CutShortString(ReadWord(), kMapNameMax);
        ElementMap = std::make_unique<TLexElementMapColl>(MAP);
        ElementMap->ReadWithElements();
        return false;
    default:
        break;
    }
    const std::optional<std::int32_t> value = ReadInteger();
    if (!value)
        return true; // the field keeps its value
    switch (item) {
    case 1:
        Options = static_cast<std::uint32_t>(*value);
        break;
    case 2:
        TabSize = *value;
        break;
    case 3:
        BlockIndent = *value;
        break;
    case 4:
        UndoLimit = *value;
        break;
    case 5:
        GutterWidth = *value;
        break;
    case 6:
        if (*value >= 0 && *value <= 2)
            ShowLineNumbers = static_cast<std::uint8_t>(*value);
        break;
    case 7:
        RightMargin = *value;
        break;
    case 9:
        FontSize = *value;
        break;
    default:
        if (*value >= 0 && *value <= 1)
            KeyMapping = static_cast<std::uint8_t>(*value);
        break;
    }
    return false;
}

std::string TPanoEditNameObject::BuildParamText() const {
    return TNameObject::BuildParamText() +
           Format(" OPT=$%.8X TAB=%d BLI=%d UND=%d GUW=%d LNU=%d RMA=%d FNT=",
                  {Options, TabSize, BlockIndent, UndoLimit, GutterWidth, ShowLineNumbers,
                   RightMargin}) +
           QuotedWord(FontName) + Format(" FSI=%d KEY=%d SEX=", {FontSize, KeyMapping}) +
           QuotedWord(SyntaxExtensions) + " MAP=" + QuotedWord(MAP);
}

TSmartEditorSettings TPanoEditNameObject::GetSettings() const {
    TSmartEditorSettings settings = VornBasicSyntax().DefaultSettings();
    settings.Options = Options;
    settings.TabSize = TabSize;
    settings.BlockIndent = BlockIndent;
    settings.UndoLimit = UndoLimit;
    settings.GutterWidth = GutterWidth;
    settings.LineNumbers =
        static_cast<panolcd::ShowLineNumbers>(std::min<std::uint8_t>(ShowLineNumbers, 2));
    settings.RightMargin = RightMargin;
    settings.FontName = FontName;
    settings.FontSize = FontSize;
    settings.KeyMapping = KeyMapping;
    settings.SyntaxExtensions = SyntaxExtensions;
    if (ElementMap) {
        const std::size_t count = std::min(ElementMap->Count(), settings.ElementMap.size());
        for (std::size_t i = 0; i < count; ++i)
            settings.ElementMap[i] = ElementMap->Element(i)->Map;
    }
    return settings;
}

void TPanoEditNameObject::PutSettings(const TSmartEditorSettings& settings) {
    Options = settings.Options;
    TabSize = settings.TabSize;
    BlockIndent = settings.BlockIndent;
    UndoLimit = settings.UndoLimit;
    GutterWidth = settings.GutterWidth;
    ShowLineNumbers = static_cast<std::uint8_t>(settings.LineNumbers);
    RightMargin = settings.RightMargin;
    FontName = CutShortString(settings.FontName, kShortStringMax);
    FontSize = settings.FontSize;
    KeyMapping = settings.KeyMapping;
    SyntaxExtensions = CutShortString(settings.SyntaxExtensions, kShortStringMax);
    if (!ElementMap) {
        ElementMap = std::make_unique<TLexElementMapColl>(MAP);
        ElementMap->PFX = kElementPrefix;
    }
    ElementMap->FreeAll();
    for (std::size_t i = 0; i < settings.ElementMap.size(); ++i) {
        auto element = std::make_unique<TLexElPropNameObj>(
            TLexElementMapColl::ElementEntryName(ElementMap->PFX, static_cast<int>(i)));
        element->Map = settings.ElementMap[i];
        element->UPD = 2;
        ElementMap->Insert(std::move(element));
    }
    ElementMap->MAX = static_cast<std::int32_t>(settings.ElementMap.size()) - 1;
    // Written now; an entry that asks for updating keeps asking.
    if (UPD == 0)
        UPD = 2;
    if (ElementMap->UPD == 0)
        ElementMap->UPD = 2;
    WriteParamToINI();
}

void TPanoEditNameObject::WriteParamToINI() {
    TNameObject::WriteParamToINI();
    if (ElementMap)
        ElementMap->WriteParamToINI();
}

} // namespace panolcd
