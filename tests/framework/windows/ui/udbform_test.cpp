// Record windows as MDI children: opened by registered name, closed through the core's close
// query and freed, broadcasts relayed; the record browser's geometry and keys.

#include "framework/windows/ui/udbform.h"

#include "app/startup.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/stringedits.h"
#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "framework/windows/ui/udbrowser.h"
#include "project/dbtypes.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

namespace panolcd {
namespace {

class MainForm final : public TTrMainForm {
public:
    MainForm() : area_(new QMdiArea(this)) { setCentralWidget(area_); }
    QMdiArea* ChildArea() const override { return area_; }
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t, std::uint32_t) override {
        got.push_back(message);
        return 1;
    }
    std::vector<std::uint32_t> got;

private:
    QMdiArea* area_;
};

// A font bank window of three edit boxes, as the project's record windows are built.
class FontForm final : public TUDBForm {
public:
    explicit FontForm(TTrMainForm* owner) : TUDBForm(owner, kDBFontBanks) {
        auto* panel = new QWidget;
        auto* layout = new QVBoxLayout(panel);
        for (QLineEdit* edit : {number, file, preview})
            layout->addWidget(edit);
        layout->addWidget(browser);
        ConnectBrowser(*browser);
        setWidget(panel);
        setWindowTitle(" okno");
        editBuffer_.resize(TDBRecordObj::New({}, 0, schema::kRecFontBank)->GetTrBuffSize());
        WatchEdits({number, file, preview});
    }
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t, std::uint32_t) override {
        got.push_back(message);
        return 2;
    }
    std::vector<std::uint32_t> got;
    QLineEdit* number = new QLineEdit;
    QLineEdit* file = new QLineEdit;
    QLineEdit* preview = new QLineEdit;
    TUDBrowser* browser = new TUDBrowser;

protected:
    void CreateValidators() override {
        numberV.DefAttributs(0);
        fileV.DefAttributs(0, 255);
        previewV.DefAttributs(0, 41);
    }
    std::vector<QWidget*> EditWidgets() override { return {number, file, preview}; }
    std::vector<TCtrlValidator*> EditValidators() override { return {&numberV, &fileV, &previewV}; }

private:
    TTrByteEdit_Validator& numberV = AddValidator<TTrByteEdit_Validator>();
    TTrStringEdit_Validator& fileV = AddValidator<TTrStringEdit_Validator>();
    TTrStringEdit_Validator& previewV = AddValidator<TTrStringEdit_Validator>();
};

class RecordForms : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        static const bool registered = [] {
            RegisterUDBFormClass<FontForm>("F_PRJFNT");
            return true;
        }();
        (void)registered;
        main = std::make_unique<MainForm>();
    }
    void TearDown() override {
        main.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ContextTest::TearDown();
    }

    std::unique_ptr<MainForm> main;
};

TEST_F(RecordForms, EveryRegisteredWindowOpensOnADefaultRecord) {
    ASSERT_FALSE(UDBFormsMan().Entries().empty());
    for (const TUDBFormObj& entry : UDBFormsMan().Entries()) {
        RecordWindow* window = nullptr;
        EXPECT_TRUE(Guarded([&] { window = OpenUDBForm(entry.Name, nullptr, nullptr, -1, 0, -1); }))
            << entry.Name;
        EXPECT_NE(window, nullptr) << entry.Name;
        EXPECT_TRUE(User().shown.empty()) << entry.Name;
    }
    EXPECT_EQ(main->ChildArea()->subWindowList().size(),
              static_cast<qsizetype>(UDBFormsMan().Entries().size()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RecordForms, CloseAsksAboutAModifiedPanelAndFreesTheWindow) {
    auto fonts = TDataBase::New(nullptr, kDBFontBanks, 0, 0);
    auto* form = dynamic_cast<FontForm*>(OpenUDBForm("F_PRJFNT", fonts.get(), nullptr, -1, 0, -1));
    ASSERT_NE(form, nullptr);
    QPointer<FontForm> weak(form);
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Banky fontů okno"));
    QTest::keyClicks(form->number, "7");
    User().answers = {MsgResult::No};
    EXPECT_FALSE(form->close());
    ASSERT_EQ(User().shown.size(), 1u);
    ASSERT_TRUE(form->EditValidator().Apply());
    EXPECT_EQ(fonts->Count(), 1);
    EXPECT_TRUE(form->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.isNull());
    EXPECT_EQ(fonts->EditLinks->Count(), 0);

    // A deleted record closes its window at once, without the question.
    auto* second =
        dynamic_cast<FontForm*>(OpenUDBForm("F_PRJFNT", fonts.get(), fonts->Record(0), -1, 0, -1));
    QPointer<FontForm> secondWeak(second);
    QTest::keyClicks(second->number, "8");
    fonts->AtFree(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(secondWeak.isNull());
    EXPECT_EQ(User().shown.size(), 1u);
}

TEST_F(RecordForms, TheBrowserMovesTheWindowAndCancelClosesWithoutAsking) {
    auto fonts = TDataBase::New(nullptr, kDBFontBanks, 0, 0);
    for (std::uint8_t number : {4, 5}) {
        auto record = TDBRecordObj::New({}, 0, schema::kRecFontBank);
        record->RecData[0] = number;
        fonts->Insert(std::move(record));
    }
    auto* form =
        dynamic_cast<FontForm*>(OpenUDBForm("F_PRJFNT", fonts.get(), fonts->Record(0), -1, 0, -1));
    ASSERT_NE(form, nullptr);
    QPointer<FontForm> weak(form);
    form->browser->Click(TUDBrowser::Down);
    EXPECT_EQ(form->number->text(), "5");
    QTest::keyClicks(form->number, "1");
    form->CancelAction();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.isNull());
    EXPECT_TRUE(User().shown.empty());
    EXPECT_EQ(fonts->Record(1)->RecData[0], 5);
}

TEST_F(RecordForms, ABroadcastReachesTheMainWindowAndEveryChild) {
    auto* a = dynamic_cast<FontForm*>(OpenUDBForm("F_PRJFNT", nullptr, nullptr, -1, 0, -1));
    auto* b = dynamic_cast<FontForm*>(OpenUDBForm("F_PRJFNT", nullptr, nullptr, -1, 0, -1));
    EXPECT_EQ(Broadcast(main.get(), kWmEditCmd, 11, 0), 3u);
    EXPECT_EQ(main->got.size(), 1u);
    EXPECT_EQ(a->got, std::vector<std::uint32_t>{kWmEditCmd});
    EXPECT_EQ(b->got, std::vector<std::uint32_t>{kWmEditCmd});
}

TEST_F(RecordForms, TheBrowserStacksItsButtonsAndAnswersKeys) {
    TUDBrowser browser;
    browser.resize(10, 26);
    browser.show();
    EXPECT_EQ(browser.ButtonAt(TUDBrowser::Down)->geometry(), QRect(0, 13, 15, 7));
    EXPECT_EQ(browser.ButtonAt(TUDBrowser::Bottom)->geometry(), QRect(0, 20, 15, 6));
    QSignalSpy top(&browser, &TUDBrowser::OnTopClick);
    QSignalSpy down(&browser, &TUDBrowser::OnDownClick);
    QTest::keyClick(&browser, Qt::Key_Home);
    QTest::keyClick(&browser, Qt::Key_Space);
    QTest::mouseClick(browser.ButtonAt(TUDBrowser::Down), Qt::LeftButton);
    EXPECT_EQ(top.count(), 2);
    EXPECT_EQ(down.count(), 1);
    EXPECT_EQ(browser.FocusedButton(), TUDBrowser::Down);
}

// A record window whose edit widgets are of every kind the user can change.
class ChoiceForm final : public TUDBForm {
public:
    explicit ChoiceForm(TTrMainForm* owner) : TUDBForm(owner, kDBFontBanks) {
        auto* panel = new QWidget;
        auto* layout = new QVBoxLayout(panel);
        group->SetItems({"a", "b"});
        combo->setEditable(true);
        combo->addItems({"x", "y"});
        for (QWidget* widget : std::initializer_list<QWidget*>{group, radio, combo, list})
            layout->addWidget(widget);
        list->addItems({"p", "q"});
        setWidget(panel);
        WatchEdits({group, radio, combo, list});
    }
    RadioGroup* group = new RadioGroup;
    QRadioButton* radio = new QRadioButton("r");
    QComboBox* combo = new QComboBox;
    QComboBox* list = new QComboBox;
};

TEST_F(RecordForms, EveryKindOfControlMarksThePanelOnlyWhenTheUserChangesIt) {
    struct Case {
        const char* what;
        std::function<void(ChoiceForm&)> byProgram;
        std::function<void(ChoiceForm&)> byUser;
    };
    // As a click or the space key activates a button.
    const auto clickItem = [](RadioGroup* g, int index) {
        g->findChildren<QRadioButton*>().at(index)->click();
    };
    const Case cases[] = {
        {"radio group", [](ChoiceForm& f) { RadioGroupControl(f.group).SetItemIndex(1); },
         [&](ChoiceForm& f) { clickItem(f.group, 0); }},
        {"radio button", [](ChoiceForm& f) { f.radio->setChecked(true); },
         [](ChoiceForm& f) { f.radio->click(); }},
        {"editable combo box", [](ChoiceForm& f) { f.combo->setEditText("z"); },
         [](ChoiceForm& f) { QTest::keyClicks(f.combo->lineEdit(), "w"); }},
        {"drop-down list", [](ChoiceForm& f) { f.list->setCurrentIndex(1); },
         [](ChoiceForm& f) { QTest::keyClick(f.list, Qt::Key_Up); }}, // activates the item above
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        User().shown.clear();
        auto* form = new ChoiceForm(main.get());
        main->ChildArea()->addSubWindow(form);
        form->show();
        c.byProgram(*form);
        EXPECT_FALSE(form->IsEditPanModified(0));
        c.byUser(*form);
        EXPECT_TRUE(form->IsEditPanModified(0));
        // The close question is asked; Cancel keeps the window.
        User().answers = {MsgResult::Cancel};
        EXPECT_FALSE(form->close());
        EXPECT_EQ(User().shown.size(), 1u);
        form->CancelAction();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
} // namespace panolcd
