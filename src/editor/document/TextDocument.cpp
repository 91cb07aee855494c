#include "editor/document/TextDocument.h"

#include "editor/file/NativePath.h"

#include <algorithm>

namespace korvane {

TextDocument::TextDocument(int number, QObject *parent) : QObject(parent), m_number(number) { updateCaption(); }

void TextDocument::setText(const QString &text)
{
    replaceWhole(text);
    setChanged(true);
    emit changed();
}

void TextDocument::load(const QString &text)
{
    replaceWhole(text);
    emit changed();
}

void TextDocument::setChanged(bool changed)
{
    if (changed == m_changed)
        return;
    m_changed = changed;
    updateCaption();
    emit changedFlagChanged(m_changed);
}

void TextDocument::settle(Settled how)
{
    if (!m_changed)
        return;
    if (how != Settled::Declined)
        setChanged(false);
    emit settled(how);
}

void TextDocument::replaceWhole(const QString &text)
{
    const qsizetype oldLength = m_text.size();
    emit aboutToReplace(0, oldLength);
    m_undo.recordReplace(m_text, 0, oldLength, text.size());
    m_text = text;
    m_linesValid = false;
    m_selStart = 0;
    m_selLength = 0;
    emit textReplaced(0, oldLength, m_text, Origin::Program);
    emit selectionChanged(Origin::Program);
}

void TextDocument::setTextByReplacing(const std::vector<TextReplacement> &replacements)
{
    for (const TextReplacement &r : replacements) {
        if (r.length != 0 || !r.text.isEmpty())
            replaceRange(r.position, r.length, r.text, Origin::Program);
    }
    m_selStart = 0;
    m_selLength = 0;
    emit selectionChanged(Origin::Program);
    setChanged(true);
    emit changed();
}

void TextDocument::setSelStart(qsizetype start)
{
    m_selStart = std::clamp<qsizetype>(start, 0, m_text.size());
    m_selLength = 0;
    emit selectionChanged(Origin::Program);
}

void TextDocument::setSelLength(qsizetype length)
{
    m_selLength = std::clamp<qsizetype>(length, 0, m_text.size() - m_selStart);
    emit selectionChanged(Origin::Program);
}

void TextDocument::select(qsizetype start, qsizetype length)
{
    m_selStart = std::clamp<qsizetype>(start, 0, m_text.size());
    m_selLength = std::clamp<qsizetype>(length, 0, m_text.size() - m_selStart);
    emit selectionChanged(Origin::Program);
}

void TextDocument::setSelText(const QString &text)
{
    const qsizetype start = m_selStart;
    const qsizetype removed = m_selLength;
    if (removed == 0 && text.isEmpty())
        return; // nothing to replace: the text does not change
    replaceRange(start, removed, text, Origin::Program);
    m_selStart = start + text.size();
    m_selLength = 0;
    emit selectionChanged(Origin::Program);
    setChanged(true);
    emit changed();
}

void TextDocument::applyViewEdit(qsizetype position, qsizetype removed, const QString &added)
{
    position = std::clamp<qsizetype>(position, 0, m_text.size());
    removed = std::clamp<qsizetype>(removed, 0, m_text.size() - position);
    if (removed == 0 && added.isEmpty())
        return;
    replaceRange(position, removed, added, Origin::View);
    m_selStart = position + added.size();
    m_selLength = 0;
    setChanged(true);
    emit changed();
}

void TextDocument::setSelectionFromView(qsizetype anchor, qsizetype caret)
{
    anchor = std::clamp<qsizetype>(anchor, 0, m_text.size());
    caret = std::clamp<qsizetype>(caret, 0, m_text.size());
    m_selStart = std::min(anchor, caret);
    m_selLength = std::max(anchor, caret) - m_selStart;
    emit selectionChanged(Origin::View);
}

const LineIndex &TextDocument::lines() const
{
    if (!m_linesValid) {
        m_lines.reset(m_text);
        m_linesValid = true;
    }
    return m_lines;
}

QString TextDocument::title() const
{
    return m_fileTitle.isEmpty() ? QStringLiteral("文档 %1").arg(m_number) : NativePath::shown(m_fileTitle);
}

void TextDocument::updateCaption()
{
    const QString caption = m_changed ? QLatin1Char('*') + title() : title();
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged(m_caption);
}

void TextDocument::setFont(const TextFont &font)
{
    m_font = font;
    emit fontChanged();
}

void TextDocument::beginCommand()
{
    m_undo.take(m_text);
    emit commandStarting();
}

void TextDocument::setFile(const QString &path, const QString &title)
{
    m_filePath = path;
    m_fileTitle = title;
    m_fileIdentity = FileIdentity();
    updateCaption();
}

void TextDocument::revertToSnapshot()
{
    if (m_undo.isEmpty())
        return;
    // Afterwards the snapshot and the text read the same, so the snapshot follows the
    // text again, which nothing else then shares: the next keystroke changes it in
    // place. Meanwhile the snapshot is left out of the change.
    if (m_undo.revertsInPlace(m_text.size())) {
        // Typing since the last command: taken back where it happened.
        const std::vector<TextReplacement> reversals = m_undo.reversals();
        m_undo.clear();
        setTextByReplacing(reversals);
    } else {
        const QString before = m_undo.text(m_text);
        m_undo.clear();
        setText(before);
    }
    m_undo.take(m_text);
}

void TextDocument::replaceRange(qsizetype position, qsizetype removed, const QString &added, Origin origin)
{
    emit aboutToReplace(position, removed);
    m_undo.recordReplace(m_text, position, removed, added.size());
    if (position == 0 && removed == m_text.size()) {
        // The whole text goes: nothing of it needs copying, even while it is shared.
        m_text = added;
        m_linesValid = false;
    } else {
        emit aboutToChangeInPlace();
        m_text.replace(position, removed, added);
        if (m_linesValid)
            m_lines.update(m_text, position, removed, added.size());
    }
    emit textReplaced(position, removed, added, origin);
}

} // namespace korvane
