#include "framework/dataentry/stringedits.h"

#include "framework/dataentry/fakecontrol.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::FakeControl;
using Bytes = std::vector<std::uint8_t>;

class StringEditTest : public testing::ContextTest {};

TEST_F(StringEditTest, CutsToTheFieldAndStoresAShortString) {
    TTrStringEdit_Validator v;
    v.DefAttributs(0, 17);
    FakeControl edit;
    Bytes buffer(17, 0);
    buffer[0] = 40; // a damaged length byte reads no further than the field
    std::fill(buffer.begin() + 1, buffer.end(), 'a');
    TRecordValidator rv;
    rv.TransferTo({&edit}, {&v}, buffer);
    EXPECT_EQ(v.TrDataSize(), 17);
    EXPECT_EQ(edit.maxLength, 16);
    EXPECT_EQ(edit.text, std::string(16, 'a'));
    edit.Type("0123456789abcdefXYZ");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(edit.text, "0123456789abcdef");
    EXPECT_EQ(buffer[0], 16);
    EXPECT_EQ(std::string(buffer.begin() + 1, buffer.end()), "0123456789abcdef");
}

TEST_F(StringEditTest, RefusesCharactersOutsideTheSetButKeepsTheCutText) {
    CharSet digits;
    for (char c = '0'; c <= '9'; ++c)
        digits.set(static_cast<unsigned char>(c));
    TTrStringEdit_Validator v;
    v.DefAttributs(0, 4, digits);
    FakeControl edit;
    Bytes buffer{1, '5', 0, 0};
    TRecordValidator rv;
    rv.TransferTo({&edit}, {&v}, buffer);
    edit.Type("12x45");
    EXPECT_FALSE(rv.ValidateAndStore());
    EXPECT_EQ(User().shown.back().text, testing::Cz("textový řetězec obsahuje nedovolené znaky"));
    EXPECT_EQ(v.Text(), "12x");
    EXPECT_EQ(buffer, (Bytes{1, '5', 0, 0}));
}

TEST_F(StringEditTest, MemoCountsLineBreaksAsTwoAndNeverKeepsHalfOfOne) {
    TTrStringMemo_Validator v;
    v.DefAttributs(0, 5);
    FakeControl memo(ControlKind::Memo);
    Bytes buffer(5, 0);
    TRecordValidator rv;
    rv.TransferTo({&memo}, {&v}, buffer);
    memo.Type("abc\r\nd");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, (Bytes{3, 'a', 'b', 'c', 0}));
    memo.Type("a\r\nb");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, (Bytes{4, 'a', '\r', '\n', 'b'}));
}

} // namespace
} // namespace panolcd
