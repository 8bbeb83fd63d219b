#include "framework/records/realfields.h"

#include "common/littleendian.h"
#include "framework/records/fieldtest_util.h"

#include <cmath>
#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;

Bytes Real(double value) {
    Bytes bytes(8);
    WriteLE(bytes.data(), value);
    return bytes;
}

std::unique_ptr<TRealpRecFieldDscr> Field(std::uint16_t flags, std::uint8_t width,
                                          std::uint8_t decimals, std::string caption = {}) {
    auto d = Create<TRealpRecFieldDscr>();
    d->Flags = flags;
    d->LineWidth = d->CWinWidth = d->CSVWidth = d->JoinWidth = width;
    d->Decimals = decimals;
    d->Caption = std::move(caption);
    return d;
}

TEST(RealFields, Texts) {
    struct Case {
        std::uint16_t flags;
        std::uint8_t width;
        std::uint8_t decimals;
        std::string caption;
        double value;
        FieldTextForm form;
        std::string expected;
    };
    const Case cases[] = {
        {0, 8, 2, "", 3.14159, FieldTextForm::Line, "    3.14"},
        {0, 3, 2, "", 3.14159, FieldTextForm::Line, "3.14"},
        {fNoPad, 8, 2, "", 3.14159, FieldTextForm::Line, "3.14"},
        {0, 6, 2, "", 0.125, FieldTextForm::Line, "  0.12"},
        {0, 6, 2, "", 0.375, FieldTextForm::Line, "  0.38"},
        {fAutoDec, 6, 0, "", 3.14159, FieldTextForm::Line, "3.1416"},
        {fAutoDec, 6, 0, "", -3.14159, FieldTextForm::Line, "-3.142"},
        {fAutoDec, 4, 0, "", 9.99999, FieldTextForm::Line, "10.0"},
        {fAutoDec, 8, 0, "", 12.0, FieldTextForm::Line, "12.00000"},
        {fHex, 6, 0, "", 3.14159, FieldTextForm::Line, "3.1415"},
        {fHex, 4, 0, "", 123456.0, FieldTextForm::Line, "1234"},
        {fExpo, 10, 0, "", 1.5, FieldTextForm::Line, " 1.50E+000"},
        {fExpo, 12, 0, "", -0.00025, FieldTextForm::Line, "-2.5000E-004"},
        {fFormat, 8, 2, "Teplota %5.1f C", 21.25, FieldTextForm::Line, "Teplota  21.2 C"},
        {fFormat, 8, 2, "Teplota %5.1f C", 21.25, FieldTextForm::Join, "Teplota  21.2 C"},
        {fFormat, 8, 2, "Teplota %5.1f C", 21.35, FieldTextForm::CSV, " 21.4;"},
        {fFormat, 8, 2, "Teplota %5.1f C", 21.25, FieldTextForm::CWin, "Teplota %5.1f C   21.25"},
        {fFormat, 6, 2, "%d st", 21.25, FieldTextForm::Line, " 21.25"},
    };
    for (const auto& c : cases) {
        auto d = Field(c.flags, c.width, c.decimals, c.caption);
        Bytes data = Real(c.value);
        EXPECT_EQ(testing::FormText(*d, c.form, data), c.expected) << c.value << " " << c.flags;
    }
}

TEST(RealFields, TransferBuffers) {
    auto d = Create<TRealpRecFieldDscr>();
    d->Default = 2.5;
    EXPECT_EQ(d->GetFieldSize(), 8);
    EXPECT_EQ(d->GetTrBuffSize(), 8);
    Bytes record(8);
    d->InitFieldValue(record.data());
    EXPECT_EQ(record, Real(2.5));

    auto lim = Create<TRealpLimRecFieldDscr>();
    lim->Min = -1.0;
    lim->Max = 100.0;
    lim->Decimals = 3;
    EXPECT_EQ(lim->GetTrBuffSize(), 25);
    Bytes slot(25);
    lim->PutDataToTrBuff(Real(7.0).data(), slot.data());
    Bytes expected = Real(7.0);
    for (const double v : {-1.0, 100.0}) {
        const Bytes b = Real(v);
        expected.insert(expected.end(), b.begin(), b.end());
    }
    expected.push_back(3);
    EXPECT_EQ(slot, expected);

    // Equal numbers with other bits (0 and -0) are no change.
    record = Real(0.0);
    bool modified = false;
    lim->GetDataFromTrBuff(record.data(), Real(-0.0).data(), modified);
    EXPECT_FALSE(modified);
    EXPECT_EQ(record, Real(0.0));
    lim->GetDataFromTrBuff(record.data(), Real(1.5).data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(record, Real(1.5));

    lim->Flags = fNoTrBuff;
    d->Flags = fNoTrBuff;
    EXPECT_EQ(lim->GetTrBuffSize(), 0);
    EXPECT_EQ(d->GetTrBuffSize(), 0);
}

TEST(RealFields, StreamData) {
    auto base = Create<TRecFieldTypeDscr>();
    base->FieldSize = 8;
    auto d = Create<TRealpLimRecFieldDscr>();
    d->Default = 1.0;
    d->Decimals = 2;
    d->Min = -2.0;
    d->Max = 0.5;
    Bytes expected = testing::StreamData(*base);
    for (const auto& part : {Real(1.0), Bytes{2}, Real(-2.0), Real(0.5)})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(testing::StreamData(*d), expected);
    // 1.0 as an IEEE double.
    EXPECT_EQ(Real(1.0), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

} // namespace
} // namespace panolcd
