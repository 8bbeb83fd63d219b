#include "common/format.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(Format, Directives) {
    struct Case {
        std::string expected;
        std::string actual;
    };
    const Case cases[] = {
        {"Hodnota 5 mimo meze <1;3>", Format("Hodnota %d mimo meze <%d;%d>", {5, 1, 3})},
        {"Hodnota $FF mimo meze <$0;$7F>",
         Format("Hodnota $%x mimo meze <$%x;$%x>", {255, 0, 127})},
        {" S=$05", Format(" S=$%2.2X", {5})},
        {"FFFFFFFF", Format("%x", {-1})},
        {"[   42]", Format("[%5d]", {42})},
        {"[42   ]", Format("[%-5d]", {42})},
        {"007", Format("%.3d", {7})},
        {"-007", Format("%.3d", {-7})},
        {"4294967295", Format("%u", {4294967295u})},
        {"1.50", Format("%f", {1.5})},
        {"0.5", Format("%1.1f", {0.5})},
        {"1.50000000000000E+000", Format("%e", {1.5})},
        {"-2.5E-007", Format("%.2e", {-2.5e-7})},
        {"1.5", Format("%g", {1.5})},
        {"1E20", Format("%g", {1e20})},
        {"abc", Format("%.3s", {"abcdef"})},
        {"100%", Format("%d%%", {100})},
        {"Class TFoo not found", Format("Class %s not found", {"TFoo"})},
        {"List index out of bounds (-1)", Format("List index out of bounds (%d)", {-1})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, PatternsFromFilesCannotMisbehave) {
    // Missing arguments format as empty; unknown directives stay as written; a lone % at the end
    // is kept; mismatched types are converted rather than reinterpreted.
    EXPECT_EQ(Format("%d kg %s", {}), " kg ");
    EXPECT_EQ(Format("%n%p%q", {1}), "%n%p%q");
    EXPECT_EQ(Format("50%", {}), "50%");
    EXPECT_EQ(Format("%d", {"text"}), "0");
    EXPECT_EQ(Format("%s", {12}), "12");
    EXPECT_EQ(Format("%d", {2.9}), "2");
    EXPECT_EQ(Format("%99999999d", {1}).size(), 999u); // width is bounded
}

TEST(Format, DirectiveTypes) {
    const std::pair<std::string, std::string> cases[] = {
        {"%d kg", "d"},    {"Hodnota %d mimo meze <%d;%d>", "ddd"},
        {"100%%", ""},     {"%5.1f C", "f"},
        {"%-8s|%X", "sX"}, {"%q %", ""},
        {"bez vzoru", ""}, {"%%%u", "u"},
    };
    for (const auto& [pattern, types] : cases)
        EXPECT_EQ(FormatDirectiveTypes(pattern), types) << pattern;
}

} // namespace
} // namespace panolcd
