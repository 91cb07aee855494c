#include "editor/StandInMarkerPainter.h"

#include <QPainter>
#include <QTextLine>

namespace korvane {

namespace {

// The box is drawn a little lighter than the text, so a run of markers does not read as
// a black bar.
constexpr int BoxAlpha = 150;

} // namespace

StandInMarkerPainter::StandInMarkerPainter(QPainter &painter, const QPalette &palette, const QColor &textColor,
                                           const QFont &markerFont, int lineHeight)
    : m_painter(painter), m_palette(palette), m_boxColor(textColor), m_markerFont(markerFont), m_lineHeight(lineHeight)
{
    m_boxColor.setAlpha(BoxAlpha);
}

void StandInMarkerPainter::paint(const LineLayouts::Piece &piece, QPointF at, qsizetype selectedFrom,
                                 qsizetype selectedTo) const
{
    if (piece.markers.empty())
        return;
    const QTextLine textLine = piece.layout.lineAt(0);
    for (const LineLayouts::Marker &m : piece.markers) {
        const qreal a = textLine.cursorToX(int(m.column));
        const qreal b = textLine.cursorToX(int(m.column + 1));
        const QRectF box(at.x() + a + 1.5, at.y() + 2, b - a - 3, m_lineHeight - 4);
        const bool inSelection = m.column >= selectedFrom && m.column < selectedTo;
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(inSelection ? m_palette.highlightedText().color() : m_boxColor);
        m_painter.drawRoundedRect(box, 2, 2);
        m_painter.setPen(inSelection ? m_palette.highlight().color() : m_palette.base().color());
        m_painter.setFont(m_markerFont);
        m_painter.drawText(box, Qt::AlignCenter, m.label);
    }
}

} // namespace korvane
