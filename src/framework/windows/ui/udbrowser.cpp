// TUDBrowser.

#include "framework/windows/ui/udbrowser.h"

#include "framework/windows/udbforms.h"
#include "framework/windows/ui/udbform.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace panolcd {
namespace {

// A button that draws the browser's focus rectangle when it is the focused one.
class BrowserButtonWidget final : public QToolButton {
public:
    BrowserButtonWidget(TUDBrowser* browser, int index)
        : QToolButton(browser), browser_(browser), index_(index) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QToolButton::paintEvent(event);
        if (!browser_->hasFocus() || browser_->FocusedButton() != index_)
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    TUDBrowser* browser_;
    int index_;
};

} // namespace

TUDBrowser::TUDBrowser(QWidget* parent) : QWidget(parent) {
    static constexpr Qt::ArrowType kArrows[] = {Qt::UpArrow, Qt::UpArrow, Qt::DownArrow,
                                                Qt::DownArrow};
    static constexpr const char* kNames[] = {"BrowserTop", "BrowserUp", "BrowserDown",
                                             "BrowserBottom"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new BrowserButtonWidget(this, i);
        button->setObjectName(kNames[i]);
        button->setArrowType(kArrows[i]);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::pressed, this, [this, i] { Pressed(Button(i)); });
        connect(button, &QToolButton::clicked, this, [this, i] { Fire(Button(i)); });
        buttons_[i] = button;
    }
    setFocusPolicy(Qt::StrongFocus);
    resize(kBrowserDefaultWidth, kBrowserDefaultHeight);
    ApplyLayout();
}

QSize TUDBrowser::sizeHint() const {
    return {kBrowserDefaultWidth, kBrowserDefaultHeight};
}

void TUDBrowser::SetGlyph(Button button, const QIcon& glyph) {
    buttons_[button]->setArrowType(Qt::NoArrow);
    buttons_[button]->setIcon(glyph);
}

void TUDBrowser::ApplyLayout() {
    const int width = BrowserWidth(this->width());
    const auto layout = BrowserLayout(height());
    for (int i = 0; i < 4; ++i)
        buttons_[i]->setGeometry(0, layout[i].Top, width, layout[i].Height);
}

void TUDBrowser::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void TUDBrowser::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        Click(Button(focused_));
        break;
    case Qt::Key_Home:
        Click(Top);
        break;
    case Qt::Key_Up:
        Click(Up);
        break;
    case Qt::Key_Down:
        Click(Down);
        break;
    case Qt::Key_End:
        Click(Bottom);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TUDBrowser::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    buttons_[focused_]->update();
}

void TUDBrowser::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    buttons_[focused_]->update();
}

void TUDBrowser::Click(Button button) {
    Pressed(button);
    Fire(button);
}

void TUDBrowser::Pressed(Button button) {
    buttons_[focused_]->update();
    focused_ = button;
    buttons_[focused_]->update();
    QWidget* target = focusControl_.data();
    const auto canFocus = [](const QWidget* widget) {
        return widget->focusPolicy() != Qt::NoFocus && widget->isEnabled() && widget->isVisible();
    };
    if (target != nullptr && canFocus(target) && !target->hasFocus())
        target->setFocus();
    else if (canFocus(this))
        setFocus();
}

void TUDBrowser::Fire(Button button) {
    Guarded([&] {
        switch (button) {
        case Top:
            emit OnTopClick();
            break;
        case Up:
            emit OnUpClick();
            break;
        case Down:
            emit OnDownClick();
            break;
        case Bottom:
            emit OnBottomClick();
            break;
        }
    });
}

} // namespace panolcd
