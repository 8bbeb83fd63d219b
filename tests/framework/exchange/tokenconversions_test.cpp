#include "framework/environment/conversions.h"

#include "framework/environment/restext.h"
#include "support/test_context.h"

#include <cmath>

namespace panolcd {
namespace {

using testing::ContextTest;

TEST(TokenConversions, DWordTexts) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"4294967295", 4294967295},
        {"4294967296", std::nullopt},
        {"-1", -1},
        {"+7", 7},
        {" 12", 12},
        {"$FFFFFFFF", 4294967295},
        {"$80000000", 2147483648},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"1 ", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDWordText(c.text), c.value) << c.text;
}

TEST(TokenConversions, RealTexts) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.5", 1.5},
        {"-1.50000000000000E+0000", -1.5},
        {"+2e3", 2000},
        {".5", 0.5},
        {"5.", 5},
        {"  7", 7},
        {"1E", std::nullopt},
        {"1E+", std::nullopt},
        {".", std::nullopt},
        {"E5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1,5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"", std::nullopt},
        {"1e-400", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseRealText(c.text), c.value) << c.text;
    EXPECT_EQ(ParseRealText("1e400"), HUGE_VAL);
    EXPECT_EQ(ParseRealText("-1e400"), -HUGE_VAL);
    EXPECT_EQ(ParseRealText("0.000000000000000000001e330"), HUGE_VAL);
    EXPECT_EQ(ParseRealText("100000000000000000000e-400"), 0);
}

class TokenConversionsLim : public ContextTest {};

TEST_F(TokenConversionsLim, SyntaxAndRangeTexts) {
    const std::string range = ResText(135) + " ";
    std::int32_t l = -99;
    std::string text = "x";
    StrToLongIntLim(text, 255, l, 0, 10, 0);
    EXPECT_EQ(text, ResText(138));
    EXPECT_EQ(l, -99);
    text = "11";
    StrToLongIntLim(text, 255, l, 0, 10, 0);
    EXPECT_EQ(text, range);
    text = "10";
    StrToLongIntLim(text, 255, l, kLimExcludeMax, 10, 0);
    EXPECT_EQ(text, range);
    text = "$A";
    StrToLongIntLim(text, 255, l, 0, 10, 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(l, 10);

    std::uint32_t d = 7;
    text = "-1";
    StrToDWordLim(text, 255, d, 0, 0xFFFFFFFF, 0);
    EXPECT_EQ(text, range);
    text = "4294967296";
    StrToDWordLim(text, 255, d, 0, 0xFFFFFFFF, 0);
    EXPECT_EQ(text, ResText(138));
    text = "0";
    StrToDWordLim(text, 255, d, kLimExcludeMin, 0xFFFFFFFF, 0);
    EXPECT_EQ(text, range);
    EXPECT_EQ(d, 7u);
    text = "$FFFFFFFF";
    StrToDWordLim(text, 255, d, 0, 0xFFFFFFFF, 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(d, 0xFFFFFFFFu);

    double r = -99;
    text = "1..";
    StrToRealLim(text, 255, r, 0, 1e38, -1e38);
    EXPECT_EQ(text, ResText(139));
    text = "2E38";
    StrToRealLim(text, 255, r, 0, 1e38, -1e38);
    EXPECT_EQ(text, range);
    EXPECT_EQ(r, -99);
    text = "-1E38";
    StrToRealLim(text, 255, r, 0, 1e38, -1e38);
    EXPECT_EQ(text, "");
    EXPECT_EQ(r, -1e38);

    text = "x";
    StrToRealLim(text, 5, r, 0, 1, 0); // cut to the capacity
    EXPECT_EQ(text, ResText(139).substr(0, 5));
}

} // namespace
} // namespace panolcd
