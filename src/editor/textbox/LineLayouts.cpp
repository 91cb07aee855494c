#include "editor/textbox/LineLayouts.h"

#include "editor/document/TextDocument.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <utility>

namespace korvane {

namespace {

// Enough for the screen many times over; beyond it the layouts (not the measures) of
// every line are dropped, and short lines are forgotten altogether.
constexpr size_t MaxLayouts = 1024;
constexpr size_t MaxLines = 1024;
// The stand-in laid out for a marked character: a blank that cannot break, widened by
// letter spacing to the width of its label's box.
constexpr char16_t MarkerPlaceholder = 0x00A0;
// Laid out before a later piece of a left-to-right line, as wide as the piece's start
// lies past a tab stop, so that the piece's tabs stop where the whole line's would.
constexpr char16_t TabSpacer = 0x200B;

qint64 toUnits(qreal pixels) { return qint64(std::llround(pixels * CharAdvances::Unit)); }
qreal toPixels(qint64 units) { return qreal(units) / CharAdvances::Unit; }

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
    m_placeholderWidth = metrics.horizontalAdvance(QChar(MarkerPlaceholder));
    m_advances.setFonts(m_font, m_markerFont);
    clear();
}

void LineLayouts::clear()
{
    m_lines.clear();
    m_layoutCount = 0;
    m_lineCount = m_document.lines().lineCount();
}

void LineLayouts::textReplaced(qsizetype position, qsizetype removed, qsizetype added)
{
    const LineIndex &lines = m_document.lines();
    const qsizetype count = lines.lineCount();
    const qsizetype lineDelta = count - m_lineCount;
    const qsizetype delta = added - removed;
    m_lineCount = count;
    const auto reads = [&](qsizetype line, qsizetype start, qsizetype length) {
        return line >= 0 && line < count && lines.lineStart(line) == start && lines.lineLength(line) == length;
    };
    std::map<qsizetype, LinePieces> kept;
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        auto node = m_lines.extract(it++);
        LinePieces &p = node.mapped();
        const qsizetype line = node.key();
        bool keep = false;
        if (p.lineStart() + p.length() <= position && reads(line, p.lineStart(), p.length())) {
            keep = true; // before the change, and still the same line
        } else if (p.lineStart() > position + removed && reads(line + lineDelta, p.lineStart() + delta, p.length())) {
            node.key() = line + lineDelta; // after the change: only moved
            p.moveBy(delta);
            keep = true;
        } else if (lineDelta == 0 && line < count) {
            keep = p.edit(m_document.text(), lines.lineStart(line), lines.lineLength(line), position - p.lineStart(),
                          removed, added);
        }
        if (keep)
            kept.insert(std::move(node));
        else
            m_layoutCount -= p.dropLayouts();
    }
    m_lines = std::move(kept);
}

void LineLayouts::trim()
{
    if (m_layoutCount <= MaxLayouts)
        return;
    for (auto &[line, p] : m_lines)
        p.dropLayouts();
    m_layoutCount = 0;
}

LinePieces &LineLayouts::pieces(qsizetype line)
{
    auto it = m_lines.find(line);
    if (it != m_lines.end())
        return it->second;
    if (m_lines.size() >= MaxLines) {
        // Short lines are measured again in no time; long ones are kept.
        for (auto e = m_lines.begin(); e != m_lines.end();) {
            if (e->second.count() > 1) {
                ++e;
                continue;
            }
            m_layoutCount -= e->second.dropLayouts();
            e = m_lines.erase(e);
        }
    }
    const LineIndex &lines = m_document.lines();
    return m_lines.try_emplace(line, m_advances, m_document.text(), lines.lineStart(line), lines.lineLength(line))
        .first->second;
}

std::unique_ptr<LineLayouts::Piece> LineLayouts::layOut(LinePieces &pieces, size_t index, int lead, qint64 phase)
{
    const LinePieces::Span &span = pieces.span(index);
    const QString &text = m_document.text();
    auto piece = std::make_unique<Piece>();
    piece->start = span.start;
    piece->length = span.length;
    piece->lead = lead;
    piece->phase = phase;
    const qsizetype at = pieces.lineStart() + span.start;

    QString shown;
    shown.reserve(span.length + lead);
    QList<QTextLayout::FormatRange> formats;
    if (lead > 0) {
        shown += QChar(TabSpacer);
        QTextLayout::FormatRange range;
        range.start = 0;
        range.length = 1;
        range.format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        range.format.setFontLetterSpacing(toPixels(phase));
        formats.append(range);
    }
    shown += QStringView(text).sliced(at, span.length);
    for (qsizetype i = 0; i < span.length; ++i) {
        const char16_t c = shown[lead + i].unicode();
        if (c >= 0x20 && c < 0x7F)
            continue;
        QString label = m_advances.label(text, at + i);
        if (label.isNull())
            continue;
        const QChar original = shown[lead + i];
        shown[lead + i] = QChar(MarkerPlaceholder);
        QTextLayout::FormatRange range;
        range.start = int(lead + i);
        range.length = 1;
        range.format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        range.format.setFontLetterSpacing(m_advances.markerBoxWidth(label) - m_placeholderWidth);
        formats.append(range);
        piece->markers.push_back({i, std::move(label), original});
    }

    piece->layout.setText(shown);
    piece->layout.setFont(m_font);
    if (m_preedit.line >= 0 && m_preedit.line < m_document.lines().lineCount() &&
        pieces.lineStart() == m_document.lines().lineStart(m_preedit.line)) {
        const qsizetype column = std::min(m_preedit.column, pieces.length());
        if (pieces.spanAt(column) == index) {
            // As a rich-text editor lays a pre-edit out: inside the layout, after the lead,
            // so that the text after it moves aside, with the input method's own formats.
            piece->preeditAt = column - span.start;
            piece->preeditLength = m_preedit.text.size();
            const int where = int(lead + piece->preeditAt);
            piece->layout.setPreeditArea(where, m_preedit.text);
            for (QTextLayout::FormatRange &range : formats) {
                if (range.start >= where)
                    range.start += int(m_preedit.text.size());
            }
            for (QTextLayout::FormatRange range : m_preedit.formats) {
                range.start += where;
                formats.append(range);
            }
        }
    }
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(toPixels(m_advances.tabWidth()));
    option.setTextDirection(pieces.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    piece->layout.setTextOption(option);
    piece->layout.setFormats(formats);
    piece->layout.setCacheEnabled(true);
    piece->layout.beginLayout();
    QTextLine textLine = piece->layout.createLine();
    if (textLine.isValid())
        textLine.setLineWidth(1e7);
    piece->layout.endLayout();
    if (!textLine.isValid())
        return piece;

    // Each box's room, found once here rather than on every paint: around its character,
    // which stands after a pre-edit at its column.
    for (Marker &m : piece->markers) {
        const int cursor = int(lead + m.column +
                               (piece->preeditAt >= 0 && m.column >= piece->preeditAt ? piece->preeditLength : 0));
        const qreal a = textLine.cursorToX(cursor);
        const qreal b = textLine.cursorToX(cursor + 1);
        m.x = std::min(a, b);
        m.width = std::abs(b - a);
    }
    // The piece's real measure replaces the one added up from single characters.
    CharAdvances::Run run;
    if (pieces.isRightToLeft()) {
        run.before = toUnits(textLine.horizontalAdvance());
    } else {
        const qreal start = piece->xAt(0);
        // (past a pre-edit at the piece's end too, which xAt(span.length) stands before)
        const qreal end = textLine.cursorToX(int(lead + span.length + piece->preeditLength));
        const qsizetype tab = shown.indexOf(u'\t', lead);
        if (tab >= 0) {
            run.tab = true;
            run.before = toUnits(piece->xAt(tab - lead) - start);
            run.after = toUnits(end - piece->xAt(tab - lead + 1));
        } else {
            run.before = toUnits(end - start);
        }
    }
    pieces.setMeasured(index, run);
    return piece;
}

const LineLayouts::Piece &LineLayouts::laidOut(LinePieces &pieces, size_t index)
{
    LinePieces::Span &span = pieces.span(index);
    const int lead = !pieces.isRightToLeft() && index > 0 ? 1 : 0;
    const qint64 phase = lead > 0 ? span.x % m_advances.tabWidth() : 0;
    if (!span.laidOut || span.laidOut->phase != phase) {
        if (!span.laidOut)
            ++m_layoutCount;
        span.laidOut = layOut(pieces, index, lead, phase);
    }
    return *span.laidOut;
}

qreal LineLayouts::originOf(LinePieces &pieces, size_t index) const
{
    const LinePieces::Span &span = pieces.span(index);
    if (pieces.isRightToLeft())
        return rightToLeftIndent() + toPixels(pieces.visualX(index));
    return toPixels(span.x) - (span.laidOut ? span.laidOut->xAt(0) : 0);
}

qreal LineLayouts::xOf(qsizetype line, qsizetype column)
{
    trim();
    LinePieces &p = pieces(line);
    column = std::clamp<qsizetype>(column, 0, p.length());
    const size_t index = p.spanAt(column);
    const Piece &piece = laidOut(p, index);
    return originOf(p, index) + piece.xAt(column - piece.start);
}

qsizetype LineLayouts::columnAt(qsizetype line, qreal x, bool onCharacter)
{
    trim();
    LinePieces &p = pieces(line);
    const size_t index = p.spanAtX(toUnits(p.isRightToLeft() ? x - rightToLeftIndent() : x));
    const Piece &piece = laidOut(p, index);
    const QTextLine textLine = piece.layout.lineAt(0);
    if (!textLine.isValid())
        return piece.start;
    const int cursor = textLine.xToCursor(x - originOf(p, index), onCharacter ? QTextLine::CursorOnCharacter
                                                                              : QTextLine::CursorBetweenCharacters);
    return piece.start + std::clamp<qsizetype>(piece.columnOf(cursor), 0, piece.length);
}

qsizetype LineLayouts::visualNeighbour(qsizetype line, qsizetype column, bool toRight)
{
    trim();
    LinePieces &p = pieces(line);
    column = std::clamp<qsizetype>(column, 0, p.length());
    size_t index = p.spanAt(column);
    const auto step = [toRight](const Piece &piece, qsizetype from) {
        const int cursor = piece.cursorOf(from);
        const int to = toRight ? piece.layout.rightCursorPosition(cursor) : piece.layout.leftCursorPosition(cursor);
        return to == cursor ? -1 : piece.columnOf(to);
    };
    const Piece &piece = laidOut(p, index);
    if (const qsizetype to = step(piece, column - piece.start); to >= 0)
        return piece.start + to;
    // At the piece's edge on screen: on into the piece beside it, which is the next one in
    // the text where the key goes the line's way. It is entered at the edge it shares
    // with this one; when that is where the caret already is, one step further.
    const bool later = toRight != p.isRightToLeft();
    if (later ? index + 1 >= p.count() : index == 0)
        return -1;
    index = later ? index + 1 : index - 1;
    const Piece &beside = laidOut(p, index);
    const qsizetype entry = later ? 0 : beside.length;
    if (beside.start + entry != column)
        return beside.start + entry;
    const qsizetype to = step(beside, entry);
    return to >= 0 ? beside.start + to : -1;
}

void LineLayouts::setPreedit(qsizetype line, qsizetype column, const QString &text,
                             const QList<QTextLayout::FormatRange> &formats)
{
    clearPreedit();
    if (text.isEmpty())
        return;
    m_preedit = {line, column, text, formats};
    relayOut(line, column);
}

void LineLayouts::clearPreedit()
{
    const Preedit old = std::exchange(m_preedit, {});
    if (old.line >= 0)
        relayOut(old.line, old.column);
}

void LineLayouts::relayOut(qsizetype line, qsizetype column)
{
    if (line >= m_document.lines().lineCount())
        return;
    trim();
    LinePieces &p = pieces(line);
    const size_t index = p.spanAt(std::min(column, p.length()));
    if (p.span(index).laidOut) {
        p.span(index).laidOut.reset();
        --m_layoutCount;
    }
    laidOut(p, index);
}

qreal LineLayouts::preeditX(qsizetype cursor)
{
    if (!hasPreedit() || m_preedit.line >= m_document.lines().lineCount())
        return 0;
    trim();
    LinePieces &p = pieces(m_preedit.line);
    const size_t index = p.spanAt(std::min(m_preedit.column, p.length()));
    const Piece &piece = laidOut(p, index);
    if (piece.preeditAt < 0 || !piece.layout.lineAt(0).isValid())
        return xOf(m_preedit.line, m_preedit.column);
    const qsizetype at = piece.lead + piece.preeditAt + std::clamp<qsizetype>(cursor, 0, piece.preeditLength);
    return originOf(p, index) + piece.layout.lineAt(0).cursorToX(int(at));
}

std::vector<std::pair<const LineLayouts::Piece *, qreal>> LineLayouts::piecesIn(qsizetype line, qreal x0, qreal x1)
{
    trim();
    std::vector<std::pair<const Piece *, qreal>> result;
    LinePieces &p = pieces(line);
    const qreal indent = p.isRightToLeft() ? rightToLeftIndent() : 0;
    const qint64 u0 = toUnits(x0 - indent);
    const qint64 u1 = toUnits(x1 - indent);
    // Laying a piece out measures it afresh, which may move the pieces after it: each
    // piece's place is read after the one before it was laid out.
    if (!p.isRightToLeft()) {
        for (size_t i = p.spanAtX(std::max<qint64>(0, u0)); i < p.count() && p.span(i).x < u1; ++i) {
            const Piece &piece = laidOut(p, i);
            if (p.endOf(i) >= u0)
                result.emplace_back(&piece, originOf(p, i));
        }
    } else {
        for (size_t i = p.spanAtX(u0) + 1; i-- > 0 && p.visualX(i) < u1;) {
            const Piece &piece = laidOut(p, i);
            result.emplace_back(&piece, originOf(p, i));
        }
    }
    return result;
}

qreal LineLayouts::widthOf(qsizetype line)
{
    LinePieces &p = pieces(line);
    return toPixels(p.width()) + (p.isRightToLeft() ? rightToLeftIndent() : 0);
}

bool LineLayouts::isRightToLeft(qsizetype line) { return pieces(line).isRightToLeft(); }

QString LineLayouts::shownText(qsizetype line)
{
    trim();
    QString shown;
    LinePieces &p = pieces(line);
    for (size_t index = 0; index < p.count(); ++index) {
        const bool had = p.span(index).laidOut != nullptr;
        const Piece &piece = laidOut(p, index);
        QString part = piece.layout.text().mid(piece.lead);
        for (const Marker &m : piece.markers)
            part[m.column] = m.original;
        shown += part;
        if (!had) { // a look at the whole of a long line keeps none of its layouts
            p.span(index).laidOut.reset();
            --m_layoutCount;
        }
    }
    return shown;
}

} // namespace korvane
