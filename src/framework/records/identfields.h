#pragma once
// Identifier fields: a 32-bit identifier whose byte 3 is a kind. Kinds 0..15 split the other
// bytes into a zone (byte 2) and either a card and point (bytes 0 and 1) or a number (the word
// of bytes 0..1); the kind itself is named by an enumeration type.

#include "framework/records/reffields.h"

namespace panolcd {

class TIdentRecFieldDscr : public TRecFieldTypeDscr {
public:
    std::int32_t Default = 0;
    // Enumeration type that names the kinds.
    std::int32_t KindEnumIx = 0;
    // 1: compact "zone/..." form; 2: the word "Ident"; otherwise "z=... k=... p=..." form.
    std::uint8_t Style = 0;
    // Width of the identifier part; the kind's text fills the rest of the form's width.
    std::uint8_t KindWidth = 0;

    std::string ClassName() const override { return "TIdentRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 4; }
    void InitFieldValue(std::uint8_t* data) const override;
    // Slot: bytes 0..2, the kind twice (the second copy is the edited one), KindEnumIx (9).
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

    // The identifier part alone, before it is fitted to KindWidth.
    std::string IdentText(const std::uint8_t* data) const;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// Slot: value, the five lookup parameters, a record reference 0, the kind, KindEnumIx (23).
class TRefIdent_FieldDscr : public TIdentRecFieldDscr {
public:
    LookupParamArray LookupParams{};

    std::string ClassName() const override { return "TRefIdent_FieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
};

} // namespace panolcd
