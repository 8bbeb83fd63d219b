// What print and edit statements preview on the LCD.

#include "designer/preview.h"

#include <gtest/gtest.h>

#include <string>

namespace panolcd {
namespace {

TEST(Preview, EveryItemKindAndTheParsingRules) {
    struct Case {
        const char* parameters;
        PreviewMode mode;
        std::string expected;
    } const cases[] = {
        {"\"PVarPrmt=\",PVar:3", PreviewMode::Print, "PVarPrmt=###"},
        {"EdVar:4", PreviewMode::Edit, "####"},
        {"EdVar:4,Other:2", PreviewMode::Edit, "####"},
        {"EdVar:4,Other:2", PreviewMode::Print, "######"},
        {"\"Tlak\",Tlak:5", PreviewMode::Edit, "Tlak"}, // the literal is the first item
        {"hex V:4", PreviewMode::Print, "%%%%"},
        {"bin V:8", PreviewMode::Print, "||||||||"},
        {"chr C", PreviewMode::Print, "@"},
        {"date D", PreviewMode::Print, "dd/mm/yyyy"},
        {"time T", PreviewMode::Print, "hh:mm"},
        {"DEC  V:2", PreviewMode::Print, "##"},
        {"V", PreviewMode::Print, "#"},
        {"V:$A", PreviewMode::Print, "##########"},
        {"V:x", PreviewMode::Print, "#"},
        {"V:1A", PreviewMode::Print, "#"}, // not a decimal number
        {"V:5:2", PreviewMode::Print, "##.##"},
        {"V:3:2", PreviewMode::Print, "###"},
        {"V:4:0", PreviewMode::Print, "###."},
        {"V:4:1", PreviewMode::Print, "##.#"},
        {"A:3,B:2", PreviewMode::Print, "#####"},
        {"  ;;1 V:2 ", PreviewMode::Print, "##"}, // other characters are skipped
        {"\"unterminated", PreviewMode::Print, "unterminated"},
        {"\"\",V:1", PreviewMode::Print, "#"},
        {"", PreviewMode::Print, ""},
        {"V:99999999999", PreviewMode::Print, std::string(254, '#')},
        {"V:300,\"x\"", PreviewMode::Print, std::string(254, '#')},
        {"\"\xE8\xE1rka\",V:1", PreviewMode::Print, "\xE8\xE1rka#"}, // Windows-1250 bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildPreview(c.parameters, c.mode), c.expected) << c.parameters;
}

} // namespace
} // namespace panolcd
