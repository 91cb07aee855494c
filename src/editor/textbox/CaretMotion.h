#pragma once

#include "editor/document/LineIndex.h"

#include <QString>

namespace korvane {

// Where the caret may stop in a text: between grapheme clusters (a letter and its
// accents, a flag, an emoji sequence, a Hangul syllable of jamo, a surrogate pair), and
// never inside a line end. Only a short stretch of the line around a position is
// looked at, so a step costs the same in a line of any length.
class CaretMotion {
public:
    CaretMotion(const QString &text, const LineIndex &lines) : m_text(text), m_lines(lines) {}

    // The next and previous caret stops; a line end (CR LF too) is one step.
    qsizetype next(qsizetype position) const;
    qsizetype previous(qsizetype position) const;
    // The caret stop at or before a position.
    qsizetype snap(qsizetype position) const;
    // Where Backspace deletes back to: one code point, as other editors on this desktop
    // do, so an accent can be taken off its letter; a line end as a whole.
    qsizetype backspaceStart(qsizetype position) const;

private:
    // Cluster boundaries are looked for this far around a position; longer clusters are
    // split there.
    static constexpr qsizetype Reach = 128;

    const QString &m_text;
    const LineIndex &m_lines;
};

} // namespace korvane
