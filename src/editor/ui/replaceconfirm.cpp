#include "editor/ui/replaceconfirm.h"

#include "common/ui/qtext.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace panolcd {

TReplaceConfirmDlg::TReplaceConfirmDlg(const std::string& findText, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Potvrzení"));
    setFixedSize(kWidth, kHeight);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    icon->setGeometry(16, 12, 32, 32);
    auto* text =
        new QLabel(QStringLiteral("Nahradit tento výskyt '%1' ?").arg(ToQString(findText)), this);
    text->setGeometry(80, 16, kWidth - 96, 32);
    struct Choice {
        const char* caption;
        ReplaceAnswer answer;
    };
    const Choice choices[] = {{"&Ano", ReplaceAnswer::Yes},
                              {"&Ne", ReplaceAnswer::No},
                              {"Storno", ReplaceAnswer::Cancel},
                              {"&Vše", ReplaceAnswer::All}};
    int x = 16;
    for (const Choice& choice : choices) {
        auto* button = new QPushButton(QString::fromUtf8(choice.caption), this);
        button->setObjectName(QString::fromUtf8(choice.caption).remove('&'));
        button->setGeometry(x, kHeight - 36, 72, 24);
        const ReplaceAnswer answer = choice.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            answer_ = answer;
            answer == ReplaceAnswer::Cancel ? reject() : accept();
        });
        if (answer == ReplaceAnswer::Yes)
            button->setDefault(true);
        x += 80;
    }
}

QPoint TReplaceConfirmDlg::PlaceNear(const QPoint& hitTopLeft, int lineHeight,
                                     const QRect& screen) {
    QPoint place(hitTopLeft.x() - 8, hitTopLeft.y() + 2 * lineHeight);
    if (place.y() + kHeight > screen.bottom() - 32)
        place.setY(place.y() - (kHeight + 32));
    if (place.x() + kWidth > screen.right())
        place.setX(place.x() - (kWidth + 32));
    return place;
}

} // namespace panolcd
