#pragma once
// The wait window: a small modal dialog that drives an exchange machine from a 55 ms timer in
// batches of about 110 ms, shows its status line and lets the user cancel. It closes itself when
// the machine has finished.

#include "framework/dataentry/stringedits.h"
#include "framework/dataentry/ui/trvaldialog.h"
#include "framework/exchange/steprunner.h"
#include "framework/windows/windowmessages.h"

#include <QEvent>
#include <QTimer>

#include <array>
#include <cstdint>

class QLineEdit;
class QPushButton;

namespace panolcd {

class TWait_Dlg : public TTrValDialog {
    Q_OBJECT
public:
    // Label and status line, each a text of 80 characters.
    static constexpr std::size_t kTextSize = 81;
    static constexpr std::size_t kTransferSize = 2 * kTextSize;
    static constexpr int kTimerMs = 55;
    static const QEvent::Type kStepEvent;

    explicit TWait_Dlg(QWidget* owner = nullptr);
    ~TWait_Dlg() override;

    virtual const char* ClassName() const { return "TWait_Dlg"; }

    // The machine the window drives (not owned); none leaves the window waiting for Cancel.
    void SetMachine(StepMachine* machine) { machine_ = machine; }
    void MapDialogData(std::span<std::uint8_t> buffer) override;
    // True once the machine has finished under this window.
    bool MachineFinished() const { return machine_ != nullptr && machine_->Finished(); }

    QPushButton* CancelButton() const { return cancel_; }
    QLineEdit* StatusLine() const { return status_; }

protected:
    bool event(QEvent* event) override;

private:
    void PostStep();
    void RunBatch();
    void Cancel();

    QLineEdit* label_;
    QLineEdit* status_;
    QPushButton* cancel_;
    QTimer timer_;
    TTrStringEdit_Validator labelValidator_;
    TTrStringEdit_Validator statusValidator_;
    StepMachine* machine_ = nullptr;
    // Guards against a batch started from a nested event loop (a message box of a step).
    bool stepPosted_ = false;
    bool batchRunning_ = false;
};

class TDBExportWDlg final : public TWait_Dlg {
    Q_OBJECT
public:
    using TWait_Dlg::TWait_Dlg;
    const char* ClassName() const override { return "TDBExportWDlg"; }
};

class TDBImportWDlg final : public TWait_Dlg {
    Q_OBJECT
public:
    using TWait_Dlg::TWait_Dlg;
    const char* ClassName() const override { return "TDBImportWDlg"; }
};

class TExportDBtoCSV_WDlg final : public TWait_Dlg {
    Q_OBJECT
public:
    using TWait_Dlg::TWait_Dlg;
    const char* ClassName() const override { return "TExportDBtoCSV_WDlg"; }
};

class TImportDBfromCSV_WDlg final : public TWait_Dlg {
    Q_OBJECT
public:
    using TWait_Dlg::TWait_Dlg;
    const char* ClassName() const override { return "TImportDBfromCSV_WDlg"; }
};

// Runs exchange machines under the wait window of their kind, owned by the modal window of the
// moment or else `mainWindow`.
class QtWaitStepRunner final : public StepRunner {
public:
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    bool Run(StepMachine& machine, const StepWindowTexts& texts) override;

private:
    QWidget* mainWindow_ = nullptr;
};

// Registers "TWait_Dlg" with the dialog registry.
void RegisterWaitDialog();

} // namespace panolcd
