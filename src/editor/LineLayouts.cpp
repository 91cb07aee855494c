#include "editor/LineLayouts.h"

#include "editor/ByteStandIn.h"
#include "editor/TextDocument.h"
#include "editor/TextMarkers.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// Enough for the screen several times over; beyond it the cache starts again.
constexpr size_t MaxCachedPieces = 4096;
// The stand-in laid out for a marked character: a blank that cannot break, widened by
// letter spacing to the width of its label's box.
constexpr char16_t MarkerPlaceholder = 0x00A0;

} // namespace

LineLayouts::LineLayouts(const TextDocument &document) : m_document(document) {}

void LineLayouts::setFont(const QFont &font)
{
    m_font = font;
    m_markerFont = font;
    m_markerFont.setPointSizeF(std::max(5.0, font.pointSizeF() * 0.7));
    m_markerFont.setBold(false);
    m_markerFont.setItalic(false);
    m_markerFont.setUnderline(false);
    m_markerFont.setStrikeOut(false);
    const QFontMetricsF metrics(font);
    m_lineHeight = std::max(1, int(std::ceil(metrics.lineSpacing())));
    m_averageCharWidth = std::max<qreal>(1, metrics.averageCharWidth());
    m_tabWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char(' ')) * 8);
    clear();
}

void LineLayouts::clear()
{
    m_pieces.clear();
    m_pieceX.clear();
    m_advances.clear();
}

void LineLayouts::invalidateLines(qsizetype first, qsizetype last)
{
    std::erase_if(m_pieces, [first, last](const auto &entry) {
        const auto line = qsizetype(entry.first >> 20);
        return line >= first && line <= last;
    });
    std::erase_if(m_pieceX, [first, last](const auto &entry) { return entry.first >= first && entry.first <= last; });
}

qsizetype LineLayouts::pieceCount(qsizetype lineLength) const
{
    return lineLength <= PieceLength ? 1 : (lineLength + PieceLength - 1) / PieceLength;
}

qsizetype LineLayouts::pieceStart(qsizetype line, qsizetype index) const
{
    if (index == 0)
        return 0;
    // A piece never begins between the halves of a surrogate pair.
    const LineIndex &lines = m_document.lines();
    const qsizetype length = lines.lineLength(line);
    const qsizetype start = std::min(index * PieceLength, length);
    const QString &text = m_document.text();
    const qsizetype at = lines.lineStart(line) + start;
    if (start > 0 && start < length && QChar::isHighSurrogate(text[at - 1].unicode()) &&
        QChar::isLowSurrogate(text[at].unicode()))
        return start + 1;
    return start;
}

qsizetype LineLayouts::pieceOf(qsizetype line, qsizetype column) const
{
    const qsizetype count = pieceCount(m_document.lines().lineLength(line));
    qsizetype index = std::min(column / PieceLength, count - 1);
    if (index > 0 && column < pieceStart(line, index))
        --index;
    return index;
}

std::unique_ptr<LineLayouts::Piece> LineLayouts::layOut(qsizetype line, qsizetype index) const
{
    const LineIndex &lines = m_document.lines();
    const QString &text = m_document.text();
    auto piece = std::make_unique<Piece>();
    piece->start = pieceStart(line, index);
    const qsizetype end = index + 1 < pieceCount(lines.lineLength(line)) ? pieceStart(line, index + 1)
                                                                         : lines.lineLength(line);
    piece->length = end - piece->start;
    const qsizetype at = lines.lineStart(line) + piece->start;

    QString shown = text.mid(at, piece->length);
    QList<QTextLayout::FormatRange> formats;
    const QFontMetricsF metrics(m_font);
    const QFontMetricsF markerMetrics(m_markerFont);
    const qreal placeholderWidth = metrics.horizontalAdvance(QChar(MarkerPlaceholder));
    for (qsizetype i = 0; i < piece->length; ++i) {
        const char16_t c = shown[i].unicode();
        if (c >= 0x20 && c < 0x7F)
            continue;
        QString label = TextMarkers::labelAt(text, at + i);
        if (label.isNull())
            continue;
        const QChar original = shown[i];
        shown[i] = QChar(MarkerPlaceholder);
        QTextLayout::FormatRange range;
        range.start = int(i);
        range.length = 1;
        range.format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        range.format.setFontLetterSpacing(markerMetrics.horizontalAdvance(label) + 6 - placeholderWidth);
        formats.append(range);
        piece->markers.push_back({i, std::move(label), original});
    }

    piece->layout.setText(shown);
    piece->layout.setFont(m_font);
    if (const qsizetype preeditAt = preeditIn(line, index, *piece); preeditAt >= 0) {
        // As a rich-text editor lays a pre-edit out: inside the layout, so that the text
        // after it moves aside, with the input method's own formats.
        piece->layout.setPreeditArea(int(preeditAt), m_preedit.text);
        for (QTextLayout::FormatRange &range : formats) {
            if (range.start >= preeditAt)
                range.start += int(m_preedit.text.size());
        }
        for (QTextLayout::FormatRange range : m_preedit.formats) {
            range.start += int(preeditAt);
            formats.append(range);
        }
    }
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(m_tabWidth);
    piece->layout.setTextOption(option);
    piece->layout.setFormats(formats);
    piece->layout.setCacheEnabled(true);
    piece->layout.beginLayout();
    QTextLine textLine = piece->layout.createLine();
    if (textLine.isValid())
        textLine.setLineWidth(1e7);
    piece->layout.endLayout();
    piece->width = textLine.isValid() ? textLine.horizontalAdvance() : 0;
    return piece;
}

const LineLayouts::Piece &LineLayouts::piece(qsizetype line, qsizetype index)
{
    const quint64 k = key(line, index);
    auto it = m_pieces.find(k);
    if (it == m_pieces.end()) {
        if (m_pieces.size() >= MaxCachedPieces)
            m_pieces.clear();
        it = m_pieces.emplace(k, layOut(line, index)).first;
    }
    return *it->second;
}

qreal LineLayouts::advance(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (c == u'\t')
        return m_tabWidth;
    if (QChar::isSurrogate(c) || (c < 0x20 || (c >= 0x7F && c < 0xA0)) || c == 0x2028 || c == 0x2029 ||
        isByteStandIn(QChar(c))) {
        const QString label = TextMarkers::labelAt(text, i);
        if (!label.isNull())
            return QFontMetricsF(m_markerFont).horizontalAdvance(label) + 6;
        if (QChar::isHighSurrogate(c))
            return QFontMetricsF(m_font).horizontalAdvance(text.sliced(i, 2).toString());
        return 0; // the low half of a pair: its advance came with the high half
    }
    auto it = m_advances.find(c);
    if (it == m_advances.end())
        it = m_advances.emplace(c, QFontMetricsF(m_font).horizontalAdvance(QChar(c))).first;
    return it->second;
}

qreal LineLayouts::pieceX(qsizetype line, qsizetype index)
{
    if (index == 0)
        return 0;
    // A long line's pieces are placed by the advances of their characters, added up
    // once: laying out every piece before the one shown would make the end of a line of
    // millions of characters take seconds to reach.
    std::vector<qreal> &xs = m_pieceX[line];
    if (xs.empty())
        xs.push_back(0);
    const QString &text = m_document.text();
    const qsizetype lineStart = m_document.lines().lineStart(line);
    while (qsizetype(xs.size()) <= index) {
        const qsizetype measured = qsizetype(xs.size()) - 1;
        const qsizetype from = lineStart + pieceStart(line, measured);
        const qsizetype to = lineStart + pieceStart(line, measured + 1);
        qreal width = 0;
        for (qsizetype i = from; i < to; ++i)
            width += advance(text, i);
        xs.push_back(xs.back() + width);
    }
    // The pieces after a pre-edit move aside by its width, as the text in its own piece does.
    const bool afterPreedit = hasPreedit() && line == m_preedit.line &&
                              index > pieceOf(line, std::min(m_preedit.column, m_document.lines().lineLength(line)));
    return xs[size_t(index)] + (afterPreedit ? m_preedit.width : 0);
}

qreal LineLayouts::xOf(qsizetype line, qsizetype column)
{
    const qsizetype index = pieceOf(line, column);
    const qreal start = pieceX(line, index);
    const Piece &p = piece(line, index);
    const QTextLine textLine = p.layout.lineAt(0);
    qsizetype cursor = column - p.start;
    if (const qsizetype at = preeditIn(line, index, p); at >= 0 && cursor > at)
        cursor += m_preedit.text.size();
    const qreal x = start + (textLine.isValid() ? textLine.cursorToX(int(cursor)) : 0);
    m_widestSeen = std::max(m_widestSeen, start + p.width);
    return x;
}

qsizetype LineLayouts::columnAt(qsizetype line, qreal x, bool onCharacter)
{
    const qsizetype count = pieceCount(m_document.lines().lineLength(line));
    qsizetype index = 0;
    while (index + 1 < count && pieceX(line, index + 1) <= x)
        ++index;
    const qreal start = pieceX(line, index);
    const Piece &p = piece(line, index);
    const QTextLine textLine = p.layout.lineAt(0);
    if (!textLine.isValid())
        return p.start;
    qsizetype cursor = textLine.xToCursor(x - start, onCharacter ? QTextLine::CursorOnCharacter
                                                                 : QTextLine::CursorBetweenCharacters);
    if (const qsizetype at = preeditIn(line, index, p); at >= 0 && cursor > at)
        cursor = std::max(at, cursor - m_preedit.text.size());
    return p.start + std::min(cursor, p.length);
}

qsizetype LineLayouts::visualNeighbour(qsizetype line, qsizetype column, bool toRight)
{
    const qsizetype index = pieceOf(line, column);
    const Piece &p = piece(line, index);
    const int from = int(column - p.start);
    const int to = toRight ? p.layout.rightCursorPosition(from) : p.layout.leftCursorPosition(from);
    return to == from ? -1 : p.start + to;
}

bool LineLayouts::isRightToLeftAt(qsizetype line, qsizetype column)
{
    return piece(line, pieceOf(line, column)).layout.text().isRightToLeft();
}

void LineLayouts::setPreedit(qsizetype line, qsizetype column, const QString &text,
                             const QList<QTextLayout::FormatRange> &formats)
{
    clearPreedit();
    if (text.isEmpty())
        return;
    m_preedit = {line, column, text, formats, QFontMetricsF(m_font).horizontalAdvance(text)};
    dropPiece(line, pieceOf(line, std::min(column, m_document.lines().lineLength(line))));
}

void LineLayouts::clearPreedit()
{
    if (m_preedit.line >= 0 && m_preedit.line < m_document.lines().lineCount())
        dropPiece(m_preedit.line,
                  pieceOf(m_preedit.line, std::min(m_preedit.column, m_document.lines().lineLength(m_preedit.line))));
    m_preedit = {};
}

qsizetype LineLayouts::preeditIn(qsizetype line, qsizetype index, const Piece &piece) const
{
    if (m_preedit.text.isEmpty() || line != m_preedit.line)
        return -1;
    const qsizetype column = std::min(m_preedit.column, m_document.lines().lineLength(line));
    if (pieceOf(line, column) != index)
        return -1;
    return std::clamp<qsizetype>(column - piece.start, 0, piece.length);
}

qreal LineLayouts::preeditX(qsizetype cursor)
{
    if (!hasPreedit())
        return 0;
    const qsizetype line = m_preedit.line;
    const qsizetype column = std::min(m_preedit.column, m_document.lines().lineLength(line));
    const qsizetype index = pieceOf(line, column);
    const Piece &p = piece(line, index);
    const QTextLine textLine = p.layout.lineAt(0);
    const qsizetype at = preeditIn(line, index, p);
    if (!textLine.isValid() || at < 0)
        return xOf(line, column);
    m_widestSeen = std::max(m_widestSeen, pieceX(line, index) + p.width);
    return pieceX(line, index) + textLine.cursorToX(int(at + std::clamp<qsizetype>(cursor, 0, m_preedit.text.size())));
}

std::vector<std::pair<const LineLayouts::Piece *, qreal>> LineLayouts::piecesIn(qsizetype line, qreal x0, qreal x1)
{
    std::vector<std::pair<const Piece *, qreal>> result;
    const qsizetype count = pieceCount(m_document.lines().lineLength(line));
    // The first piece that reaches x0, found by halves: a long line has thousands.
    qsizetype lo = 0;
    qsizetype hi = count - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (pieceX(line, mid) <= x0)
            lo = mid;
        else
            hi = mid - 1;
    }
    for (qsizetype index = lo; index < count; ++index) {
        const qreal start = pieceX(line, index);
        if (start >= x1)
            break;
        const Piece &p = piece(line, index);
        m_widestSeen = std::max(m_widestSeen, start + p.width);
        if (start + p.width >= x0)
            result.emplace_back(&p, start);
    }
    return result;
}

QString LineLayouts::shownText(qsizetype line)
{
    QString shown;
    const qsizetype count = pieceCount(m_document.lines().lineLength(line));
    for (qsizetype index = 0; index < count; ++index) {
        const Piece &p = piece(line, index);
        QString part = p.layout.text();
        for (const Marker &m : p.markers)
            part[m.column] = m.original;
        shown += part;
    }
    return shown;
}

} // namespace korvane
