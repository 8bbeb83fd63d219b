#include "framework/records/fieldtext.h"
#include "framework/records/stringfields.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(FieldText, CsvPatternIsCutFromTheCaption) {
    const std::pair<std::string, std::string> cases[] = {
        {"Teplota %5.1f C", "%5.1f"},
        {"Adresa $%4.4X hex", "$%4.4X"},
        {"%d", "%d"},
        {"bez vzoru", ""},
        {"Kus %dks", "%dks"},
    };
    for (const auto& [caption, pattern] : cases)
        EXPECT_EQ(CsvPattern(caption), pattern) << caption;
}

TEST(FieldText, PatternFitsOnlyOneDirectiveOfTheValuesKind) {
    struct Case {
        const char* pattern;
        PatternValue kind;
        bool fits;
    };
    const Case cases[] = {
        {"%d kg", PatternValue::Integer, true},  {"$%4X", PatternValue::Integer, true},
        {"%s kg", PatternValue::Integer, false}, {"%d %d", PatternValue::Integer, false},
        {"100%%", PatternValue::Integer, false}, {"%5.1f C", PatternValue::Real, true},
        {"%g", PatternValue::Real, true},        {"%d", PatternValue::Real, false},
        {"[%-8s]", PatternValue::Text, true},    {"%f", PatternValue::Text, false},
        {"%q", PatternValue::Text, false},       {"%", PatternValue::Integer, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PatternFits(c.pattern, c.kind), c.fits) << c.pattern;
}

TEST(FieldText, RoundsHalvesToEven) {
    const std::pair<double, double> cases[] = {{0.5, 0.0},   {1.5, 2.0}, {2.5, 2.0},  {3.5, 4.0},
                                               {-2.5, -2.0}, {2.6, 3.0}, {-0.4, -0.0}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(PascalRound(value), rounded) << value;
}

TEST(FieldText, AutomaticDecimals) {
    struct Case {
        double value;
        int width;
        int decimals;
    };
    const Case cases[] = {
        {3.14159, 6, 4}, {-3.14159, 6, 3}, {9.99999, 4, 1}, {123.0, 3, 0},       {0.5, 20, 13},
        {12345.0, 3, 0}, {0.999, 2, 0},    {1e12, 20, 1},   {2147.48365, 10, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoDecimals(c.value, c.width), c.decimals) << c.value << " " << c.width;
}

TEST(FieldText, AppendNeverExceedsTheCapacity) {
    std::string text = "abc";
    AppendCapped(text, 5, "defgh");
    EXPECT_EQ(text, "abcde");
    AppendCapped(text, 5, "x");
    EXPECT_EQ(text, "abcde");
    std::string over = "abcdef";
    AppendCapped(over, 3, "x");
    EXPECT_EQ(over, "abcdef");
}

TEST(FieldText, AlignmentAndHex) {
    EXPECT_EQ(AlignRight("7", 3), "  7");
    EXPECT_EQ(AlignRight("12345", 3), "12345");
    EXPECT_EQ(PadRight("AB", 5), "AB   ");
    EXPECT_EQ(CutTo("ABCDEF", 4), "ABCD");
    EXPECT_EQ(HexDigits(0xFFFFFFFEu, 8), "FFFFFFFE");
    EXPECT_EQ(HexDigits(0xABCD, 2), "CD");
    EXPECT_EQ(ExpoText(1.5, 10), " 1.50E+000");
    EXPECT_EQ(ExpoText(-1.5, 10), "-1.50E+000");
    EXPECT_EQ(FixedText(0.125, 2), "0.12");
}

TEST(FieldText, CodeTextCompaction) {
    const std::pair<std::string, std::string> cases[] = {
        {"A\nB", "AB"},     {"A\rB", "AB"},        {"A\r\nB", "A B"},         {"A   B", "A B"},
        {"A \r\nB", "A B"}, {"A\r\n\r\nB", "A B"}, {"IF x\r\n  y", "IF x y"}, {"AB  ", "AB"},
        {" A", " A"},
    };
    for (const auto& [text, compact] : cases)
        EXPECT_EQ(CompactCodeText(text), compact);
}

} // namespace
} // namespace panolcd
