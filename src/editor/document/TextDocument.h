#pragma once

#include "editor/document/LineIndex.h"
#include "editor/document/TextFont.h"
#include "editor/document/TextReplacement.h"

#include <QObject>
#include <QString>
#include <vector>

namespace korvane {

// The text of one document: the one store that the editor's commands change, the view
// shows and Save writes. A plain string with a 0-based selection, and a change
// notification on every change, typed or set by a command. Positions count UTF-16
// units and are qsizetype, so texts of any length work.
class TextDocument : public QObject {
    Q_OBJECT
public:
    enum class Origin { Program, View };

    explicit TextDocument(QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }
    // Replaces the whole text; the caret goes to the start.
    void setText(const QString &text);
    // The same, for a text that these replacements, applied in order, make of this one:
    // only they are changed (and announced), not the whole text.
    void setTextByReplacing(const std::vector<TextReplacement> &replacements);

    qsizetype selStart() const { return m_selStart; }
    qsizetype selLength() const { return m_selLength; }
    QString selText() const { return m_text.mid(m_selStart, m_selLength); }
    // Moves the caret; the selection becomes empty. Clamped to the text.
    void setSelStart(qsizetype start);
    // Extends the selection from SelStart; clamped to the text.
    void setSelLength(qsizetype length);
    void select(qsizetype start, qsizetype length);
    // Replaces the selection (or inserts at the caret); the caret ends after the new text.
    void setSelText(const QString &text);

    // Applies an edit typed into the view; positions are in this text's coordinates.
    void applyViewEdit(qsizetype position, qsizetype removed, const QString &added);
    // The view moved the caret or selection (anchor and caret, in this text's coordinates).
    void setSelectionFromView(qsizetype anchor, qsizetype caret);

    // Where its lines begin; kept up to date on every change once asked for.
    const LineIndex &lines() const;

    // A view is about to change the text as a command would (a drop, a middle-click
    // paste), so the undo snapshot must be taken first.
    void beginCommand() { emit commandStarting(); }
    // Replaces [position, position+removed) with text as one command, snapshot first: how
    // a drop, a middle-click paste or a drag out of the text changes it.
    void replaceAsCommand(qsizetype position, qsizetype removed, const QString &text)
    {
        beginCommand();
        select(position, removed);
        setSelText(text);
    }

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    const TextFont &font() const { return m_font; }
    void setFont(const TextFont &font);

signals:
    // The text changed: every change, whatever its cause (the "Change" event).
    void changed();
    // Detail of a change for the view: the range [position, position+removed) now reads added.
    void textReplaced(qsizetype position, qsizetype removed, const QString &added,
                      korvane::TextDocument::Origin origin);
    // [position, position+removed) is about to be replaced; the text still reads as before.
    void aboutToReplace(qsizetype position, qsizetype removed);
    // The same, with the length of what comes instead: what the undo snapshot records.
    void replacing(qsizetype position, qsizetype removed, qsizetype added);
    void selectionChanged(korvane::TextDocument::Origin origin);
    void captionChanged(const QString &caption);
    void fontChanged();
    void commandStarting();
    // The text is about to be changed in place; whoever still shares it can let go first.
    void aboutToChangeInPlace();

private:
    void replaceRange(qsizetype position, qsizetype removed, const QString &added, Origin origin);

    QString m_text;
    mutable LineIndex m_lines;
    mutable bool m_linesValid = false;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
    QString m_caption;
    TextFont m_font;
};

} // namespace korvane
