#pragma once

#include "tools/blocks/PieceShapes.h"

#include <QImage>

namespace korvane::blocks {

// The falling piece: its kind, how often it has turned, where its box stands on the
// board (in cells, Left and Top 0-based) and what the box shows.
struct FallingPiece {
    int kind = 0;      // 1 to 7; 0 before the first piece
    int rotations = 0; // rotations since the piece was spawned, never reduced
    int left = 0;
    int top = 0;
    int picture = 0; // the clean picture of the current orientation, 0 for none
    bool visible = false;
    QImage image; // what the box shows: the clean picture, after a move combined with the board

    int width() const { return shape() ? shape()->width : 0; }
    int height() const { return shape() ? shape()->height : 0; }
    const PieceShape *shape() const { return PieceShapes::shapeOfPicture(picture); }
};

} // namespace korvane::blocks
