#pragma once
// TUDBrowser: four repeat buttons stacked top to bottom (top, up, down, bottom) that move a
// record window through its database. One of them is the focused button, which Space clicks.

#include <QIcon>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

#include <array>

namespace panolcd {

class TUDBrowser : public QWidget {
    Q_OBJECT
public:
    enum Button { Top = 0, Up = 1, Down = 2, Bottom = 3 };

    explicit TUDBrowser(QWidget* parent = nullptr);

    // Takes the focus after a button was pressed, when it can.
    void SetFocusControl(QWidget* control) { focusControl_ = control; }
    void SetGlyph(Button button, const QIcon& glyph);
    int FocusedButton() const { return focused_; }
    QToolButton* ButtonAt(Button button) const { return buttons_[button]; }
    // Clicks a button as the mouse or a key does.
    void Click(Button button);
    QSize sizeHint() const override;

signals:
    void OnTopClick();
    void OnUpClick();
    void OnDownClick();
    void OnBottomClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyLayout();
    void Pressed(Button button);
    void Fire(Button button);

    std::array<QToolButton*, 4> buttons_{};
    QPointer<QWidget> focusControl_;
    int focused_ = Up;
};

} // namespace panolcd
