// The record window classes over Qt.

#include "framework/windows/ui/udbform.h"

#include "common/ui/qtext.h"
#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/environment/msgbox.h"
#include "framework/windows/commands.h"
#include "framework/windows/ui/udbrowser.h"
#include "framework/windows/windowscontext.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>

#include <exception>

namespace panolcd {

bool Guarded(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        MsgBox("", e.what(), mb::kIconError | mb::kOk);
    } catch (...) {
        MsgBox("", "?", mb::kIconError | mb::kOk);
    }
    return false;
}

// ---- TBroadcastForm

TBroadcastForm::TBroadcastForm(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
}

std::uint32_t TBroadcastForm::EditCaps() {
    return HandleMessage(kWmQueryEditCaps, 0, 0);
}

std::uint32_t TBroadcastForm::HandleMessage(std::uint32_t, std::uint32_t, std::uint32_t) {
    return 0;
}

void TBroadcastForm::closeEvent(QCloseEvent* event) {
    bool allowed = true;
    if (!Guarded([&] { allowed = CanClose(); }))
        allowed = true; // a failing query must not keep a window that cannot be closed
    if (!allowed) {
        event->ignore();
        return;
    }
    closing_ = true;
    QMdiSubWindow::closeEvent(event);
}

// ---- TTrMainForm

TTrMainForm::TTrMainForm(QWidget* parent) : QMainWindow(parent) {
    WindowsCtx().windowHost = this;
}

TTrMainForm::~TTrMainForm() {
    if (WindowsCtx().windowHost == this)
        WindowsCtx().windowHost = nullptr;
}

void TTrMainForm::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TTrMainForm::EndBusy() {
    QApplication::restoreOverrideCursor();
}

std::uint32_t TTrMainForm::HandleMessage(std::uint32_t, std::uint32_t, std::uint32_t) {
    return 0;
}

std::uint32_t TTrMainForm::HandleBroadcast(std::uint32_t wParam, const TBroadcastRec* record) {
    std::vector<TargetRef> children;
    if (QMdiArea* area = ChildArea()) {
        for (QMdiSubWindow* window : area->subWindowList()) {
            QPointer<QMdiSubWindow> weak(window);
            children.emplace_back(
                [weak]() -> MessageTarget* { return dynamic_cast<MessageTarget*>(weak.data()); });
        }
    }
    return MainBroadcast(*this, wParam, record, children);
}

void AddChildWindow(TTrMainForm& owner, QMdiSubWindow& window) {
    if (QMdiArea* area = owner.ChildArea())
        area->addSubWindow(&window);
}

// ---- TTrBroadcastForm

TTrBroadcastForm::TTrBroadcastForm(TTrMainForm* owner) : owner_(owner) {}

void TTrBroadcastForm::Create() {
    CreateValidators();
    ReadTransferBuff();
}

// ---- TUDBForm

TUDBForm::TUDBForm(TTrMainForm* owner, std::uint16_t dbTypeId) : TTrBroadcastForm(owner) {
    edit_.DefAttributs(0, 0, dbTypeId);
}

TUDBForm::~TUDBForm() {
    while (!validators_.empty())
        validators_.pop_back();
    edit_.AssignCtrl(nullptr);
}

bool TUDBForm::ApplyAction() {
    bool applied = false;
    Guarded([this, &applied] { applied = edit_.Apply(); });
    return applied;
}

void TUDBForm::RevertAction() {
    Guarded([this] { edit_.Revert(); });
}

void TUDBForm::CancelAction() {
    Guarded([this] {
        ClearEditPanModified(0);
        edit_.CloseEdit();
    });
}

std::uint32_t TUDBForm::CommitEdits() {
    // Applying an untouched panel would only mark the project modified.
    if (IsEditPanModified(0) && edit_.CanApply() && !ApplyAction())
        return kCommitRefused;
    return 0;
}

void TUDBForm::ConnectBrowser(TUDBrowser& browser) {
    connect(&browser, &TUDBrowser::OnTopClick, this, [this] { edit_.BrowseFirst(); });
    connect(&browser, &TUDBrowser::OnUpClick, this, [this] { edit_.BrowsePrior(); });
    connect(&browser, &TUDBrowser::OnDownClick, this, [this] { edit_.BrowseNext(); });
    connect(&browser, &TUDBrowser::OnBottomClick, this, [this] { edit_.BrowseLast(); });
}

std::string TUDBForm::Caption() const {
    return FromQString(windowTitle());
}

void TUDBForm::SetCaption(const std::string& caption) {
    setWindowTitle(ToQString(caption));
}

TrBuffer TUDBForm::GetEditPanBuff(int /*panel*/) {
    return editBuffer_;
}

void TUDBForm::MapEditPan(int /*panel*/, TrBuffer buffer) {
    std::vector<ValidatorControl*> controls;
    for (QWidget* widget : EditWidgets())
        controls.push_back(Control(widget));
    EditPan.TransferTo(controls, EditValidators(), buffer);
}

void TUDBForm::ShowEditWindow() {
    if (isMinimized())
        showNormal();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    raise();
}

void TUDBForm::CloseWindow() {
    close();
}

void TUDBForm::CreateValidators() {}

void TUDBForm::ReadTransferBuff() {
    if (Owner() != nullptr)
        MapHeader(Owner()->TransferBuffer().TrBuffData());
}

void TUDBForm::MapHeader(std::span<std::uint8_t> buffer) {
    edit_.AssignCtrl(this);
    edit_.FillToControl(buffer);
}

bool TUDBForm::CanClose() {
    return CloseQuery() && CanCloseMore();
}

ValidatorControl* TUDBForm::Control(QWidget* widget) {
    return controls_.Control(widget);
}

namespace {

// A choice from the list, and for an editable combo box also what the user types.
template <class Mark> void WatchCombo(QComboBox* combo, QObject* receiver, const Mark& mark) {
    QObject::connect(combo, &QComboBox::activated, receiver, mark);
    if (QLineEdit* line = combo->lineEdit())
        QObject::connect(line, &QLineEdit::textEdited, receiver, mark);
}

} // namespace

void TUDBForm::WatchEdits(const std::vector<QWidget*>& widgets) {
    const auto mark = [this] { MarkEditPanModified(0); };
    for (QWidget* widget : widgets) {
        if (auto* line = qobject_cast<QLineEdit*>(widget))
            connect(line, &QLineEdit::textEdited, this, mark);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
            connect(memo, &QPlainTextEdit::textChanged, this, mark);
        else if (auto* box = qobject_cast<QCheckBox*>(widget))
            connect(box, &QCheckBox::clicked, this, mark);
        else if (auto* radio = qobject_cast<QRadioButton*>(widget))
            connect(radio, &QRadioButton::clicked, this, mark);
        else if (auto* group = qobject_cast<RadioGroup*>(widget))
            connect(group, &RadioGroup::itemChosen, this, mark);
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            WatchCombo(combo, this, mark);
    }
}

} // namespace panolcd
