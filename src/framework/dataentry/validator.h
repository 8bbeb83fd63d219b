#pragma once
// TCtrlValidator ties one field of a transfer buffer to one control: it shows the field, checks
// what the user typed and writes the value back. TRecordValidator runs the validators of one
// record together over one buffer.

#include "framework/dataentry/control.h"
#include "framework/environment/ports.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

using TrBuffer = std::span<std::uint8_t>;

// CtrlFlags bits.
inline constexpr std::uint16_t vfHex = 0x0001;
inline constexpr std::uint16_t vfKeepCtrl = 0x0010;
inline constexpr std::uint16_t vfDefaultIfEmpty = 0x0100;
inline constexpr std::uint16_t vfNoData = 0x4000;

// SetCtrlState mask bits.
inline constexpr std::uint8_t kCtrlEmpty = 0x01;
inline constexpr std::uint8_t kCtrlVisible = 0x02;
inline constexpr std::uint8_t kCtrlEnabled = 0x04;
inline constexpr std::uint8_t kCtrlReadOnly = 0x08;
inline constexpr std::uint8_t kCtrlTabStop = 0x10;

// "$" and `digits` upper-case hex digits of the value's low bits.
std::string DollarHex(std::uint64_t value, int digits);

class TCtrlValidator {
public:
    // A caller-supplied error message format, used when MessageId names no text.
    std::string MessageText;
    std::int32_t MessageId = -1;
    std::uint16_t CtrlFlags = 0;

    TCtrlValidator() = default;
    virtual ~TCtrlValidator() = default;
    TCtrlValidator(const TCtrlValidator&) = delete;
    TCtrlValidator& operator=(const TCtrlValidator&) = delete;

    virtual std::string ClassName() const = 0;

    void MarkModified() { modified_ = true; }
    void ClearModified() { modified_ = false; }
    bool IsModified() const { return modified_; }

    // Accepts a control of the class the validator serves (nullptr detaches); any other class
    // raises ExcValidators.
    virtual void AssignCtrl(ValidatorControl* control);
    ValidatorControl* Control() const { return control_; }

    // Set bits win over clear bits: 0x01 empties / shows the kept value again, 0x02 visible,
    // 0x04 enabled, 0x08 read-only, 0x10 tab stop.
    void SetCtrlState(std::uint8_t setMask, std::uint8_t clearMask);

    // Takes the field from the start of `slot` (the rest of the buffer from this field on) and
    // shows it. A slot too small for the field raises ExcValidators and nothing is read.
    void FillToControl(TrBuffer slot);
    // Checks the control's content; on failure the user is told and the kept value stays.
    bool Validate();
    std::uint16_t TrDataSize() const;
    void StoreData();
    TrBuffer DataPtr() const { return data_; }
    // Runs the dialog of a compound field; None for every other validator.
    virtual DialogResult RunDialog() { return DialogResult::None; }
    // Why the control would refuse the value taken from the buffer (FillToControl), empty when
    // it would take it: values that come from elsewhere, such as an import, pass the window's
    // own checks. Shows nothing.
    virtual std::string DataRefusal() const { return {}; }

protected:
    bool HasData() const { return (CtrlFlags & vfNoData) == 0; }
    bool HexShown() const { return (CtrlFlags & vfHex) != 0; }

    virtual bool AcceptsControl(ControlKind kind) const = 0;
    // What a wiring message names after ".AssignCtrl <> ".
    virtual std::string ExpectedControls() const;
    // Bytes the field advances the buffer by.
    virtual std::size_t TransferBytes() const = 0;
    // Bytes read and written at the data position; more than TransferBytes when the field is
    // shared with the validators after this one.
    virtual std::size_t FieldBytes() const { return TransferBytes(); }
    // Field -> kept value; kept value -> field. Only called with FieldBytes() of data.
    virtual void ReadField() {}
    virtual void WriteField() {}
    // Kept value -> control.
    virtual void ShowValue() {}
    virtual void EmptyControl();
    // The check behind Validate, called with a control.
    virtual bool ValidateControl() { return true; }
    // The check behind Validate for a validator without control.
    virtual bool ValidateData() { return true; }

    // Focuses the control (when it can take the focus) and shows `text` as an error.
    bool Fail(std::string_view text) const;
    // The validator's own message format: the resource text of MessageId, else MessageText.
    std::string OwnMessage() const;

    ValidatorControl* control_ = nullptr;
    TrBuffer data_;

private:
    friend class TRecordValidator;
    std::size_t SlotBytes() const;
    bool modified_ = false;
};

class TRecordValidator {
public:
    using Validator = std::function<bool(TRecordValidator&, TrBuffer)>;

    // The whole-record check run after a successful store.
    Validator OnValidate;
    std::uint8_t SetMask = 0;
    std::uint8_t ClearMask = 0;

    std::string ClassName() const { return "TRecordValidator"; }

    // Maps validator i onto control i and onto its field of `buffer`, in order. A count mismatch
    // is shown as an error and leaves the list empty; a buffer whose size is not the sum of the
    // transfer sizes raises ExcValidators and leaves the list empty too.
    void TransferTo(const std::vector<ValidatorControl*>& controls,
                    const std::vector<TCtrlValidator*>& validators, TrBuffer buffer);
    void StoreAll();
    void MarkModified() { modified_ = true; }
    void ClearModified();
    bool IsModified() const;
    bool ValidateAll();
    // With OnValidate the whole-record check runs on a copy of the buffer; only a passed check
    // writes the copy to the buffer, so a refused record leaves the buffer as it was.
    bool ValidateAndStore();

    const std::vector<TCtrlValidator*>& Validators() const { return validators_; }
    TrBuffer Buffer() const { return buffer_; }
    ValidatorControl* FailedControl() const { return failedControl_; }

private:
    void Forget();

    bool modified_ = false;
    TrBuffer buffer_;
    std::vector<TCtrlValidator*> validators_;
    ValidatorControl* failedControl_ = nullptr;
};

} // namespace panolcd
