#include "framework/records/datetime.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(DateTime, Texts) {
    struct Case {
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {TimeText(3725), "01:02:05"},
        {TimeText(0), "00:00:00"},
        {TimeText(360000), "100:00:00"},
        {DateTimeText({2001, 3, 7, 14, 5, 9}), "07/03/2001 14:05:09"},
        {DateTimeText({0, 13, 0, 0, 0, 0}), "?\?/?\?/???? 00:00:00"},
        {DateTimeText({1999, 12, 32, 23, 59, 59}), "?\?/12/1999 23:59:59"},
        {ZetTimeText(0), "01/01/1992 00:00:00"},
        {ZetTimeText(1), "01/01/1992 12:00:00"},
        {ZetTimeText((43199u << 16) | 1), "01/01/1992 23:59:59"},
        {ZetTimeText(2 * 59), "29/02/1992 00:00:00"},
        {ZetTimeText(2 * 366), "01/01/1993 00:00:00"},
        {ZetTimeText(2 * 1461), "01/01/1996 00:00:00"},
        {DosDateTimeText(0), "?\?/?\?/???? 00:00:00"},
        // 2001-03-07 14:05:08: date (21 << 9 | 3 << 5 | 7), time (14 << 11 | 5 << 5 | 4).
        {DosDateTimeText((0x2A67u << 16) | 0x70A4u), "07/03/2001 14:05:08"},
        // 30 February
        {DosDateTimeText(((21u << 9 | 2u << 5 | 30u) << 16)), "?\?/?\?/???? 00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(DateTime, ZetTimeRoundTripsEveryDayOfItsRange) {
    const std::uint32_t lastDay = *PackZetTime({2080, 12, 31, 0, 0, 0}) / 2;
    for (std::uint32_t day = 0; day <= lastDay; ++day) {
        for (const std::uint32_t seconds : {0u, 43199u, 43200u, 86399u}) {
            const std::uint32_t low = day * 2 + (seconds >= 43200 ? 1 : 0);
            const std::uint32_t value = ((seconds % 43200) << 16) | low;
            const DateTimeParts parts = UnpackZetTime(value);
            const auto packed = PackZetTime(parts);
            ASSERT_TRUE(packed.has_value()) << day;
            ASSERT_EQ(*packed, value) << day << " " << seconds;
        }
    }
}

TEST(DateTime, ZetTimePackingRefusesYearsOutsideItsRange) {
    EXPECT_FALSE(PackZetTime({1991, 12, 31, 23, 59, 59}).has_value());
    EXPECT_FALSE(PackZetTime({2081, 1, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(PackZetTime({1993, 2, 29, 0, 0, 0}).has_value());
    EXPECT_EQ(PackZetTime({1992, 1, 1, 12, 0, 0}), 1u);
    EXPECT_EQ(PackZetTime({2000, 2, 29, 0, 0, 1}), (1u << 16) | (2u * (8 * 365 + 2 + 59)));
}

TEST(DateTime, ZetTimeComparesByLowWordFirst) {
    const std::uint32_t morningDay2 = (40000u << 16) | 2;
    const std::uint32_t eveningDay1 = (100u << 16) | 1;
    EXPECT_EQ(CompareZetTime(eveningDay1, morningDay2), -1);
    EXPECT_EQ(CompareZetTime(morningDay2, eveningDay1), 1);
    EXPECT_EQ(CompareZetTime((5u << 16) | 3, (6u << 16) | 3), -1);
    EXPECT_EQ(CompareZetTime(7, 7), 0);
    // Unsigned: the top half-day second count is above a small one.
    EXPECT_EQ(CompareZetTime(0xFFFF0000u, 0x00010000u), 1);
}

TEST(DateTime, DosDateTimeRoundTrips) {
    const DateTimeParts samples[] = {{1980, 1, 1, 0, 0, 0},
                                     {2001, 3, 7, 14, 5, 8},
                                     {2107, 12, 31, 23, 59, 58},
                                     {2024, 2, 29, 12, 30, 30}};
    for (const auto& p : samples) {
        const auto packed = PackDosDateTime(p);
        ASSERT_TRUE(packed.has_value());
        const auto back = UnpackDosDateTime(*packed);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(DateTimeText(*back), DateTimeText(p));
    }
    EXPECT_FALSE(PackDosDateTime({1979, 12, 31, 0, 0, 0}).has_value());
    EXPECT_FALSE(PackDosDateTime({2023, 2, 29, 0, 0, 0}).has_value());
    EXPECT_FALSE(UnpackDosDateTime((0x2A67u << 16) | (24u << 11)).has_value());
}

} // namespace
} // namespace panolcd
