#include "framework/records/enumfield.h"

#include "framework/environment/envcontext.h"
#include "framework/persistence/register.h"
#include "framework/records/enumtest_util.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/register.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::EnumType;
using testing::FormText;

const std::string kLongText(90, 'm');

class EnumFieldTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterRecordClasses();
        RegisterEnumTypeClasses();
        RegisterEnumFieldClasses();
        auto types = Create<TEnumTypesColl>();
        types->Insert(EnumType("EnCaseLayers", {"Vrstva A", "Vrstva B", ""}));
        types->Insert(EnumType("EnLong", {kLongText.c_str()}));
        testing::InstallEnumTypes(std::move(types));
    }

    static std::unique_ptr<TEnumRecFieldDscr> Field(std::int16_t typeIx, std::uint16_t flags,
                                                    std::uint8_t width, std::string caption = {}) {
        auto d = Create<TEnumRecFieldDscr>();
        d->EnumTypeIx = typeIx;
        d->Flags = flags;
        d->LineWidth = d->CWinWidth = d->CSVWidth = d->JoinWidth = width;
        d->Caption = std::move(caption);
        return d;
    }
};

TEST_F(EnumFieldTest, Texts) {
    struct Case {
        const char* name;
        std::int16_t typeIx;
        std::uint16_t flags;
        std::uint8_t width;
        FieldTextForm form;
        std::uint8_t value;
        std::string expected;
    };
    const auto L = FieldTextForm::Line;
    const Case cases[] = {
        {"text padded", 0, 0, 10, L, 0, "Vrstva A  "},
        {"text cut", 0, 0, 4, L, 1, "Vrst"},
        {"empty text", 0, 0, 6, L, 2, "$02   "},
        {"no such item", 0, 0, 6, L, 9, "$09   "},
        {"no such type", 5, 0, 5, L, 0xAB, "$AB  "},
        {"negative type index", -1, 0, 3, L, 0x0C, "$0C"},
        {"hex", 0, fHex, 5, L, 0, "$00  "},
        {"hex not cut", 0, fHex, 2, L, 0, "$00"},
        {"hex unpadded", 0, fHex | fNoPad, 5, L, 1, "$01"},
        {"unpadded", 0, fNoPad, 10, L, 0, "Vrstva A"},
        {"unpadded still cut", 0, fNoPad, 4, L, 0, "Vrst"},
        {"at most 79", 1, 0, 100, L, 0, std::string(79, 'm')},
        {"at most 79 unpadded", 1, fNoPad, 100, L, 0, std::string(79, 'm')},
        {"CWin ignores fNoPad", 0, fNoPad, 10, FieldTextForm::CWin, 0, "Vrstva A  "},
        {"CWin unpadded", 0, fCWinNoPad, 10, FieldTextForm::CWin, 0, "Vrstva A"},
        {"CSV", 0, 0, 10, FieldTextForm::CSV, 1, "Vrstva B  ;"},
        {"Join", 0, 0, 3, FieldTextForm::Join, 1, "Vrs"},
        {"width 0", 0, 0, 0, L, 1, ""},
    };
    for (const auto& c : cases) {
        auto d = Field(c.typeIx, c.flags, c.width);
        Bytes data = {c.value};
        EXPECT_EQ(FormText(*d, c.form, data), c.expected) << c.name;
    }
}

TEST_F(EnumFieldTest, CaptionBeforeTheText) {
    auto d = Field(0, 0, 9, "Vrstva: ");
    Bytes data = {1};
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), "Vrstva: Vrstva B ");
    EXPECT_EQ(FormText(*d, FieldTextForm::CSV, data), "Vrstva B ;");
}

TEST_F(EnumFieldTest, WithoutAnApplicationDescriptionTheValueIsHex) {
    EnvCtx().app.AppData.reset();
    auto d = Field(0, 0, 4);
    Bytes data = {0xFE};
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), "$FE ");
}

TEST_F(EnumFieldTest, TheSlotIsAlwaysFiveBytes) {
    struct Case {
        std::uint16_t flags;
        std::int16_t typeIx;
        Bytes slot;
    };
    const Case cases[] = {
        {0, 3, {7, 3, 0, 0, 0}},
        {fNoTrBuff, 3, {7, 3, 0, 0, 0}},
        {0, -2, {7, 0xFE, 0xFF, 0xFF, 0xFF}},
        {0, 0x1234, {7, 0x34, 0x12, 0, 0}},
    };
    for (const auto& c : cases) {
        auto d = Field(c.typeIx, c.flags, 0);
        EXPECT_EQ(d->GetFieldSize(), 1);
        EXPECT_EQ(d->GetTrBuffSize(), 5);
        Bytes record = {7};
        Bytes slot(5, 0xEE);
        d->PutDataToTrBuff(record.data(), slot.data());
        EXPECT_EQ(slot, c.slot) << c.typeIx;

        bool modified = false;
        d->GetDataFromTrBuff(record.data(), slot.data(), modified);
        EXPECT_FALSE(modified);
        slot[0] = 2;
        d->GetDataFromTrBuff(record.data(), slot.data(), modified);
        EXPECT_TRUE(modified);
        EXPECT_EQ(record, Bytes{2});
    }
}

TEST_F(EnumFieldTest, StreamDataAndDefault) {
    auto d = Field(0x0102, 0, 0);
    d->Default = 9;
    const Bytes data = testing::StreamData(*d);
    ASSERT_GE(data.size(), 3u);
    EXPECT_EQ(Bytes(data.end() - 3, data.end()), (Bytes{9, 2, 1}));

    auto loaded = StreamableAs<TEnumRecFieldDscr>(testing::SaveAndLoad(*d));
    EXPECT_EQ(loaded->Default, 9);
    EXPECT_EQ(loaded->EnumTypeIx, 0x0102);
    EXPECT_EQ(loaded->FieldSize, 1);
    Bytes record = {0};
    loaded->InitFieldValue(record.data());
    EXPECT_EQ(record, Bytes{9});
}

} // namespace
} // namespace panolcd
