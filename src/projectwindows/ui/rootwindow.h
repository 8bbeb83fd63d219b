#pragma once
// The window of the open project: the root record's edit panel (project name, terminal name,
// program bank) and the four cards listing font banks, bitmap banks, screens and the register
// map, with the buttons and keys that add, insert, open, delete, cut, copy and paste records.

#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/stringedits.h"
#include "framework/windows/udblook.h"
#include "framework/windows/ui/udbform.h"
#include "projectwindows/rootlayout.h"
#include "projectwindows/ui/recordcard.h"

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace panolcd {

class TLcUDBRoot_MDIChild : public TUDBForm {
    Q_OBJECT
public:
    explicit TLcUDBRoot_MDIChild(TTrMainForm* owner);

    ChildKind Kind() const override { return ChildKind::Root; }
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;

    TrBuffer GetLookPanBuff(TUDBEdit_Validator& validator) override;
    void MapLookPan(TrBuffer place) override;
    void ShowLookPage(DBLookValidator& list) override;

    // The operations of the card shown; a fault is shown, never passed to the event loop.
    void RunCardOp(CardOp op);
    // The design caption, with the project file's name when the project has one.
    void UpdateCaption();
    // Back to the bounds the window was made with.
    void RestoreOrigSize();
    // "Mapa Prg": the map file chosen in a dialog. "Obnovení": the project's own map file, the
    // dialog only when there is none.
    void ImportMapFile() { ImportMap({}); }
    void RefreshMapFile();
    // Reads the map file whole into a scratch database first: the card changes only when every
    // line was read.
    bool LoadMap(const std::string& fileName);

    int CurrentCard() const;
    QTabWidget* Cards() const { return cards_; }
    QListWidget* CardList(int card) const { return lists_[static_cast<std::size_t>(card)]; }
    TUDBLook_Validator& CardValidator(int card) { return *looks_[static_cast<std::size_t>(card)]; }
    const RootSavedLayout& SavedLayout() const { return saved_; }

protected:
    void CreateValidators() override;
    void ReadTransferBuff() override;
    std::vector<QWidget*> EditWidgets() override;
    std::vector<TCtrlValidator*> EditValidators() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ImportMap(const std::string& fileName);
    void BuildCard(int card, const char* tab, const char* header);
    void CardChanged(int card);
    void SaveLayout();
    void ApplyResizeRule();
    void SetControlBounds();

    QWidget* client_;
    QLineEdit* projectName_;
    QLineEdit* termObjName_;
    QLineEdit* prgBankNum_;
    QPushButton* apply_;
    QTabWidget* cards_;
    std::array<QListWidget*, kCardCount> lists_{};
    std::array<QPushButton*, kCardButtonCount> buttons_{};

    TTrStringEdit_Validator& projectNameV_ = AddValidator<TTrStringEdit_Validator>();
    TTrStringEdit_Validator& termObjNameV_ = AddValidator<TTrStringEdit_Validator>();
    TTrByteEdit_Validator& prgBankNumV_ = AddValidator<TTrByteEdit_Validator>();
    std::array<TTrDBPtrButt_Validator*, kCardCount> pointers_{};
    std::array<TUDBLook_Validator*, kCardCount> looks_{};
    std::array<std::unique_ptr<RecordCard>, kCardCount> recordCards_;

    std::vector<std::uint8_t> lookBuffer_;
    std::string designCaption_;
    RootSavedLayout saved_;
    bool layoutSaved_ = false;
};

// Registers the project's record windows by the names the record types give.
void RegisterProjectWindows();

} // namespace panolcd
