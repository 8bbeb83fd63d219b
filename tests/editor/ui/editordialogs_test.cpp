// The editor dialogs over Qt: every flag combination through the find and replace controls,
// the go-to-line and options range checks on OK only, and the options dialog's sample.

#include "editor/ui/editordialogs.h"

#include "common/cp1250.h"
#include "editor/ui/vornbasiceditor.h"
#include "support/test_context.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace panolcd {
namespace {

using EditorDialogs = testing::ContextTest;

// Runs `step` once the dialog is shown modally.
void WhenShown(QDialog& dialog, std::function<void()> step) {
    auto* timer = new QTimer(&dialog);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, &dialog, [&dialog, timer, step] {
        if (!dialog.isVisible())
            return;
        timer->stop();
        step();
    });
    timer->start();
}

TEST_F(EditorDialogs, EveryFlagCombinationRoundTripsThroughTheControls) {
    TSmartFindForm find;
    TSmartReplaceForm replace;
    for (int flags = 0; flags < 64; ++flags) {
        TReplaceSettings settings;
        settings.flags = static_cast<std::uint8_t>(flags);
        settings.findText = "a" + std::to_string(flags);
        settings.replaceText = "b";
        replace.SetReplaceSettings(settings);
        const TReplaceSettings back = replace.GetReplaceSettings();
        EXPECT_EQ(back.flags, flags);
        EXPECT_EQ(back.findText, settings.findText);
        EXPECT_EQ(back.replaceText, "b");

        TSearchSettings search;
        search.flags = static_cast<std::uint8_t>(flags & ~sf::kPrompt);
        search.findText = "x";
        find.SetSearchSettings(search);
        EXPECT_EQ(find.GetSearchSettings().flags, search.flags);
    }
    EXPECT_EQ(replace.FindBox()->count(), 20); // the history's limit
    EXPECT_EQ(find.FindBox()->count(), 1);
    EXPECT_EQ(find.findChild<QRadioButton*>("rbEntireScope")->text(),
              QString::fromUtf8("O&d začatku (konce)"));
    EXPECT_EQ(replace.findChild<QRadioButton*>("rbEntireScope")->text(),
              QString::fromUtf8("O&d začátku (konce)"));

    bool all = false;
    WhenShown(replace, [&] { replace.findChild<QPushButton*>("btnReplaceAll")->click(); });
    EXPECT_TRUE(replace.Execute(all));
    EXPECT_TRUE(all);
}

TEST_F(EditorDialogs, TheLineNumberIsCheckedOnlyWhenConfirmed) {
    TGotoLineForm dialog;
    dialog.MaxLine = 10;
    for (const char* refused : {"0", "11", "x"}) {
        dialog.SetLineNumber(5);
        WhenShown(dialog, [&, refused] {
            dialog.LineBox()->setEditText(refused);
            dialog.accept(); // refused: the dialog stays
            EXPECT_TRUE(dialog.isVisible());
            dialog.reject();
        });
        EXPECT_FALSE(dialog.Execute());
    }
    EXPECT_EQ(User().shown.size(), 3u);
    EXPECT_EQ(User().shown[0].text, Utf8ToCp1250("Hodnota musí být v rozsahu 1 až 10"));
    WhenShown(dialog, [&] {
        dialog.LineBox()->setEditText("10");
        dialog.accept();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.LineNumber(), 10);
    EXPECT_EQ(User().shown.size(), 3u);
}

TSmartEditor* MakeVorn(QWidget* parent) {
    return new TVornBasicEditor(parent);
}

TEST_F(EditorDialogs, OptionsRefuseABadNumberOnOkAndStornoChecksNothing) {
    TSmartOptForm dialog;
    dialog.SetEditorClass(&MakeVorn);
    dialog.SampleText = "{ x }\r\nif A then\r\n";
    TSmartEditorSettings settings = VornBasicSyntax().DefaultSettings();
    dialog.LoadSettings(settings);
    QComboBox* tab = dialog.NumberBoxOf(NumberBox::TabSize);
    WhenShown(dialog, [&] {
        tab->setFocus();
        tab->setEditText("abc");
        // Storno takes no focus: leaving for it checks nothing.
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(User().shown.empty());

    dialog.LoadSettings(settings);
    WhenShown(dialog, [&] {
        tab->setEditText("abc");
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        tab->setEditText("4");
        dialog.NumberBoxOf(NumberBox::FontSize)->setEditText("30");
        dialog.accept(); // the font size is checked on OK too
        EXPECT_TRUE(dialog.isVisible());
        dialog.NumberBoxOf(NumberBox::FontSize)->setEditText("12");
        dialog.accept();
    });
    EXPECT_TRUE(dialog.Execute());
    ASSERT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(User().shown[0].text, Utf8ToCp1250("Hodnota musí být v rozsahu 1 až 16"));
    EXPECT_EQ(User().shown[1].text, Utf8ToCp1250("Hodnota musí být v rozsahu 5 až 20"));
    dialog.StoreSettings(settings);
    EXPECT_EQ(settings.TabSize, 4);
    EXPECT_EQ(settings.FontSize, 12);
    EXPECT_EQ(dialog.OptionBoxOf(13)->text(), QString::fromUtf8("Obarvovat podle synta&xe"));
}

TEST_F(EditorDialogs, TheSampleShowsTheEditedColoursAndAClickPicksItsElement) {
    TSmartOptForm dialog;
    dialog.SetEditorClass(&MakeVorn);
    dialog.SampleText = "{ comment }\r\n";
    dialog.LoadSettings(VornBasicSyntax().DefaultSettings());
    EXPECT_EQ(dialog.Elements()->count(), 14);
    EXPECT_EQ(dialog.Schemes()->count(), 3);
    WhenShown(dialog, [&] {
        dialog.Pages()->setCurrentIndex(2);
        TSmartEditor* sample = dialog.Sample();
        ASSERT_NE(sample, nullptr);
        EXPECT_TRUE(sample->Core().HighlightActive());
        // A press on the comment selects "Komentář"; a red pick colours it in the sample.
        const QPoint comment(sample->GutterWidth() + 3 * sample->CharWidth(),
                             sample->LineHeight() / 2);
        QTest::mousePress(sample->viewport(), Qt::LeftButton, {}, comment);
        EXPECT_EQ(dialog.Elements()->currentRow(), vorn::kComment);
        dialog.PickGridColour(9, false); // red
        EXPECT_EQ(sample->Core().elementMap[vorn::kComment].Foreground, 0x0000FFu);
        EXPECT_EQ(sample->Core().Text().AllText(), "{ comment }\r\n"); // display only
        dialog.reject();
    });
    EXPECT_FALSE(dialog.Execute());
}

} // namespace
} // namespace panolcd
