#include "framework/environment/ui/consolewidget.h"

#include "common/error.h"
#include "common/ui/qtext.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace panolcd {

TConsole::TConsole(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::ClickFocus);
    // The system's fixed font, taken as it is: some font back ends cannot tell its pitch, and
    // the console must open all the same.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    UseFont(font);
}

void TConsole::SetConsoleFont(const QFont& font) {
    if (!QFontInfo(font).fixedPitch()) {
        throw Exception("TConsole: " + FromQString(font.family()) + " is not fixed-pitch");
    }
    UseFont(font);
}

void TConsole::UseFont(const QFont& font) {
    font_ = font;
    const QFontMetrics metrics(font_);
    cellWidth_ = std::max(1, metrics.averageCharWidth());
    cellHeight_ = std::max(1, metrics.height() + metrics.leading());
    UpdateScrollBars();
    viewport()->update();
}

int TConsole::VisibleCols() const {
    return viewport()->width() / cellWidth_;
}

int TConsole::VisibleRows() const {
    return viewport()->height() / cellHeight_;
}

QPoint TConsole::ViewOrigin() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TConsole::UpdateScrollBars() {
    horizontalScrollBar()->setRange(0, std::max(1, model_.Cols() - VisibleCols()));
    horizontalScrollBar()->setPageStep(std::max(1, VisibleCols()));
    verticalScrollBar()->setRange(0, std::max(1, model_.Rows() - VisibleRows()));
    verticalScrollBar()->setPageStep(std::max(1, VisibleRows()));
}

void TConsole::ScrollTo(int col, int row) {
    horizontalScrollBar()->setValue(col);
    verticalScrollBar()->setValue(row);
    viewport()->update();
}

void TConsole::TrackCursor() {
    QPoint origin = ViewOrigin();
    const int cols = std::max(1, VisibleCols());
    const int rows = std::max(1, VisibleRows());
    if (model_.CursorCol() < origin.x())
        origin.setX(model_.CursorCol());
    else if (model_.CursorCol() >= origin.x() + cols)
        origin.setX(model_.CursorCol() - cols + 1);
    if (model_.CursorRow() < origin.y())
        origin.setY(model_.CursorRow());
    else if (model_.CursorRow() >= origin.y() + rows)
        origin.setY(model_.CursorRow() - rows + 1);
    ScrollTo(origin.x(), origin.y());
}

void TConsole::Refresh() {
    const Console::Changes changes = model_.TakeChanges();
    for (int i = 0; i < changes.beeps; ++i)
        QApplication::beep();
    if (autoTracking_)
        TrackCursor();
    if (changes.Any())
        viewport()->update(); // Qt merges the repaints until the next paint event
}

void TConsole::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    painter.setFont(font_);
    painter.setPen(palette().text().color());
    const QPoint origin = ViewOrigin();
    const QFontMetrics metrics(font_);
    const int lastRow = std::min(model_.Rows(), origin.y() + VisibleRows() + 1);
    for (int row = origin.y(); row < lastRow; ++row) {
        const std::string& text = model_.RowText(row);
        const int y = (row - origin.y()) * cellHeight_ + metrics.ascent();
        const QString line = ToQString(std::string_view(text).substr(
            std::min<std::size_t>(text.size(), static_cast<std::size_t>(origin.x()))));
        for (int col = 0; col < line.size(); ++col)
            painter.drawText(col * cellWidth_, y, QString(line[col]));
    }
}

void TConsole::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TConsole::keyPressEvent(QKeyEvent* event) {
    QPoint origin = ViewOrigin();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int halfWidth = std::max(1, VisibleCols() / 2);
    const int height = std::max(1, VisibleRows());
    switch (event->key()) {
    case Qt::Key_Left:
        origin.rx() -= ctrl ? halfWidth : 1;
        break;
    case Qt::Key_Right:
        origin.rx() += ctrl ? halfWidth : 1;
        break;
    case Qt::Key_Home:
        if (ctrl)
            origin.setY(0);
        else
            origin.setX(0);
        break;
    case Qt::Key_End:
        if (ctrl)
            origin.setY(model_.Rows());
        else
            origin.setX(model_.Cols());
        break;
    case Qt::Key_Up:
        origin.ry() -= 1;
        break;
    case Qt::Key_Down:
        origin.ry() += 1;
        break;
    case Qt::Key_PageUp:
        origin.ry() -= height;
        break;
    case Qt::Key_PageDown:
        origin.ry() += height;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    ScrollTo(origin.x(), origin.y()); // the scroll bars clamp to their ranges
}

void TConsole::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    QAbstractScrollArea::mousePressEvent(event);
}

} // namespace panolcd
