#pragma once
// TCaseLayers_Form: the small tool window with the list of case layers. Choosing an entry and
// closing the window are reported; the main window decides what follows.

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;

namespace panolcd {

class TCaseLayers_Form final : public QWidget {
    Q_OBJECT
public:
    explicit TCaseLayers_Form(QWidget* parent = nullptr);

    // Texts in Windows-1250; `chosen` -1 for none.
    void SetEntries(const std::vector<std::string>& names, int chosen);
    void SetChosen(int entry);
    int Chosen() const;
    QComboBox* List() const { return list_; }

signals:
    void EntryChosen(int entry);
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QComboBox* list_;
    bool filling_ = false;
};

} // namespace panolcd
