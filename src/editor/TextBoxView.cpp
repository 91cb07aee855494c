#include "editor/TextBoxView.h"

#include "editor/AccessibleTextAnnouncer.h"
#include "editor/FrameKeyRouter.h"
#include "editor/MiddleClickPaste.h"
#include "editor/StandInMarkerPainter.h"
#include "editor/TextBoxAccessible.h"
#include "editor/TextDragAndDrop.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr int Margin = 3;

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c.isMark(); }

} // namespace

TextBoxView::TextBoxView(TextDocument *document, QWidget *parent)
    : QAbstractScrollArea(parent), m_document(document), m_layouts(*document), m_dragAndDrop(new TextDragAndDrop(this))
{
    setObjectName(ObjectName);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextBoxAccessible::installFactory();
    new FrameKeyRouter(this);
    new MiddleClickPaste(this);
    m_lineCount = document->lines().lineCount();
    applyFont();
    onSelectionChanged(TextDocument::Origin::Program);
    connect(document, &TextDocument::textReplaced, this, &TextBoxView::onTextReplaced);
    connect(document, &TextDocument::selectionChanged, this, &TextBoxView::onSelectionChanged);
    connect(document, &TextDocument::fontChanged, this, &TextBoxView::applyFont);
    // After the view's own connections, so that a reader asking back sees the new lines.
    new AccessibleTextAnnouncer(this, document);
}

TextBoxView::~TextBoxView() = default;

qreal TextBoxView::leftX() const { return Margin - horizontalScrollBar()->value(); }

qsizetype TextBoxView::firstVisibleLine() const { return verticalScrollBar()->value(); }

qsizetype TextBoxView::visibleLines() const { return std::max(1, viewport()->height() / m_layouts.lineHeight()); }

// ---- the document's changes ----

void TextBoxView::onTextReplaced(qsizetype position, qsizetype removed, const QString &added, TextDocument::Origin)
{
    if (!m_document)
        return;
    const LineIndex &lines = m_document->lines();
    const qsizetype count = lines.lineCount();
    const bool whole = position == 0 && added.size() == m_document->length();
    if (whole)
        m_layouts.clear();
    else
        m_layouts.textReplaced(position, removed, added.size());
    // Only the changed lines are painted again, unless lines came or went.
    const qsizetype firstChanged = lines.lineOf(position);
    const qsizetype lastChanged = whole || count != m_lineCount ? lines.lineCount()
                                                                : lines.lineOf(position + added.size());
    m_lineCount = count;
    const qsizetype length = m_document->length();
    m_anchor = std::min(m_anchor, length);
    m_caret = std::min(m_caret, length);
    updateScrollBars();
    const qsizetype top = std::max<qsizetype>(0, firstChanged - firstVisibleLine());
    const qsizetype bottom = std::min<qsizetype>(visibleLines() + 1, lastChanged - firstVisibleLine() + 1);
    if (whole || bottom < 0)
        viewport()->update();
    else if (top <= bottom)
        viewport()->update(0, int(top) * m_layouts.lineHeight(), viewport()->width(),
                           int(bottom - top + 1) * m_layouts.lineHeight());
}

void TextBoxView::onSelectionChanged(TextDocument::Origin origin)
{
    if (!m_document || origin == TextDocument::Origin::View)
        return;
    m_anchor = m_document->selStart();
    m_caret = m_document->selStart() + m_document->selLength();
    m_desiredX = -1;
    ensureCaretVisible();
    restartBlink();
    viewport()->update();
    notifyAccessibleCaret();
}

void TextBoxView::notifyAccessibleCaret()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTextCursorEvent cursor(this, int(m_caret));
    QAccessible::updateAccessibility(&cursor);
    QAccessibleTextSelectionEvent selection(this, int(std::min(m_anchor, m_caret)), int(std::max(m_anchor, m_caret)));
    QAccessible::updateAccessibility(&selection);
}

void TextBoxView::applyFont()
{
    if (!m_document)
        return;
    m_decoration.apply(m_document->font(), font());
    m_layouts.setFont(m_decoration.font());
    updateScrollBars();
    // The caret's x is another after a change of font: it stays in view.
    ensureCaretVisible();
    viewport()->update();
}

void TextBoxView::updateScrollBars()
{
    if (!m_document)
        return;
    const qsizetype visible = visibleLines();
    verticalScrollBar()->setRange(0, int(std::clamp<qsizetype>(m_lineCount - visible, 0, INT_MAX)));
    verticalScrollBar()->setPageStep(int(visible));
    verticalScrollBar()->setSingleStep(1);
    // As wide as the widest line there is: the lines on screen are measured, the others
    // estimated from their length.
    qreal widest = qreal(m_document->lines().longestLine()) * m_layouts.averageCharWidth();
    const qsizetype first = firstVisibleLine();
    for (qsizetype line = first; line < std::min(m_lineCount, first + visible + 1); ++line)
        widest = std::max(widest, m_layouts.widthOf(line));
    const qreal content = widest + 2 * Margin + m_layouts.averageCharWidth();
    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, int(std::clamp<qreal>(content - width, 0, INT_MAX / 2)));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setSingleStep(int(std::ceil(m_layouts.averageCharWidth() * 2)));
}

// ---- positions ----

qsizetype TextBoxView::positionAt(QPoint point)
{
    const LineIndex &lines = m_document->lines();
    const qsizetype line = std::clamp<qsizetype>(
        firstVisibleLine() + std::floor(qreal(point.y()) / m_layouts.lineHeight()), 0, lines.lineCount() - 1);
    return lines.lineStart(line) + m_layouts.columnAt(line, point.x() - leftX());
}

QRect TextBoxView::caretRect(qsizetype position)
{
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(position);
    const qsizetype column = std::min(position - lines.lineStart(line), lines.lineLength(line));
    const qreal x = leftX() + m_layouts.xOf(line, column);
    const qsizetype y = (line - firstVisibleLine()) * m_layouts.lineHeight();
    return QRect(int(std::floor(x)), int(std::clamp<qsizetype>(y, -1000000, 1000000)), 1, m_layouts.lineHeight());
}

qsizetype TextBoxView::previousPosition(qsizetype p) const
{
    const QString &t = m_document->text();
    if (p <= 0)
        return 0;
    if (p >= 2 &&
        ((t[p - 1] == u'\n' && t[p - 2] == u'\r') || (t[p - 1].isLowSurrogate() && t[p - 2].isHighSurrogate())))
        return p - 2;
    return p - 1;
}

qsizetype TextBoxView::nextPosition(qsizetype p) const
{
    const QString &t = m_document->text();
    if (p >= t.size())
        return t.size();
    if (p + 1 < t.size() &&
        ((t[p] == u'\r' && t[p + 1] == u'\n') || (t[p].isHighSurrogate() && t[p + 1].isLowSurrogate())))
        return p + 2;
    return p + 1;
}

qsizetype TextBoxView::wordStart(qsizetype p) const
{
    const QString &t = m_document->text();
    const qsizetype lineStart = m_document->lines().lineStart(m_document->lines().lineOf(p));
    if (p <= lineStart)
        return previousPosition(p);
    while (p > lineStart && t[p - 1].isSpace() && !LineIndex::isLineEnd(t[p - 1].unicode()))
        --p;
    if (p > lineStart) {
        const bool word = isWordChar(t[p - 1]);
        while (p > lineStart && isWordChar(t[p - 1]) == word && !t[p - 1].isSpace())
            --p;
    }
    return p;
}

qsizetype TextBoxView::wordEnd(qsizetype p) const
{
    const QString &t = m_document->text();
    const LineIndex &lines = m_document->lines();
    const qsizetype lineEnd = lines.lineEnd(lines.lineOf(p));
    if (p >= lineEnd)
        return nextPosition(p);
    const bool word = isWordChar(t[p]);
    while (p < lineEnd && isWordChar(t[p]) == word && !t[p].isSpace())
        ++p;
    while (p < lineEnd && t[p].isSpace())
        ++p;
    return p;
}

// ---- edits and caret ----

void TextBoxView::typed(qsizetype position, qsizetype removed, const QString &text)
{
    if (!m_document || (removed == 0 && text.isEmpty()))
        return;
    m_document->applyViewEdit(position, removed, text);
    m_anchor = m_caret = m_document->selStart();
    m_desiredX = -1;
    ensureCaretVisible();
    restartBlink();
    notifyAccessibleCaret();
}

void TextBoxView::moveCaret(qsizetype position, bool extend, bool keepColumn)
{
    position = std::clamp<qsizetype>(position, 0, m_document->length());
    m_caret = position;
    if (!extend)
        m_anchor = position;
    if (!keepColumn)
        m_desiredX = -1;
    m_document->setSelectionFromView(m_anchor, m_caret);
    ensureCaretVisible();
    restartBlink();
    viewport()->update();
    notifyAccessibleCaret();
}

void TextBoxView::moveLines(qsizetype delta, bool extend)
{
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(m_caret);
    if (m_desiredX < 0)
        m_desiredX = m_layouts.xOf(line, std::min(m_caret - lines.lineStart(line), lines.lineLength(line)));
    const qsizetype target = std::clamp<qsizetype>(line + delta, 0, lines.lineCount() - 1);
    if (delta < 0 && line == 0) {
        moveCaret(0, extend);
        return;
    }
    if (delta > 0 && line == lines.lineCount() - 1) {
        moveCaret(m_document->length(), extend);
        return;
    }
    moveCaret(lines.lineStart(target) + m_layouts.columnAt(target, m_desiredX), extend, true);
}

void TextBoxView::ensureCaretVisible()
{
    if (!m_document)
        return;
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(m_caret);
    const qsizetype first = firstVisibleLine();
    const qsizetype visible = visibleLines();
    if (line < first)
        verticalScrollBar()->setValue(int(line));
    else if (line >= first + visible)
        verticalScrollBar()->setValue(int(line - visible + 1));
    const qreal x = m_layouts.xOf(line, std::min(m_caret - lines.lineStart(line), lines.lineLength(line)));
    updateScrollBars(); // the line just measured may be the widest yet
    QScrollBar *h = horizontalScrollBar();
    const int width = viewport()->width() - 2 * Margin;
    if (x < h->value())
        h->setValue(int(std::max<qreal>(0, x - width / 3)));
    else if (x > h->value() + width - 2)
        h->setValue(int(x - width * 2 / 3));
}

void TextBoxView::restartBlink()
{
    m_caretShown = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

// ---- keys ----

bool TextBoxView::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(e);
        // The window's menu keys were claimed by the FrameKeyRouter before this. Printable
        // keys and editing keys are ours, whatever other shortcuts exist.
        // (Alt+letter stays with the menu bar's mnemonics.)
        const Qt::KeyboardModifiers typing = Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier;
        if (!key->text().isEmpty() && (key->modifiers() & ~typing) == Qt::NoModifier) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TextBoxView::keyPressEvent(QKeyEvent *e)
{
    if (!m_document)
        return;
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const qsizetype selStart = std::min(m_anchor, m_caret);
    const qsizetype selLength = std::abs(m_caret - m_anchor);
    const LineIndex &lines = m_document->lines();
    switch (e->key()) {
    case Qt::Key_Left: moveCaret(ctrl ? wordStart(m_caret) : previousPosition(m_caret), shift); return;
    case Qt::Key_Right: moveCaret(ctrl ? wordEnd(m_caret) : nextPosition(m_caret), shift); return;
    case Qt::Key_Up: moveLines(-1, shift); return;
    case Qt::Key_Down: moveLines(1, shift); return;
    case Qt::Key_PageUp:
        verticalScrollBar()->setValue(verticalScrollBar()->value() - int(visibleLines()));
        moveLines(-visibleLines(), shift);
        return;
    case Qt::Key_PageDown:
        verticalScrollBar()->setValue(verticalScrollBar()->value() + int(visibleLines()));
        moveLines(visibleLines(), shift);
        return;
    case Qt::Key_Home: moveCaret(ctrl ? 0 : lines.lineStart(lines.lineOf(m_caret)), shift); return;
    case Qt::Key_End: moveCaret(ctrl ? m_document->length() : lines.lineEnd(lines.lineOf(m_caret)), shift); return;
    case Qt::Key_Backspace:
        if (ctrl)
            break; // deleting whole words is not one of this text box's keys
        if (selLength > 0)
            typed(selStart, selLength, QString());
        else if (m_caret > 0)
            typed(previousPosition(m_caret), m_caret - previousPosition(m_caret), QString());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!ctrl) {
            typed(selStart, selLength, QStringLiteral("\r\n"));
            return;
        }
        break;
    case Qt::Key_Tab:
        if (!ctrl) {
            typed(selStart, selLength, QStringLiteral("\t"));
            return;
        }
        break;
    default: break;
    }
    const QString text = e->text();
    if (!text.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        text.front().category() != QChar::Other_Control) {
        typed(selStart, selLength, text);
        return;
    }
    // Everything else (the component's own bindings of other editors: redo, delete
    // word, ...) is not a command of this text box.
    e->ignore();
}

void TextBoxView::inputMethodEvent(QInputMethodEvent *e)
{
    if (!m_document)
        return;
    const QString commit = e->commitString();
    if (!commit.isEmpty() || e->replacementLength() > 0) {
        qsizetype start = std::min(m_anchor, m_caret);
        qsizetype removed = std::abs(m_caret - m_anchor);
        if (removed == 0 && e->replacementLength() > 0) {
            start = std::clamp<qsizetype>(m_caret + e->replacementStart(), 0, m_document->length());
            removed = std::clamp<qsizetype>(e->replacementLength(), 0, m_document->length() - start);
        }
        typed(start, removed, commit);
    }
    if (m_preedit != e->preeditString()) {
        m_preedit = e->preeditString();
        viewport()->update();
    }
    e->accept();
}

QVariant TextBoxView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_document)
        return QAbstractScrollArea::inputMethodQuery(query);
    auto *self = const_cast<TextBoxView *>(this);
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(m_caret);
    const qsizetype lineStart = lines.lineStart(line);
    // The input method sees the caret's line, cut to a window around the caret on long lines.
    const qsizetype from = std::max(lineStart, m_caret - 512);
    const qsizetype to = std::min(lines.lineEnd(line), m_caret + 512);
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImHints: return int(Qt::ImhMultiLine);
    case Qt::ImFont: return m_layouts.font();
    case Qt::ImCursorRectangle: {
        const QRect r = self->caretRect(m_caret);
        return QRect(viewport()->mapTo(self, r.topLeft()), r.size());
    }
    case Qt::ImCursorPosition: return int(std::clamp(m_caret, from, to) - from);
    case Qt::ImAnchorPosition: return int(std::clamp(m_anchor, from, to) - from);
    case Qt::ImAbsolutePosition: return qlonglong(m_caret);
    case Qt::ImSurroundingText: return m_document->text().mid(from, to - from);
    case Qt::ImCurrentSelection: {
        const qsizetype s = std::min(m_anchor, m_caret);
        return m_document->text().mid(s, std::min<qsizetype>(std::abs(m_caret - m_anchor), 4096));
    }
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- painting ----

void TextBoxView::paintEvent(QPaintEvent *e)
{
    if (!m_document)
        return;
    QPainter painter(viewport());
    const QPalette pal = palette();
    // Only what was exposed is drawn: a blink of the caret paints the caret's rectangle.
    const QRect exposed = e->rect();
    painter.fillRect(exposed, pal.base());
    const LineIndex &lines = m_document->lines();
    const int lineHeight = m_layouts.lineHeight();
    const qreal left = leftX();
    const qreal x0 = exposed.left() - left;
    const qreal x1 = exposed.right() + 1 - left;
    const qsizetype top = firstVisibleLine();
    const qsizetype first = top + std::max(0, exposed.top()) / lineHeight;
    const qsizetype last = std::min(lines.lineCount() - 1, top + std::max(0, exposed.bottom()) / lineHeight);
    const qsizetype selStart = std::min(m_anchor, m_caret);
    const qsizetype selEnd = std::max(m_anchor, m_caret);

    QTextCharFormat selected;
    selected.setBackground(pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight));
    selected.setForeground(pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText));
    const QColor textColor = m_decoration.textColor();
    const StandInMarkerPainter markers(painter, pal, textColor, m_layouts.markerFont(), lineHeight, exposed.left(),
                                       exposed.right() + 1);

    for (qsizetype line = first; line <= last; ++line) {
        const qreal y = qreal(line - top) * lineHeight;
        const qsizetype lineStart = lines.lineStart(line);
        const qsizetype lineEnd = lines.lineEnd(line);
        for (const auto &[piece, pieceX] : m_layouts.piecesIn(line, x0, x1)) {
            const QPointF at(left + pieceX, y);
            const qsizetype from = lineStart + piece->start;
            const qsizetype to = from + piece->length;
            QList<QTextLayout::FormatRange> selections;
            if (selStart < to && selEnd > from) {
                QTextLayout::FormatRange range;
                range.start = int(std::max(selStart, from) - from);
                range.length = int(std::min(selEnd, to) - from) - range.start;
                range.start += piece->lead;
                range.format = selected;
                selections << range;
            }
            painter.setPen(textColor);
            piece->layout.draw(&painter, at, selections);
            markers.paint(*piece, at, selStart - from, selEnd - from);
        }
        // A selected line end shows as a selected blank at the line's logical end: on its
        // left when it reads from right to left.
        if (selStart <= lineEnd && selEnd > lineEnd && line + 1 < lines.lineCount()) {
            const qreal x = left + m_layouts.xOf(line, lineEnd - lineStart);
            const qreal w = m_layouts.averageCharWidth();
            painter.fillRect(QRectF(m_layouts.isRightToLeft(line) ? x - w : x, y, w, lineHeight),
                             selected.background());
        }
    }

    if (!m_preedit.isEmpty()) {
        const QRect caret = caretRect(m_caret);
        painter.setFont(m_layouts.font());
        const QRectF box(caret.left(), caret.top(), QFontMetricsF(m_layouts.font()).horizontalAdvance(m_preedit) + 2,
                         lineHeight);
        painter.fillRect(box, pal.base());
        painter.setPen(textColor);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_preedit);
        painter.drawLine(box.bottomLeft() - QPointF(0, 1), box.bottomRight() - QPointF(0, 1));
    } else if (hasFocus() && m_caretShown) {
        const QRect caret = caretRect(m_caret);
        if (caret.bottom() >= 0 && caret.top() < viewport()->height())
            painter.fillRect(QRect(caret.left(), caret.top(), 2, caret.height()), textColor);
    }
    if (const qsizetype drop = m_dragAndDrop->dropPosition(); drop >= 0) {
        const QRect caret = caretRect(drop);
        painter.fillRect(QRect(caret.left(), caret.top(), 2, caret.height()), pal.highlight());
    }
}

void TextBoxView::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void TextBoxView::scrollContentsBy(int, int dy)
{
    if (dy != 0)
        updateScrollBars(); // other lines are on screen: the widest may be another
    viewport()->update();
}

void TextBoxView::timerEvent(QTimerEvent *e)
{
    if (e->timerId() == m_blink.timerId()) {
        m_caretShown = !m_caretShown;
        viewport()->update(caretRect(m_caret).adjusted(-1, 0, 2, 0));
    } else if (e->timerId() == m_autoScroll.timerId()) {
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        if (p.y() < 0)
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else if (p.y() > viewport()->height())
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        if (p.x() < 0)
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else if (p.x() > viewport()->width())
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        moveCaret(positionAt(p), true);
    } else {
        QAbstractScrollArea::timerEvent(e);
    }
}

void TextBoxView::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    restartBlink();
    viewport()->update();
}

void TextBoxView::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    m_blink.stop();
    viewport()->update();
}

// ---- mouse ----

void TextBoxView::mousePressEvent(QMouseEvent *e)
{
    if (!m_document)
        return;
    const qsizetype position = positionAt(e->position().toPoint());
    const qsizetype selStart = std::min(m_anchor, m_caret);
    const qsizetype selEnd = std::max(m_anchor, m_caret);
    if (e->button() == Qt::LeftButton) {
        if (e->modifiers() & Qt::ShiftModifier) {
            moveCaret(position, true);
            m_selecting = true;
        } else if (selStart < selEnd && position >= selStart && position < selEnd) {
            m_pressedOnSelection = true; // a drag may start from here
            m_pressPoint = e->position().toPoint();
        } else {
            moveCaret(position, false);
            m_selecting = true;
        }
    }
}

void TextBoxView::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_document)
        return;
    const QPoint p = e->position().toPoint();
    if (m_pressedOnSelection) {
        if ((p - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_pressedOnSelection = false;
            m_dragAndDrop->startDrag(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret));
        }
        return;
    }
    if (m_selecting && (e->buttons() & Qt::LeftButton)) {
        if (viewport()->rect().contains(p))
            m_autoScroll.stop();
        else if (!m_autoScroll.isActive())
            m_autoScroll.start(50, this);
        moveCaret(positionAt(p), true);
    }
}

void TextBoxView::mouseReleaseEvent(QMouseEvent *e)
{
    if (!m_document)
        return;
    if (m_pressedOnSelection && e->button() == Qt::LeftButton)
        moveCaret(positionAt(e->position().toPoint()), false);
    m_pressedOnSelection = false;
    m_selecting = false;
    m_autoScroll.stop();
    // As on every X11 desktop, a selection made with the mouse can be pasted elsewhere by
    // a middle click.
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && m_anchor != m_caret)
        clipboard->setText(m_document->selText(), QClipboard::Selection);
}

void TextBoxView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!m_document || e->button() != Qt::LeftButton)
        return;
    const qsizetype position = positionAt(e->position().toPoint());
    const QString &t = m_document->text();
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(position);
    const qsizetype lineStart = lines.lineStart(line);
    const qsizetype lineEnd = lines.lineEnd(line);
    if (position >= lineEnd)
        return;
    const bool word = isWordChar(t[position]);
    qsizetype start = position;
    qsizetype end = position;
    while (start > lineStart && isWordChar(t[start - 1]) == word && t[start - 1].isSpace() == t[position].isSpace())
        --start;
    while (end < lineEnd && isWordChar(t[end]) == word && t[end].isSpace() == t[position].isSpace())
        ++end;
    moveCaret(start, false);
    moveCaret(end, true);
}

QString TextBoxView::primarySelectionText() const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
}

} // namespace korvane
