// The list adapter over a real QListWidget: rows, row-ordered selection, the current row.

#include "framework/dataentry/ui/qtcontrols.h"

#include "support/test_context.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class ListWidgetControlTest : public testing::ContextTest {
protected:
    void Click(int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(row)).center());
    }
    QWidget form;
    QListWidget* list = new QListWidget(&form);
};

TEST_F(ListWidgetControlTest, SelectedRowsComeInRowOrderWhateverTheClickOrder) {
    const std::unique_ptr<QtControl> made = MakeControl(list);
    auto* control = dynamic_cast<ListBoxControl*>(made.get());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Kind(), ControlKind::ListBox);
    EXPECT_EQ(list->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
    control->SetItems({"a", "b", "c", "d"});
    ASSERT_EQ(control->ItemCount(), 4);
    EXPECT_EQ(control->ItemText(3), "d");
    form.resize(200, 200);
    form.show();

    Click(3, Qt::NoModifier);
    Click(1, Qt::ControlModifier);
    ASSERT_EQ(list->selectedItems().first(), list->item(3)); // Qt's own order: as clicked
    EXPECT_EQ(control->SelectedRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(control->SelectedCount(), 2);

    control->SetItemIndex(2); // the current row moves, the selection stays
    EXPECT_EQ(control->ItemIndex(), 2);
    EXPECT_EQ(control->SelectedRows(), (std::vector<int>{1, 3}));
    control->SetRowSelected(0, true);
    control->SetRowSelected(3, false);
    EXPECT_EQ(control->SelectedRows(), (std::vector<int>{0, 1}));
    control->ClearSelection();
    EXPECT_TRUE(control->SelectedRows().empty());
    control->SetItemIndex(9);
    EXPECT_EQ(control->ItemIndex(), -1);
}

} // namespace
} // namespace panolcd
