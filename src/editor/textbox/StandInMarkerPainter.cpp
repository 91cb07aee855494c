#include "editor/textbox/StandInMarkerPainter.h"

#include <QPainter>

namespace korvane {

namespace {

// The box is drawn a little lighter than the text, so a run of markers does not read as
// a black bar.
constexpr int BoxAlpha = 150;

} // namespace

StandInMarkerPainter::StandInMarkerPainter(QPainter &painter, const QPalette &palette, const QColor &textColor,
                                           const QFont &markerFont, int lineHeight, qreal visibleLeft,
                                           qreal visibleRight)
    : m_painter(painter), m_palette(palette), m_boxColor(textColor), m_markerFont(markerFont), m_lineHeight(lineHeight),
      m_visibleLeft(visibleLeft), m_visibleRight(visibleRight)
{
    m_boxColor.setAlpha(BoxAlpha);
}

void StandInMarkerPainter::paint(const LineLayouts::Piece &piece, QPointF at, qsizetype selectedFrom,
                                 qsizetype selectedTo) const
{
    // Where each box goes was found when the piece was laid out.
    for (const LineLayouts::Marker &m : piece.markers) {
        if (at.x() + m.x + m.width < m_visibleLeft || at.x() + m.x >= m_visibleRight)
            continue;
        const QRectF box(at.x() + m.x + 1.5, at.y() + 2, m.width - 3, m_lineHeight - 4);
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
