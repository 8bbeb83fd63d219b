#include "framework/environment/conversions.h"

#include "framework/environment/restext.h"
#include "support/test_context.h"

#include <cerrno>

namespace panolcd {
namespace {

using testing::ContextTest;

TEST(ConversionsParse, IntegerTexts) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"  -17", -17},
        {"+5", 5},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$ff", 255},
        {"$7FFFFFFF", 2147483647},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$100000000", std::nullopt}, // more than 8 digits
        {"$", std::nullopt},
        {"$G", std::nullopt},
        {"-$1", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"-", std::nullopt},
        {"12 ", std::nullopt},
        {"1x", std::nullopt},
        {"1.0", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIntText(c.text), c.value) << c.text;
    EXPECT_EQ(static_cast<std::uint32_t>(*ParseIntText("$FFFFFFFF")), 0xFFFFFFFFu);
}

class ConversionsTest : public ContextTest {};

TEST_F(ConversionsTest, StrToIntLim) {
    const std::string syntax = ResText(134);
    const std::string range = ResText(135) + " ";
    struct Case {
        const char* text;
        unsigned flags;
        std::int32_t max, min;
        std::string result;
        std::int32_t value; // -99 stays when the text is refused
    };
    const Case cases[] = {
        {"5", 0, 10, 0, "", 5},
        {"0", 0, 10, 0, "", 0},
        {"10", 0, 10, 0, "", 10},
        {"11", 0, 10, 0, range, -99},
        {"-1", 0, 10, 0, range, -99},
        {"0", kLimExcludeMin, 10, 0, range, -99},
        {"1", kLimExcludeMin, 10, 0, "", 1},
        {"10", kLimExcludeMax, 10, 0, range, -99},
        {"9", kLimExcludeMax, 10, 0, "", 9},
        {"$A", 0, 10, 0, "", 10},
        {"abc", 0, 10, 0, syntax, -99},
        {"", 0, 10, 0, syntax, -99},
        {"$FFFFFFFF", 0, 0, -1, "", -1},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        std::int32_t value = -99;
        StrToIntLim(text, 255, value, c.flags, c.max, c.min);
        EXPECT_EQ(text, c.result) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    std::string text = "x";
    std::int32_t value = 0;
    StrToIntLim(text, 5, value, 0, 1, 0);
    EXPECT_EQ(text, syntax.substr(0, 5)); // the message fits the caller's capacity
}

TEST_F(ConversionsTest, CheckFileName) {
    const std::string ext = "-" + ResText(132);
    const std::string bad = "-" + ResText(133);
    struct Case {
        const char* name;
        const char* required;
        std::string message;
    };
    const Case cases[] = {
        {"NUL1", "", "NUL1" + bad},
        {"clock$", "", "clock$" + bad},
        {"con", "", "con" + bad},
        {"COM1", "", "COM1" + bad},
        {"lpt2", "", "lpt2" + bad},
        {"AUX", "", "AUX" + bad},
        {"PRN", "", "PRN" + bad},
        {"", "", bad},
        {"PRINTER", "", ""},
        {"NUL.TXT", "", ""},
        {"PROJ", "", ""},
        {"COM", "", "COM" + bad},
        {"A.TXT", ".LCD", ".TXT" + ext},
        {"a.txt", ".LCD", ".TXT" + ext},
        {"a.lcd", ".LCD", ""},
        {"dir.x/A.LCD", ".lcd", ""},
        {"A", ".LCD", ext},
        {"A.LCDXYZ", ".LCD", ".LCDXY" + ext}, // the extension counts 6 characters
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckFileName(c.name, c.required), c.message) << c.name << " " << c.required;
}

TEST_F(ConversionsTest, IoErrorText) {
    const std::pair<int, int> mapped[] = {
        {1, 101},   {2, 102},   {3, 103},   {4, 104},   {5, 105},   {6, 106},   {12, 107},
        {15, 108},  {16, 109},  {17, 110},  {100, 111}, {101, 112}, {102, 113}, {103, 114},
        {104, 115}, {105, 116}, {106, 117}, {150, 118}, {155, 123}, {162, 130},
    };
    for (const auto& [code, id] : mapped)
        EXPECT_EQ(IoErrorText(code), ResText(id)) << code;
    EXPECT_EQ(IoErrorText(0), "");
    for (const int code : {7, 99, 107, 149, 163, 999, -1})
        EXPECT_EQ(IoErrorText(code), ResText(131) + " " + std::to_string(code)) << code;
}

TEST_F(ConversionsTest, IoErrorTextForErrno) {
    struct Case {
        int err;
        bool writing;
        int code;
    };
    const Case cases[] = {
        {0, false, 0},      {ENOENT, false, 2}, {ENOTDIR, false, 3}, {EMFILE, false, 4},
        {ENFILE, false, 4}, {EACCES, false, 5}, {EPERM, true, 5},    {EROFS, true, 5},
        {EISDIR, false, 5}, {EBADF, false, 6},  {EINVAL, false, 12}, {EXDEV, true, 17},
        {EIO, false, 100},  {EIO, true, 101},   {ENOSPC, true, 101}, {EDQUOT, true, 101},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IoErrorCodeForErrno(c.err, c.writing), c.code) << c.err;
        EXPECT_EQ(IoErrorTextForErrno(c.err, c.writing), IoErrorText(c.code)) << c.err;
    }
    EXPECT_EQ(IoErrorCodeForErrno(ENOMEM), -1);
    EXPECT_EQ(IoErrorTextForErrno(ENOMEM), ResText(131) + " " + std::to_string(ENOMEM));
}

} // namespace
} // namespace panolcd
