#include "editor/textbox/TextBoxView.h"

#include "editor/textbox/AccessibleTextAnnouncer.h"
#include "editor/textbox/CaretMotion.h"
#include "editor/textbox/PiecePainter.h"
#include "platform/ClipboardService.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
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
    : QAbstractScrollArea(parent), m_document(document), m_layouts(*document)
{
    setObjectName(ObjectName);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lineCount = document->lines().lineCount();
    m_layouts.setFont(font());
    updateScrollBars();
    onSelectionChanged(TextDocument::Origin::Program);
    connect(document, &TextDocument::textReplaced, this, &TextBoxView::onTextReplaced);
    connect(document, &TextDocument::selectionChanged, this, &TextBoxView::onSelectionChanged);
    // After the view's own connections, so that a reader asking back sees the new lines.
    new AccessibleTextAnnouncer(this, document);
}

TextBoxView::~TextBoxView() = default;

qreal TextBoxView::leftX() const { return Margin - horizontalScrollBar()->value(); }

qsizetype TextBoxView::firstVisibleLine() const { return verticalScrollBar()->value(); }

qsizetype TextBoxView::visibleLines() const { return std::max(1, viewport()->height() / m_layouts.lineHeight()); }

// ---- the document's changes ----

void TextBoxView::onTextReplaced(qsizetype position, qsizetype removed, const QString &added,
                                 TextDocument::Origin origin)
{
    if (!m_document)
        return;
    if (origin == TextDocument::Origin::Program)
        dropPreedit(); // a command changed the text under it
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
    updateInputMethod();
}

void TextBoxView::onSelectionChanged(TextDocument::Origin origin)
{
    if (!m_document || origin == TextDocument::Origin::View)
        return;
    dropPreedit();
    m_anchor = m_document->selStart();
    m_caret = m_document->selStart() + m_document->selLength();
    m_desiredX = -1;
    ensureCaretVisible();
    restartBlink();
    viewport()->update();
    notifyAccessibleCaret();
    updateInputMethod();
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

void TextBoxView::setTextFont(const QFont &font, const QColor &color)
{
    m_textColor = color;
    m_layouts.setFont(font);
    if (!m_document)
        return;
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
    return snapped(lines.lineStart(line) + m_layouts.columnAt(line, point.x() - leftX()));
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

QRect TextBoxView::shownCaretRect()
{
    QRect r = caretRect(m_caret);
    if (!m_preedit.isEmpty())
        r.moveLeft(int(std::floor(leftX() + m_layouts.preeditX(m_preeditCursor))));
    return r;
}

qsizetype TextBoxView::previousPosition(qsizetype p) const
{
    return CaretMotion(m_document->text(), m_document->lines()).previous(p);
}

qsizetype TextBoxView::nextPosition(qsizetype p) const
{
    return CaretMotion(m_document->text(), m_document->lines()).next(p);
}

qsizetype TextBoxView::snapped(qsizetype p) const
{
    return CaretMotion(m_document->text(), m_document->lines()).snap(p);
}

qsizetype TextBoxView::visualStep(bool toRight) const
{
    // The layout knows where the next character is on screen; at the edge of the line,
    // the caret goes on in reading order to the next line: forwards where the line runs
    // the way of the key, backwards where it runs against it.
    auto &layouts = const_cast<LineLayouts &>(m_layouts);
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(m_caret);
    const qsizetype start = lines.lineStart(line);
    if (m_caret <= lines.lineEnd(line)) {
        if (const qsizetype column = layouts.visualNeighbour(line, m_caret - start, toRight); column >= 0)
            return snapped(start + column);
    }
    const bool forwards = toRight != layouts.isRightToLeft(line);
    return forwards ? nextPosition(m_caret) : previousPosition(m_caret);
}

qsizetype TextBoxView::wordStart(qsizetype p) const
{
    const QString &t = m_document->text();
    const qsizetype lineStart = m_document->lines().lineStart(m_document->lines().lineOf(p));
    if (p <= lineStart)
        return previousPosition(p);
    p = snapped(p);
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
    return snapped(p) < p ? nextPosition(snapped(p)) : p;
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
    updateInputMethod();
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
    updateInputMethod();
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
    moveCaret(snapped(lines.lineStart(target) + m_layouts.columnAt(target, m_desiredX)), extend, true);
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
    const auto show = [h, width](qreal at) {
        if (at < h->value())
            h->setValue(int(std::max<qreal>(0, at - width / 3)));
        else if (at > h->value() + width - 2)
            h->setValue(int(at - width * 2 / 3));
    };
    if (!m_layouts.hasPreedit()) {
        show(x);
        return;
    }
    // While the input method composes, the whole pre-edit is shown where it fits, and
    // the input method's own cursor in it always.
    const qreal end = m_layouts.preeditX(m_preedit.size());
    updateScrollBars();
    if (end > h->value() + width - 2)
        h->setValue(int(std::min(x - Margin, end - width + 2 * Margin)));
    show(m_layouts.preeditX(m_preeditCursor));
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
        // The window's menu keys were claimed before this by the key router attached to the
        // box. Printable keys and editing keys are ours, whatever other shortcuts exist.
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
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool right = e->key() == Qt::Key_Right;
        if (!ctrl) {
            moveCaret(visualStep(right), shift);
            return;
        }
        // Word steps go in reading order, turned round where the line runs right to left.
        const qsizetype line = lines.lineOf(m_caret);
        const bool rtl = m_layouts.isRightToLeft(line);
        moveCaret(right != rtl ? wordEnd(m_caret) : wordStart(m_caret), shift);
        return;
    }
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
        else if (m_caret > 0) {
            const qsizetype from = CaretMotion(m_document->text(), lines).backspaceStart(m_caret);
            typed(from, m_caret - from, QString());
        }
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
    case Qt::Key_Backtab:
        // Kept here, so that it does not travel on to the window and move the focus.
        return;
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
    e->accept();
    const QString commit = e->commitString();
    const QString preedit = e->preeditString();
    const qsizetype selStart = std::min(m_anchor, m_caret);
    const qsizetype selLength = std::abs(m_caret - m_anchor);
    // The old pre-edit goes before the text changes under it.
    m_layouts.clearPreedit();
    m_preedit.clear();
    if (!commit.isEmpty() || e->replacementLength() > 0) {
        qsizetype start = selStart;
        qsizetype removed = selLength;
        if (removed == 0 && e->replacementLength() > 0) {
            start = std::clamp<qsizetype>(m_caret + e->replacementStart(), 0, m_document->length());
            removed = std::clamp<qsizetype>(e->replacementLength(), 0, m_document->length() - start);
        }
        typed(start, removed, commit);
    } else if (!preedit.isEmpty() && selLength > 0) {
        // Composing over a selection replaces it, as typing would: a selection never
        // shows mixed with a pre-edit.
        typed(selStart, selLength, QString());
    }
    if (!preedit.isEmpty()) {
        QList<QTextLayout::FormatRange> formats;
        m_preeditCursor = int(preedit.size());
        m_preeditCursorShown = true;
        for (const QInputMethodEvent::Attribute &a : e->attributes()) {
            if (a.type == QInputMethodEvent::Cursor) {
                m_preeditCursor = std::clamp(a.start, 0, int(preedit.size()));
                m_preeditCursorShown = a.length != 0;
            } else if (a.type == QInputMethodEvent::TextFormat) {
                const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
                if (format.isValid() && a.length > 0)
                    formats.append({a.start, a.length, format});
            }
        }
        m_preedit = preedit;
        const LineIndex &lines = m_document->lines();
        const qsizetype line = lines.lineOf(m_caret);
        m_layouts.setPreedit(line, m_caret - lines.lineStart(line), preedit, formats);
        ensureCaretVisible();
    }
    viewport()->update();
    updateInputMethod();
}

void TextBoxView::commitPreedit()
{
    if (m_preedit.isEmpty())
        return;
    QGuiApplication::inputMethod()->commit();
    dropPreedit();
}

void TextBoxView::dropPreedit()
{
    if (m_preedit.isEmpty())
        return;
    m_preedit.clear();
    m_layouts.clearPreedit();
    viewport()->update();
    if (hasFocus())
        QGuiApplication::inputMethod()->reset();
}

void TextBoxView::updateInputMethod()
{
    // Where the caret is, what is around it and what is selected: the input method
    // places its candidate window and reads the context from these.
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
}

QVariant TextBoxView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_document)
        return QAbstractScrollArea::inputMethodQuery(query);
    auto *self = const_cast<TextBoxView *>(this);
    const LineIndex &lines = m_document->lines();
    const qsizetype line = lines.lineOf(m_caret);
    const qsizetype lineStart = lines.lineStart(line);
    // The input method sees the caret's line, cut to a stretch around the caret on long lines.
    const qsizetype from = std::max(lineStart, m_caret - 512);
    const qsizetype to = std::min(lines.lineEnd(line), m_caret + 512);
    const auto inView = [self](QRect r) { return QRect(self->viewport()->mapTo(self, r.topLeft()), r.size()); };
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImReadOnly: return false;
    case Qt::ImHints: return int(Qt::ImhMultiLine);
    case Qt::ImFont: return m_layouts.font();
    case Qt::ImCursorRectangle: {
        return inView(self->shownCaretRect());
    }
    case Qt::ImAnchorRectangle: return inView(self->caretRect(m_anchor));
    case Qt::ImCursorPosition: return int(std::clamp(m_caret, from, to) - from);
    case Qt::ImAnchorPosition: return int(std::clamp(m_anchor, from, to) - from);
    case Qt::ImAbsolutePosition: return qlonglong(m_caret);
    case Qt::ImSurroundingText: return m_document->text().mid(from, to - from);
    case Qt::ImTextBeforeCursor: return m_document->text().mid(from, std::max(from, std::min(m_caret, to)) - from);
    case Qt::ImTextAfterCursor: {
        const qsizetype at = std::clamp(m_caret, from, to);
        return m_document->text().mid(at, to - at);
    }
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
    const QColor textColor = m_textColor;
    const PiecePainter::Paint paint{
        painter, pal, textColor, m_layouts.markerFont(), lineHeight, qreal(exposed.left()), qreal(exposed.right() + 1)};

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
            if (m_piecePainter)
                m_piecePainter->paintPiece(paint, *piece, at, selStart - from, selEnd - from);
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

    // The pre-edit itself is laid out inside its line; the caret is the input method's
    // cursor in it, unless the input method hides it.
    if (hasFocus() && m_caretShown && (m_preedit.isEmpty() || m_preeditCursorShown)) {
        const QRect caret = shownCaretRect();
        if (caret.bottom() >= 0 && caret.top() < viewport()->height())
            painter.fillRect(QRect(caret.left(), caret.top(), 2, caret.height()), textColor);
    }
    if (m_dropCaret >= 0 && m_dropCaret <= m_document->length()) {
        const QRect caret = caretRect(m_dropCaret);
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
    updateInputMethod();
}

void TextBoxView::timerEvent(QTimerEvent *e)
{
    if (e->timerId() == m_blink.timerId()) {
        m_caretShown = !m_caretShown;
        viewport()->update(shownCaretRect().adjusted(-1, 0, 2, 0));
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
    // The toolkit has asked the input method to commit already; a pre-edit it left
    // behind is not kept on a box without the focus. A popup (the context menu) is no
    // leaving.
    if (e->reason() != Qt::PopupFocusReason)
        dropPreedit();
    m_blink.stop();
    viewport()->update();
}

// ---- mouse ----

void TextBoxView::mousePressEvent(QMouseEvent *e)
{
    if (!m_document)
        return;
    commitPreedit();
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
            emit selectionDragStarted(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret));
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
    if (m_clipboard && m_anchor != m_caret)
        m_clipboard->setSelectionText(m_document->selText());
}

void TextBoxView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!m_document || e->button() != Qt::LeftButton)
        return;
    // The character under the pointer decides what is a word here, not the one after
    // the nearest caret position (which is the next one over the right half of a letter).
    const QString &t = m_document->text();
    const LineIndex &lines = m_document->lines();
    const QPoint point = e->position().toPoint();
    const qsizetype line = lines.lineOf(positionAt(point));
    const qsizetype position = lines.lineStart(line) + m_layouts.columnAt(line, point.x() - leftX(), true);
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

void TextBoxView::setPiecePainter(std::unique_ptr<PiecePainter> painter)
{
    m_piecePainter = std::move(painter);
    viewport()->update();
}

void TextBoxView::showDropCaret(qsizetype position)
{
    m_dropCaret = position;
    viewport()->update();
}

} // namespace korvane
