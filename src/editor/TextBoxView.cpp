#include "editor/TextBoxView.h"

#include "editor/ViewText.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace korvane {

static QList<QKeySequence> &frameShortcuts()
{
    static QList<QKeySequence> keys;
    return keys;
}

void TextBoxView::setFrameShortcuts(const QList<QKeySequence> &keys) { frameShortcuts() = keys; }

TextBoxView::TextBoxView(TextDocument *document, QWidget *parent) : QPlainTextEdit(parent), m_document(document)
{
    setObjectName(QStringLiteral("Text1"));
    setUndoRedoEnabled(false); // the editor keeps its own one-level undo
    setContextMenuPolicy(Qt::NoContextMenu);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rebuildFromDocument();
    applyFont();
    connect(QPlainTextEdit::document(), &QTextDocument::contentsChange, this, &TextBoxView::onViewContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextBoxView::onViewCursorMoved);
    connect(this, &QPlainTextEdit::selectionChanged, this, &TextBoxView::onViewCursorMoved);
    connect(document, &TextDocument::textReplaced, this, &TextBoxView::onTextReplaced);
    connect(document, &TextDocument::selectionChanged, this, &TextBoxView::onSelectionChanged);
    connect(document, &TextDocument::fontChanged, this, &TextBoxView::applyFont);
}

qsizetype TextBoxView::toTextPosition(qsizetype viewPosition) const
{
    const QTextBlock block = QPlainTextEdit::document()->findBlock(int(viewPosition));
    return viewPosition + (block.isValid() ? block.blockNumber() : QPlainTextEdit::document()->blockCount() - 1);
}

qsizetype TextBoxView::toViewPosition(qsizetype textPosition) const
{
    // Block b starts at view position p(b) and at text position p(b) + b (each earlier
    // break is two characters in the text); find the last block starting at or before.
    const QTextDocument *doc = QPlainTextEdit::document();
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= textPosition)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const qsizetype view = textPosition - lo;
    const qsizetype blockEnd = block.position() + block.length() - 1; // between CR and LF maps here
    return std::min(view, blockEnd);
}

bool TextBoxView::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(e);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence &k : frameShortcuts()) {
            if (k == pressed) {
                e->ignore(); // not ours: let the frame's menu have it
                return true;
            }
        }
    }
    return QPlainTextEdit::event(e);
}

void TextBoxView::keyPressEvent(QKeyEvent *e)
{
    // Shift+Enter would insert a soft line break that has no place in a CR LF text.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text());
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TextBoxView::onViewContentsChange(int position, int removed, int added)
{
    if (m_syncing || !m_document)
        return;
    const QTextDocument *doc = QPlainTextEdit::document();
    const qsizetype newLength = doc->characterCount() - 1;
    const qsizetype delta = newLength - m_viewLength;
    // Qt may report a wider range than what changed (same amount on both sides); keep it inside the text.
    if (position + added > newLength) {
        added = int(newLength - position);
        removed = int(added - delta);
    }
    if (position < 0 || added < 0 || removed < 0 || removed - added != -delta) {
        rebuildDocumentFromView();
        return;
    }
    m_viewLength = newLength;

    QTextCursor cursor(QPlainTextEdit::document());
    cursor.setPosition(position);
    cursor.setPosition(position + added, QTextCursor::KeepAnchor);
    const QString typed = ViewText::fromTyped(cursor.selectedText());

    const QString &text = m_document->text();
    const qsizetype start = toTextPosition(position);
    qsizetype end = start;
    for (int v = 0; v < removed && end < text.size(); ++v)
        end += (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1;
    m_syncing = true;
    m_document->applyViewEdit(start, end - start, typed);
    m_syncing = false;
}

void TextBoxView::rebuildDocumentFromView()
{
    // Only reached if Qt reports a change we cannot place; the view's text is then the truth.
    QTextCursor all(QPlainTextEdit::document());
    all.select(QTextCursor::Document);
    QString text = ViewText::fromTyped(all.selectedText());
    text.replace(QChar(0x240D), u'\r').replace(QChar(0x240A), u'\n');
    m_viewLength = QPlainTextEdit::document()->characterCount() - 1;
    m_syncing = true;
    m_document->applyViewEdit(0, m_document->length(), text);
    m_syncing = false;
}

void TextBoxView::onViewCursorMoved()
{
    if (m_syncing || !m_document)
        return;
    const QTextCursor c = textCursor();
    m_syncing = true;
    m_document->setSelectionFromView(toTextPosition(c.anchor()), toTextPosition(c.position()));
    m_syncing = false;
}

void TextBoxView::rebuildFromDocument()
{
    m_syncing = true;
    QPlainTextEdit::document()->setPlainText(ViewText::toView(m_document->text()));
    m_viewLength = QPlainTextEdit::document()->characterCount() - 1;
    m_syncing = false;
    onSelectionChanged(TextDocument::Origin::Program); // the caret goes where the document has it
}

void TextBoxView::onTextReplaced(qsizetype position, qsizetype removed, const QString &added, TextDocument::Origin origin)
{
    if (origin == TextDocument::Origin::View || !m_document)
        return;
    const QString &text = m_document->text(); // already holds the new text
    if (position == 0 && added.size() == text.size()) {
        rebuildFromDocument();
        return;
    }
    // Widen the range by a CR before it and a LF after it, so that no CR LF pair is cut
    // in two, in the old text or the new.
    qsizetype start = position;
    qsizetype oldEnd = position + removed;
    qsizetype newEnd = position + added.size();
    if (start > 0 && text[start - 1] == u'\r')
        --start;
    if (newEnd < text.size() && text[newEnd] == u'\n') {
        ++oldEnd;
        ++newEnd;
    }
    const qsizetype viewStart = toViewPosition(start);
    const qsizetype viewEnd = toViewPosition(oldEnd);
    m_syncing = true;
    QTextCursor cursor(QPlainTextEdit::document());
    cursor.setPosition(int(viewStart));
    cursor.setPosition(int(viewEnd), QTextCursor::KeepAnchor);
    cursor.insertText(ViewText::toView(QStringView(text).mid(start, newEnd - start)));
    m_viewLength = QPlainTextEdit::document()->characterCount() - 1;
    m_syncing = false;
}

void TextBoxView::onSelectionChanged(TextDocument::Origin origin)
{
    if (origin == TextDocument::Origin::View || m_syncing || !m_document)
        return;
    QTextCursor cursor(QPlainTextEdit::document());
    cursor.setPosition(int(toViewPosition(m_document->selStart())));
    cursor.setPosition(int(toViewPosition(m_document->selStart() + m_document->selLength())), QTextCursor::KeepAnchor);
    m_syncing = true;
    setTextCursor(cursor);
    m_syncing = false;
}

void TextBoxView::applyFont()
{
    if (!m_document)
        return;
    const TextFont &f = m_document->font();
    QFont font = this->font();
    if (!f.name.isEmpty())
        font.setFamily(f.name);
    font.setPointSizeF(f.size > 0 ? f.size : 10.5);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikethrough);
    setFont(font);
    QPalette p = palette();
    p.setColor(QPalette::Text, f.foreColor);
    setPalette(p);
}

} // namespace korvane
