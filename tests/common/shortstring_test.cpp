#include "common/shortstring.h"

#include <gtest/gtest.h>

#include <array>

namespace panolcd {
namespace {

TEST(ShortString, CutToCapacity) {
    EXPECT_EQ(CutShortString("identifier-longer-than-16", 16), "identifier-longe");
    EXPECT_EQ(CutShortString("short", 16), "short");
    EXPECT_EQ(CutShortString(std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(CutShortString(std::string(300, 'x'), 1000).size(), 255u);
}

TEST(ShortString, FieldTakesCapacityPlusOneBytes) {
    std::array<std::uint8_t, 8> field;
    field.fill(0xEE);
    StoreShortString(field.data(), 4, "abcdef");
    EXPECT_EQ(field[0], 4);
    EXPECT_EQ(std::string(field.begin() + 1, field.begin() + 5), "abcd");
    EXPECT_EQ(field[5], 0xEE); // past the field: untouched
    EXPECT_EQ(LoadShortString(field.data(), 4), "abcd");
}

TEST(ShortString, LengthByteIsClampedWhenRead) {
    std::array<std::uint8_t, 5> field = {200, 'a', 'b', 'c', 'd'};
    EXPECT_EQ(LoadShortString(field.data(), 4), "abcd");
}

} // namespace
} // namespace panolcd
