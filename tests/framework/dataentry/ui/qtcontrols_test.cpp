#include "framework/dataentry/ui/qtcontrols.h"

#include "framework/dataentry/stringedits.h"
#include "framework/dataentry/validator.h"

#include "support/test_context.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Cz;

class QtControls : public testing::ContextTest {
protected:
    QWidget form;
};

TEST_F(QtControls, MakesTheAdapterOfEachWidgetClass) {
    const std::pair<QWidget*, ControlKind> cases[] = {
        {new QLineEdit(&form), ControlKind::Edit},
        {new QPlainTextEdit(&form), ControlKind::Memo},
        {new QComboBox(&form), ControlKind::ComboBox},
        {new QCheckBox(&form), ControlKind::CheckBox},
        {new QRadioButton(&form), ControlKind::RadioButton},
        {new RadioGroup(&form), ControlKind::RadioGroup},
        {new QLabel(&form), ControlKind::Label},
        {new QPushButton(&form), ControlKind::Button},
    };
    for (const auto& [widget, kind] : cases) {
        const auto control = MakeControl(widget);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Kind(), kind);
        control->SetText(Cz("Čáp"));
        EXPECT_EQ(control->Text(), Cz("Čáp")) << ControlClassName(kind);
        EXPECT_TRUE(control->IsVisible()); // the form is not shown yet
        control->SetVisible(false);
        EXPECT_FALSE(control->IsVisible());
    }
    EXPECT_EQ(MakeControl(new QSpinBox(&form)), nullptr);
}

TEST_F(QtControls, EditFillsQuietlyAndLimitsTyping) {
    auto* widget = new QLineEdit(&form);
    EditControl edit(widget);
    QSignalSpy changed(widget, &QLineEdit::textChanged);
    edit.SetText("12");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(widget->isModified());
    edit.SetMaxLength(4);
    widget->end(false);
    QTest::keyClicks(widget, "345");
    EXPECT_EQ(edit.Text(), "1234");
}

TEST_F(QtControls, MemoConvertsLineBreaksBothWays) {
    auto* widget = new QPlainTextEdit(&form);
    MemoControl memo(widget);
    QSignalSpy changed(widget, &QPlainTextEdit::textChanged);
    memo.SetText(Cz("řádek\r\ndruhý\rtřetí\n"));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(widget->toPlainText(), QString::fromUtf8("řádek\ndruhý\ntřetí\n"));
    EXPECT_EQ(memo.Text(), Cz("řádek\r\ndruhý\r\ntřetí\r\n"));
}

TEST_F(QtControls, MemoMaximumCountsLineBreaksTwiceWhileTypingAndPasting) {
    auto* widget = new QPlainTextEdit(&form);
    MemoControl memo(widget);
    memo.SetMaxLength(6);
    memo.SetText("ab");
    widget->moveCursor(QTextCursor::End);
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClicks(widget, "cdef");
    EXPECT_EQ(memo.Text(), "ab\r\ncd");
    memo.SetText("");
    widget->insertPlainText("xy\nz\nw"); // 8 in the record: the end is cut, a break takes 2
    EXPECT_EQ(memo.Text(), "xy\r\nz");
    memo.SetText("12345678"); // filling is not cut: the validator cuts its own text
    EXPECT_EQ(memo.Text(), "12345678");
}

TEST_F(QtControls, ComboKeepsItemsSelectionAndFreeText) {
    for (const bool editable : {true, false}) {
        auto* widget = new QComboBox(&form);
        widget->setEditable(editable);
        ComboBoxControl combo(widget);
        QSignalSpy changed(widget, &QComboBox::currentIndexChanged);
        EXPECT_EQ(combo.IsDropDownList(), !editable);
        combo.SetItems({"A", Cz("Žlutá"), "C"});
        EXPECT_EQ(combo.ItemCount(), 3);
        EXPECT_EQ(combo.ItemText(1), Cz("Žlutá"));
        EXPECT_EQ(combo.ItemIndex(), -1);
        combo.SetItemIndex(2);
        EXPECT_EQ(combo.Text(), "C");
        combo.SetText(Cz("Žlutá"));
        EXPECT_EQ(combo.ItemIndex(), editable ? -1 : 1);
        combo.SetItemIndex(-1);
        combo.SetText("$0A"); // a value with no item
        EXPECT_EQ(combo.Text(), "$0A");
        EXPECT_EQ(combo.ItemIndex(), -1);
        EXPECT_EQ(changed.count(), 0);
    }
}

TEST_F(QtControls, TypingOverAnEditableComboItemSelectsNothing) {
    auto* widget = new QComboBox(&form);
    widget->setEditable(true);
    ComboBoxControl combo(widget);
    combo.SetItems({"10", "20"});
    combo.SetItemIndex(1);
    widget->lineEdit()->selectAll();
    QTest::keyClicks(widget->lineEdit(), "33");
    EXPECT_EQ(combo.Text(), "33");
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST_F(QtControls, CheckBoxesAndRadioButtonsFillQuietly) {
    auto* box = new QCheckBox(&form);
    auto* first = new QRadioButton(&form);
    auto* second = new QRadioButton(&form);
    CheckBoxControl check(box);
    RadioButtonControl radio1(first);
    RadioButtonControl radio2(second);
    QSignalSpy boxToggled(box, &QCheckBox::toggled);
    QSignalSpy radioToggled(first, &QRadioButton::toggled);
    QSignalSpy otherToggled(second, &QRadioButton::toggled);
    check.SetChecked(true);
    EXPECT_TRUE(check.Checked());
    radio2.SetChecked(true);
    radio1.SetChecked(true);
    EXPECT_FALSE(radio2.Checked());
    radio1.SetChecked(false); // a value may select none of the buttons
    EXPECT_FALSE(radio1.Checked());
    EXPECT_FALSE(radio2.Checked());
    EXPECT_TRUE(first->autoExclusive());
    EXPECT_EQ(boxToggled.count() + radioToggled.count() + otherToggled.count(), 0);
}

TEST_F(QtControls, RadioGroupSelectsOneItemOrNone) {
    auto* widget = new RadioGroup(&form);
    RadioGroupControl group(widget);
    QSignalSpy changed(widget, &RadioGroup::itemIndexChanged);
    group.SetText("Mode");
    group.SetItems({"one", "two", "three"});
    EXPECT_EQ(group.Text(), "Mode");
    EXPECT_EQ(group.ItemCount(), 3);
    EXPECT_EQ(group.ItemText(2), "three");
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(2);
    EXPECT_EQ(group.ItemIndex(), 2);
    group.SetItemIndex(-1);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(QtControls, AdaptersOutliveTheirWidgetsHarmlessly) {
    auto* widget = new QLineEdit;
    EditControl edit(widget);
    delete widget;
    edit.SetText("x");
    edit.SetFocus();
    EXPECT_EQ(edit.Text(), "");
    EXPECT_FALSE(edit.IsVisible());
}

} // namespace
} // namespace panolcd

namespace panolcd {
namespace {

// A typed character Windows-1250 cannot hold is refused by name, never stored as '?'.
TEST_F(QtControls, StringValidatorsRefuseCharactersWindows1250CannotHold) {
    auto* line = new QLineEdit(&form);
    auto* memo = new QPlainTextEdit(&form);
    const auto control = [&](QWidget* widget) { return MakeControl(widget); };
    struct Case {
        QWidget* widget;
        QString typed;
        const char* refusal; // empty: accepted
    };
    const Case cases[] = {
        {line, QString::fromUtf8("Ωmega"), ": U+03A9"},
        {line, QString::fromUtf8("Žluťoučký"), ""},
        {memo, QString::fromUtf8("a\nb😀"), ": U+1F600"},
        {memo, QString::fromUtf8("x€y→"), ": U+2192"},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        const auto adapter = control(c.widget);
        const bool memoKind = adapter->Kind() == ControlKind::Memo;
        std::unique_ptr<TTrStringEdit_Validator> v =
            memoKind ? std::make_unique<TTrStringMemo_Validator>()
                     : std::make_unique<TTrStringEdit_Validator>();
        v->DefAttributs(0, 17);
        std::vector<std::uint8_t> buffer{3, 'o', 'l', 'd'};
        buffer.resize(17, 0);
        const auto before = buffer;
        TRecordValidator rv;
        rv.TransferTo({adapter.get()}, {v.get()}, buffer);
        if (auto* edit = qobject_cast<QLineEdit*>(c.widget))
            edit->setText(c.typed);
        else
            memo->setPlainText(c.typed);
        const bool accepted = rv.ValidateAndStore();
        EXPECT_EQ(accepted, *c.refusal == 0) << c.typed.toStdString();
        if (accepted)
            continue;
        EXPECT_EQ(buffer, before);
        ASSERT_FALSE(User().shown.empty());
        EXPECT_EQ(User().shown.back().text,
                  Cz("textový řetězec obsahuje nedovolené znaky") + c.refusal);
    }
}

} // namespace
} // namespace panolcd
