#pragma once

#include "editor/textbox/LineLayouts.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QPainter;

namespace korvane {

// Draws the boxes that stand in for characters without a glyph of their own (see
// TextMarkers) over a piece of a line the view has just drawn: a rounded box in a
// softened text colour with its label ("NUL", "B5") cut out in the background colour,
// inverted where the character is selected. LineLayouts has already left each box's
// room in the line. One is made for each paint, with that paint's colours.
class StandInMarkerPainter {
public:
    // Only boxes reaching into [visibleLeft, visibleRight) of the painter are drawn.
    StandInMarkerPainter(QPainter &painter, const QPalette &palette, const QColor &textColor, const QFont &markerFont,
                         int lineHeight, qreal visibleLeft, qreal visibleRight);

    // The markers of a piece drawn at `at`; columns [selectedFrom, selectedTo) of the
    // piece are selected (either may lie outside the piece).
    void paint(const LineLayouts::Piece &piece, QPointF at, qsizetype selectedFrom, qsizetype selectedTo) const;

private:
    QPainter &m_painter;
    const QPalette &m_palette;
    QColor m_boxColor;
    const QFont &m_markerFont;
    int m_lineHeight;
    qreal m_visibleLeft;
    qreal m_visibleRight;
};

} // namespace korvane
