#include "framework/records/enumtypes.h"

#include "framework/environment/envcontext.h"
#include "framework/persistence/register.h"
#include "framework/records/enumtest_util.h"
#include "framework/records/fieldtest_util.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::EnumType;
using testing::InstallEnumTypes;
using testing::TransferTable;

class EnumTypesTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterEnumTypeClasses();
    }
};

// Counts how many of its kind are alive.
class CountedData : public EnumItemData {
public:
    static inline int alive = 0;
    CountedData() { ++alive; }
    ~CountedData() override { --alive; }
};

TEST_F(EnumTypesTest, StreamDataOfAnElementAndATransferTable) {
    auto element = Create<TEnumTypeElObj>();
    element->ItemText = "Zap";
    EXPECT_EQ(testing::StreamData(*element), (Bytes{3, 'Z', 'a', 'p', 0xFF, 0xFF}));
    element->TextId = 0x0102;
    EXPECT_EQ(testing::StreamData(*element), (Bytes{3, 'Z', 'a', 'p', 2, 1}));

    auto table = Create<TEnumTransferObj>();
    for (std::size_t v = 0; v < 256; ++v)
        table->Table[v] = static_cast<std::uint8_t>(255 - v);
    const Bytes data = testing::StreamData(*table);
    ASSERT_EQ(data.size(), 256u);
    EXPECT_EQ(data.front(), 255);
    EXPECT_EQ(data.back(), 0);
    auto loaded = StreamableAs<TEnumTransferObj>(testing::SaveAndLoad(*table));
    EXPECT_EQ(loaded->Table, table->Table);
}

TEST_F(EnumTypesTest, StreamDataOfADefinition) {
    auto definition = EnumType("ABC", {"x"});
    // Class indices in the order met: definition 0, collection 1, element 2.
    const Bytes expected = {3, 'A', 'B', 'C', 1,   0,    1,    0,    0,
                            0, 2,   0,   1,   'x', 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(testing::StreamData(*definition), expected);

    definition->Strings->Transfer = TransferTable(7, {});
    const Bytes withTable = testing::StreamData(*definition);
    ASSERT_EQ(withTable.size(), expected.size() + 256);
    EXPECT_EQ(withTable[16], 3); // the transfer table's class index
    EXPECT_EQ(withTable.back(), 7);
}

TEST_F(EnumTypesTest, ADefinitionWithoutStringsWritesTwoNilRecords) {
    auto definition = Create<TEnumTypeDefinition>();
    definition->TypeName = "E";
    const Bytes expected = {1, 'E', 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(testing::StreamData(*definition), expected);
    definition->Strings.reset();
    EXPECT_EQ(testing::StreamData(*definition), expected);

    auto loaded = StreamableAs<TEnumTypeDefinition>(testing::SaveAndLoad(*definition));
    ASSERT_NE(loaded->Strings, nullptr);
    EXPECT_EQ(loaded->Strings->Elements, nullptr);
    EXPECT_EQ(loaded->Strings->Transfer, nullptr);
    EXPECT_EQ(loaded->Strings->Count(), 0);
    EXPECT_EQ(loaded->Strings->Get(0), "");
}

// Writes the data of a definition whose two parts are whatever objects the test chooses.
class TForgedDefinition : public TEnumTypeDefinition {
public:
    const TrbStreamable* elements = nullptr;
    const TrbStreamable* transfer = nullptr;
    void SaveToStream(TrbObjStream& stream) const override {
        stream.WriteStr("F");
        stream.Put(elements);
        stream.Put(transfer);
    }
};

TEST_F(EnumTypesTest, LoadingChecksTheClassesOfBothParts) {
    const auto collection = Create<TrbCollection>();
    const auto sorted = Create<TrbSortedCollection>();
    const auto types = Create<TEnumTypesColl>();
    const auto table = Create<TEnumTransferObj>();
    const auto element = Create<TEnumTypeElObj>();
    struct Case {
        const char* name;
        const TrbStreamable* elements;
        const TrbStreamable* transfer;
        bool loads;
    };
    const Case cases[] = {
        {"both nil", nullptr, nullptr, true},
        {"collection and table", collection.get(), table.get(), true},
        {"sorted collection", sorted.get(), nullptr, true},
        {"collection subclass", types.get(), nullptr, true},
        {"table as elements", table.get(), nullptr, false},
        {"element as elements", element.get(), nullptr, false},
        {"collection as table", collection.get(), collection.get(), false},
        {"element as table", nullptr, element.get(), false},
    };
    for (const auto& c : cases) {
        TForgedDefinition forged;
        forged.elements = c.elements;
        forged.transfer = c.transfer;
        TrbMemoryObjStream out;
        out.OpenWrite();
        out.Put(&forged);
        out.Close();
        TrbMemoryObjStream in(out.ReleaseBuffer());
        in.OpenRead();
        if (c.loads) {
            auto loaded = in.GetAs<TEnumTypeDefinition>();
            ASSERT_NE(loaded, nullptr) << c.name;
            EXPECT_EQ(loaded->TypeName, "F") << c.name;
        } else {
            EXPECT_THROW(in.Get(), EInvalidCast) << c.name;
        }
    }
}

TEST_F(EnumTypesTest, ACollectionOfTypesSurvivesSaveLoadSave) {
    auto types = Create<TEnumTypesColl>();
    types->Insert(EnumType("EnA", {"jedna", "dva", ""}));
    auto b = EnumType("EnB", {"\x9A\xE8", std::string(255, 'q').c_str()});
    b->Strings->Element(1)->TextId = 4000;
    b->Strings->Element(0)->ItemData = std::make_unique<CountedData>();
    b->Strings->Transfer = TransferTable(0, {{1, 1}, {200, 1}});
    types->Insert(std::move(b));
    types->Insert(nullptr);

    TrbMemoryObjStream out;
    out.OpenWrite();
    out.Put(types.get());
    out.Close();
    const Bytes first = out.Bytes();
    TrbMemoryObjStream in(first);
    in.OpenRead();
    auto loaded = in.GetAs<TEnumTypesColl>();
    in.Close();
    ASSERT_EQ(loaded->Count(), 3);
    EXPECT_EQ(loaded->Definition(2), nullptr);
    const TEnumTypeDefStrings& strings = *loaded->Definition(1)->Strings;
    EXPECT_EQ(strings.Count(), 2);
    EXPECT_EQ(strings.Get(0), "\x9A\xE8");
    EXPECT_EQ(strings.Element(1)->TextId, 4000);
    EXPECT_EQ(strings.GetObject(0), nullptr); // attached objects are not streamed
    EXPECT_EQ(strings.EnumValueText(200), std::string(255, 'q'));

    TrbMemoryObjStream again;
    again.OpenWrite();
    again.Put(loaded.get());
    again.Close();
    EXPECT_EQ(again.Bytes(), first);
}

TEST_F(EnumTypesTest, DisplayTextPrefersTheResourceText) {
    EnvCtx().app.ResLibrary = ResourceLibrary{{4000, "Z knihovny"}};
    struct Case {
        std::int16_t textId;
        std::string expected;
    };
    const Case cases[] = {
        {-1, "vlastni"},
        {4000, "Z knihovny"},
        {4001, "vlastni"}, // neither table nor library holds it
        {100, "Chyba"},    // the built-in table
    };
    for (const auto& c : cases) {
        auto definition = EnumType("E", {"vlastni"});
        definition->Strings->Element(0)->TextId = c.textId;
        EXPECT_EQ(definition->Strings->Get(0), c.expected) << c.textId;
    }
}

TEST_F(EnumTypesTest, StringListOperations) {
    auto definition = EnumType("E", {"a", "b", "c"});
    TEnumTypeDefStrings& s = *definition->Strings;
    s.Transfer = TransferTable(0, {});
    EXPECT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Get(2), "c");
    EXPECT_EQ(s.Get(3), "");
    EXPECT_EQ(s.Get(-1), "");

    s.Put(1, std::string(300, 'x'));
    EXPECT_EQ(s.Get(1), std::string(255, 'x'));
    s.Put(7, "ignored");
    EXPECT_EQ(s.Count(), 3);

    s.Insert(0, "first");
    s.Insert(9, "refused");
    s.Add(std::string(256, 'y'));
    ASSERT_EQ(s.Count(), 5);
    EXPECT_EQ(s.Get(0), "first");
    EXPECT_EQ(s.Element(0)->TextId, -1);
    EXPECT_EQ(s.Get(4), std::string(255, 'y'));

    s.Delete(0);
    s.Delete(10);
    EXPECT_EQ(s.Count(), 4);
    EXPECT_EQ(s.Get(0), "a");

    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    EXPECT_NE(s.Transfer, nullptr); // the transfer table stays
}

TEST_F(EnumTypesTest, AttachedObjectsAreOwnedByTheirElements) {
    CountedData::alive = 0;
    {
        auto definition = EnumType("E", {"a", "b"});
        TEnumTypeDefStrings& s = *definition->Strings;
        auto first = std::make_unique<CountedData>();
        const EnumItemData* firstAddress = first.get();
        s.PutObject(0, std::move(first));
        EXPECT_EQ(s.GetObject(0), firstAddress);
        EXPECT_EQ(s.GetObject(1), nullptr);
        EXPECT_EQ(s.GetObject(5), nullptr);
        s.PutObject(0, std::make_unique<CountedData>()); // the old one is destroyed first
        EXPECT_EQ(CountedData::alive, 1);
        s.PutObject(9, std::make_unique<CountedData>()); // no such element: dropped
        EXPECT_EQ(CountedData::alive, 1);
        s.PutObject(1, std::make_unique<CountedData>());
        s.Delete(1);
        EXPECT_EQ(CountedData::alive, 1);
    }
    EXPECT_EQ(CountedData::alive, 0);
}

TEST_F(EnumTypesTest, AStringListWithoutElementsGrowsOnInsert) {
    TEnumTypeDefStrings s;
    EXPECT_EQ(s.Count(), 0);
    s.Clear();
    s.Delete(0);
    s.Put(0, "x");
    s.Insert(0, "a");
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Get(0), "a");
}

TEST_F(EnumTypesTest, ValueOperationsWithATransferTable) {
    // Values 1, 2, 3 at positions 0, 1, 2; every other value at position 0.
    auto definition = EnumType("E", {"nula", "jedna", "dva"});
    definition->Strings->Transfer = TransferTable(0, {{1, 0}, {2, 1}, {3, 2}});
    const TEnumTypeDefStrings& s = *definition->Strings;
    struct Case {
        std::uint8_t value;
        int item;
        std::string text;
    };
    const Case values[] = {{0, 0, "nula"}, {1, 0, "nula"}, {2, 1, "jedna"},
                           {3, 2, "dva"},  {4, 0, "nula"}, {255, 0, "nula"}};
    for (const auto& c : values) {
        EXPECT_EQ(s.EnumItemOfValue(c.value), c.item) << int{c.value};
        EXPECT_EQ(s.EnumValueText(c.value), c.text) << int{c.value};
    }
    const std::pair<int, int> items[] = {{0, 0}, {1, 2}, {2, 3}, {5, 0}, {-1, 0}};
    for (const auto& [item, value] : items)
        EXPECT_EQ(s.EnumValueOfItem(item), value) << item;
}

TEST_F(EnumTypesTest, ValueOperationsWithoutATransferTable) {
    auto definition = EnumType("E", {"a", "", "c"});
    const TEnumTypeDefStrings& s = *definition->Strings;
    struct Case {
        std::uint8_t value;
        std::string text;
    };
    const Case cases[] = {{0, "a"}, {1, "$01"}, {2, "c"}, {3, "$03"}, {200, "$C8"}};
    for (const auto& c : cases) {
        EXPECT_EQ(s.EnumItemOfValue(c.value), c.value);
        EXPECT_EQ(s.EnumValueText(c.value), c.text) << int{c.value};
    }
    EXPECT_EQ(s.EnumValueOfItem(7), 7);
}

TEST_F(EnumTypesTest, AppEnumStringsByIndex) {
    EXPECT_EQ(AppEnumStrings(0), nullptr); // no application description
    EnvCtx().app.AppData = std::make_unique<TAppData>();
    EXPECT_EQ(AppEnumStrings(0), nullptr); // no enumeration types

    auto types = Create<TEnumTypesColl>();
    types->Insert(EnumType("A", {"a"}));
    types->Insert(nullptr);
    auto withoutStrings = Create<TEnumTypeDefinition>();
    withoutStrings->Strings.reset();
    types->Insert(std::move(withoutStrings));
    types->Insert(Create<TEnumTransferObj>()); // not a definition
    TEnumTypesColl& installed = InstallEnumTypes(std::move(types));

    EXPECT_EQ(AppEnumStrings(0), installed.Definition(0)->Strings.get());
    for (const std::int16_t index : {-1, 1, 2, 3, 4, 32767})
        EXPECT_EQ(AppEnumStrings(index), nullptr) << index;
}

TEST_F(EnumTypesTest, AppFindEnumStringsByName) {
    std::int16_t index = 5;
    EXPECT_EQ(AppFindEnumStrings("EnCaseLayers", index), nullptr);
    EXPECT_EQ(index, -1);

    const std::string longName(40, 'L');
    auto types = Create<TEnumTypesColl>();
    types->Insert(EnumType("EnGraph", {}));
    types->Insert(nullptr);
    types->Insert(EnumType("EnCaseLayers", {}));
    types->Insert(EnumType(longName, {}));
    types->Insert(EnumType("encaselayers", {}));
    TEnumTypesColl& installed = InstallEnumTypes(std::move(types));

    struct Case {
        std::string name;
        std::int16_t index;
    };
    const Case cases[] = {
        {"EnGraph", 0},
        {"ENCASELAYERS", 2}, // the lower of two equal names
        {longName.substr(0, 32), 3},
        {longName, -1}, // only 32 characters of a type name count
        {"EnGrap", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        index = 99;
        const TEnumTypeDefStrings* found = AppFindEnumStrings(c.name, index);
        EXPECT_EQ(index, c.index) << c.name;
        const TEnumTypeDefStrings* expected =
            c.index < 0 ? nullptr : installed.Definition(c.index)->Strings.get();
        EXPECT_EQ(found, expected) << c.name;
    }
}

} // namespace
} // namespace panolcd
