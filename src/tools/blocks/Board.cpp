#include "tools/blocks/Board.h"

namespace korvane::blocks {

void Board::set(int x, int y, int v)
{
    if (x >= 1 && x <= Columns && y >= 1 && y <= Rows)
        m_cells[index(x, y)] = static_cast<std::int16_t>(v);
}

void Board::clear() { m_cells.fill(0); }

bool Board::isRowFull(int y) const
{
    if (y < 1 || y > Rows)
        return false;
    for (int x = 1; x <= Columns; ++x)
        if (value(x, y) == 0)
            return false;
    return true;
}

void Board::removeRow(int y)
{
    if (y < 1 || y > Rows)
        return;
    for (int j = y; j >= 1; --j)
        for (int x = 1; x <= Columns; ++x)
            m_cells[index(x, j)] = m_cells[index(x, j - 1)];
}

int Board::occupiedCount() const
{
    int n = 0;
    for (int y = 1; y <= Rows; ++y)
        for (int x = 1; x <= Columns; ++x)
            n += value(x, y) != 0;
    return n;
}

} // namespace korvane::blocks
