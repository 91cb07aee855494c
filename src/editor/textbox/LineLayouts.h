#pragma once

#include "editor/textbox/CharAdvances.h"
#include "editor/textbox/LinePieces.h"

#include <QFont>
#include <QString>
#include <map>
#include <vector>

namespace korvane {

class TextDocument;

// The laid-out lines of a document's text, for the lines on screen only: a text of any
// size costs one layout per visible piece. A line is laid out in pieces (LinePieces), so
// neither the layout nor the painter ever handles a whole long line; the pieces of a
// line read on across their edges, tab stops included, and those of a right-to-left
// line run from the right. All x values are in pixels from the line's left edge.
class LineLayouts {
public:
    static constexpr qsizetype PieceLength = LinePieces::MaxLength;
    using Marker = PieceMarker;
    using Piece = LaidOutPiece;

    explicit LineLayouts(const TextDocument &document);

    void setFont(const QFont &font);
    const QFont &font() const { return m_font; }
    const QFont &markerFont() const { return m_markerFont; }
    int lineHeight() const { return m_lineHeight; }
    qreal averageCharWidth() const { return m_averageCharWidth; }

    // Right-to-left lines begin this far from the left edge: room for their selected line
    // end, which shows at their logical end, on the left.
    qreal rightToLeftIndent() const { return m_averageCharWidth; }

    // Forgets every line (a new text or a new font).
    void clear();
    // The document's text changed: [position, position + removed) now reads `added`
    // characters. Lines the change did not touch keep what was measured of them.
    void textReplaced(qsizetype position, qsizetype removed, qsizetype added);

    // x of a column of a line (0 .. line length).
    qreal xOf(qsizetype line, qsizetype column);
    // The column whose cursor position is nearest to x; with onCharacter, the column of
    // the character under x instead.
    qsizetype columnAt(qsizetype line, qreal x, bool onCharacter = false);
    // The column one cursor step to the left or right of a column on screen, following
    // the direction of the text there and on into the piece beside it; -1 at the visual
    // edge of the line.
    qsizetype visualNeighbour(qsizetype line, qsizetype column, bool toRight);

    // An input method's pre-edit, shown inline at a column of a line without being part
    // of the text: the text after it moves aside, in later pieces too. Format starts count
    // from the pre-edit's first character. xOf and columnAt keep answering for the text's
    // own columns.
    void setPreedit(qsizetype line, qsizetype column, const QString &text,
                    const QList<QTextLayout::FormatRange> &formats);
    void clearPreedit();
    bool hasPreedit() const { return !m_preedit.text.isEmpty(); }
    // x of a cursor position inside the pre-edit (0 .. its length).
    qreal preeditX(qsizetype cursor);
    // The pieces of a line that reach into [x0, x1), each with the x its layout is drawn at.
    std::vector<std::pair<const Piece *, qreal>> piecesIn(qsizetype line, qreal x0, qreal x1);
    // How wide a line is, and whether it reads from right to left.
    qreal widthOf(qsizetype line);
    bool isRightToLeft(qsizetype line);
    // The text a line's layouts show, piece by piece, each marker's box read as the
    // character it stands for: what is on screen for that line.
    QString shownText(qsizetype line);

private:
    LinePieces &pieces(qsizetype line);
    const Piece &laidOut(LinePieces &pieces, size_t index);
    qreal originOf(LinePieces &pieces, size_t index) const;
    std::unique_ptr<Piece> layOut(LinePieces &pieces, size_t index, int lead, qint64 phase);
    void trim();

    struct Preedit {
        qsizetype line = -1;
        qsizetype column = 0;
        QString text;
        QList<QTextLayout::FormatRange> formats;
    };
    // Lays the piece holding a column out again, so that its measure (and so where the
    // later pieces sit) follows a pre-edit coming or going.
    void relayOut(qsizetype line, qsizetype column);

    const TextDocument &m_document;
    Preedit m_preedit;
    QFont m_font;
    QFont m_markerFont;
    int m_lineHeight = 1;
    qreal m_averageCharWidth = 1;
    qreal m_placeholderWidth = 0;
    CharAdvances m_advances;
    std::map<qsizetype, LinePieces> m_lines;
    size_t m_layoutCount = 0;
    qsizetype m_lineCount = 1;
};

} // namespace korvane
