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

TEST(Cp1250, FileNamesFindTheSameFileWhateverTheySpell) {
    struct Case {
        const char* fsBytes; // as the file system has it (UTF-8, or not even that)
        const char* text;    // FileNameText: Windows-1250 with '?'
        bool lossy;
    } const cases[] = {
        {"/home/u/P.LCD", "/home/u/P.LCD", false},
        {"/tmp/\xC5\xBDlu\xC5\xA5/p.lcd", "/tmp/\x8Elu\x9D/p.lcd", false}, // Žluť
        {"/tmp/\xE6\x97\xA5\xE6\x9C\xAC/P.LCD", "/tmp/?\?/P.LCD", true},   // 日本
        {"/x/\xF0\x9F\x98\x80.LCD", "/x/?.LCD", true},                     // emoji
        {"/x/\xFF\xC3.LCD", "/x/??.LCD", true},                            // no UTF-8
        {"/x/\xC0\xAF\xE0\x80\xAE", "/x/?????", true}, // overlong "/" and "." stay bytes
        {"/x/\xC2\x81\xC2\x83", "/x/??", true},        // the escape characters themselves
        {"", "", false},
    };
    for (const Case& c : cases) {
        const std::string stored = FileNameFromUtf8(c.fsBytes);
        EXPECT_EQ(FileNameToUtf8(stored), c.fsBytes) << c.fsBytes;
        bool lossy = !c.lossy;
        EXPECT_EQ(FileNameText(stored, &lossy), c.text) << c.fsBytes;
        EXPECT_EQ(lossy, c.lossy) << c.fsBytes;
    }
    // A stored name without escapes is plain Windows-1250.
    EXPECT_EQ(FileNameToUtf8("\x8Elu\x9D"), Cp1250ToUtf8("\x8Elu\x9D"));
    EXPECT_EQ(FileNameToUtf8("a\x81"), Cp1250ToUtf8("a\x81")); // an escape byte at the end
    EXPECT_EQ(UnicodeName(0x3A9), "U+03A9");
    EXPECT_EQ(UnicodeName(0x1F600), "U+1F600");
}

} // namespace
} // namespace panolcd
