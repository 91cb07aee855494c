#include "editor/textbox/StandInMarkerPainter.h"

#include <QPainter>

namespace korvane {

namespace {

// The box is drawn a little lighter than the text, so a run of markers does not read as
// a black bar.
constexpr int BoxAlpha = 150;

} // namespace

void StandInMarkerPainter::paintPiece(const Paint &paint, const LineLayouts::Piece &piece, QPointF at,
                                      qsizetype selectedFrom, qsizetype selectedTo) const
{
    if (piece.markers.empty())
        return;
    QPainter &painter = paint.painter;
    QColor boxColor = paint.textColor;
    boxColor.setAlpha(BoxAlpha);
    // Where each box goes was found when the piece was laid out.
    for (const LineLayouts::Marker &m : piece.markers) {
        if (at.x() + m.x + m.width < paint.visibleLeft || at.x() + m.x >= paint.visibleRight)
            continue;
        const QRectF box(at.x() + m.x + 1.5, at.y() + 2, m.width - 3, paint.lineHeight - 4);
        const bool inSelection = m.column >= selectedFrom && m.column < selectedTo;
        painter.setPen(Qt::NoPen);
        painter.setBrush(inSelection ? paint.palette.highlightedText().color() : boxColor);
        painter.drawRoundedRect(box, 2, 2);
        painter.setPen(inSelection ? paint.palette.highlight().color() : paint.palette.base().color());
        painter.setFont(paint.markerFont);
        painter.drawText(box, Qt::AlignCenter, m.label);
    }
}

} // namespace korvane
