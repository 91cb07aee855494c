#include "editor/TextBoxAccessible.h"

#include "editor/TextBoxView.h"

#include <QScrollBar>
#include <algorithm>

namespace korvane {

namespace {

QAccessibleInterface *textBoxFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("korvane::TextBoxView") && object && object->isWidgetType())
        return new TextBoxAccessible(static_cast<TextBoxView *>(object));
    return nullptr;
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

} // namespace korvane
