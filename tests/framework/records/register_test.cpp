#include "framework/records/register.h"

#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/persistence/register.h"
#include "framework/records/assigntable.h"
#include "framework/records/enumfield.h"
#include "framework/records/enumtypes.h"
#include "framework/records/fieldflags.h"
#include "framework/records/identfields.h"
#include "framework/records/intfields.h"
#include "framework/records/realfields.h"
#include "framework/records/reffields.h"
#include "framework/records/setfields.h"
#include "framework/records/stringfields.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

const char* const kRecordClasses[] = {
    "TRecFieldTypeDscr",
    "TByteRecFieldDscr",
    "TByteLimRecFieldDscr",
    "TWordRecFieldDscr",
    "TSpecWordRecFieldDscr",
    "TWordLimRecFieldDscr",
    "TWordOffsRecFieldDscr",
    "TSmallIntRecFieldDscr",
    "TSmallIntLimRecFieldDscr",
    "TSpecSmallIntRecFieldDscr",
    "TSpecSmallIntLimRecFieldDscr",
    "TIntegerRecFieldDscr",
    "TLIntRecFieldDscr",
    "TSpecLIntRecFieldDscr",
    "TLIntLimRecFieldDscr",
    "TDWordRecFieldDscr",
    "TRealpRecFieldDscr",
    "TRealpLimRecFieldDscr",
    "TEnumSetFieldDscr",
    "TDBStringFieldDscr",
    "TLabelFieldDscr",
    "TVsCodeStringDscr",
    "TRefPStr_FieldDscr",
    "TRefByte_FieldDscr",
    "TJoinDBNullFieldDscr",
    "TEnumRecFieldDscr",
    "TIdentRecFieldDscr",
    "TRefIdent_FieldDscr",
    "TRootLookRefByte_FieldDscr",
    "TDynDBPtrRecFieldDscr",
    "THiddenDynDBPtrRecFieldDscr",
};

// Their stream data is pinned in the database tests (a database needs its descriptor to load).
const char* const kDatabaseClasses[] = {"TDataBaseDscrObj",      "TDataBaseDscrColl",
                                        "TDBFilterValidator",    "TDBFilterValColl",
                                        "TDBCaptionObj",         "TDataBase",
                                        "TDBRecordObj",          "TDBColl",
                                        "TDBEditValidatorsColl", "TDBLookValidatorsColl"};

const char* const kAssignTableClasses[] = {"TDscrAssignTable", "TByteDscrAssTab",
                                           "TWordDscrAssTab"};

const char* const kEnumTypeClasses[] = {"TEnumTypeElObj", "TEnumTransferObj", "TEnumTypeDefStrings",
                                        "TEnumTypeDefinition", "TEnumTypesColl"};

std::vector<std::uint8_t> Save(const std::vector<const TrbStreamable*>& objects) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    for (const auto* object : objects)
        stream.Put(object);
    stream.Close();
    return stream.ReleaseBuffer();
}

// Every field of the base set to something other than its default.
void FillBase(TRecFieldTypeDscr& d, int seed) {
    d.FieldName = "F" + std::to_string(seed);
    d.FieldSize = static_cast<std::uint16_t>(seed + 1);
    d.Caption = "Popis \x9A";
    d.CaptionId = static_cast<std::int16_t>(-seed);
    d.Flags = static_cast<std::uint16_t>(0xF0F0 ^ seed);
    d.LineWidth = 1;
    d.CWinWidth = 2;
    d.CSVWidth = 3;
    d.JoinWidth = static_cast<std::uint8_t>(seed);
}

class RecordRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterPersistenceClasses();
        RegisterRecordClasses();
        RegisterEnumTypeClasses();
        RegisterEnumFieldClasses();
    }
};

TEST_F(RecordRegisterTest, EveryClassIsRegisteredUnderItsOwnName) {
    for (const char* name : kRecordClasses) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
        EXPECT_NE(dynamic_cast<TRecFieldTypeDscr*>(object.get()), nullptr) << name;
    }
    for (const char* name : kAssignTableClasses) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
    }
    for (const char* name : kEnumTypeClasses) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
    }
    for (const char* name : kDatabaseClasses) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
    }
}

TEST_F(RecordRegisterTest, EveryClassSurvivesSaveLoadSaveByteIdentically) {
    std::vector<std::unique_ptr<TrbStreamable>> objects;
    int seed = 1;
    for (const char* name : kRecordClasses) {
        auto object = ClassRegistry::Construct(name);
        object->InitDefaults();
        objects.push_back(std::move(object));
        // And a second one with its base data filled.
        auto filled = ClassRegistry::Construct(name);
        filled->InitDefaults();
        FillBase(*static_cast<TRecFieldTypeDscr*>(filled.get()), seed++);
        objects.push_back(std::move(filled));
    }
    // Subclass data that differs from the defaults.
    auto b = std::make_unique<TByteLimRecFieldDscr>();
    b->InitDefaults();
    b->Default = 1;
    b->Min = 2;
    b->Max = 3;
    objects.push_back(std::move(b));
    auto s = std::make_unique<TSpecSmallIntLimRecFieldDscr>();
    s->InitDefaults();
    s->Default = -1;
    s->ValueKind = 2;
    s->Decimals = 3;
    s->Min = -4;
    s->Max = 5;
    objects.push_back(std::move(s));
    auto r = std::make_unique<TRealpLimRecFieldDscr>();
    r->InitDefaults();
    r->Default = -0.0;
    r->Decimals = 4;
    r->Min = 1e-300;
    r->Max = 1.5e300;
    objects.push_back(std::move(r));
    auto t = std::make_unique<TRefPStr_FieldDscr>();
    t->InitDefaults();
    t->DefaultText = std::string(255, '\xFF');
    t->DefaultTextId = 12;
    t->LookupParams = {1, 2, 3, 4, 65535};
    objects.push_back(std::move(t));
    auto e = std::make_unique<TEnumSetFieldDscr>();
    e->InitDefaults();
    e->Kind = 9;
    e->Param = 0xFFFFFFFF;
    e->DefaultSet.fill(0xA5);
    objects.push_back(std::move(e));

    auto en = std::make_unique<TEnumRecFieldDscr>();
    en->InitDefaults();
    en->Default = 0xFE;
    en->EnumTypeIx = -2;
    objects.push_back(std::move(en));
    auto id = std::make_unique<TRefIdent_FieldDscr>();
    id->InitDefaults();
    id->Default = -5;
    id->KindEnumIx = 0x7FFF0001;
    id->Style = 1;
    id->KindWidth = 200;
    id->LookupParams = {65535, 0, 1, 2, 3};
    objects.push_back(std::move(id));

    for (const char* name : kEnumTypeClasses) {
        auto object = ClassRegistry::Construct(name);
        object->InitDefaults();
        objects.push_back(std::move(object));
    }
    auto types = std::make_unique<TEnumTypesColl>();
    for (int i = 0; i < 2; ++i) {
        auto definition = Create<TEnumTypeDefinition>();
        definition->TypeName = "EnTyp" + std::to_string(i);
        definition->Strings->Add("prvni \x9A");
        definition->Strings->Add(std::string(255, '\xFF'));
        definition->Strings->Element(1)->TextId = 3;
        if (i == 1) {
            definition->Strings->Transfer = Create<TEnumTransferObj>();
            definition->Strings->Transfer->Table.fill(0x80);
        }
        types->Insert(std::move(definition));
    }
    types->Insert(nullptr);
    objects.push_back(std::move(types));

    for (const char* name : kAssignTableClasses) {
        auto table = ClassRegistry::Construct(name);
        table->InitDefaults();
        static_cast<TDscrAssignTable*>(table.get())->PutTabItem(0x81, 5);
        static_cast<TDscrAssignTable*>(table.get())->PutTabItem(-1, -3);
        objects.push_back(std::move(table));
    }

    std::vector<const TrbStreamable*> pointers;
    for (const auto& o : objects)
        pointers.push_back(o.get());
    const auto first = Save(pointers);

    TrbMemoryObjStream in(first);
    in.OpenRead();
    std::vector<std::unique_ptr<TrbStreamable>> loaded;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        loaded.push_back(in.Get());
        ASSERT_NE(loaded.back(), nullptr);
        EXPECT_EQ(loaded.back()->ClassName(), objects[i]->ClassName());
    }
    in.Close();
    std::vector<const TrbStreamable*> again;
    for (const auto& o : loaded)
        again.push_back(o.get());
    EXPECT_EQ(Save(again), first);
}

// Exactly sized heap buffers, so the address sanitizer reports any access outside a field or
// its transfer slot.
TEST_F(RecordRegisterTest, NoOperationLeavesItsFieldOrSlot) {
    const std::uint16_t flagSets[] = {
        0,        fHex, fFormat, fAutoDec, fExpo, fNoPad | fCWinNoPad | fCSVAlways | fCSVNewLine,
        fNoTrBuff};
    const std::uint16_t sizes[] = {0, 1, 3, 33, 300};
    for (const char* name : kRecordClasses) {
        for (const std::uint16_t flags : flagSets) {
            for (const std::uint16_t size : sizes) {
                auto object = ClassRegistry::Construct(name);
                object->InitDefaults();
                auto& d = *static_cast<TRecFieldTypeDscr*>(object.get());
                d.FieldSize = size;
                d.Flags = flags;
                d.Caption = "%d %s";
                d.LineWidth = d.CWinWidth = d.CSVWidth = d.JoinWidth = 40;
                const std::size_t fieldSize = d.GetFieldSize();
                const std::size_t slotSize = d.GetTrBuffSize();
                auto record = std::make_unique<std::uint8_t[]>(fieldSize);
                auto slot = std::make_unique<std::uint8_t[]>(slotSize);
                for (std::size_t i = 0; i < fieldSize; ++i)
                    record[i] = static_cast<std::uint8_t>(0xF7 - i);
                std::string text;
                d.GetLineAStr(record.get(), text, 255);
                d.GetCWinAStr(record.get(), text, 255);
                d.GetCSV_AStr(record.get(), text, 255);
                d.GetJoinAStr(record.get(), text, 255);
                EXPECT_LE(text.size(), 255u);
                d.PutDataToTrBuff(record.get(), slot.get());
                bool modified = false;
                d.GetDataFromTrBuff(record.get(), slot.get(), modified);
                // A reference text travels cut to 79 characters; longer ones come back cut.
                const bool cutInSlot = std::string(name) == "TRefPStr_FieldDscr" &&
                                       fieldSize > 80 && (flags & fNoTrBuff) == 0;
                EXPECT_EQ(modified, cutInSlot) << name << " flags " << flags << " size " << size;
                d.FreeTrBuffRec(slot.get());
                d.InitFieldValue(record.get());
                d.RunFieldSemantics(1, 1, SemData(record.get(), fieldSize));
            }
        }
    }
}

} // namespace
} // namespace panolcd
