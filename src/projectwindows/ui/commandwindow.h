#pragma once
// The record windows of the screen's program constructs over Qt: one class for the five object
// windows and the three variant windows, built from the table of commandwindows.h. Controls are
// placed by hand, since the variant list follows the window's height by its own rule.

#include "projectwindows/commandwindows.h"
#include "projectwindows/ui/recordcard.h"
#include "projectwindows/ui/recordpanel.h"

#include <memory>
#include <vector>

class QListWidget;
class QPushButton;

namespace panolcd {

class TTrEmpty_Validator;
class TUDBLook_Validator;

class TCommandForm : public TPanelForm {
    Q_OBJECT
public:
    TCommandForm(TTrMainForm* owner, const CommandWindowDef& def);
    ~TCommandForm() override;

    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;

    TrBuffer GetLookPanBuff(TUDBEdit_Validator& validator) override;
    void MapLookPan(TrBuffer place) override;
    void ShowLookPage(DBLookValidator& list) override;

    const CommandWindowDef& Def() const { return def_; }
    // The variants' list and its operations; none in a window without a list.
    QListWidget* VariantList() const { return list_; }
    RecordCard* Card() const { return card_.get(); }
    // Back to the bounds the window was made with (its position stays).
    void RestoreOrigSize();

protected:
    void CreateValidators() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildList(QWidget* client, int top);

    const CommandWindowDef& def_;
    QWidget* client_ = nullptr;
    QWidget* listFrame_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    TUDBLook_Validator* look_ = nullptr;
    TTrEmpty_Validator* place_ = nullptr;
    std::unique_ptr<RecordCard> card_;
    std::vector<std::uint8_t> lookBuffer_;
    LayoutRect savedWindow_, savedFrame_, savedList_;
    bool layoutSaved_ = false;
};

// Registers the command windows by the names their record types give.
void RegisterCommandWindows();

} // namespace panolcd
