#include "editor/ui/smarteditor.h"

#include "common/ui/qtext.h"
#include "editor/ui/replaceconfirm.h"
#include "framework/environment/msgbox.h"
#include "framework/windows/ui/udbform.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

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

// The bookmark marks: ten 12 x 14 pictures, drawn once for every editor.
const QPixmap& BookmarkImage(int index) {
    static std::array<QPixmap, TextBuffer::kBookmarks> images;
    QPixmap& image = images[static_cast<std::size_t>(index)];
    if (!image.isNull())
        return image;
    image = QPixmap(12, 14);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(0x00, 0x40, 0x40));
    painter.setBrush(QColor(0x00, 0x80, 0x80));
    painter.drawRect(0, 0, 11, 13);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 12, 14), Qt::AlignCenter, QString::number(index));
    return image;
}

// A line's characters with tabs expanded, and the element of every cell.
struct DisplayLine {
    QString cells;
    std::vector<std::uint8_t> elements;
};

DisplayLine Expand(const std::string& text, const std::vector<std::uint8_t>& elements,
                   int tabSize) {
    DisplayLine line;
    const QString unicode = ToQString(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int cells = text[i] == '\t' ? tabSize - line.cells.size() % tabSize : 1;
        for (int cell = 0; cell < cells; ++cell) {
            line.cells += text[i] == '\t' ? QChar(' ') : unicode[static_cast<qsizetype>(i)];
            line.elements.push_back(elements[i]);
        }
    }
    return line;
}

} // namespace

QColor ColourOf(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

TSmartEditor::TSmartEditor(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAcceptDrops(true);
    core_.clipboard = this;
    core_.prompts = this;
    MeasureFont();
    ApplyScrollBarPolicy();
    UpdateScrollBars();
}

void TSmartEditor::ApplySettings(const TSmartEditorSettings& settings) {
    core_.ApplySettings(settings);
    MeasureFont();
    ApplyScrollBarPolicy();
    Refresh();
}

int TSmartEditor::GutterWidth() const {
    return (core_.options & eo::kGutterVisible) != 0 ? core_.gutterWidth : 0;
}

const QFont& TSmartEditor::FontOf(std::uint8_t style) {
    std::optional<QFont>& font = fonts_[style & 0x0F];
    if (!font) {
        font = QFont(family_, core_.fontSize);
        font->setStyleHint(QFont::TypeWriter);
        font->setFixedPitch(true);
        font->setWeight((style & style::kBold) != 0 ? QFont::Bold : QFont::Normal);
        font->setItalic((style & style::kItalic) != 0);
        font->setUnderline((style & style::kUnderline) != 0);
        font->setStrikeOut((style & style::kStrikeOut) != 0);
    }
    return *font;
}

void TSmartEditor::MeasureFont() {
    fonts_ = {};
    // The cells need a fixed-pitch font: a name the system lacks, or a proportional one, gives
    // way to the system's fixed font.
    family_ = ToQString(core_.fontName);
    if (!QFontInfo(QFont(family_, core_.fontSize)).fixedPitch())
        family_ = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    const QFontMetrics metrics(FontOf(0));
    lineHeight_ = std::max(1, metrics.height());
    charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('M')));
    ascent_ = metrics.ascent();
    setFont(FontOf(0));
}

void TSmartEditor::ApplyScrollBarPolicy() {
    const Qt::ScrollBarPolicy policy = (core_.options & eo::kActiveScrollBars) != 0
                                           ? Qt::ScrollBarAsNeeded
                                           : Qt::ScrollBarAlwaysOff;
    setVerticalScrollBarPolicy(policy);
    setHorizontalScrollBarPolicy(policy);
}

void TSmartEditor::UpdateScrollBars() {
    core_.visibleLines = std::max(1, viewport()->height() / lineHeight_);
    verticalScrollBar()->setRange(0, static_cast<int>(core_.Text().LineCount()));
    verticalScrollBar()->setPageStep(core_.visibleLines);
    horizontalScrollBar()->setRange(0, 1024);
    horizontalScrollBar()->setPageStep(
        std::max(1, (viewport()->width() - GutterWidth()) / charWidth_));
}

void TSmartEditor::KeepCaretVisible() {
    const std::int32_t line = core_.CaretLine();
    if (line < core_.topLine)
        core_.topLine = line;
    else if (line >= core_.topLine + core_.visibleLines)
        core_.topLine = line - core_.visibleLines + 1;
    const int columns = std::max(1, (viewport()->width() - GutterWidth()) / charWidth_ - 1);
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

std::int64_t TSmartEditor::LineAtY(int y) const {
    const int row = y >= 0 ? y / lineHeight_ : (y - lineHeight_ + 1) / lineHeight_;
    return static_cast<std::int64_t>(core_.topLine) + row;
}

void TSmartEditor::PaintLine(QPainter& painter, std::size_t line, int y) {
    TextBuffer& text = core_.Text();
    const std::size_t start = text.LineStart(line);
    const DisplayLine cells = Expand(text.Text(start, text.LineEnd(line) - start),
                                     core_.LineElements(line), core_.tabSize);
    const int gutter = GutterWidth();
    const int width = viewport()->width();
    const auto count = static_cast<int>(cells.elements.size());
    // A line with an element of its own (the error line) has it across the whole row.
    if (const int override = core_.Syntax().LineElementOverride(line);
        override > 0 && override < static_cast<int>(core_.elementMap.size()))
        painter.fillRect(gutter, y, width - gutter, lineHeight_,
                         ColourOf(core_.elementMap[static_cast<std::size_t>(override)].Background));
    // Runs of cells in one element: their background, then their characters in its style.
    int cell = std::max(0, leftColumn_);
    while (cell < count) {
        const std::uint8_t element = cells.elements[static_cast<std::size_t>(cell)];
        int end = cell + 1;
        while (end < count && cells.elements[static_cast<std::size_t>(end)] == element)
            ++end;
        const int x = gutter + (cell - leftColumn_) * charWidth_;
        if (x > width)
            return;
        const TLexElementMap& map =
            core_.elementMap.at(element < core_.elementMap.size() ? element : 0);
        painter.fillRect(x, y, (end - cell) * charWidth_, lineHeight_, ColourOf(map.Background));
        painter.setFont(FontOf(map.Style));
        painter.setPen(ColourOf(map.Foreground));
        // Each character in its own cell: a font's advance is seldom a whole pixel.
        for (int at = cell; at < end; ++at) {
            const QChar c = cells.cells[at];
            if (c != QChar(' '))
                painter.drawText(gutter + (at - leftColumn_) * charWidth_, y + ascent_, QString(c));
        }
        cell = end;
    }
}

void TSmartEditor::PaintGutter(QPainter& painter) {
    const int gutter = GutterWidth();
    const int height = viewport()->height();
    const TLexElementMap& map = core_.elementMap.at(element::kGutter);
    painter.fillRect(0, 0, gutter, height, ColourOf(map.Background));
    painter.setPen(Qt::white);
    painter.drawLine(gutter - 2, 0, gutter - 2, height);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(gutter - 1, 0, gutter - 1, height);
    TextBuffer& text = core_.Text();
    const int rows = height / lineHeight_ + 1;
    if (core_.lineNumbers != ShowLineNumbers::Hidden) {
        // "Small Fonts" is not a font here: the system's general font at 7 points stands in.
        QFont font = FontOf(0);
        if (core_.lineNumbers == ShowLineNumbers::SmallFont) {
            font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
            font.setPointSize(7);
        }
        painter.setFont(font);
        painter.setPen(ColourOf(map.Foreground));
        for (int row = 0; row < rows; ++row) {
            const std::size_t line = static_cast<std::size_t>(core_.topLine + row);
            if (line > text.LineCount())
                break;
            const QRect box(0, row * lineHeight_, gutter - 4, lineHeight_);
            painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1));
        }
    }
    // The lowest-numbered bookmark of each line.
    for (int mark = TextBuffer::kBookmarks - 1; mark >= 0; --mark) {
        const std::int32_t offset = core_.BookmarkOffset(mark);
        if (offset < 0)
            continue;
        const int row =
            static_cast<int>(text.LineOf(static_cast<std::size_t>(offset))) - core_.topLine;
        if (row < 0 || row >= rows)
            continue;
        painter.drawPixmap(4, row * lineHeight_ + (lineHeight_ - 14) / 2, BookmarkImage(mark));
    }
}

void TSmartEditor::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    // The blanks behind the text, then the lines over them.
    const int blanks = core_.HighlightActive() ? element::kBlanks : element::kPlainText;
    painter.fillRect(area, ColourOf(core_.elementMap.at(blanks).Background));
    TextBuffer& text = core_.Text();
    for (int row = 0; row * lineHeight_ < area.height(); ++row) {
        const std::size_t line = static_cast<std::size_t>(core_.topLine + row);
        if (line > text.LineCount())
            break;
        PaintLine(painter, line, row * lineHeight_);
    }
    const int gutter = GutterWidth();
    if ((core_.options & eo::kRightMarginVisible) != 0) {
        const int margin = gutter + (core_.rightMargin - leftColumn_) * charWidth_;
        painter.setPen(ColourOf(core_.elementMap.at(element::kRightMargin).Foreground));
        painter.drawLine(margin, 0, margin, area.height());
    }
    if (gutter > 0)
        PaintGutter(painter);
    const std::int32_t caretLine = core_.CaretLine();
    if (hasFocus() && caretLine >= core_.topLine) {
        const std::int32_t caretColumn = core_.CaretColumn() + core_.VirtualBlanks();
        const int x = gutter + (caretColumn - leftColumn_) * charWidth_;
        const int y = (caretLine - core_.topLine) * lineHeight_;
        const bool insert = (core_.options & eo::kInsertMode) != 0;
        if (x >= gutter) {
            painter.fillRect(x, insert ? y : y + lineHeight_ - 3, insert ? 2 : charWidth_,
                             insert ? lineHeight_ : 3, ColourOf(core_.elementMap[0].Foreground));
        }
    }
}

bool TSmartEditor::event(QEvent* event) {
    // The main window's shortcuts win over the classic map, except while a prefix or an
    // incremental search waits for its next key.
    if (event->type() == QEvent::ShortcutOverride &&
        (core_.PrefixState() != 0 || core_.InIncrementalSearch())) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TSmartEditor::keyPressEvent(QKeyEvent* event) {
    if (displayOnly_) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const KeyStroke stroke = StrokeOf(*event);
    // A command that fails (the text full) has taken its changes back; the user is told why.
    bool taken = true;
    Guarded([&] { taken = core_.KeyDown(stroke); });
    if (!taken) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    Refresh();
}

void TSmartEditor::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    if (displayOnly_)
        return;
    // Czech dead keys compose here: háček and čárka with a letter arrive as one text, typed as
    // its keys would be (also into an incremental search). The first that fails stops the rest.
    Guarded([&] {
        for (const char c : FromQString(event->commitString()))
            core_.KeyDown({KeyStroke::Key::Char, c});
    });
    Refresh();
}

std::size_t TSmartEditor::OffsetAt(const QPoint& point) {
    const std::int64_t line = std::max<std::int64_t>(0, LineAtY(point.y()));
    const int column =
        leftColumn_ + std::max(0, point.x() - GutterWidth() + charWidth_ / 2) / charWidth_;
    return core_.OffsetAt(column,
                          static_cast<std::int32_t>(std::min<std::int64_t>(line, INT32_MAX)));
}

int TSmartEditor::ElementAt(const QPoint& point) {
    if (point.x() < GutterWidth())
        return element::kGutter;
    const std::int64_t line = LineAtY(point.y());
    const int column = leftColumn_ + (point.x() - GutterWidth()) / charWidth_;
    return core_.ElementAt(
        column, static_cast<std::int32_t>(std::clamp<std::int64_t>(line, -1, INT32_MAX)));
}

void TSmartEditor::mousePressEvent(QMouseEvent* event) {
    if (displayOnly_ || event->button() != Qt::LeftButton)
        return;
    core_.EndKeyState();
    const QPoint point = event->position().toPoint();
    Guarded([&] {
        if (point.x() < GutterWidth()) {
            const std::int64_t line = LineAtY(point.y());
            if (line >= 0 && static_cast<std::size_t>(line) <= core_.Text().LineCount())
                core_.Syntax().GutterClick(static_cast<std::size_t>(line),
                                           (event->modifiers() & Qt::ShiftModifier) != 0);
            return;
        }
        const std::size_t at = OffsetAt(point);
        core_.SetCaretOffset(at);
        anchor_ = at;
        core_.SelectRange(at, at);
        dragging_ = true;
    });
    Refresh();
}

void TSmartEditor::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || (event->buttons() & Qt::LeftButton) == 0)
        return;
    // Beyond the view's edge the caret leaves it, and the view follows.
    const std::size_t at = OffsetAt(event->position().toPoint());
    if (!Guarded([&] {
            core_.SetCaretOffset(at);
            core_.SelectRange(std::min(anchor_, at), std::max(anchor_, at));
        }))
        dragging_ = false;
    Refresh();
}

void TSmartEditor::mouseReleaseEvent(QMouseEvent* /*event*/) {
    dragging_ = false;
}

void TSmartEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (displayOnly_ || event->button() != Qt::LeftButton || event->position().x() < GutterWidth())
        return;
    // The word or line under the pointer, also when no press came first.
    const std::size_t at = OffsetAt(event->position().toPoint());
    Guarded([&] {
        core_.SetCaretOffset(at);
        core_.RunCommand((core_.options & eo::kDoubleClickLine) != 0 ? 29 : 28);
    });
    dragging_ = false;
    Refresh();
}

bool TSmartEditor::TakesDrop(const QMimeData* data) const {
    return !displayOnly_ && !core_.readOnly && data != nullptr && data->hasText();
}

void TSmartEditor::dragEnterEvent(QDragEnterEvent* event) {
    event->setAccepted(TakesDrop(event->mimeData()));
}

void TSmartEditor::dragMoveEvent(QDragMoveEvent* event) {
    event->setAccepted(TakesDrop(event->mimeData()));
}

void TSmartEditor::dropEvent(QDropEvent* event) {
    if (!TakesDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    const std::string text = WithCrLfBreaks(FromQString(event->mimeData()->text()));
    const std::size_t at = OffsetAt(event->position().toPoint());
    // Always a copy: a drop that does not fit must not take the text from where it came.
    const bool dropped = Guarded([&] {
        core_.SetCaretOffset(at);
        core_.InsertText(text);
    });
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(dropped);
    setFocus();
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

void TSmartEditor::Error(const std::string& text) {
    MsgBox("Chyba", text, mb::kIconError);
}

void TSmartEditor::Information(const std::string& text) {
    MsgBox("Informace", text, mb::kIconInformation);
}

QPoint TSmartEditor::PointOf(std::size_t offset) {
    TextBuffer& text = core_.Text();
    const std::size_t line = text.LineOf(offset);
    return {GutterWidth() + (core_.ColumnOf(offset) - leftColumn_) * charWidth_,
            (static_cast<int>(line) - core_.topLine) * lineHeight_};
}

ReplaceAnswer TSmartEditor::ConfirmReplace(const std::string& findText) {
    Refresh();
    viewport()->repaint();
    const std::int32_t hit = core_.Text().foundBegin;
    const QPoint at = viewport()->mapToGlobal(
        PointOf(hit >= 0 ? static_cast<std::size_t>(hit) : core_.CaretOffset()));
    TReplaceConfirmDlg dialog(findText, this);
    const QScreen* shown = screen();
    dialog.move(TReplaceConfirmDlg::PlaceNear(at, lineHeight_,
                                              shown ? shown->availableGeometry() : QRect()));
    dialog.exec();
    return dialog.Answer();
}

} // namespace panolcd
