#include "common/cp1250.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(Cp1250, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = Cp1250ToUnicode(static_cast<std::uint8_t>(b));
        const auto back = UnicodeToCp1250(cp);
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, b);
    }
}

TEST(Cp1250, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(TryUtf8ToCp1250(Cp1250ToUtf8(all), back));
    EXPECT_EQ(back, all);
}

TEST(Cp1250, CzechLettersAndUndefinedCodes) {
    struct Case {
        std::uint8_t byte;
        char32_t unicode;
    };
    const Case cases[] = {{0x8A, U'Š'}, {0x9A, U'š'}, {0xE8, U'č'}, {0xC8, U'Č'}, {0xF8, U'ř'},
                          {0xD8, U'Ř'}, {0xF9, U'ů'}, {0xEC, U'ě'}, {0x9E, U'ž'}, {0x80, U'€'},
                          {0x81, 0x81}, {0x83, 0x83}, {0x88, 0x88}, {0x90, 0x90}, {0x98, 0x98}};
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1250ToUnicode(c.byte), c.unicode) << int(c.byte);
        EXPECT_EQ(UnicodeToCp1250(c.unicode), c.byte) << int(c.byte);
    }
}

TEST(Cp1250, Utf8ConversionOfText) {
    EXPECT_EQ(Utf8ToCp1250("Čekání"), "\xC8"
                                      "ek\xE1n\xED");
    EXPECT_EQ(Cp1250ToUtf8("\xC8"
                           "ek\xE1n\xED"),
              "Čekání");
}

TEST(Cp1250, CharactersOutsideTheCodePageAreReplacedOrRefused) {
    EXPECT_EQ(Utf8ToCp1250("a\u4E2Db"), "a?b");
    EXPECT_EQ(Utf8ToCp1250("a\xFF"
                           "b",
                           '_'),
              "a_b");
    std::string out;
    EXPECT_FALSE(TryUtf8ToCp1250("\u4E2D", out));
    EXPECT_FALSE(TryUtf8ToCp1250("\xC3", out)); // cut sequence
}

} // namespace
} // namespace panolcd
