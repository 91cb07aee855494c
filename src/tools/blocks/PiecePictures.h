#pragma once

#include <QImage>

namespace korvane::blocks::PiecePictures {

// The piece pictures, numbered 11 to 29: each as large as its piece's box, 20 pixels per
// cell, every cell with a light top-left edge, a dark bottom-right edge and its kind's
// face colour, and pure white wherever no cell is. White is what lets the board show
// through when a picture is combined with the board by a bitwise AND.
// Drawn once from the colour table; a null image for any other number.
QImage picture(int number);

} // namespace korvane::blocks::PiecePictures
