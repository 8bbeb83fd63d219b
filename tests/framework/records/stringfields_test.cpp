#include "framework/records/stringfields.h"

#include "common/shortstring.h"
#include "framework/environment/envcontext.h"
#include "framework/records/fieldtest_util.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;
using testing::FormText;

template <class T = TDBStringFieldDscr>
std::unique_ptr<T> Field(std::uint16_t size, std::uint16_t flags, std::uint8_t width,
                         std::string caption = {}) {
    auto d = Create<T>();
    d->FieldSize = size;
    d->Flags = flags;
    d->LineWidth = d->CWinWidth = d->CSVWidth = d->JoinWidth = width;
    d->Caption = std::move(caption);
    return d;
}

Bytes Stored(std::size_t size, const std::string& text) {
    Bytes bytes(size);
    StoreShortString(bytes.data(), size - 1, text);
    return bytes;
}

class StringFieldsTest : public testing::ContextTest {};

TEST_F(StringFieldsTest, Texts) {
    struct Case {
        std::uint16_t flags;
        std::uint8_t width;
        std::string caption;
        std::string value;
        FieldTextForm form;
        std::string expected;
    };
    const Case cases[] = {
        {0, 5, "", "AB", FieldTextForm::Line, "AB   "},
        {0, 5, "", "AB", FieldTextForm::CSV, "\"AB   \";"},
        {fNoPad, 5, "", "AB", FieldTextForm::CSV, "\"AB\";"},
        {0, 3, "", "ABCDEF", FieldTextForm::CSV, "\"ABC\";"},
        {0, 3, "", "ABCDEF", FieldTextForm::Line, "ABC"},
        {fNoPad, 5, "", "AB", FieldTextForm::Line, "AB"},
        {fCWinNoPad, 5, "", "AB", FieldTextForm::CWin, "AB"},
        {0, 5, "", "a\"b", FieldTextForm::CSV, "\"a\"b  \";"},
        {0, 6, "Jm: ", "AB", FieldTextForm::Line, "Jm: AB    "},
        {fFormat, 8, "<%s>", "AB", FieldTextForm::Line, "<AB>"},
        {fFormat, 3, "<%s>", "AB", FieldTextForm::Line, "<AB"},
        {fFormat, 8, "<%s>", "AB", FieldTextForm::CWin, "<%s>AB      "},
        {fFormat, 8, "<%d>", "AB", FieldTextForm::Line, "AB      "},
        {fFormat, 8, "Jm %-4s!", "AB", FieldTextForm::CSV, "\"AB  !\";"},
    };
    for (const auto& c : cases) {
        auto d = Field(11, c.flags, c.width, c.caption);
        Bytes data = Stored(11, c.value);
        EXPECT_EQ(FormText(*d, c.form, data), c.expected) << c.value << " " << c.flags;
    }
}

TEST_F(StringFieldsTest, OverlongLengthIsShownCutAndCorrected) {
    auto d = Field(11, 0, 20);
    Bytes data(11, 'x');
    data[0] = 40;
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), std::string(10, 'x') + std::string(10, ' '));
    EXPECT_EQ(data[0], 10);
}

TEST_F(StringFieldsTest, SizesAreClampedNeverWrapped) {
    struct Case {
        std::uint16_t fieldSize;
        std::uint16_t size;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{11, 11}, Case{256, 256}, Case{257, 256},
                         Case{300, 256}, Case{65535, 256}}) {
        auto d = Field(c.fieldSize, 0, 0);
        d->DefaultText = std::string(300, 'd');
        EXPECT_EQ(d->GetFieldSize(), c.size) << c.fieldSize;
        EXPECT_EQ(d->GetTrBuffSize(), c.size) << c.fieldSize;
        // Exactly sized buffers: the sanitizer catches any write beyond them.
        Bytes record(c.size);
        d->InitFieldValue(record.data());
        EXPECT_EQ(record[0], c.size - 1);
        auto slot = std::make_unique<std::uint8_t[]>(c.size);
        d->PutDataToTrBuff(record.data(), slot.get());
        bool modified = false;
        d->GetDataFromTrBuff(record.data(), slot.get(), modified);
        EXPECT_FALSE(modified);
    }
}

TEST_F(StringFieldsTest, DefaultTextFromResourcesOrOwn) {
    EnvCtx().app.ResLibrary = ResourceLibrary{{4100, "Z knihovny"}};
    auto d = Field(6, 0, 0);
    EXPECT_EQ(d->DefaultTextId, -1);
    d->DefaultText = "Vlastni";
    Bytes record(6);
    d->InitFieldValue(record.data());
    EXPECT_EQ(record, Stored(6, "Vlast"));
    d->DefaultTextId = 4100;
    EXPECT_EQ(d->GetDefaultText(), "Z knihovny");
    d->DefaultTextId = 4101;
    EXPECT_EQ(d->GetDefaultText(), "Vlastni");
}

TEST_F(StringFieldsTest, TransferSlotIsTheFieldBytes) {
    auto d = Field(6, 0, 0);
    const Bytes record = Stored(6, "abc");
    Bytes slot(6);
    d->PutDataToTrBuff(record.data(), slot.data());
    EXPECT_EQ(slot, record);
    Bytes edited = Stored(6, "xyz12");
    Bytes target = record;
    bool modified = false;
    d->GetDataFromTrBuff(target.data(), edited.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(target, edited);
    d->Flags = fNoTrBuff;
    EXPECT_EQ(d->GetTrBuffSize(), 0);
}

TEST_F(StringFieldsTest, LabelShowsItsDefaultTextAndTakesNoRoom) {
    auto d = Field<TLabelFieldDscr>(8, 0, 9);
    d->DefaultText = "Nadpis";
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(d->GetTrBuffSize(), 8);
    Bytes none;
    d->InitFieldValue(none.data());
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, none), "Nadpis   ");
    EXPECT_EQ(FormText(*d, FieldTextForm::CWin, none), "Nadpis   ");
    EXPECT_EQ(FormText(*d, FieldTextForm::CSV, none), "");
    d->Flags = fCSVNewLine | fCSVAlways;
    EXPECT_EQ(FormText(*d, FieldTextForm::CSV, none), "");

    Bytes slot(8, 0xEE);
    d->PutDataToTrBuff(none.data(), slot.data());
    EXPECT_EQ(slot, Stored(8, "Nadpis"));
    bool modified = false;
    d->GetDataFromTrBuff(none.data(), slot.data(), modified);
    EXPECT_FALSE(modified);
}

TEST_F(StringFieldsTest, CodeStringIsCompactedInTheLineFormOnly) {
    auto d = Field<TVsCodeStringDscr>(40, 0, 12);
    Bytes data = Stored(40, "IF a\r\n  b\nc");
    EXPECT_EQ(FormText(*d, FieldTextForm::Line, data), "IF a bc     ");
    EXPECT_EQ(FormText(*d, FieldTextForm::Join, data), "IF a\r\n  b\nc ");
}

TEST_F(StringFieldsTest, StreamData) {
    auto base = Create<TRecFieldTypeDscr>();
    base->FieldSize = 11;
    auto d = Field(11, 0, 0);
    d->DefaultText = "Ab";
    d->DefaultTextId = 0x0102;
    Bytes expected = testing::StreamData(*base);
    expected.insert(expected.end(), {2, 'A', 'b', 2, 1});
    EXPECT_EQ(testing::StreamData(*d), expected);
}

} // namespace
} // namespace panolcd
