// The generation time text and the reproducible instant of SOURCE_DATE_EPOCH.

#include "generator/generationtime.h"

#include "support/test_context.h"

#include <cstdlib>

namespace panolcd::testing {
namespace {

class GenerationTimeTest : public ContextTest {
protected:
    void TearDown() override {
        unsetenv("SOURCE_DATE_EPOCH");
        ContextTest::TearDown();
    }
};

TEST_F(GenerationTimeTest, ShortDateAndLongTimeOnlyTheDateAtMidnight) {
    struct Case {
        LocalDateTime time;
        const char* text;
    };
    for (const Case& c : {Case{{2026, 12, 9, 8, 5, 7}, "12/09/26 08:05:07"},
                          {{2001, 11, 11, 0, 0, 0}, "11/11/01"},
                          {{2001, 11, 11, 0, 0, 1}, "11/11/01 00:00:01"},
                          {{2026, 12, 31, 23, 59, 60}, "01/01/27"}}) // normalised
        EXPECT_EQ(FormatGenerationTime(c.time), c.text);
}

TEST_F(GenerationTimeTest, SourceDateEpochIsTakenInUtcElseTheClock) {
    std::string error;
    unsetenv("SOURCE_DATE_EPOCH");
    auto now = GenerationInstant(error);
    ASSERT_TRUE(now);
    EXPECT_EQ(FormatGenerationTime(*now), "12/09/26 08:05:07"); // the test clock
    struct Case {
        const char* value;
        const char* text; // nullptr: malformed
    };
    for (const Case& c : {Case{"0", "01/01/70"},
                          {"1000000000", "09/09/01 01:46:40"},
                          {"", nullptr},
                          {"12a", nullptr},
                          {"-5", nullptr},
                          {" 1", nullptr},
                          {"99999999999999999999", nullptr}}) {
        setenv("SOURCE_DATE_EPOCH", c.value, 1);
        error.clear();
        const auto instant = GenerationInstant(error);
        if (c.text) {
            ASSERT_TRUE(instant) << c.value;
            EXPECT_EQ(FormatGenerationTime(*instant), c.text);
        } else {
            EXPECT_FALSE(instant) << c.value;
            EXPECT_EQ(error,
                      std::string("SOURCE_DATE_EPOCH is not a number of seconds: ") + c.value);
        }
    }
}

} // namespace
} // namespace panolcd::testing
