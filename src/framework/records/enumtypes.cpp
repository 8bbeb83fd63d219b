#include "framework/records/enumtypes.h"

#include "common/shortstring.h"
#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/fieldtext.h"

#include <algorithm>

namespace panolcd {
namespace {

// Type names are compared on this many leading characters only.
constexpr std::size_t kTypeNameCompared = 32;

const TEnumTypesColl* AppEnumTypes() {
    const auto& appData = EnvCtx().app.AppData;
    return appData ? appData->AppEnumTypesColl.get() : nullptr;
}

} // namespace

// --- TEnumTypeElObj ---------------------------------------------------------------------------

void TEnumTypeElObj::SaveToStream(TrbObjStream& stream) const {
    stream.WriteStr(ItemText);
    stream.WriteNum<std::int16_t>(TextId);
}

void TEnumTypeElObj::LoadFromStream(TrbObjStream& stream) {
    ItemText = stream.ReadStr();
    TextId = stream.ReadNum<std::int16_t>();
    ItemData.reset();
}

std::string TEnumTypeElObj::DisplayText() const {
    return ResTextOr(TextId, ItemText);
}

// --- TEnumTransferObj -------------------------------------------------------------------------

void TEnumTransferObj::SaveToStream(TrbObjStream& stream) const {
    stream.WriteBytes(Table.data(), Table.size());
}

void TEnumTransferObj::LoadFromStream(TrbObjStream& stream) {
    stream.ReadBytes(Table.data(), Table.size());
}

// --- TEnumTypeDefStrings ----------------------------------------------------------------------

void TEnumTypeDefStrings::SaveToStream(TrbObjStream& stream) const {
    stream.Put(Elements.get());
    stream.Put(Transfer.get());
}

void TEnumTypeDefStrings::LoadFromStream(TrbObjStream& stream) {
    Elements = stream.GetAs<TrbCollection>();
    Transfer = stream.GetAs<TEnumTransferObj>();
}

TEnumTypeElObj* TEnumTypeDefStrings::Element(int index) const {
    if (!Elements)
        return nullptr;
    return dynamic_cast<TEnumTypeElObj*>(Elements->At(index));
}

std::string TEnumTypeDefStrings::Get(int index) const {
    const TEnumTypeElObj* element = Element(index);
    return element ? element->DisplayText() : std::string();
}

EnumItemData* TEnumTypeDefStrings::GetObject(int index) const {
    const TEnumTypeElObj* element = Element(index);
    return element ? element->ItemData.get() : nullptr;
}

void TEnumTypeDefStrings::Put(int index, std::string_view text) {
    if (TEnumTypeElObj* element = Element(index))
        element->ItemText = CutShortString(text, kMaxText);
}

void TEnumTypeDefStrings::PutObject(int index, std::unique_ptr<EnumItemData> object) {
    TEnumTypeElObj* element = Element(index);
    if (element == nullptr)
        return;
    element->ItemData.reset();
    element->ItemData = std::move(object);
}

void TEnumTypeDefStrings::Clear() {
    if (Elements)
        Elements->FreeAll();
}

void TEnumTypeDefStrings::Delete(int index) {
    if (Elements)
        Elements->AtDelete(index);
}

void TEnumTypeDefStrings::Insert(int index, std::string_view text) {
    if (!Elements)
        Elements = Create<TrbCollection>();
    auto element = Create<TEnumTypeElObj>();
    element->ItemText = CutShortString(text, kMaxText);
    Elements->AtInsert(index, std::move(element));
}

int TEnumTypeDefStrings::EnumItemOfValue(std::uint8_t value) const {
    return Transfer ? Transfer->Table[value] : value;
}

int TEnumTypeDefStrings::EnumValueOfItem(int item) const {
    if (!Transfer)
        return item;
    for (std::size_t v = 0; v < Transfer->Table.size(); ++v) {
        if (Transfer->Table[v] == item)
            return static_cast<int>(v);
    }
    return 0;
}

std::string TEnumTypeDefStrings::EnumValueText(std::uint8_t value) const {
    std::string text = CutShortString(Get(EnumItemOfValue(value)), kMaxText);
    if (text.empty())
        return "$" + HexDigits(value, 2);
    return text;
}

// --- TEnumTypeDefinition ----------------------------------------------------------------------

void TEnumTypeDefinition::InitDefaults() {
    Strings = Create<TEnumTypeDefStrings>();
}

void TEnumTypeDefinition::SaveToStream(TrbObjStream& stream) const {
    stream.WriteStr(TypeName);
    if (Strings) {
        Strings->SaveToStream(stream);
        return;
    }
    // The data of an empty string list: neither elements nor a transfer table.
    stream.Put(nullptr);
    stream.Put(nullptr);
}

void TEnumTypeDefinition::LoadFromStream(TrbObjStream& stream) {
    TypeName = stream.ReadStr();
    auto strings = Create<TEnumTypeDefStrings>();
    strings->LoadFromStream(stream);
    Strings = std::move(strings);
}

// --- TEnumTypesColl ---------------------------------------------------------------------------

TEnumTypeDefinition* TEnumTypesColl::Definition(int index) const {
    return dynamic_cast<TEnumTypeDefinition*>(At(index));
}

// --- Lookups and registration -----------------------------------------------------------------

const TEnumTypeDefStrings* AppEnumStrings(std::int16_t index) {
    const TEnumTypesColl* types = AppEnumTypes();
    if (types == nullptr)
        return nullptr;
    const TEnumTypeDefinition* definition = types->Definition(index);
    return definition ? definition->Strings.get() : nullptr;
}

const TEnumTypeDefStrings* AppFindEnumStrings(std::string_view name, std::int16_t& index) {
    index = -1;
    const TEnumTypesColl* types = AppEnumTypes();
    if (types == nullptr)
        return nullptr;
    // Indices beyond the signed 16-bit range cannot be named by a descriptor.
    const int count = std::min(types->Count(), 32768);
    for (int i = 0; i < count; ++i) {
        const TEnumTypeDefinition* definition = types->Definition(i);
        if (definition == nullptr)
            continue;
        const std::string_view typeName = definition->TypeName;
        if (SameTextAscii(typeName.substr(0, kTypeNameCompared), name)) {
            index = static_cast<std::int16_t>(i);
            return definition->Strings.get();
        }
    }
    return nullptr;
}

void RegisterEnumTypeClasses() {
    RegisterClass<TEnumTypeElObj>();
    RegisterClass<TEnumTransferObj>();
    RegisterClass<TEnumTypeDefStrings>();
    RegisterClass<TEnumTypeDefinition>();
    RegisterClass<TEnumTypesColl>();
}

} // namespace panolcd
