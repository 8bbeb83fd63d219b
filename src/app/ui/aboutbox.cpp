#include "app/ui/aboutbox.h"

#include "app/version.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace panolcd {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), version_(new QLabel(this)) {
    setObjectName("TAboutBox");
    setWindowTitle(QStringLiteral("Autorství programu"));
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    auto* title = new QLabel(QString::fromUtf8(kProgramTitle), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    title->setFont(titleFont);
    auto* product = new QLabel(QStringLiteral("Vývojové prostředí Vornset"), this);
    version_->setText(QString::fromUtf8(kProgramVersion));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {icon, title, product, version_}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addWidget(buttons);
}

} // namespace panolcd
