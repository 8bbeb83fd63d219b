#pragma once
// The editors' four long-lived dialogs: "Najít text", "Nahradit text", "Přejít na řádku" and
// "Nastavení editoru" with its sample editor. They translate between their controls and the
// search, replace and settings records; the options dialog's rules are TSmartOptModel.

#include "editor/editcore.h"
#include "editor/editoroptions.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace panolcd {

class TSmartEditor;

// An editable drop-down box that keeps a history of what it held.
class THistoryBox;

// The controls the find and replace dialogs share.
class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    QComboBox* FindBox() const;
    std::uint8_t Flags() const;
    void SetFlags(std::uint8_t flags);
    // Shown modally with the focus in the find box; true with OK.
    bool Execute();

protected:
    TSearchDialog(QWidget* parent, const char* caption, bool replace);
    int ExecInFindBox();

    THistoryBox* find_ = nullptr;
    THistoryBox* replace_ = nullptr;
    QCheckBox* case_ = nullptr;
    QCheckBox* words_ = nullptr;
    QCheckBox* prompt_ = nullptr;
    QRadioButton* forwards_ = nullptr;
    QRadioButton* backwards_ = nullptr;
    QRadioButton* global_ = nullptr;
    QRadioButton* selected_ = nullptr;
    QRadioButton* fromCursor_ = nullptr;
    QRadioButton* entireScope_ = nullptr;
};

class TSmartFindForm final : public TSearchDialog {
    Q_OBJECT
public:
    explicit TSmartFindForm(QWidget* parent = nullptr);
    void SetSearchSettings(const TSearchSettings& settings);
    TSearchSettings GetSearchSettings() const;
};

class TSmartReplaceForm final : public TSearchDialog {
    Q_OBJECT
public:
    static constexpr int kReplaceAllResult = 8;

    explicit TSmartReplaceForm(QWidget* parent = nullptr);
    QComboBox* ReplaceBox() const;
    void SetReplaceSettings(const TReplaceSettings& settings);
    TReplaceSettings GetReplaceSettings() const;
    // True with OK (`all` false) or "Nahradit vše" (`all` true).
    bool Execute(bool& all);
};

class TGotoLineForm final : public QDialog {
    Q_OBJECT
public:
    explicit TGotoLineForm(QWidget* parent = nullptr);
    QComboBox* LineBox() const;
    std::int32_t MaxLine = 1;
    void SetLineNumber(std::int32_t line);
    bool Execute();
    std::int32_t LineNumber() const;

    void accept() override;

private:
    THistoryBox* line_;
};

class TSmartOptForm final : public QDialog {
    Q_OBJECT
public:
    // Makes an editor of the class the dialog offers, for its sample.
    using EditorFactory = TSmartEditor* (*)(QWidget* parent);

    explicit TSmartOptForm(QWidget* parent = nullptr);
    ~TSmartOptForm() override;

    void SetEditorClass(EditorFactory make);
    QString SampleText;
    void LoadSettings(const TSmartEditorSettings& settings);
    bool Execute();
    void StoreSettings(TSmartEditorSettings& settings);

    TSmartOptModel& Model() { return model_; }
    TSmartEditor* Sample() const { return sample_; }
    QTabWidget* Pages() const { return pages_; }
    QComboBox* NumberBoxOf(NumberBox box) const;
    QCheckBox* OptionBoxOf(int bit) const;
    QComboBox* FontNames() const { return fontName_; }
    QComboBox* Schemes() const { return schemes_; }
    QListWidget* Elements() const { return elements_; }
    // The grid's pick: left button foreground, right background.
    void PickGridColour(int index, bool background);

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildEditorPage();
    QWidget* BuildDisplayPage();
    QWidget* BuildColourPage();
    // Controls to the model and back.
    void ReadControls();
    void ShowModel();
    void ShowAttributes();
    void RefreshSample();
    // A range failure: the message, then the focus on its box.
    void Report(const TSmartOptModel::Failure& failure);

    TSmartOptModel model_;
    EditorFactory class_ = nullptr;
    TSmartEditor* sample_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QWidget* colourPage_ = nullptr;
    std::array<QCheckBox*, 19> optionBoxes_{};
    std::array<THistoryBox*, 6> numberBoxes_{};
    THistoryBox* extensions_ = nullptr;
    QComboBox* presets_ = nullptr;
    std::array<QRadioButton*, 3> lineNumbers_{};
    QListWidget* keyMaps_ = nullptr;
    QComboBox* fontName_ = nullptr;
    QLabel* example_ = nullptr;
    QComboBox* schemes_ = nullptr;
    QListWidget* elements_ = nullptr;
    class TColorGrid* grid_ = nullptr;
    std::array<QCheckBox*, 3> styles_{};
    bool checking_ = false; // a check's message box takes the focus; no second check then
    bool filling_ = false;
};

// The four dialogs, made once by the main window; none without one.
struct TEditorDialogs {
    TEditorDialogs(QWidget* parent);
    ~TEditorDialogs();
    static TEditorDialogs* Instance();

    TSmartFindForm* find;
    TSmartReplaceForm* replace;
    TGotoLineForm* gotoLine;
    TSmartOptForm* options;
};

} // namespace panolcd
