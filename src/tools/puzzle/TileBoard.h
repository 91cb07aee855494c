#pragma once

#include <QList>

namespace korvane {

class RandomSource;

// The order of the tiles of a sliding-tile puzzle with columns × rows places. Tile k
// belongs at place k (places count row by row from the top left); the empty place
// belongs at the bottom right. Sizes are limited to 2..8 each way.
class TileBoard {
public:
    static constexpr int MinSize = 2;
    static constexpr int MaxSize = 8;
    static constexpr int Empty = -1;

    enum class Direction { Left, Right, Up, Down };

    TileBoard(int columns = MinSize, int rows = MinSize);

    static int clampSize(int size);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int placeCount() const { return m_columns * m_rows; }
    // Changes the size; the tiles go back in order.
    void setSize(int columns, int rows);

    // Tile at a place, or Empty.
    int tileAt(int place) const { return m_cells.at(place); }
    int emptyPlace() const { return m_empty; }
    const QList<int> &cells() const { return m_cells; }

    void putInOrder();
    bool isSolved() const;
    // A fresh random order that can be solved and is not solved yet; the empty place
    // stays at the bottom right.
    void shuffle(RandomSource &random);

    // True when the tile at this place is next to the empty place (not diagonally).
    bool canMove(int place) const;
    // Slides the tile at this place into the empty place; false when it is not next to it.
    bool move(int place);
    // Slides the neighbour of the empty place that lies opposite the direction into it,
    // so that the tile travels in that direction; false when there is none.
    bool slide(Direction direction);
    // The place of the tile that slide() would move, or -1.
    int slideSource(Direction direction) const;

private:
    int m_columns = MinSize;
    int m_rows = MinSize;
    QList<int> m_cells;
    int m_empty = 0;
};

} // namespace korvane
