#include "framework/records/stringfields.h"

#include "common/format.h"
#include "common/shortstring.h"
#include "framework/environment/restext.h"
#include "framework/persistence/objstream.h"

#include <algorithm>
#include <cstring>

namespace panolcd {

void TDBStringFieldDscr::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    DefaultTextId = -1;
}

void TDBStringFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteStr(DefaultText);
    stream.WriteNum<std::int16_t>(DefaultTextId);
}

void TDBStringFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    DefaultText = stream.ReadStr();
    DefaultTextId = stream.ReadNum<std::int16_t>();
}

std::uint16_t TDBStringFieldDscr::GetFieldSize() const {
    return std::clamp<std::uint16_t>(FieldSize, 1, kMaxStringFieldSize);
}

std::size_t TDBStringFieldDscr::TextCapacity() const {
    return static_cast<std::size_t>(TDBStringFieldDscr::GetFieldSize()) - 1;
}

std::string TDBStringFieldDscr::GetDefaultText() const {
    return ResTextOr(DefaultTextId, DefaultText);
}

void TDBStringFieldDscr::InitFieldValue(std::uint8_t* data) const {
    StoreShortString(data, TextCapacity(), GetDefaultText());
}

std::string TDBStringFieldDscr::StoredText(std::uint8_t* data) const {
    const std::size_t capacity = TextCapacity();
    if (data[0] > capacity)
        data[0] = static_cast<std::uint8_t>(capacity);
    return LoadShortString(data, capacity);
}

std::uint16_t TDBStringFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : TDBStringFieldDscr::GetFieldSize();
}

void TDBStringFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    std::memcpy(buffer, data, GetFieldSize());
}

void TDBStringFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                           bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, GetFieldSize(), modified);
}

std::string TDBStringFieldDscr::ValueText(std::uint8_t* data,
                                          const FieldTextContext& context) const {
    return RenderText(StoredText(data), context);
}

std::string TDBStringFieldDscr::RenderText(const std::string& text,
                                           const FieldTextContext& context) const {
    std::string shown;
    if (context.form != FieldTextForm::CWin && !context.pattern.empty() &&
        PatternFits(context.pattern, PatternValue::Text))
        shown = Format(context.pattern, {text});
    else if (context.unpadded)
        shown = text;
    else
        shown = PadRight(text, context.width);
    shown = CutTo(std::move(shown), context.width);
    if (context.form == FieldTextForm::CSV)
        return "\"" + shown + "\"";
    return shown;
}

void TLabelFieldDscr::InitFieldValue(std::uint8_t* /*data*/) const {}

void TLabelFieldDscr::GetCSV_AStr(std::uint8_t* /*data*/, std::string& /*text*/,
                                  std::size_t /*capacity*/) const {}

void TLabelFieldDscr::PutDataToTrBuff(const std::uint8_t* /*data*/, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    StoreShortString(buffer, TextCapacity(), GetDefaultText());
}

void TLabelFieldDscr::GetDataFromTrBuff(std::uint8_t* /*data*/, const std::uint8_t* /*buffer*/,
                                        bool& /*modified*/) const {}

std::string TLabelFieldDscr::ValueText(std::uint8_t* /*data*/,
                                       const FieldTextContext& context) const {
    return RenderText(CutShortString(GetDefaultText(), TextCapacity()), context);
}

std::string TVsCodeStringDscr::ValueText(std::uint8_t* data,
                                         const FieldTextContext& context) const {
    if (context.form != FieldTextForm::Line)
        return TDBStringFieldDscr::ValueText(data, context);
    return RenderText(CompactCodeText(StoredText(data)), context);
}

std::string CompactCodeText(std::string_view text) {
    std::string out;
    int breaks = 0;
    int spaces = 0;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            ++breaks;
            continue;
        }
        if (c == ' ') {
            ++spaces;
            continue;
        }
        if (breaks > 1 || spaces > 0)
            out += ' ';
        out += c;
        breaks = 0;
        spaces = 0;
    }
    return out;
}

} // namespace panolcd
