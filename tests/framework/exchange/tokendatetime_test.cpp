#include "framework/exchange/datetimetoken.h"
#include "framework/exchange/lexreader.h"

#include "support/test_context.h"

namespace panolcd {
namespace {

using testing::ContextTest;

constexpr std::uint32_t Dos(std::uint32_t year, std::uint32_t month, std::uint32_t day,
                            std::uint32_t hour = 0, std::uint32_t minute = 0,
                            std::uint32_t second = 0) {
    return ((year - 1980) << 25 | month << 21 | day << 16) |
           (hour << 11 | minute << 5 | second / 2);
}

struct Case {
    const char* text;
    int form;
    std::uint32_t value;
    const char* message; // "" when no error is expected
    std::size_t column;
};

class TokenDateTime : public ContextTest {
protected:
    void Check(const Case& c, const TokenSettings& settings = {}) {
        User().shown.clear();
        const auto path = WriteFile("D.TXT", c.text);
        TLexicalElemReader reader(path.string(), settings);
        EXPECT_EQ(reader.ReadDateTime(c.form), c.value) << c.text;
        EXPECT_EQ(reader.Column(), c.column) << c.text;
        if (*c.message == 0) {
            EXPECT_TRUE(User().shown.empty()) << c.text;
            return;
        }
        ASSERT_EQ(User().shown.size(), 1u) << c.text;
        EXPECT_EQ(User().shown[0].text, c.message) << c.text;
        EXPECT_EQ(User().shown[0].kind, MsgKind::Error) << c.text;
    }
};

TEST_F(TokenDateTime, DosDateTimes) {
    const Case cases[] = {
        {"1/2/03 4:05", 1, Dos(2003, 2, 1, 4, 5), "", 11},
        {"1/2/79", 1, Dos(2079, 2, 1), "", 6},
        {"1/2/80", 1, Dos(1980, 2, 1), "", 6},
        {"1/2/99", 1, Dos(1999, 2, 1), "", 6},
        {"07/03/2001 14:05:09", 1, Dos(2001, 3, 7, 14, 5, 8), "", 19}, // two-second steps
        {"31/12/2079 23:59:59", 1, Dos(2079, 12, 31, 23, 59, 58), "", 19},
        {"1/2", 1, Dos(2000, 2, 1), "", 3}, // a missing year counts as 0: 2000
        {"1/2/03 4", 1, Dos(2003, 2, 1, 4), "", 8},
        {"1/2/03 4:", 1, Dos(2003, 2, 1, 4), "", 9},
        {"1/2/03   ;", 1, Dos(2003, 2, 1), "", 6}, // blanks without a time are not taken
        {"1/2/03 4:05 x", 0, Dos(2003, 2, 1, 4, 5), "", 11},
        {"29/2/2004", 1, Dos(2004, 2, 29), "", 9},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenDateTime, BadPartsAreReportedWithTheirRanges) {
    const Case cases[] = {
        {"32/1/03", 1, 0xFFFFFFFF, "32< 1,31> 1:7", 7},
        {"0/1/03", 1, 0xFFFFFFFF, "0< 1,31> 1:6", 6},
        {"1/13/03", 1, 0xFFFFFFFF, "13< 1,12> 1:7", 7},
        {"1//03", 1, 0xFFFFFFFF, "< 1,12> 1:5", 5},
        {"1/2/1979", 1, 0xFFFFFFFF, "1979<1980,2079> 1:8", 8},
        {"1/2/2080", 1, 0xFFFFFFFF, "2080<1980,2079> 1:8", 8},
        {"1/2/0080", 1, 0xFFFFFFFF, "0080<1980,2079> 1:8", 8},
        {"1/2/03 24:00", 1, 0xFFFFFFFF, "24< 0,23> 1:12", 12},
        {"1/2/03 4:60", 1, 0xFFFFFFFF, "60< 0,59> 1:11", 11},
        {"1/2/03 4:5:60", 1, 0xFFFFFFFF, "60< 0,59> 1:13", 13},
        {"99999999999/1/03", 1, 0xFFFFFFFF, "99999999999< 1,31> 1:16", 16},
        {"31/4/2003", 1, 0xFFFFFFFF, "Err PackTime 1:9", 9}, // April has 30 days
        {"29/2/2003", 1, 0xFFFFFFFF, "Err PackTime 1:9", 9},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenDateTime, ZetTimes) {
    const Case cases[] = {
        {"1/1/1992 00:00:00", 2, 0, "", 17},
        {"1/1/1992 12:00:00", 2, 1, "", 17},
        {"01/01/1992 00:00:01", 2, 1u << 16, "", 19},
        {"2/1/92", 2, 2, "", 6},
        {"1/1/93 13:00:00", 2, (3600u << 16) | (366 * 2 + 1), "", 15},
        {"1/1/1985", 2, 0xFFFFFFFF, "Err PackZetTime 1:8", 8},
        // 1 February 2003 is day 4049 after 1 January 1992; 04:05:01 is second 14701.
        {"1/2/03 4:05:01", 2, (14701u << 16) | 8098u, "", 14},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenDateTime, DateOrders) {
    TokenSettings settings;
    settings.dateOrder = 0;
    Check({"2/1/03", 1, Dos(2003, 2, 1), "", 6}, settings);
    Check({"13/1/03", 1, 0xFFFFFFFF, "13< 1,12> 1:7", 7}, settings); // month first
    settings.dateOrder = 2;
    Check({"2003/2/1", 1, Dos(2003, 2, 1), "", 8}, settings);
    Check({"1979/2/1", 1, 0xFFFFFFFF, "1979<1980,2079> 1:8", 8}, settings);
    settings.dateOrder = 1;
    settings.dateSeparator = '.';
    settings.timeSeparator = '-';
    Check({"1.2.03 4-05", 1, Dos(2003, 2, 1, 4, 5), "", 11}, settings);
}

TEST_F(TokenDateTime, UnknownDosDatesReadBackAsZero) {
    // The text a DOS date-time that is no valid date is written with.
    Check({"\?\?/\?\?/\?\?\?\? 00:00:00", 1, 0, "", 19});
    Check({"\?\?/\?\?/\?\?\?\?;", 0, 0, "", 10});
    Check({"\?\?/\?\?/\?\?\?\? 00:00:00", 2, 0xFFFFFFFF,
           "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F'']) 1:1", 1});
    Check({"\?\?/1/2003", 1, 0xFFFFFFFF, "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F'']) 1:1",
           1});
}

TEST_F(TokenDateTime, TheReaderContinuesAfterTheToken) {
    const auto path = WriteFile("D.TXT", "(1/2/03 4:05;$0000001F)\r\n");
    TLexicalElemReader reader(path.string());
    EXPECT_EQ(reader.NextChar(), '(');
    EXPECT_EQ(reader.ReadDateTime(1), Dos(2003, 2, 1, 4, 5));
    EXPECT_EQ(reader.NextChar(), ';');
    EXPECT_EQ(reader.ReadDateTime(1), 31u);
    EXPECT_EQ(reader.NextChar(), ')');
    EXPECT_FALSE(reader.IsError());
}

TEST(TokenDateTimeText, StartsAndEnds) {
    const TokenSettings settings;
    EXPECT_TRUE(StartsDateTimeToken("12/1", 0, settings));
    EXPECT_FALSE(StartsDateTimeToken("12", 0, settings));
    EXPECT_FALSE(StartsDateTimeToken("/1", 0, settings));
    EXPECT_FALSE(StartsDateTimeToken("$1/1", 0, settings));
    EXPECT_FALSE(StartsUnknownDate("\?\?/\?\?/\?\?\?", 0, settings));
    EXPECT_FALSE(StartsUnknownDate("", 5, settings));
    const DateTimeToken token = ReadDateTimeToken("x 1/2/03 4:05:06 y", 2, 1, settings);
    EXPECT_EQ(token.end, 16u);
    EXPECT_EQ(token.value, Dos(2003, 2, 1, 4, 5, 6));
}

} // namespace
} // namespace panolcd
