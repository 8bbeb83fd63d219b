#include "framework/dataentry/enumvalidators.h"

#include "common/cp1250.h"
#include "common/littleendian.h"
#include "framework/environment/conversions.h"
#include "framework/records/appdata.h"
#include "framework/records/enumtypes.h"

#include <algorithm>
#include <limits>

namespace panolcd {
namespace {

const std::string kEnumErr = "Enum Err: ";

} // namespace

// ---- TTrEnumCombo_Validator

void TTrEnumCombo_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                          std::int32_t maximum) {
    CtrlFlags = flags;
    // The field is one byte.
    min_ = std::clamp(minimum, 0, 255);
    max_ = std::clamp(maximum, 0, 255);
}

void TTrEnumCombo_Validator::ReadField() {
    value_ = data_[0];
    typeIx_ = ReadLE<std::int32_t>(data_.data() + 1);
}

void TTrEnumCombo_Validator::WriteField() {
    data_[0] = value_;
}

const TEnumTypeDefStrings* TTrEnumCombo_Validator::Strings() const {
    if (typeIx_ < 0 || typeIx_ > std::numeric_limits<std::int16_t>::max())
        return nullptr;
    return AppEnumStrings(static_cast<std::int16_t>(typeIx_));
}

std::vector<std::string> TTrEnumCombo_Validator::ItemTexts() const {
    std::vector<std::string> texts;
    if (const TEnumTypeDefStrings* strings = Strings()) {
        for (int i = 0; i < strings->Count(); ++i)
            texts.push_back(strings->Get(i));
    }
    return texts;
}

int TTrEnumCombo_Validator::ValueItem() const {
    const TEnumTypeDefStrings* strings = Strings();
    if (strings == nullptr)
        return -1;
    const int item = strings->EnumItemOfValue(value_);
    return item >= 0 && item < strings->Count() ? item : -1;
}

int TTrEnumCombo_Validator::ItemValue(int item) const {
    const TEnumTypeDefStrings* strings = Strings();
    return strings != nullptr ? strings->EnumValueOfItem(item) : item;
}

std::string TTrEnumCombo_Validator::RangeText() const {
    return "<" + std::to_string(min_) + ";" + std::to_string(max_) + ">";
}

void TTrEnumCombo_Validator::ShowValue() {
    control_->SetItems(ItemTexts());
    const int item = ValueItem();
    control_->SetItemIndex(item);
    if (item < 0)
        control_->SetText(DollarHex(value_, 2));
}

void TTrEnumCombo_Validator::EmptyControl() {
    control_->SetItemIndex(-1);
    control_->SetText({});
}

bool TTrEnumCombo_Validator::ValidateControl() {
    const std::string typed = control_->Text();
    int item = control_->ItemIndex();
    for (int i = 0; item < 0 && i < control_->ItemCount(); ++i) {
        if (control_->ItemText(i) == typed)
            item = i;
    }
    if (item >= 0) {
        const int value = ItemValue(item);
        if (value < min_ || value > max_)
            return Fail(kEnumErr + std::to_string(value) + " out of " + RangeText());
        value_ = static_cast<std::uint8_t>(value);
        return true;
    }
    // A value without an item, shown and left as it was.
    if (typed == DollarHex(value_, 2))
        return true;
    std::string error = typed;
    std::int32_t value = value_;
    StrToIntLim(error, 255, value, 0, max_, min_);
    if (!error.empty())
        return Fail(kEnumErr + error + " " + RangeText());
    value_ = static_cast<std::uint8_t>(value);
    return true;
}

std::string TTrEnumCombo_Validator::DataRefusal() const {
    if (value_ < min_ || value_ > max_)
        return kEnumErr + std::to_string(value_) + " out of " + RangeText();
    if (Strings() != nullptr && ValueItem() < 0)
        return kEnumErr + std::to_string(value_) + Utf8ToCp1250(" není položkou výčtu");
    return {};
}

// ---- TTrMskEnumCombo_Validator

void TTrMskEnumCombo_Validator::DefAttributs(std::uint16_t flags, std::int32_t minimum,
                                             std::uint8_t mask, std::int32_t maximum) {
    TTrEnumCombo_Validator::DefAttributs(flags, minimum, maximum);
    mask_ = mask;
    shift_ = 0;
    while (shift_ < 7 && ((mask >> shift_) & 1) == 0)
        ++shift_;
    // A value the mask cannot hold would lose bits when stored.
    max_ = std::min(max_, mask_ >> shift_);
}

void TTrMskEnumCombo_Validator::ReadField() {
    TTrEnumCombo_Validator::ReadField();
    value_ = static_cast<std::uint8_t>((data_[0] & mask_) >> shift_);
}

void TTrMskEnumCombo_Validator::WriteField() {
    const int bits = (value_ << shift_) & mask_;
    data_[0] = static_cast<std::uint8_t>((data_[0] & ~mask_) | bits);
}

// ---- TTrMskEnumRadioGroup_Validator

void TTrMskEnumRadioGroup_Validator::ShowValue() {
    control_->SetItems(ItemTexts());
    control_->SetItemIndex(ValueItem());
}

void TTrMskEnumRadioGroup_Validator::EmptyControl() {
    control_->SetItemIndex(-1);
}

bool TTrMskEnumRadioGroup_Validator::ValidateControl() {
    const int item = control_->ItemIndex();
    if (item < 0)
        return Fail(kEnumErr);
    const int value = ItemValue(item);
    if (value < min_ || value > max_)
        return Fail(kEnumErr + "hodnota mimo meze " + RangeText());
    value_ = static_cast<std::uint8_t>(value);
    return true;
}

} // namespace panolcd
