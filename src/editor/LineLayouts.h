#pragma once

#include <QFont>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <unordered_map>
#include <vector>

namespace korvane {

class TextDocument;

// The laid-out lines of a document's text, for the lines on screen only: a text of any
// size costs one layout per visible line. A very long line is laid out in pieces of
// PieceLength characters, each measured once, so neither the layout nor the painter
// ever handles the whole line. All x values are in pixels from the start of the line.
class LineLayouts {
public:
    static constexpr qsizetype PieceLength = 2048;

    struct Marker {
        qsizetype column; // within the piece
        QString label;
        QChar original;
    };
    struct Piece {
        QTextLayout layout;
        qsizetype start = 0; // column of the piece's first character in its line
        qsizetype length = 0;
        qreal width = 0;
        std::vector<Marker> markers;
    };

    explicit LineLayouts(const TextDocument &document);

    void setFont(const QFont &font);
    const QFont &font() const { return m_font; }
    const QFont &markerFont() const { return m_markerFont; }
    int lineHeight() const { return m_lineHeight; }
    qreal averageCharWidth() const { return m_averageCharWidth; }

    void clear();
    void invalidateLines(qsizetype first, qsizetype last);

    // x of a column of a line (0 .. line length).
    qreal xOf(qsizetype line, qsizetype column);
    // The column whose cursor position is nearest to x; with onCharacter, the column of
    // the character under x instead.
    qsizetype columnAt(qsizetype line, qreal x, bool onCharacter = false);
    // The column one cursor step to the left or right of a column on screen, following
    // the direction of the text there; -1 at the visual edge of the line's piece.
    qsizetype visualNeighbour(qsizetype line, qsizetype column, bool toRight);
    // Whether the text at a column runs right to left.
    bool isRightToLeftAt(qsizetype line, qsizetype column);

    // An input method's pre-edit, shown inline at a column of a line without being part
    // of the text: the text after it moves aside. Format starts count from the pre-edit's
    // first character. xOf and columnAt keep answering for the text's own columns.
    void setPreedit(qsizetype line, qsizetype column, const QString &text,
                    const QList<QTextLayout::FormatRange> &formats);
    void clearPreedit();
    bool hasPreedit() const { return !m_preedit.text.isEmpty(); }
    // x of a cursor position inside the pre-edit (0 .. its length).
    qreal preeditX(qsizetype cursor);
    // The pieces of a line that reach into [x0, x1), with the x each begins at.
    std::vector<std::pair<const Piece *, qreal>> piecesIn(qsizetype line, qreal x0, qreal x1);
    // The widest line laid out so far.
    qreal widestSeen() const { return m_widestSeen; }
    // The text a line's layouts show, piece by piece, each marker's box read as the
    // character it stands for: what is on screen for that line.
    QString shownText(qsizetype line);

private:
    qsizetype pieceCount(qsizetype lineLength) const;
    qsizetype pieceStart(qsizetype line, qsizetype index) const;
    qsizetype pieceOf(qsizetype line, qsizetype column) const;
    const Piece &piece(qsizetype line, qsizetype index);
    qreal pieceX(qsizetype line, qsizetype index);
    qreal advance(QStringView text, qsizetype i);
    std::unique_ptr<Piece> layOut(qsizetype line, qsizetype index) const;

    struct Preedit {
        qsizetype line = -1;
        qsizetype column = 0;
        QString text;
        QList<QTextLayout::FormatRange> formats;
        qreal width = 0;
    };
    // Where the pre-edit sits in a piece's layout, or -1 when it is not in that piece.
    qsizetype preeditIn(qsizetype line, qsizetype index, const Piece &piece) const;
    void dropPiece(qsizetype line, qsizetype index) { m_pieces.erase(key(line, index)); }
    static quint64 key(qsizetype line, qsizetype index) { return (quint64(line) << 20) | quint64(index); }

    const TextDocument &m_document;
    Preedit m_preedit;
    QFont m_font;
    QFont m_markerFont;
    int m_lineHeight = 1;
    qreal m_averageCharWidth = 1;
    qreal m_tabWidth = 8;
    qreal m_widestSeen = 0;
    std::unordered_map<quint64, std::unique_ptr<Piece>> m_pieces;
    // x of each piece of the long lines measured so far (missing for one-piece lines).
    std::unordered_map<qsizetype, std::vector<qreal>> m_pieceX;
    std::unordered_map<char16_t, qreal> m_advances;
};

} // namespace korvane
