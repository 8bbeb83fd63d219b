#include "framework/dataentry/refvalidators.h"

#include "common/cp1250.h"
#include "common/littleendian.h"
#include "common/text.h"
#include "framework/environment/msgbox.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/recordscontext.h"
#include "framework/records/semantics.h"

#include <algorithm>
#include <optional>

namespace panolcd {
namespace {

constexpr std::size_t kParamsOffset = 1;
constexpr std::size_t kRecordRefOffset = 11;

LookupParamArray SlotParams(TrBuffer slot) {
    LookupParamArray params{};
    for (std::size_t i = 0; i < params.size(); ++i)
        params[i] = ReadLE<std::uint16_t>(slot.data() + kParamsOffset + 2 * i);
    return params;
}

std::vector<RefCandidate> SlotCandidates(TrBuffer slot) {
    return CollectRefCandidates(SlotParams(slot),
                                ReadLE<std::uint32_t>(slot.data() + kRecordRefOffset));
}

// Leaves the semantics reset however the run ends; the caller owns the scan objects.
class SemanticsRun {
public:
    SemanticsRun(TSemantics& semantics, TScanObject& scanObj, TScanObjColl& scanColl)
        : semantics_(semantics) {
        semantics_.ResetAll();
        semantics_.ScanObj = &scanObj;
        semantics_.ScanColl = &scanColl;
    }
    ~SemanticsRun() { semantics_.ResetAll(); }
    SemanticsRun(const SemanticsRun&) = delete;
    SemanticsRun& operator=(const SemanticsRun&) = delete;

private:
    TSemantics& semantics_;
};

// A decimal number 0..255, else nothing.
std::optional<std::uint8_t> ByteNumber(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 255)
            return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::vector<RefCandidate> CollectRefCandidates(const LookupParamArray& params,
                                               std::uint32_t startRecord) {
    auto* start = dynamic_cast<TDBRecordObj*>(RecordsCtx().handles.Resolve(startRecord));
    if (start == nullptr)
        return {};
    TDataBase* database = start->GetDBTidDataBase(params[1]);
    const auto semId = static_cast<std::int16_t>(params[2]);
    TSemantics* semantics = AppSemantics(semId);
    if (database == nullptr || semantics == nullptr)
        return {};

    TScanObject scanObj;
    TScanObjColl scanColl;
    {
        SemanticsRun run(*semantics, scanObj, scanColl);
        semantics->ResetResults();
        database->RunDBSemantics(semId, kSemEventScan);
    }
    TDBFilterValidator* filter = database->Filter(static_cast<std::int16_t>(params[3]));
    std::vector<RefCandidate> candidates;
    for (int i = 0; i < scanColl.Count(); ++i) {
        const TScanObject* item = scanColl.ScanAt(i);
        TDBRecordObj* record =
            item != nullptr && item->ScanRec != nullptr ? item->ScanRec->DBRecord() : nullptr;
        if (record == nullptr || (filter != nullptr && !filter->AcceptRecord(*database, *record)))
            continue;
        candidates.push_back({item->WordKey, record, item->ScanDB ? item->ScanDB : database});
    }
    // A key semantics that does not sort still gives an ordered list.
    std::ranges::stable_sort(candidates, {}, &RefCandidate::key);
    return candidates;
}

// ---- TTrRefByteEdit_Validator

void TTrRefByteEdit_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                            PanelHost* host, std::uint8_t panel,
                                            std::int32_t offset, std::int32_t factor,
                                            std::int32_t maximum) {
    CtrlFlags = flags;
    host_ = host;
    panel_ = panel;
    SetLine(minimum, offset, factor, maximum);
}

void TTrRefByteEdit_Validator::ReadField() {
    TTrLinFceByteEdit_Validator::ReadField();
    candidates_ = SlotCandidates(data_);
    ShowReferenced();
}

void TTrRefByteEdit_Validator::ShowReferenced() {
    if (panel_ == kNoPanel || host_ == nullptr)
        return;
    const auto match = std::ranges::find(candidates_, value_, &RefCandidate::key);
    if (match == candidates_.end()) {
        host_->ClearPanel(panel_);
        return;
    }
    const TrBuffer panel = host_->PanelBuffer(panel_);
    if (panel.size() < kPositionRecordSize)
        return;
    HandleTable<TrbStreamable>& handles = RecordsCtx().handles;
    WriteLE<std::uint32_t>(panel.data(), handles.Register(match->database));
    WriteLE<std::uint32_t>(panel.data() + 4, handles.Register(match->record));
    WriteLE<std::int16_t>(panel.data() + 8, -1);  // insert position: append
    WriteLE<std::int16_t>(panel.data() + 10, 0);  // record selector
    WriteLE<std::int16_t>(panel.data() + 12, -1); // filter: none
    host_->ShowPanel(panel_);
}

// ---- TTrRefByteLookUpCombo_Validator

void TTrRefByteLookUpCombo_Validator::DefAttributs(std::uint16_t flags, std::uint8_t defaultValue) {
    CtrlFlags = flags;
    default_ = defaultValue;
}

void TTrRefByteLookUpCombo_Validator::ReadField() {
    value_ = data_[0];
    candidates_ = SlotCandidates(data_);
}

std::string TTrRefByteLookUpCombo_Validator::KeyText(std::uint16_t key) const {
    return HexShown() ? DollarHex(key, 2) : std::to_string(key);
}

void TTrRefByteLookUpCombo_Validator::ShowValue() {
    const bool lineTexts = control_->IsDropDownList();
    std::vector<std::string> items;
    int selected = -1;
    for (const RefCandidate& candidate : candidates_) {
        if (candidate.key == value_ && selected < 0)
            selected = static_cast<int>(items.size());
        if (!lineTexts) {
            items.push_back(KeyText(candidate.key));
            continue;
        }
        std::string text;
        candidate.record->GetLineAStr(text, kMaxLineText);
        if (text.size() > kMaxLineText)
            text.resize(kMaxLineText);
        items.push_back(std::move(text));
    }
    control_->SetItems(items);
    control_->SetItemIndex(selected);
    if (selected < 0)
        control_->SetText(lineTexts ? NoneText() : KeyText(value_));
}

const std::string& TTrRefByteLookUpCombo_Validator::NoneText() {
    static const std::string text = Utf8ToCp1250("(žádný)");
    return text;
}

void TTrRefByteLookUpCombo_Validator::EmptyControl() {
    control_->SetItemIndex(-1);
    control_->SetText({});
}

bool TTrRefByteLookUpCombo_Validator::ValidateControl() {
    const int count = std::min(control_->ItemCount(), static_cast<int>(candidates_.size()));
    int item = control_->ItemIndex();
    const std::string typed = control_->Text();
    for (int i = 0; (item < 0 || item >= count) && i < count; ++i) {
        if (control_->ItemText(i) == typed)
            item = i;
    }
    if (item >= 0 && item < count) {
        value_ = static_cast<std::uint8_t>(candidates_[static_cast<std::size_t>(item)].key);
        return true;
    }
    // A value no record answers to (255 for none, a deleted bank) stays until another is chosen.
    if (item < 0 && typed == NoneText())
        return true;
    if (const std::optional<std::uint8_t> number = ByteNumber(TrimBlanks(typed))) {
        value_ = *number;
        return true;
    }
    if (candidates_.empty() && (CtrlFlags & vfDefaultIfEmpty) != 0) {
        value_ = default_;
        return true;
    }
    return Fail("LookUp Validate Err");
}

} // namespace panolcd
