#include "framework/dataentry/numberedits.h"

#include "framework/dataentry/fakecontrol.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace panolcd {
namespace {

using testing::FakeControl;
using Bytes = std::vector<std::uint8_t>;
using Make = std::function<std::unique_ptr<TCtrlValidator>()>;

template <class V, class... A> Make Edit(std::uint16_t flags, A... args) {
    return [=] {
        auto v = std::make_unique<V>();
        v->DefAttributs(flags, args...);
        return std::unique_ptr<TCtrlValidator>(std::move(v));
    };
}

// name, validator, field, shown, typed, message ("" = accepted), field after ValidateAndStore
struct NumberCase {
    const char* name;
    Make make;
    Bytes field;
    const char* shown;
    const char* typed;
    const char* message;
    Bytes stored;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << c.name;
}

class NumberEditTest : public testing::ContextTest,
                       public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumberEditTest, ShowsChecksAndStores) {
    const NumberCase& c = GetParam();
    auto validator = c.make();
    validator->MessageText = std::string(c.name) == "Own" ? "%d? jen %d..%d" : "";
    FakeControl edit;
    Bytes buffer = c.field;
    TRecordValidator rv;
    rv.TransferTo({&edit}, {validator.get()}, buffer);
    EXPECT_EQ(edit.text, c.shown);
    edit.Type(c.typed);
    const bool ok = rv.ValidateAndStore();
    EXPECT_EQ(ok, std::string(c.message).empty());
    EXPECT_EQ(User().shown.empty() ? "" : User().shown.back().text, testing::Cz(c.message));
    EXPECT_EQ(edit.focused, ok ? 0 : 1);
    EXPECT_EQ(buffer, c.stored);
}

using ByteE = TTrByteEdit_Validator;
using LinE = TTrLinFceByteEdit_Validator;
using WordE = TTrWordEdit_Validator;
using IntE = TTrIntegerEdit_Validator;
using LIntE = TTrLIntEdit_Validator;
using DWordE = TTrDWordEdit_Validator;
const NumberCase kNumberCases[] = {
    // clang-format off
    {"Byte300", Edit<ByteE>(0), {7}, "7", "300", "Hodnota 300 mimo meze <0;255>", {7}},
    {"ByteSyntax", Edit<ByteE>(0), {7}, "7", "12a", "Chyba v zápisu čísla", {7}},
    {"ByteHex", Edit<ByteE>(vfHex, 0, 100), {10}, "$0A", "$C8",
     "Hodnota $C8 mimo meze <$0;$64>", {10}},
    {"Own", Edit<ByteE>(0, 1, 9), {1}, "1", "0", "0? jen 1..9", {1}},
    {"Linear", Edit<LinE>(0, 0, 10, 2, 255), {5}, "20", "21", "", {5}},
    {"LinearRange", Edit<LinE>(0, 0, 10, 2, 1000), {5}, "20", "522",
     "Hodnota 522 mimo meze <10;520>", {5}},
    {"LinearHex", Edit<LinE>(vfHex, 0, 0, 4, 1020), {255}, "$03FC", "8", "", {2}},
    {"WordHex", Edit<WordE>(vfHex), {10, 0}, "$000A", "$FFFF", "", {255, 255}},
    {"Word70000", Edit<WordE>(0), {1, 0}, "1", "70000", "Chyba v zápisu čísla", {1, 0}},
    {"Integer", Edit<IntE>(0), {0, 0, 0, 0}, "0", "-5", "", {0xFB, 0xFF, 0xFF, 0xFF}},
    {"IntegerHex", Edit<IntE>(vfHex, -10, 10), {1, 0, 0, 0}, "$00000001", "$FFFFFFF0",
     "Hodnota $FFFFFFF0 mimo meze <-10;10>", {1, 0, 0, 0}},
    {"LInt", Edit<LIntE>(0), {1, 0, 0, 0}, "1", "-1",
     "Hodnota -1 mimo meze <0;2147483647>", {1, 0, 0, 0}},
    {"LIntOverflow", Edit<LIntE>(0), {1, 0, 0, 0}, "1", "2147483648", "Chyba v zápisu čísla",
     {1, 0, 0, 0}},
    {"DWord", Edit<DWordE>(0, 0u, 0xFFFFFFFFu), {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295",
     "4294967294", "", {0xFE, 0xFF, 0xFF, 0xFF}},
    {"DWordRange", Edit<DWordE>(0, 5u, 3000000000u), {5, 0, 0, 0}, "5", "3000000001",
     "Hodnota 3000000001 mimo meze <5;3000000000>", {5, 0, 0, 0}},
    {"DWordTooLarge", Edit<DWordE>(0), {5, 0, 0, 0}, "5", "4294967296",
     "Chyba v zápisu čísla", {5, 0, 0, 0}},
    // clang-format on
};

INSTANTIATE_TEST_SUITE_P(Family, NumberEditTest, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace panolcd
