#include "framework/exchange/ui/waitdialog.h"

#include "common/shortstring.h"
#include "common/ui/qtext.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/restext.h"
#include "framework/environment/trace.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace panolcd {
namespace {

constexpr int kTextAbort = 171;
constexpr char kInitialStatus[] = "init";

std::unique_ptr<TWait_Dlg> MakeWaitWindow(StepWindowKind kind, QWidget* owner) {
    switch (kind) {
    case StepWindowKind::Export:
        return std::make_unique<TDBExportWDlg>(owner);
    case StepWindowKind::Import:
        return std::make_unique<TDBImportWDlg>(owner);
    case StepWindowKind::ExportCSV:
        return std::make_unique<TExportDBtoCSV_WDlg>(owner);
    case StepWindowKind::ImportCSV:
        return std::make_unique<TImportDBfromCSV_WDlg>(owner);
    case StepWindowKind::Plain:
        break;
    }
    return std::make_unique<TWait_Dlg>(owner);
}

} // namespace

const QEvent::Type TWait_Dlg::kStepEvent = static_cast<QEvent::Type>(QEvent::User + kWmWaitStep);

TWait_Dlg::TWait_Dlg(QWidget* owner)
    : TTrValDialog(owner), label_(new QLineEdit(this)), status_(new QLineEdit(this)),
      cancel_(new QPushButton(ToQString(ResText(kTextAbort)), this)) {
    for (QLineEdit* line : {label_, status_}) {
        line->setReadOnly(true);
        line->setFrame(false);
        line->setFocusPolicy(Qt::NoFocus);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });

    labelValidator_.DefAttributs(0, kTextSize);
    statusValidator_.DefAttributs(0, kTextSize);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] { PostStep(); });
    timer_.start();
}

TWait_Dlg::~TWait_Dlg() = default;

void TWait_Dlg::MapDialogData(std::span<std::uint8_t> buffer) {
    TransferTo({label_, status_}, {&labelValidator_, &statusValidator_}, buffer);
}

void TWait_Dlg::PostStep() {
    if (stepPosted_ || batchRunning_ || machine_ == nullptr)
        return;
    stepPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(kStepEvent));
}

bool TWait_Dlg::event(QEvent* event) {
    if (event->type() != kStepEvent)
        return TTrValDialog::event(event);
    stepPosted_ = false;
    RunBatch();
    return true;
}

void TWait_Dlg::RunBatch() {
    if (batchRunning_ || machine_ == nullptr || machine_->Finished())
        return;
    batchRunning_ = true;
    RunStepBatch(*machine_, [this](const std::string& text) {
        status_->setText(ToQString(CutShortString(text, kTextSize - 1)));
    });
    batchRunning_ = false;
    if (!machine_->Finished())
        return;
    timer_.stop();
    // A machine stopped by a failing step waits for Cancel: its message is on screen, and the
    // operation ends as failed.
    if (!machine_->StepFailed())
        QDialog::done(QDialog::Accepted);
}

void TWait_Dlg::Cancel() {
    EnvCtx().user->Beep();
    timer_.stop();
    done(QDialog::Rejected);
}

bool QtWaitStepRunner::Run(StepMachine& machine, const StepWindowTexts& texts) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr)
        owner = mainWindow_;
    std::unique_ptr<TWait_Dlg> window = MakeWaitWindow(texts.kind, owner);
    window->setWindowTitle(ToQString(texts.caption));
    std::array<std::uint8_t, TWait_Dlg::kTransferSize> buffer{};
    StoreShortString(buffer.data(), TWait_Dlg::kTextSize - 1, texts.label);
    StoreShortString(buffer.data() + TWait_Dlg::kTextSize, TWait_Dlg::kTextSize - 1,
                     kInitialStatus);
    window->MapDialogData(buffer);
    window->SetMachine(&machine);
    const bool accepted = window->exec() == QDialog::Accepted;
    return accepted && machine.Finished();
}

void RegisterWaitDialog() {
    RegisterDialogClass<TWait_Dlg>("TWait_Dlg");
}

} // namespace panolcd
