#pragma once

#include "editor/textbox/LineLayouts.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QPainter;

namespace korvane {

// What a text box draws over each piece of a line right after the piece's text: the box
// calls it once per piece it paints, so it must be cheap where it has nothing to draw.
class PiecePainter {
public:
    // One paint of the box: its painter and colours, and the stretch [visibleLeft,
    // visibleRight) of the painter being drawn.
    struct Paint {
        QPainter &painter;
        const QPalette &palette;
        QColor textColor;
        const QFont &markerFont;
        int lineHeight;
        qreal visibleLeft;
        qreal visibleRight;
    };

    virtual ~PiecePainter() = default;
    // A piece drawn at `at`; columns [selectedFrom, selectedTo) of the piece are selected
    // (either may lie outside the piece).
    virtual void paintPiece(const Paint &paint, const LineLayouts::Piece &piece, QPointF at, qsizetype selectedFrom,
                            qsizetype selectedTo) const = 0;
};

} // namespace korvane
