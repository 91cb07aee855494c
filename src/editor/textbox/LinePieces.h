#pragma once

#include "editor/textbox/CharAdvances.h"

#include <QChar>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <vector>

namespace korvane {

// A box drawn for a marked character: its column in the piece, its label and where the
// layout left its room (x in the piece's layout).
struct PieceMarker {
    qsizetype column;
    QString label;
    QChar original;
    qreal x = 0;
    qreal width = 0;
};

// One piece of a line laid out for the screen. Its layout may begin with `lead` spacer
// characters that are not text: they move the piece's text to where its tab stops fall
// in the whole line. It may also hold an input method's pre-edit, which is not text
// either: the layout's cursor positions after it are further on by its length.
struct LaidOutPiece {
    QTextLayout layout;
    qsizetype start = 0; // column of the piece's first character in its line
    qsizetype length = 0;
    int lead = 0;
    qint64 phase = -1;        // the spacer's width it was laid out with, in CharAdvances units
    qsizetype preeditAt = -1; // the piece's column the pre-edit stands before, or -1
    qsizetype preeditLength = 0;
    std::vector<PieceMarker> markers;

    // The layout's cursor position of a column of the piece, and back (-1 for a position
    // before the text; a position inside the pre-edit reads as the column it stands at).
    int cursorOf(qsizetype column) const
    {
        return int(lead + column + (preeditAt >= 0 && column > preeditAt ? preeditLength : 0));
    }
    qsizetype columnOf(int cursor) const
    {
        const qsizetype column = cursor - lead;
        if (column < 0)
            return -1;
        return preeditAt >= 0 && column > preeditAt ? std::max(preeditAt, column - preeditLength) : column;
    }
    // x of a column of the piece within its layout.
    qreal xAt(qsizetype column) const { return layout.lineAt(0).cursorToX(cursorOf(column)); }
};

// The pieces one line is laid out in, and where each begins. A line of any length is cut
// into pieces of at most MaxLength characters (fewer where they hold many marked
// characters, which cost a layout item each), measured once from a table of advances,
// and measured again by the piece's real layout once it is shown. An edit inside the
// line measures only the pieces it touches; where the later pieces begin follows from
// their measures, so it costs a pass over the pieces, not over the characters.
class LinePieces {
public:
    static constexpr qsizetype MaxLength = 2048;
    static constexpr int MaxMarkers = 96;

    struct Span {
        qsizetype start = 0;
        qsizetype length = 0;
        CharAdvances::Run run; // its measure; run.end is not kept up to date
        bool exact = false;    // measured by its layout
        qint64 x = 0;          // where it begins, from the line's logical start
        std::unique_ptr<LaidOutPiece> laidOut;
    };

    LinePieces(CharAdvances &advances, QStringView text, qsizetype lineStart, qsizetype length);

    qsizetype lineStart() const { return m_lineStart; }
    qsizetype length() const { return m_length; }
    bool isRightToLeft() const { return m_rtl; }
    qint64 width() const { return m_width; }
    size_t count() const { return m_spans.size(); }
    Span &span(size_t i) { return m_spans[i]; }
    qint64 endOf(size_t i) const { return m_advances->endOf(m_spans[i].x, m_spans[i].run); }
    // Left edge of a piece on screen: right-to-left lines run their pieces from the right.
    qint64 visualX(size_t i) const { return m_rtl ? m_width - endOf(i) : m_spans[i].x; }

    // The piece holding a column (a column on a piece's edge belongs to the later one).
    size_t spanAt(qsizetype column) const;
    // The piece under a visual x.
    size_t spanAtX(qint64 x) const;

    // The piece's real measure, from its layout.
    void setMeasured(size_t i, const CharAdvances::Run &run);
    // The text has moved by delta without touching this line.
    void moveBy(qsizetype delta) { m_lineStart += delta; }
    // [column, column + removed) of the line now reads `added` characters. False when this
    // is no edit inside the line after all; the line must then be measured afresh.
    bool edit(QStringView text, qsizetype lineStart, qsizetype newLength, qsizetype column, qsizetype removed,
              qsizetype added);
    // Forgets every layout; returns how many there were.
    size_t dropLayouts();

private:
    // Cuts [from, to) of the line into spans.
    std::vector<Span> cut(QStringView text, qsizetype from, qsizetype to);
    // Where a piece beginning at `at` ends: MaxLength on, or less to keep a grapheme
    // cluster whole, or `to`.
    qsizetype clusterCut(QStringView text, qsizetype at, qsizetype to) const;
    void place(size_t from);

    CharAdvances *m_advances;
    qsizetype m_lineStart;
    qsizetype m_length;
    bool m_rtl;
    qint64 m_width = 0;
    std::vector<Span> m_spans;
};

} // namespace korvane
