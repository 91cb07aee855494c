#pragma once

#include "editor/textbox/PiecePainter.h"

namespace korvane {

// Draws the boxes that stand in for characters without a glyph of their own (see
// TextMarkers) over a piece of a line the view has just drawn: a rounded box in a
// softened text colour with its label ("NUL", "B5") cut out in the background colour,
// inverted where the character is selected. LineLayouts has already left each box's
// room in the line.
class StandInMarkerPainter final : public PiecePainter {
public:
    // Only boxes reaching into the visible stretch of the paint are drawn.
    void paintPiece(const Paint &paint, const LineLayouts::Piece &piece, QPointF at, qsizetype selectedFrom,
                    qsizetype selectedTo) const override;
};

} // namespace korvane
