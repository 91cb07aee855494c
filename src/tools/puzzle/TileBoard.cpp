#include "tools/puzzle/TileBoard.h"

#include "platform/RandomSource.h"

#include <algorithm>
#include <cstdlib>

namespace korvane {

TileBoard::TileBoard(int columns, int rows) { setSize(columns, rows); }

int TileBoard::clampSize(int size) { return std::clamp(size, MinSize, MaxSize); }

void TileBoard::setSize(int columns, int rows)
{
    m_columns = clampSize(columns);
    m_rows = clampSize(rows);
    putInOrder();
}

void TileBoard::putInOrder()
{
    const int n = placeCount();
    m_cells.resize(n);
    for (int i = 0; i < n - 1; ++i)
        m_cells[i] = i;
    m_cells[n - 1] = Empty;
    m_empty = n - 1;
}

bool TileBoard::isSolved() const
{
    for (int i = 0; i < placeCount() - 1; ++i)
        if (m_cells.at(i) != i)
            return false;
    return true;
}

void TileBoard::shuffle(RandomSource &random)
{
    putInOrder();
    const int tiles = placeCount() - 1; // at least 3
    bool odd = false;
    for (int i = tiles - 1; i > 0; --i) {
        int j = static_cast<int>(random.nextRandom() * (i + 1));
        j = std::clamp(j, 0, i);
        if (j != i) {
            std::swap(m_cells[i], m_cells[j]);
            odd = !odd;
        }
    }
    // With the empty place at home, exactly the even orders can be solved.
    if (odd)
        std::swap(m_cells[0], m_cells[1]);
    // Never hand out a finished puzzle: turn three tiles of the bottom-right corner
    // one step round, which keeps the order even.
    if (isSolved()) {
        const int a = (m_rows - 2) * m_columns + m_columns - 2; // above left of the empty place
        const int b = a + 1;                                    // above it
        const int c = a + m_columns;                            // left of it
        const int t = m_cells[a];
        m_cells[a] = m_cells[c];
        m_cells[c] = m_cells[b];
        m_cells[b] = t;
    }
}

bool TileBoard::canMove(int place) const
{
    if (place < 0 || place >= placeCount() || place == m_empty)
        return false;
    const int dr = std::abs(place / m_columns - m_empty / m_columns);
    const int dc = std::abs(place % m_columns - m_empty % m_columns);
    return dr + dc == 1;
}

bool TileBoard::move(int place)
{
    if (!canMove(place))
        return false;
    m_cells[m_empty] = m_cells[place];
    m_cells[place] = Empty;
    m_empty = place;
    return true;
}

int TileBoard::slideSource(Direction direction) const
{
    const int row = m_empty / m_columns;
    const int col = m_empty % m_columns;
    switch (direction) {
    case Direction::Left: return col + 1 < m_columns ? m_empty + 1 : -1;
    case Direction::Right: return col > 0 ? m_empty - 1 : -1;
    case Direction::Up: return row + 1 < m_rows ? m_empty + m_columns : -1;
    case Direction::Down: return row > 0 ? m_empty - m_columns : -1;
    }
    return -1;
}

bool TileBoard::slide(Direction direction)
{
    const int source = slideSource(direction);
    return source >= 0 && move(source);
}

} // namespace korvane
