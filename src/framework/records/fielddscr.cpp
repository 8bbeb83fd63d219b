#include "framework/records/fielddscr.h"

#include "common/format.h"
#include "framework/environment/restext.h"
#include "framework/persistence/objstream.h"

#include <cmath>
#include <cstring>

namespace panolcd {
void TRecFieldTypeDscr::InitDefaults() {
    CaptionId = -1;
}

void TRecFieldTypeDscr::SaveToStream(TrbObjStream& stream) const {
    stream.WriteStr(FieldName);
    stream.WriteNum<std::uint16_t>(FieldSize);
    stream.WriteStr(Caption);
    stream.WriteNum<std::int16_t>(CaptionId);
    stream.WriteNum<std::uint16_t>(Flags);
    stream.WriteNum<std::uint8_t>(LineWidth);
    stream.WriteNum<std::uint8_t>(CWinWidth);
    stream.WriteNum<std::uint8_t>(CSVWidth);
    stream.WriteNum<std::uint8_t>(JoinWidth);
    stream.Put(Evaluators.get());
}

void TRecFieldTypeDscr::LoadFromStream(TrbObjStream& stream) {
    FieldName = stream.ReadStr();
    FieldSize = stream.ReadNum<std::uint16_t>();
    Caption = stream.ReadStr();
    CaptionId = stream.ReadNum<std::int16_t>();
    Flags = stream.ReadNum<std::uint16_t>();
    LineWidth = stream.ReadNum<std::uint8_t>();
    CWinWidth = stream.ReadNum<std::uint8_t>();
    CSVWidth = stream.ReadNum<std::uint8_t>();
    JoinWidth = stream.ReadNum<std::uint8_t>();
    auto evaluators = stream.Get();
    // Only an evaluator collection may sit here; anything else fails as a bad cast.
    StreamableAs<TSemEvalColl>(evaluators.get());
    Evaluators = std::move(evaluators);
}

void TRecFieldTypeDscr::InitFieldValue(std::uint8_t* data) const {
    std::memset(data, 0, GetFieldSize());
}

void TRecFieldTypeDscr::GetLineAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::Line, data, text, capacity);
}

void TRecFieldTypeDscr::GetCWinAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::CWin, data, text, capacity);
}

void TRecFieldTypeDscr::GetCSV_AStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::CSV, data, text, capacity);
}

void TRecFieldTypeDscr::GetJoinAStr(std::uint8_t* data, std::string& text,
                                    std::size_t capacity) const {
    AppendForm(FieldTextForm::Join, data, text, capacity);
}

std::uint16_t TRecFieldTypeDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : FieldSize;
}

void TRecFieldTypeDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    std::memcpy(buffer, data, FieldSize);
}

void TRecFieldTypeDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                          bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, FieldSize, modified);
}

void TRecFieldTypeDscr::FreeTrBuffRec(std::uint8_t* /*buffer*/) const {}

void TRecFieldTypeDscr::RunFieldSemantics(std::int16_t semId, int event, SemData data) const {
    const auto* evaluators = dynamic_cast<const TSemEvalColl*>(Evaluators.get());
    if (evaluators == nullptr)
        return;
    evaluators->RunAllEvaluators(semId, kSemPhaseField, data, event);
}

void TRecFieldTypeDscr::RecordEvent(TDBRecordObj* /*record*/, int /*event*/) const {}

void TRecFieldTypeDscr::CheckDBPtr(TDBColl* /*databases*/, std::uint8_t* /*data*/,
                                   int& /*status*/) const {}

void TRecFieldTypeDscr::LinkDBPtr(TDataBase* /*database*/, TDBRecordObj* /*record*/,
                                  std::uint8_t* /*data*/) const {}

void TRecFieldTypeDscr::EnsureDBPtr(TDataBase* /*database*/, TDBRecordObj* /*record*/,
                                    std::uint8_t* /*data*/) const {}

std::string TRecFieldTypeDscr::GetCaption() const {
    return CutTo(ResTextOr(CaptionId, Caption), static_cast<int>(kCaptionMax));
}

FieldTextContext TRecFieldTypeDscr::ContextFor(FieldTextForm form) const {
    FieldTextContext context;
    context.form = form;
    const bool formatted = HasFlag(fFormat);
    switch (form) {
    case FieldTextForm::Line:
        context.width = LineWidth;
        context.unpadded = HasFlag(fNoPad);
        if (formatted)
            context.pattern = GetCaption();
        break;
    case FieldTextForm::CWin:
        context.width = CWinWidth;
        context.unpadded = HasFlag(fCWinNoPad);
        break;
    case FieldTextForm::CSV:
        context.width = CSVWidth;
        context.unpadded = HasFlag(fNoPad);
        if (formatted)
            context.pattern = CsvPattern(GetCaption());
        break;
    case FieldTextForm::Join:
        context.width = JoinWidth;
        context.unpadded = HasFlag(fNoPad);
        if (formatted)
            context.pattern = GetCaption();
        break;
    }
    return context;
}

void TRecFieldTypeDscr::AppendForm(FieldTextForm form, std::uint8_t* data, std::string& text,
                                   std::size_t capacity) const {
    const FieldTextContext context = ContextFor(form);
    if (form == FieldTextForm::CSV) {
        if (HasFlag(fCSVNewLine))
            AppendCapped(text, capacity, "\r\n");
        if (context.width == 0 && !HasFlag(fCSVAlways))
            return;
        AppendCapped(text, capacity, ValueText(data, context));
        AppendCapped(text, capacity, ";");
        return;
    }
    const std::uint16_t captionOff = form == FieldTextForm::Line   ? fNoLineCaption | fFormat
                                     : form == FieldTextForm::CWin ? fNoCWinCaption
                                                                   : fNoJoinCaption | fFormat;
    if ((Flags & captionOff) == 0)
        AppendCapped(text, capacity, GetCaption());
    if (context.width == 0)
        return;
    AppendCapped(text, capacity, ValueText(data, context));
}

std::string TRecFieldTypeDscr::ValueText(std::uint8_t* data,
                                         const FieldTextContext& context) const {
    if (HasFlag(fHex)) {
        std::string text;
        for (std::uint16_t i = 0; i < GetFieldSize(); ++i)
            text += "$" + HexDigits(data[i], 2);
        return text;
    }
    if (context.unpadded)
        return {};
    return std::string(static_cast<std::size_t>(context.width), ' ');
}

std::string TRecFieldTypeDscr::Aligned(std::string text, const FieldTextContext& context) const {
    if (context.unpadded)
        return text;
    return AlignRight(std::move(text), context.width);
}

std::string TRecFieldTypeDscr::IntegerText(std::int64_t value, std::uint64_t bits, int hexDigits,
                                           const FieldTextContext& context) const {
    if (HasFlag(fHex))
        return Aligned("$" + HexDigits(bits, hexDigits), context);
    if (context.form != FieldTextForm::CWin && !context.pattern.empty() &&
        PatternFits(context.pattern, PatternValue::Integer))
        return Format(context.pattern, {static_cast<long long>(value)});
    return Aligned(std::to_string(value), context);
}

std::string TRecFieldTypeDscr::RealText(double value, int decimals,
                                        const FieldTextContext& context) const {
    const int width = context.width;
    if (HasFlag(fHex))
        return CutTo(FixedText(value, width - 1), width);
    if (HasFlag(fAutoDec))
        return Aligned(FixedText(value, AutoDecimals(value, width)), context);
    if (HasFlag(fExpo))
        return ExpoText(value, width);
    if (context.form != FieldTextForm::CWin && !context.pattern.empty() &&
        PatternFits(context.pattern, PatternValue::Real))
        return Format(context.pattern, {value});
    return Aligned(FixedText(value, decimals), context);
}

void CopyBackToRecord(std::uint8_t* data, const std::uint8_t* buffer, std::size_t count,
                      bool& modified) {
    if (std::memcmp(data, buffer, count) == 0)
        return;
    std::memcpy(data, buffer, count);
    modified = true;
}

} // namespace panolcd
