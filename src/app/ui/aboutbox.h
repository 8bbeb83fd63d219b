#pragma once
// TAboutBox: the program's name, product line and version.

#include <QDialog>

class QLabel;

namespace panolcd {

class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    QLabel* VersionLabel() const { return version_; }

private:
    QLabel* version_;
};

} // namespace panolcd
