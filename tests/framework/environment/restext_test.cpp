#include "framework/environment/restext.h"

#include "framework/environment/envcontext.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Cz;

class ResText_ : public testing::ContextTest {};

TEST_F(ResText_, BuiltInTextsAreWindows1250Bytes) {
    struct Case {
        int id;
        const char* utf8;
    };
    const Case cases[] = {
        {100, "Chyba"},
        {102, "Soubor nenalezen"},
        {118, "I/O error 150"},
        {130, "I/O error 162"},
        {132, "Neplatná přípona souboru"},
        {142, "Další záznamy nelze založit, dosaženo max. počtu záznamů DB."},
        {143, "Export databází"},
        {149, "Import databází"},
        {148, "Očekáván znak "},
        {156, "Hodnota $%x mimo meze <$%x;$%x>"},
        {170, "Čekání"},
        {177, "Nelze nalézt okénko, kde by byl záznam zobrazen !"},
        {178, "Editace parametru"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResText(c.id), Cz(c.utf8)) << c.id;
    EXPECT_EQ(ResText(170), "\xC8"
                            "ek\xE1n\xED");
}

TEST_F(ResText_, MissingTextsFallBack) {
    EXPECT_EQ(ResText(99), std::string(1, '\x7F'));
    EXPECT_EQ(ResText(163), std::string(1, '\x7F'));
    EXPECT_EQ(ResTextZ(0, 100), "");
    EXPECT_EQ(ResTextZ(99, 100), "string resource error");
    EXPECT_EQ(ResTextZ(99, 7), "string");
    EXPECT_EQ(ResTextZ(100, 3), "Ch");
}

TEST_F(ResText_, LibraryTextsComeFirst) {
    EnvCtx().app.ResLibrary = ResourceLibrary{{100, "Error"}, {999, "own"}, {101, ""}};
    EXPECT_EQ(ResText(100), "Error");
    EXPECT_EQ(ResText(999), "own");
    EXPECT_EQ(ResText(101), Cz("Nepřípustné číslo funkce")); // empty in the library
    EXPECT_EQ(ResTextZ(999, 128), "own");
}

TEST_F(ResText_, FormatsThroughTheSafeFormatter) {
    EXPECT_EQ(ResFmt(158, {7, 0, 5}), "Hodnota 7 mimo meze <0;5>");
    EXPECT_EQ(ResFmt(156, {256, 0, 255}), "Hodnota $100 mimo meze <$0;$FF>");
    EXPECT_EQ(ResFmt(158, {}), "Hodnota  mimo meze <;>");
}

} // namespace
} // namespace panolcd
