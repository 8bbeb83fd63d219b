// Numbers written into files, records and messages do not follow the user's decimal comma: a
// project saved under a Czech locale must read back under any other.

#include "common/format.h"
#include "framework/exchange/lexreader.h"
#include "framework/records/fieldtext.h"
#include "framework/records/initiator.h"
#include "support/test_context.h"

#include <clocale>
#include <cstdlib>
#include <string>

namespace panolcd {
namespace {

class NumberLocale : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        // The machine need not have a comma locale installed: build one for this test.
        const std::string dir = TempDir().string();
        const std::string command =
            "localedef -i cs_CZ -f UTF-8 '" + dir + "/cs_CZ.UTF-8' >/dev/null 2>&1";
        ::setenv("LOCPATH", dir.c_str(), 1);
        if (std::system(command.c_str()) != 0 ||
            std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") == nullptr)
            GTEST_SKIP() << "no comma locale can be made (localedef and the locales package)";
        ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    }
    void TearDown() override {
        std::setlocale(LC_NUMERIC, "C");
        ::unsetenv("LOCPATH");
        ContextTest::TearDown();
    }
};

TEST_F(NumberLocale, TextsOfRealsKeepTheDecimalPoint) {
    const std::pair<std::string, std::string> cases[] = {
        {RealToken(1.5), "1.50000000000000E+0000"},
        {RealToken(-0.25), "-2.50000000000000E-0001"},
        {Format("%5.1f kg", {2.25}), "  2.2 kg"},
        {Format("%g", {0.5}), "0.5"},
        {Format("%.3e", {1234.5}), "1.23E+003"},
        {FixedText(3.75, 1), "3.8"},
        {PrintfC("%.2f", 0.5), "0.50"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
}

TEST_F(NumberLocale, ARealTokenReadsBack) {
    for (const double value : {1.5, -2.0e-7, 123456.789}) {
        const auto path = WriteFile("R.TXT", RealToken(value));
        TLexicalElemReader reader(path.string());
        EXPECT_DOUBLE_EQ(reader.ReadReal(), value);
        EXPECT_FALSE(reader.IsError()) << RealToken(value);
    }
}

} // namespace
} // namespace panolcd
