#pragma once
// Text fields: a ShortString in FieldSize bytes, labels that show a fixed text, and code strings
// whose Line text is compacted to one line.

#include "framework/records/fielddscr.h"

namespace panolcd {

// FieldSize 0 would leave no room for the length byte and above 256 the length byte cannot
// count the characters: such sizes are clamped to 1..256.
inline constexpr std::uint16_t kMaxStringFieldSize = 256;

class TDBStringFieldDscr : public TRecFieldTypeDscr {
public:
    std::string DefaultText;
    std::int16_t DefaultTextId = 0;

    std::string ClassName() const override { return "TDBStringFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override;
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

    // Characters the field holds: its size less the length byte.
    std::size_t TextCapacity() const;
    // The resource text of DefaultTextId when there is one, else DefaultText.
    std::string GetDefaultText() const;
    // The stored text; a length byte above the capacity is corrected in the record.
    std::string StoredText(std::uint8_t* data) const;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
    // Pattern or padding, the cut to the width, and quotes in the CSV form.
    std::string RenderText(const std::string& text, const FieldTextContext& context) const;
};

// Takes no room in the record and shows its default text; the transfer slot carries the text to
// the control and nothing comes back.
class TLabelFieldDscr : public TDBStringFieldDscr {
public:
    std::string ClassName() const override { return "TLabelFieldDscr"; }
    std::uint16_t GetFieldSize() const override { return 0; }
    void InitFieldValue(std::uint8_t* data) const override;
    void GetCSV_AStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// Terminal source text: in the Line form line breaks and blank runs are compacted.
class TVsCodeStringDscr : public TDBStringFieldDscr {
public:
    std::string ClassName() const override { return "TVsCodeStringDscr"; }

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// A single CR or LF between two characters joins them; a CR LF pair or blanks become one blank.
std::string CompactCodeText(std::string_view text);

} // namespace panolcd
