#include "framework/exchange/ui/waitdialog.h"

#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/exchangerunner.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "support/test_context.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace panolcd {
namespace {

constexpr std::int16_t kFontBankRecType = 1;

// Never finishes by itself; counts its steps.
class EndlessMachine final : public StepMachine {
public:
    int steps = 0;
    int Step() override {
        ++steps;
        return 0;
    }
    bool Finished() const override { return false; }
    bool Succeeded() const override { return false; }
    void Halt() override {}
    std::string StatusText() const override { return "krok " + std::to_string(steps); }
};

// Its first step fails.
class FailingMachine final : public StepMachine {
public:
    bool halted = false;
    int Step() override { throw std::runtime_error("Stream read error"); }
    bool Finished() const override { return halted; }
    bool Succeeded() const override { return false; }
    void Halt() override { halted = true; }
};

class WaitWindowTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        // A window left open by a failing test is closed, so the run cannot hang.
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            ADD_FAILURE() << "the wait window stayed open";
            if (auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                window->reject();
        });
        watchdog_.start(10000);
    }

    static std::unique_ptr<TDataBase> FontBanks(int count) {
        auto banks = TDataBase::New(nullptr, kDBFontBanks, 0, 0);
        for (int i = 0; i < count; ++i) {
            auto record = TDBRecordObj::New("", 0, kFontBankRecType);
            record->RecData[0] = static_cast<std::uint8_t>(i);
            banks->Insert(std::move(record));
        }
        return banks;
    }

    QTimer watchdog_;
};

TEST_F(WaitWindowTest, RunsAnImportToItsEndAndClosesItself) {
    const std::string file = (TempDir() / "banks.txt").string();
    ASSERT_TRUE(ExportDatabase(file, *FontBanks(200)));

    auto target = TDataBase::New(nullptr, kDBFontBanks, 0, 0);
    QtWaitStepRunner runner;
    QString title;
    QTimer::singleShot(0, [&] {
        if (QWidget* window = QApplication::activeModalWidget())
            title = window->windowTitle();
    });
    EXPECT_TRUE(ImportDatabase(file, *target, -1, -1, &runner));
    EXPECT_EQ(target->Count(), 200);
    EXPECT_EQ(title, "Import Database");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(WaitWindowTest, CancelBeepsStopsTheMachineAndReportsFailure) {
    EndlessMachine machine;
    QtWaitStepRunner runner;
    QString status;
    // Cancelled once the window shows the machine's progress, however slowly it gets there.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = dynamic_cast<TWait_Dlg*>(QApplication::activeModalWidget());
        if (window == nullptr || machine.steps == 0 ||
            !window->StatusLine()->text().startsWith("krok "))
            return;
        poll.stop();
        status = window->StatusLine()->text();
        EXPECT_EQ(window->CancelButton()->text(), "Abort");
        window->CancelButton()->click();
    });
    poll.start(20);
    EXPECT_FALSE(runner.Run(machine, {"Test", "Krok:", StepWindowKind::Plain}));
    EXPECT_GT(machine.steps, 0);
    EXPECT_TRUE(status.startsWith("krok ")) << status.toStdString();
    EXPECT_EQ(User().beeps, 1);
    const int stepsAtCancel = machine.steps;
    QApplication::processEvents();
    EXPECT_EQ(machine.steps, stepsAtCancel); // nothing steps after the window closed
}

TEST_F(WaitWindowTest, AFailingStepIsShownAndTheWindowWaitsForCancel) {
    FailingMachine machine;
    QtWaitStepRunner runner;
    bool stillOpen = false;
    // Once the failure has been shown the window must still be there, waiting for Cancel.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (User().shown.empty())
            return;
        poll.stop();
        auto* window = dynamic_cast<TWait_Dlg*>(QApplication::activeModalWidget());
        stillOpen = window != nullptr;
        if (window)
            window->CancelButton()->click();
    });
    poll.start(20);
    EXPECT_FALSE(runner.Run(machine, {"Test", "Krok:", StepWindowKind::Import}));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(machine.StepFailed());
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "Stream read error");
}

} // namespace
} // namespace panolcd
