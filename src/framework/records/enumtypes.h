#pragma once
// Enumeration types of the application description: lists of texts, optionally with a table
// that maps the 256 values of a one-byte field to item positions. Fields, controls and the
// identifier kinds refer to a type by its index in TEnumTypesColl.

#include "framework/persistence/collection.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace panolcd {

// Anything a list control attaches to an item; the element owns it.
class EnumItemData {
public:
    virtual ~EnumItemData() = default;
};

class TEnumTypeElObj : public TrbStreamable {
public:
    std::string ItemText;
    std::int16_t TextId = 0; // resource text id; -1 = none (InitDefaults)
    // Not streamed; none after loading.
    std::unique_ptr<EnumItemData> ItemData;

    std::string ClassName() const override { return "TEnumTypeElObj"; }
    void InitDefaults() override { TextId = -1; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // The resource text of TextId when there is one, so a resource library can translate the
    // type without touching the .APP file; otherwise ItemText.
    std::string DisplayText() const;
};

class TEnumTransferObj : public TrbStreamable {
public:
    // Entry v is the item position that stands for value v.
    std::array<std::uint8_t, 256> Table{};

    std::string ClassName() const override { return "TEnumTransferObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
};

// A string list over the elements, so that a type can be handed to a list or combo control as
// its items. Its definition streams it: the element collection, then the transfer table.
class TEnumTypeDefStrings : public TrbStreamable {
public:
    static constexpr std::size_t kMaxText = 255;

    // Both may be none.
    std::unique_ptr<TrbCollection> Elements;
    std::unique_ptr<TEnumTransferObj> Transfer;

    std::string ClassName() const override { return "TEnumTypeDefStrings"; }
    // Two object records; reading fails with "Invalid class typecast" unless the first is a
    // collection and the second a transfer table (either may be nil).
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    int Count() const { return Elements ? Elements->Count() : 0; }
    // The element at `index`; nullptr outside the list or for an item of another class.
    TEnumTypeElObj* Element(int index) const;

    // The display text of item i; empty when there is no such item.
    std::string Get(int index) const;
    EnumItemData* GetObject(int index) const;
    // Replaces ItemText (cut to 255 characters).
    void Put(int index, std::string_view text);
    // Destroys the item's previous object, then attaches this one.
    void PutObject(int index, std::unique_ptr<EnumItemData> object);
    // Destroys every element; the transfer table stays.
    void Clear();
    void Delete(int index);
    // A new element with ItemText `text` (cut to 255), no TextId, no object. An index outside
    // 0..Count is refused, as the collection refuses it.
    void Insert(int index, std::string_view text);
    void Add(std::string_view text) { Insert(Count(), text); }

    // Value <-> item position; without a transfer table they are the same number.
    int EnumItemOfValue(std::uint8_t value) const;
    // The smallest value mapped to `item`, 0 when no value is.
    int EnumValueOfItem(int item) const;
    // The text of the value's item, or "$" and two hexadecimal digits when that is empty.
    std::string EnumValueText(std::uint8_t value) const;
};

class TEnumTypeDefinition : public TrbStreamable {
public:
    std::string TypeName;
    // Created by InitDefaults and by loading; a definition saved without one writes the data of
    // an empty one.
    std::unique_ptr<TEnumTypeDefStrings> Strings;

    std::string ClassName() const override { return "TEnumTypeDefinition"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
};

class TEnumTypesColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TEnumTypesColl"; }

    // The definition at `index`; nullptr outside the collection or for an item of another class.
    TEnumTypeDefinition* Definition(int index) const;
};

// Registers the enumeration type classes with the class registry; run once at start-up.
void RegisterEnumTypeClasses();

} // namespace panolcd
