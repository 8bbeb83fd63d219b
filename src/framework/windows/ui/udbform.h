#pragma once
// The window classes of the project's child windows over Qt: a broadcast-aware child window
// (TBroadcastForm), the main-window base that hands start data to the children it creates
// (TTrMainForm), and the record window (TUDBForm) whose edit logic is TUDBEdit_Validator.
// Child windows are MDI sub-windows, freed when they close.

#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/windows/childwindow.h"
#include "framework/windows/udbedit.h"
#include "framework/windows/udbforms.h"
#include "framework/windows/windowmessages.h"

#include <QMainWindow>
#include <QMdiSubWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QMdiArea;

namespace panolcd {
class TUDBrowser;
}

namespace panolcd {

// Runs a handler reached from the event loop: an exception is shown to the user, never passed
// on. Answers false when one was raised.
bool Guarded(const std::function<void()>& action);

// A child window that relays a broadcast's inner message to itself.
class TBroadcastForm : public QMdiSubWindow, public MessageTarget, public ChildWindow {
    Q_OBJECT
public:
    explicit TBroadcastForm(QWidget* parent = nullptr);

    ChildKind Kind() const override { return ChildKind::Other; }
    // The answer to kWmQueryEditCaps.
    std::uint32_t EditCaps() override;

    // The window's own messages; by default it answers 0 to all.
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;
    bool IsClosing() const override { return closing_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Whether the window may close; the default lets it.
    virtual bool CanClose() { return true; }

private:
    bool closing_ = false;
};

// The main window base: the transfer buffer each new child reads its start data from, the busy
// cursor, and the main side of broadcasts. It is the record windows' host while it lives.
class TTrMainForm : public QMainWindow, public MessageTarget, public RecordWindowHost {
    Q_OBJECT
public:
    explicit TTrMainForm(QWidget* parent = nullptr);
    ~TTrMainForm() override;

    // The area the child windows live in.
    virtual QMdiArea* ChildArea() const = 0;

    TTransferBuffObj& TransferBuffer() override { return trBuff_; }
    void BeginBusy() override;
    void EndBusy() override;

    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;
    // The inner message to this window, then to every child window in the area's order.
    std::uint32_t HandleBroadcast(std::uint32_t wParam, const TBroadcastRec* record) override;

private:
    TTransferBuffObj trBuff_;
};

// A child window created in two steps: the constructor builds the widgets, Create (run by the
// registry's factory) makes the validators and reads the start data.
class TTrBroadcastForm : public TBroadcastForm {
    Q_OBJECT
public:
    explicit TTrBroadcastForm(TTrMainForm* owner);
    void Create();
    TTrMainForm* Owner() const { return owner_; }

protected:
    virtual void CreateValidators() {}
    // Reads the owner's transfer buffer.
    virtual void ReadTransferBuff() {}

private:
    TTrMainForm* owner_;
};

// A record window: its edit panel shows a copy of one record of one database.
class TUDBForm : public TTrBroadcastForm, public TUDBFormCore {
    Q_OBJECT
public:
    TUDBForm(TTrMainForm* owner, std::uint16_t dbTypeId);

    ChildKind Kind() const override { return ChildKind::Record; }
    std::string WindowClass() const override { return windowClass_; }
    // The registered name the window was opened by.
    void SetWindowClass(std::string name) { windowClass_ = std::move(name); }
    // Validators go in reverse order of creation, the edit validator (detaching from its
    // database) last.
    ~TUDBForm() override;

    TUDBEdit_Validator& EditValidator() { return edit_; }
    // What the window's buttons do; a fault is shown, never passed to the event loop.
    // False when the edits were refused (the user was told why).
    bool ApplyAction();
    void RevertAction();
    // Cancel: the edits are dropped without the close question.
    void CancelAction();
    // The answer to ecCommitEdits: a modified panel is applied, and kCommitRefused when that was
    // refused (the user was told why). An untouched panel, or one with no record to store into,
    // takes nothing.
    std::uint32_t CommitEdits();
    // Browses the record window's database with the browser's four buttons.
    void ConnectBrowser(TUDBrowser& browser);

    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    TrBuffer GetEditPanBuff(int panel) override;
    void MapEditPan(int panel, TrBuffer buffer) override;
    void ShowEditWindow() override;
    void CloseWindow() override;

protected:
    void CreateValidators() override;
    void ReadTransferBuff() override;
    // Attaches the edit validator to the position record at the start of `buffer`.
    virtual void MapHeader(std::span<std::uint8_t> buffer);
    // The edit controls in record field order, and their validators.
    virtual std::vector<QWidget*> EditWidgets() { return {}; }
    virtual std::vector<TCtrlValidator*> EditValidators() { return {}; }
    bool CanClose() override;
    // A further close check run after the window's own query (the chained handler).
    virtual bool CanCloseMore() { return true; }

    template <class V, class... Args> V& AddValidator(Args&&... args) {
        auto validator = std::make_unique<V>(std::forward<Args>(args)...);
        V& ref = *validator;
        validators_.push_back(std::move(validator));
        return ref;
    }
    ValidatorControl* Control(QWidget* widget);
    // Marks the panel modified whenever the user changes one of the edit widgets: edits, memos,
    // check boxes, radio buttons and groups, combo boxes (and what is typed into an editable one).
    void WatchEdits(const std::vector<QWidget*>& widgets);

    std::vector<std::uint8_t> editBuffer_;

private:
    TUDBEdit_Validator edit_;
    std::string windowClass_;
    std::vector<std::unique_ptr<TCtrlValidator>> validators_;
    QtControlCache controls_;
};

// Registers a record window class: its windows are made by `make` with the main window as
// owner, put into its child area, created and shown. A window that fails to be created is freed
// and the fault passed on.
template <class W, class Make> void RegisterUDBFormWith(const std::string& name, Make make) {
    const std::string registered = name.substr(0, kUDBFormNameMax);
    UDBFormsMan().RegisterUDBForm(registered, typeid(W),
                                  [registered, make](RecordWindowHost& host) -> RecordWindow* {
                                      auto* owner = dynamic_cast<TTrMainForm*>(&host);
                                      if (owner == nullptr)
                                          return nullptr;
                                      std::unique_ptr<W> window = make(owner);
                                      window->SetWindowClass(registered);
                                      AddChildWindow(*owner, *window);
                                      window->Create();
                                      window->show();
                                      return window.release();
                                  });
}

template <class W> void RegisterUDBFormClass(const std::string& name) {
    RegisterUDBFormWith<W>(name, [](TTrMainForm* owner) { return std::make_unique<W>(owner); });
}

// Puts a child window into the main window's area (the window stays the caller's).
void AddChildWindow(TTrMainForm& owner, QMdiSubWindow& window);

} // namespace panolcd
