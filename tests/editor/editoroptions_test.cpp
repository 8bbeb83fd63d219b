// The editor dialogs' rules without widgets: histories, range checks, and the options model's
// load, store, presets, schemes and font list.

#include "editor/editoroptions.h"

#include "common/cp1250.h"
#include "editor/vornbasic.h"
#include "support/test_context.h"

namespace panolcd::testing {
namespace {

TEST(EditorDialogRules, RangeChecksNameTheirRange) {
    const struct {
        const char* text;
        int min, max;
        bool passes;
    } table[] = {
        {"8", 1, 16, true},        {"abc", 1, 16, false},
        {"", 1, 16, false},        {"0", 0, 32768, true},
        {"32768", 0, 32768, true}, {"32769", 0, 32768, false},
        {" 12 ", 1, 16, true},     {"-1", 0, 5, false},
        {"4x", 1, 16, false},      {"99999999999", 1, 16, false},
    };
    for (const auto& row : table) {
        const std::optional<std::string> error = RangeError(row.text, row.min, row.max);
        EXPECT_EQ(!error.has_value(), row.passes) << row.text;
        if (error) {
            EXPECT_EQ(*error, Utf8ToCp1250("Hodnota musí být v rozsahu ") +
                                  std::to_string(row.min) + Utf8ToCp1250(" až ") +
                                  std::to_string(row.max));
        }
    }
    EXPECT_EQ(BoxInteger("abc", 1), 0);
}

TEST(EditorDialogRules, HistoriesKeepTwentyNewestFirstWithoutDuplicates) {
    std::vector<std::string> history;
    for (int i = 0; i < 25; ++i)
        RememberInHistory(history, "text" + std::to_string(i));
    ASSERT_EQ(history.size(), kHistoryMax);
    EXPECT_EQ(history.front(), "text24");
    EXPECT_EQ(history.back(), "text5");
    RememberInHistory(history, "TEXT24"); // the same in another case
    RememberInHistory(history, "   ");    // blank
    EXPECT_EQ(history.front(), "text24");
    EXPECT_EQ(history.size(), kHistoryMax);
    std::vector<std::string> czech;
    RememberInHistory(czech, Utf8ToCp1250("čaj"));
    RememberInHistory(czech, Utf8ToCp1250("ČAJ"));
    EXPECT_EQ(czech.size(), 1u);
    RememberInHistory(czech, "", true); // the go-to-line box keeps even that
    EXPECT_EQ(czech.front(), "");
}

TEST(EditorDialogRules, TheFontListHoldsFixedPitchFamiliesOnce) {
    EXPECT_EQ(EditorFontList({{"Courier", true},
                              {"COURIER", true},
                              {"Sans", false},
                              {"Mono", true},
                              {"Courier", true}}),
              (std::vector<std::string>{"Courier", "Mono", "Courier"}));
    EXPECT_EQ(GridIndexOf(0x800000), 4);
    EXPECT_EQ(GridIndexOf(0x123456), std::nullopt);
}

class OptionsModel : public ::testing::Test {
protected:
    void SetUp() override {
        model.fonts = {"Courier New", "Mono"};
        model.SetEditorClass(&vorn);
        settings = vorn.DefaultSettings();
        model.Load(settings);
    }
    VornBasicSyntax vorn;
    TSmartOptModel model;
    TSmartEditorSettings settings;
};

TEST_F(OptionsModel, StoreGivesBackWhatWasLoadedButBitsAboveEighteen) {
    TSmartEditorSettings stored = settings;
    model.Store(stored);
    EXPECT_EQ(stored, settings);
    settings.Options = 0xFFFFFFFF;
    settings.FontName = "Not installed";
    settings.KeyMapping = 7;
    model.Load(settings);
    EXPECT_EQ(model.fontIndex, -1);
    stored = settings;
    model.Store(stored);
    EXPECT_EQ(stored.Options, 0x7FFFFu);
    EXPECT_EQ(stored.FontName, "Not installed"); // no font chosen: the name stays
    EXPECT_EQ(stored.KeyMapping, 1);             // the list kept its row
}

TEST_F(OptionsModel, NumbersAreCheckedInTheirOrderAndOkChecksTheFontSizeToo) {
    for (const NumberBox box : {NumberBox::BlockIndent, NumberBox::UndoLimit, NumberBox::TabSize,
                                NumberBox::GutterWidth, NumberBox::RightMargin})
        model.Number(box) = "x";
    const NumberBox order[] = {NumberBox::BlockIndent, NumberBox::GutterWidth,
                               NumberBox::RightMargin, NumberBox::TabSize, NumberBox::UndoLimit};
    const char* const good[] = {"2", "24", "80", "8", "0"};
    for (std::size_t i = 0; i < 5; ++i) {
        const auto failure = model.CheckNumbers();
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->box, order[i]);
        model.Number(order[i]) = good[i];
    }
    EXPECT_FALSE(model.CheckNumbers().has_value());
    model.Number(NumberBox::FontSize) = "21";
    ASSERT_TRUE(model.CheckAll().has_value());
    EXPECT_EQ(model.CheckAll()->box, NumberBox::FontSize);
    model.Number(NumberBox::FontSize) = "20";
    EXPECT_FALSE(model.CheckAll().has_value());
}

TEST_F(OptionsModel, PresetsSetEightBoxesAndSchemesDiscardColourEdits) {
    model.options = 0;
    model.ApplyPreset(1);
    EXPECT_EQ(model.options, (1u << 2) | (1u << 0) | (1u << 1) | (1u << 5) | (1u << 7));
    model.SetOption(13, true);
    model.ApplyPreset(0);
    EXPECT_EQ(model.options,
              (1u << 2) | (1u << 0) | (1u << 1) | (1u << 5) | (1u << 8) | (1u << 13));

    model.element = vorn::kComment;
    model.PickColours(0x0000FF, 0x00FF00);
    model.SetStyleBit(0, true);
    EXPECT_EQ(model.elements[vorn::kComment], (TLexElementMap{0x0000FF, 0x00FF00, 3}));
    EXPECT_TRUE(model.StyleApplies());
    model.PickScheme(2);
    EXPECT_EQ(model.elements, vorn.DefaultElementMap(2));
    model.element = vorn::kErrorLine;
    EXPECT_FALSE(model.StyleApplies());
}

} // namespace
} // namespace panolcd::testing
