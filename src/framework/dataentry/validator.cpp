#include "framework/dataentry/validator.h"

#include "framework/environment/msgbox.h"
#include "framework/environment/restext.h"
#include "framework/records/excvalidators.h"

#include <algorithm>
#include <string>

namespace panolcd {

std::string DollarHex(std::uint64_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits) + 1, '$');
    for (int i = digits; i >= 1; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

// ---- TCtrlValidator

std::string TCtrlValidator::ExpectedControls() const {
    return "?";
}

void TCtrlValidator::AssignCtrl(ValidatorControl* control) {
    if (control != nullptr && !AcceptsControl(control->Kind()))
        throw ExcValidators(ClassName() + ".AssignCtrl <> " + ExpectedControls());
    control_ = control;
}

void TCtrlValidator::EmptyControl() {
    control_->SetText({});
}

void TCtrlValidator::SetCtrlState(std::uint8_t setMask, std::uint8_t clearMask) {
    if (control_ == nullptr || (CtrlFlags & vfKeepCtrl) != 0)
        return;
    const auto apply = [&](std::uint8_t bit, const auto& action) {
        if ((setMask & bit) != 0)
            action(true);
        else if ((clearMask & bit) != 0)
            action(false);
    };
    apply(kCtrlEmpty, [this](bool empty) {
        if (empty)
            EmptyControl();
        else
            ShowValue();
    });
    apply(kCtrlVisible, [this](bool on) { control_->SetVisible(on); });
    apply(kCtrlEnabled, [this](bool on) { control_->SetEnabled(on); });
    const ControlKind kind = control_->Kind();
    if (kind == ControlKind::Edit || kind == ControlKind::Memo)
        apply(kCtrlReadOnly, [this](bool on) { control_->SetReadOnly(on); });
    apply(kCtrlTabStop, [this](bool on) { control_->SetTabStop(on); });
}

std::size_t TCtrlValidator::SlotBytes() const {
    return HasData() ? std::max(TransferBytes(), FieldBytes()) : 0;
}

void TCtrlValidator::FillToControl(TrBuffer slot) {
    const std::size_t need = SlotBytes();
    if (slot.size() < need)
        throw ExcValidators(ClassName() + ".FillToControl slot " + std::to_string(slot.size()) +
                            "<" + std::to_string(need));
    data_ = slot.first(need);
    if (need > 0)
        ReadField();
    if (control_ != nullptr)
        ShowValue();
}

bool TCtrlValidator::Validate() {
    return control_ == nullptr ? ValidateData() : ValidateControl();
}

std::uint16_t TCtrlValidator::TrDataSize() const {
    return HasData() ? static_cast<std::uint16_t>(TransferBytes()) : 0;
}

void TCtrlValidator::StoreData() {
    // A validator never mapped, or mapped without data, has nothing to write to.
    if (!data_.empty() && data_.size() == SlotBytes())
        WriteField();
}

bool TCtrlValidator::Fail(std::string_view text) const {
    if (control_ != nullptr && control_->IsVisible() && control_->IsEnabled())
        control_->SetFocus();
    MsgBox({}, text, mb::kIconError | mb::kOk);
    return false;
}

std::string TCtrlValidator::OwnMessage() const {
    return ResTextOr(MessageId, MessageText);
}

// ---- TRecordValidator

void TRecordValidator::Forget() {
    validators_.clear();
    buffer_ = {};
    failedControl_ = nullptr;
}

void TRecordValidator::TransferTo(const std::vector<ValidatorControl*>& controls,
                                  const std::vector<TCtrlValidator*>& validators, TrBuffer buffer) {
    Forget();
    if (controls.size() != validators.size()) {
        MsgBox({},
               "# " + ClassName() + ".TransferTo CNA<>VAA : " +
                   std::to_string(static_cast<long long>(controls.size()) - 1) + "<>" +
                   std::to_string(static_cast<long long>(validators.size()) - 1),
               mb::kIconError | mb::kOk);
        return;
    }
    std::size_t total = 0;
    for (const TCtrlValidator* validator : validators) {
        if (validator == nullptr)
            throw ExcValidators(ClassName() + ".TransferTo validator=nil");
        total += validator->TrDataSize();
    }
    if (total != buffer.size())
        throw ExcValidators(ClassName() + ".TransferTo TrDataSize " + std::to_string(total) + "<>" +
                            std::to_string(buffer.size()));
    buffer_ = buffer;
    std::size_t pos = 0;
    try {
        for (std::size_t i = 0; i < validators.size(); ++i) {
            TCtrlValidator& validator = *validators[i];
            validators_.push_back(&validator);
            validator.AssignCtrl(controls[i]);
            validator.FillToControl(buffer.subspan(pos));
            validator.SetCtrlState(SetMask, ClearMask);
            validator.ClearModified();
            pos += validator.TrDataSize();
        }
    } catch (...) {
        Forget();
        throw;
    }
    modified_ = false;
}

void TRecordValidator::StoreAll() {
    for (TCtrlValidator* validator : validators_)
        validator->StoreData();
}

void TRecordValidator::ClearModified() {
    modified_ = false;
    for (TCtrlValidator* validator : validators_)
        validator->ClearModified();
}

bool TRecordValidator::IsModified() const {
    return modified_ || std::ranges::any_of(validators_, [](const TCtrlValidator* validator) {
               return validator->IsModified();
           });
}

bool TRecordValidator::ValidateAll() {
    for (TCtrlValidator* validator : validators_) {
        if (!validator->Validate()) {
            failedControl_ = validator->Control();
            return false;
        }
    }
    return true;
}

bool TRecordValidator::ValidateAndStore() {
    if (!ValidateAll())
        return false;
    if (!OnValidate) {
        StoreAll();
        return true;
    }
    std::vector<std::uint8_t> scratch(buffer_.begin(), buffer_.end());
    const TrBuffer copy(scratch);
    for (TCtrlValidator* validator : validators_) {
        const TrBuffer field = validator->data_;
        if (field.empty() || field.data() < buffer_.data() ||
            field.data() + field.size() > buffer_.data() + buffer_.size())
            continue;
        // Stores into the copy at the field's place; the field comes back however it ends.
        struct Restore {
            TCtrlValidator& validator;
            TrBuffer field;
            ~Restore() { validator.data_ = field; }
        } restore{*validator, field};
        validator->data_ =
            copy.subspan(static_cast<std::size_t>(field.data() - buffer_.data()), field.size());
        validator->StoreData();
    }
    if (!OnValidate(*this, copy))
        return false;
    std::ranges::copy(scratch, buffer_.begin());
    return true;
}

} // namespace panolcd
