#pragma once

#include "editor/TextFont.h"

#include <QObject>
#include <QString>

namespace korvane {

// The text of one document as the editor's commands see it: a plain string whose
// line ends are CR LF (a lone CR or LF is an ordinary character), a 0-based selection,
// and a change notification on every change, typed or set by a command.
// Positions are qsizetype, so texts of any length work.
class TextDocument : public QObject {
    Q_OBJECT
public:
    enum class Origin { Program, View };

    explicit TextDocument(QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }
    // Replaces the whole text; the caret goes to the start.
    void setText(const QString &text);

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

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    const TextFont &font() const { return m_font; }
    void setFont(const TextFont &font);

signals:
    // The text changed: every change, whatever its cause (the "Change" event).
    void changed();
    // Detail of a change for the view: the range [position, position+removed) now reads added.
    void textReplaced(qsizetype position, qsizetype removed, const QString &added, korvane::TextDocument::Origin origin);
    void selectionChanged(korvane::TextDocument::Origin origin);
    void captionChanged(const QString &caption);
    void fontChanged();

private:
    void replaceRange(qsizetype position, qsizetype removed, const QString &added, Origin origin);

    QString m_text;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
    QString m_caption;
    TextFont m_font;
};

} // namespace korvane
