#include "editor/ui/smarteditor.h"

#include "common/ui/qtext.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace panolcd {
namespace {

KeyStroke StrokeOf(const QKeyEvent& event) {
    using K = KeyStroke::Key;
    KeyStroke stroke;
    const Qt::KeyboardModifiers mods = event.modifiers();
    stroke.shift = (mods & Qt::ShiftModifier) != 0;
    stroke.ctrl = (mods & Qt::ControlModifier) != 0;
    stroke.alt = (mods & Qt::AltModifier) != 0;
    switch (event.key()) {
    case Qt::Key_Left:
        stroke.key = K::Left;
        return stroke;
    case Qt::Key_Right:
        stroke.key = K::Right;
        return stroke;
    case Qt::Key_Up:
        stroke.key = K::Up;
        return stroke;
    case Qt::Key_Down:
        stroke.key = K::Down;
        return stroke;
    case Qt::Key_Home:
        stroke.key = K::Home;
        return stroke;
    case Qt::Key_End:
        stroke.key = K::End;
        return stroke;
    case Qt::Key_PageUp:
        stroke.key = K::PageUp;
        return stroke;
    case Qt::Key_PageDown:
        stroke.key = K::PageDown;
        return stroke;
    case Qt::Key_Insert:
        stroke.key = K::Insert;
        return stroke;
    case Qt::Key_Delete:
        stroke.key = K::Delete;
        return stroke;
    case Qt::Key_Backspace:
        stroke.key = K::Backspace;
        return stroke;
    case Qt::Key_Tab:
        stroke.key = K::Tab;
        return stroke;
    case Qt::Key_Backtab:
        stroke.key = K::Tab;
        stroke.shift = true;
        return stroke;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        stroke.key = K::Enter;
        return stroke;
    case Qt::Key_Escape:
        stroke.key = K::Escape;
        return stroke;
    case Qt::Key_Shift:
        stroke.key = K::Shift;
        return stroke;
    case Qt::Key_Control:
        stroke.key = K::Control;
        return stroke;
    default:
        break;
    }
    // With Ctrl the letter or digit itself, whatever the layout types (Ctrl+digit on the Czech
    // layout gives ě, š, ... as text).
    const int key = event.key();
    if (stroke.ctrl &&
        ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))) {
        stroke.key = K::Char;
        stroke.ch = static_cast<char>(key);
        return stroke;
    }
    const std::string text = FromQString(event.text());
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) >= 32 && text[0] != 127) {
        stroke.key = K::Char;
        stroke.ch = text[0];
        return stroke;
    }
    stroke.key = K::Other;
    return stroke;
}

} // namespace

TSmartEditor::TSmartEditor(QWidget* parent) : QAbstractScrollArea(parent) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    setFont(font);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    core_.clipboard = this;
    UpdateScrollBars();
}

void TSmartEditor::SetGutterWidth(int pixels) {
    gutterWidth_ = std::max(0, pixels);
    viewport()->update();
}

int TSmartEditor::LineHeight() const {
    return std::max(1, fontMetrics().height());
}

int TSmartEditor::CharWidth() const {
    return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('M')));
}

void TSmartEditor::UpdateScrollBars() {
    core_.visibleLines = std::max(1, viewport()->height() / LineHeight());
    verticalScrollBar()->setRange(0, static_cast<int>(core_.Text().LineCount()));
    verticalScrollBar()->setPageStep(core_.visibleLines);
    horizontalScrollBar()->setRange(0, 1024);
    horizontalScrollBar()->setPageStep(
        std::max(1, (viewport()->width() - gutterWidth_) / CharWidth()));
}

void TSmartEditor::KeepCaretVisible() {
    const std::int32_t line = core_.CaretLine();
    if (line < core_.topLine)
        core_.topLine = line;
    else if (line >= core_.topLine + core_.visibleLines)
        core_.topLine = line - core_.visibleLines + 1;
    const int columns = std::max(1, (viewport()->width() - gutterWidth_) / CharWidth() - 1);
    const std::int32_t column = core_.CaretColumn() + core_.VirtualBlanks();
    if (column < leftColumn_)
        leftColumn_ = column;
    else if (column > leftColumn_ + columns)
        leftColumn_ = column - columns;
    const QSignalBlocker v(verticalScrollBar());
    const QSignalBlocker h(horizontalScrollBar());
    verticalScrollBar()->setValue(core_.topLine);
    horizontalScrollBar()->setValue(leftColumn_);
}

void TSmartEditor::Refresh() {
    UpdateScrollBars();
    KeepCaretVisible();
    viewport()->update();
    emit changed();
}

void TSmartEditor::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    const int lh = LineHeight();
    const int cw = CharWidth();
    const int ascent = fontMetrics().ascent();
    const QRect area = viewport()->rect();
    painter.fillRect(area, Qt::white);
    TextBuffer& text = core_.Text();
    const std::int32_t caretLine = core_.CaretLine();
    const std::int32_t caretColumn = core_.CaretColumn() + core_.VirtualBlanks();
    const auto inRange = [](std::size_t at, std::int32_t begin, std::int32_t end) {
        return begin >= 0 && begin < end && at >= static_cast<std::size_t>(begin) &&
               at < static_cast<std::size_t>(end);
    };
    for (int row = 0; row * lh < area.height(); ++row) {
        const std::size_t line = static_cast<std::size_t>(core_.topLine + row);
        if (line > text.LineCount())
            break;
        const int y = row * lh;
        std::size_t at = text.LineStart(line);
        const std::size_t end = text.LineEnd(line);
        int column = 0;
        for (; at < end; ++at) {
            const char c = text.At(at);
            const int cells = c == '\t' ? core_.tabSize - column % core_.tabSize : 1;
            const int x = gutterWidth_ + (column - leftColumn_) * cw;
            column += cells;
            if (x + cells * cw < gutterWidth_ || x > area.width())
                continue;
            // The search hit in white on black, the selection in white on navy.
            QColor background = Qt::white;
            QColor foreground = Qt::black;
            if (inRange(at, text.foundBegin, text.foundEnd)) {
                background = Qt::black;
                foreground = Qt::white;
            } else if (inRange(at, text.blockBegin, text.blockEnd)) {
                background = QColor(0x00, 0x00, 0x80);
                foreground = Qt::white;
            }
            if (background != Qt::white)
                painter.fillRect(x, y, cells * cw, lh, background);
            if (c != '\t' && c != ' ') {
                painter.setPen(foreground);
                painter.drawText(x, y + ascent, ToQString(std::string(1, c)));
            }
        }
    }
    // The right margin, then the gutter over the text's left end.
    const int margin = gutterWidth_ + (rightMargin_ - leftColumn_) * cw;
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    painter.drawLine(margin, 0, margin, area.height());
    if (gutterWidth_ > 0) {
        painter.fillRect(0, 0, gutterWidth_, area.height(), QColor(0xC0, 0xC0, 0xC0));
        painter.setPen(Qt::white);
        painter.drawLine(gutterWidth_ - 2, 0, gutterWidth_ - 2, area.height());
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(gutterWidth_ - 1, 0, gutterWidth_ - 1, area.height());
        // The lowest-numbered bookmark of each line, as its digit in a box.
        for (int mark = TextBuffer::kBookmarks - 1; mark >= 0; --mark) {
            const std::int32_t offset = core_.BookmarkOffset(mark);
            if (offset < 0)
                continue;
            const int row =
                static_cast<int>(text.LineOf(static_cast<std::size_t>(offset))) - core_.topLine;
            if (row < 0 || row * lh > area.height())
                continue;
            const QRect box(4, row * lh + (lh - 12) / 2, 12, 12);
            painter.fillRect(box, QColor(0x80, 0x80, 0x00));
            painter.setPen(Qt::white);
            painter.drawText(box, Qt::AlignCenter, QString::number(mark));
        }
    }
    if (hasFocus() && caretLine >= core_.topLine) {
        const int x = gutterWidth_ + (caretColumn - leftColumn_) * cw;
        const int y = (caretLine - core_.topLine) * lh;
        const bool insert = (core_.options & eo::kInsertMode) != 0;
        painter.fillRect(x, insert ? y : y + lh - 3, insert ? 2 : cw, insert ? lh : 3, Qt::black);
    }
}

void TSmartEditor::keyPressEvent(QKeyEvent* event) {
    const KeyStroke stroke = StrokeOf(*event);
    bool taken = false;
    try {
        taken = core_.KeyDown(stroke);
    } catch (const std::exception&) {
        taken = true; // the command took its changes back; the window shows the message
    }
    if (!taken) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    Refresh();
}

void TSmartEditor::inputMethodEvent(QInputMethodEvent* event) {
    // Czech dead keys compose here: háček and čárka with a letter arrive as one text.
    for (const char c : FromQString(event->commitString()))
        core_.TypeChar(c);
    event->accept();
    Refresh();
}

std::size_t TSmartEditor::OffsetAt(const QPoint& point) {
    const int line = core_.topLine + std::max(0, point.y()) / LineHeight();
    const int column =
        leftColumn_ + std::max(0, point.x() - gutterWidth_ + CharWidth() / 2) / CharWidth();
    const std::size_t before = core_.CaretOffset();
    core_.SetCaret(column, line);
    const std::size_t at = core_.CaretOffset();
    core_.SetCaretOffset(before);
    return at;
}

void TSmartEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->position().x() < gutterWidth_)
        return;
    core_.EndIncrementalSearch();
    const std::size_t at = OffsetAt(event->position().toPoint());
    core_.SetCaretOffset(at);
    anchor_ = at;
    core_.SelectRange(at, at);
    dragging_ = true;
    Refresh();
}

void TSmartEditor::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || (event->buttons() & Qt::LeftButton) == 0)
        return;
    const std::size_t at = OffsetAt(event->position().toPoint());
    core_.SetCaretOffset(at);
    core_.SelectRange(std::min(anchor_, at), std::max(anchor_, at));
    Refresh();
}

void TSmartEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    core_.RunCommand(28); // the word at the caret
    dragging_ = false;
    Refresh();
}

void TSmartEditor::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TSmartEditor::scrollContentsBy(int /*dx*/, int /*dy*/) {
    core_.topLine = verticalScrollBar()->value();
    leftColumn_ = horizontalScrollBar()->value();
    viewport()->update();
}

bool TSmartEditor::focusNextPrevChild(bool next) {
    // A read-only editor lets Tab move the focus; an editing one takes it as a character.
    if (core_.readOnly)
        return QAbstractScrollArea::focusNextPrevChild(next);
    return false;
}

std::string TSmartEditor::Text() {
    return FromQString(QApplication::clipboard()->text());
}

void TSmartEditor::SetText(const std::string& text) {
    std::string lines;
    for (const char c : text) {
        if (c != '\r')
            lines += c;
    }
    QApplication::clipboard()->setText(ToQString(lines));
}

} // namespace panolcd
