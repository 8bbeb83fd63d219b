#pragma once
// Validators of reference bytes: a byte that names a record of another database by its key.
// The transfer slot is the byte, the five lookup parameters of the field and a 4-byte handle of
// the record from which the lookup starts. The candidates are the records the parameters'
// semantics collects, in key order.

#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/panelhost.h"
#include "framework/records/reffields.h"

#include <cstdint>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TDBRecordObj;

inline constexpr std::size_t kRefByteSlotSize = 15;
inline constexpr std::uint8_t kNoPanel = 255;
// Bytes of the position record a reference edit writes into a panel buffer.
inline constexpr std::size_t kPositionRecordSize = 14;

// Lookup parameters: [1] the type of the database looked in, found among the sub-databases of
// the start record; [2] the semantics that yields each candidate's key; [3] the index of that
// database's filter that candidates must pass (0xFFFF: none). [0] and [4] are not used here.
struct RefCandidate {
    std::uint16_t key = 0;
    TDBRecordObj* record = nullptr;
    TDataBase* database = nullptr;
};

// Runs the key semantics over the database the parameters name; none found: no candidates.
std::vector<RefCandidate> CollectRefCandidates(const LookupParamArray& params,
                                               std::uint32_t startRecord);

// A reference byte edited as a linear byte; shows the referenced record in a panel of its
// window.
class TTrRefByteEdit_Validator : public TTrLinFceByteEdit_Validator {
public:
    std::string ClassName() const override { return "TTrRefByteEdit_Validator"; }
    void DefAttributs(std::uint16_t flags, std::int32_t minimum, PanelHost* host,
                      std::uint8_t panel = kNoPanel, std::int32_t offset = 0,
                      std::int32_t factor = 1, std::int32_t maximum = 255);
    const std::vector<RefCandidate>& Candidates() const { return candidates_; }

protected:
    std::size_t TransferBytes() const override { return kRefByteSlotSize; }
    void ReadField() override;

private:
    void ShowReferenced();

    PanelHost* host_ = nullptr;
    std::uint8_t panel_ = kNoPanel;
    std::vector<RefCandidate> candidates_;
};

// A reference byte chosen from a combo of the candidates.
class TTrRefByteLookUpCombo_Validator : public TCtrlValidator {
public:
    static constexpr std::size_t kMaxLineText = 79;

    std::string ClassName() const override { return "TTrRefByteLookUpCombo_Validator"; }
    void DefAttributs(std::uint16_t flags, std::uint8_t defaultValue = 0);
    std::uint8_t Value() const { return value_; }
    const std::vector<RefCandidate>& Candidates() const { return candidates_; }
    // What a drop-down list shows for a value that is none of its candidates.
    static const std::string& NoneText();

protected:
    bool AcceptsControl(ControlKind kind) const override { return kind == ControlKind::ComboBox; }
    std::string ExpectedControls() const override { return "TComboBox.."; }
    std::size_t TransferBytes() const override { return kRefByteSlotSize; }
    void ReadField() override;
    void WriteField() override { data_[0] = value_; }
    void ShowValue() override;
    void EmptyControl() override;
    bool ValidateControl() override;

private:
    std::string KeyText(std::uint16_t key) const;

    std::uint8_t value_ = 0;
    std::uint8_t default_ = 0;
    std::vector<RefCandidate> candidates_;
};

} // namespace panolcd
