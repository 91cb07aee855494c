#pragma once

#include <QImage>

namespace korvane::blocks {

// The picture of the landed pieces: 200 x 400 pixels, white where the board is empty,
// 20 pixels per cell. It only ever changes together with the occupancy grid.
class BoardPicture {
public:
    static constexpr int Width = 200;
    static constexpr int Height = 400;

    BoardPicture();

    const QImage &image() const { return m_image; }

    void clear();
    // Combines a piece picture into the board at a cell position with a bitwise AND,
    // so that the picture's white parts leave the board as it was.
    void stamp(const QImage &picture, int leftCell, int topCell);
    // Removes row y (1 to 20): the rows above slide down one row over it, and the top
    // row becomes white, as the grid's top row becomes empty.
    void removeRow(int y);
    // A copy of the pixels under a box of cells; whatever lies outside the board reads white.
    QImage region(int leftCell, int topCell, int widthCells, int heightCells) const;

    // dst := dst AND src, pixel by pixel, over the area both cover (both RGB32, top-left aligned).
    static void andInto(QImage &dst, const QImage &src, int atX = 0, int atY = 0);

private:
    QImage m_image;
};

} // namespace korvane::blocks
