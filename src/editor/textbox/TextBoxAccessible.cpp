#include "editor/textbox/TextBoxAccessible.h"

#include "editor/textbox/PlainAccessibleText.h"
#include "editor/textbox/TextBoxView.h"

#include <QScrollBar>
#include <algorithm>
#include <utility>

namespace korvane {

namespace {

QAccessibleInterface *textBoxFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("korvane::TextBoxView") && object && object->isWidgetType())
        return new TextBoxAccessible(static_cast<TextBoxView *>(object));
    return nullptr;
}

// Keeps a cut through a long line out of the middle of a surrogate pair.
qsizetype cutBefore(const QString &text, qsizetype at)
{
    return at > 0 && at < text.size() && text.at(at).isLowSurrogate() ? at - 1 : at;
}

} // namespace

TextBoxAccessible::TextBoxAccessible(TextBoxView *view) : QAccessibleWidget(view, QAccessible::EditableText) {}

void TextBoxAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(textBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

TextBoxView *TextBoxAccessible::view() const { return static_cast<TextBoxView *>(widget()); }

void *TextBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TextBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return view()->toPlainText();
    return QAccessibleWidget::text(t);
}

QAccessible::State TextBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void TextBoxAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const TextDocument *doc = view()->textDocument();
    if (selectionIndex == 0 && doc && doc->selLength() > 0) {
        *startOffset = int(doc->selStart());
        *endOffset = int(doc->selStart() + doc->selLength());
    }
}

int TextBoxAccessible::selectionCount() const
{
    const TextDocument *doc = view()->textDocument();
    return doc && doc->selLength() > 0 ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (TextDocument *doc = view()->textDocument(); doc && selectionIndex == 0)
        doc->setSelStart(doc->selStart() + doc->selLength());
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (TextDocument *doc = view()->textDocument(); doc && selectionIndex == 0)
        doc->select(std::min(startOffset, endOffset), std::abs(endOffset - startOffset));
}

int TextBoxAccessible::cursorPosition() const { return int(view()->caretPosition()); }

void TextBoxAccessible::setCursorPosition(int position)
{
    if (TextDocument *doc = view()->textDocument())
        doc->setSelStart(position);
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    const QString &t = view()->toPlainText();
    startOffset = std::clamp(startOffset, 0, int(t.size()));
    endOffset = std::clamp(endOffset, startOffset, int(t.size()));
    return t.mid(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::characterCount() const
{
    const TextDocument *doc = view()->textDocument();
    return doc ? int(std::min<qsizetype>(doc->length(), INT_MAX)) : 0;
}

QRect TextBoxAccessible::characterRect(int offset) const
{
    TextBoxView *v = view();
    const QRect caret = v->caretRect(offset);
    const QRect next = v->caretRect(offset + 1);
    const int width = next.top() == caret.top() ? std::max(1, next.left() - caret.left()) : 1;
    return QRect(v->viewport()->mapToGlobal(caret.topLeft()), QSize(width, caret.height()));
}

int TextBoxAccessible::offsetAtPoint(const QPoint &point) const
{
    TextBoxView *v = view();
    return int(v->positionAt(v->viewport()->mapFromGlobal(point)));
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    if (TextDocument *doc = view()->textDocument())
        doc->select(startIndex, std::max(0, endIndex - startIndex));
}

QString TextBoxAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // One font for the whole text: a single run of attributes.
    *startOffset = 0;
    *endOffset = characterCount();
    Q_UNUSED(offset);
    return QString();
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                            int *endOffset) const
{
    return textItem(Item::Before, offset, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                           int *endOffset) const
{
    return textItem(Item::After, offset, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                        int *endOffset) const
{
    return textItem(Item::At, offset, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textItem(Item item, int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                    int *endOffset) const
{
    *startOffset = *endOffset = -1;
    const TextDocument *doc = view()->textDocument();
    if (!doc)
        return {};
    const QString &text = doc->text();
    const qsizetype length = characterCount();
    // By convention -2 asks about the caret and -1 about the end of the text.
    qsizetype at = offset == -2 ? cursorPosition() : offset == -1 ? length : offset;
    if (text.isEmpty() || at < 0 || at > length)
        return {};
    const LineIndex &lines = doc->lines();
    const qsizetype line = lines.lineOf(at);
    const auto lineFrom = [&](qsizetype l) { return lines.lineStart(l); };
    const auto lineTo = [&](qsizetype l) { return l + 1 < lines.lineCount() ? lines.lineStart(l + 1) : text.size(); };

    if (boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary) {
        // A line with its line end, as readers expect; the one before or after it for the
        // other two questions. A line longer than the reach is given around the offset.
        const qsizetype wanted = item == Item::Before ? line - 1 : item == Item::After ? line + 1 : line;
        if (wanted < 0 || wanted >= lines.lineCount())
            return {};
        qsizetype from = lineFrom(wanted), to = lineTo(wanted);
        if (to - from > 2 * Reach) {
            const qsizetype centre = std::clamp(at, from, to);
            from = cutBefore(text, std::max(from, centre - Reach));
            to = cutBefore(text, std::min(to, centre + Reach));
        }
        *startOffset = int(from);
        *endOffset = int(to);
        return text.mid(from, to - from);
    }

    // An item before or after the offset may lie lines away, past blank lines, so the
    // window takes whole lines up to the reach either way; inside one very long line it
    // is cut at the reach.
    const qsizetype back = std::max<qsizetype>(0, at - Reach);
    const qsizetype ahead = std::min(text.size(), at + Reach);
    qsizetype from = lineFrom(lines.lineOf(back));
    qsizetype to = lineTo(lines.lineOf(ahead));
    if (at - from > 2 * Reach)
        from = cutBefore(text, back);
    if (to - at > 2 * Reach)
        to = cutBefore(text, ahead);
    // Qt's rule for the end of the text then applies only at the real end: elsewhere the
    // window goes on past the offset.
    // Qt's item rules on that piece, not on a copy of the whole text.
    const PlainAccessibleText window(text.mid(from, to - from));
    int s = -1, e = -1;
    QString found;
    const int local = int(at - from);
    switch (item) {
    case Item::Before: found = window.QAccessibleTextInterface::textBeforeOffset(local, boundaryType, &s, &e); break;
    case Item::At: found = window.QAccessibleTextInterface::textAtOffset(local, boundaryType, &s, &e); break;
    case Item::After: found = window.QAccessibleTextInterface::textAfterOffset(local, boundaryType, &s, &e); break;
    }
    *startOffset = s < 0 ? s : int(from + s);
    *endOffset = e < 0 ? e : int(from + e);
    return found;
}

} // namespace korvane
