#pragma once

#include <array>
#include <cstdint>

namespace korvane::blocks {

// The occupancy grid: columns 0 to 10 by rows 0 to 20, 0 for empty and -1 for a landed
// cell. Only columns 1 to 10 of rows 1 to 20 are ever occupied; column 0 and row 0 stay
// empty, and row 0 is what enters at the top when rows move down.
class Board {
public:
    static constexpr int Columns = 10;
    static constexpr int Rows = 20;
    static constexpr std::int16_t Occupied = -1;

    Board() { m_cells.fill(0); }

    static bool inGrid(int x, int y) { return x >= 0 && x <= Columns && y >= 0 && y <= Rows; }
    // The entry at (x, y); 0 for anything outside the grid (callers decide what that means).
    int value(int x, int y) const { return inGrid(x, y) ? m_cells[index(x, y)] : 0; }
    bool isEmpty(int x, int y) const { return value(x, y) == 0; }
    // Cells outside columns 1 to 10 and rows 1 to 20 cannot be set.
    void set(int x, int y, int v);

    // A new game: columns 1 to 10 of rows 0 to 20 become empty.
    void clear();
    bool isRowFull(int y) const;
    // Removes row y: every row above moves down one, row 1 receives the empty row 0.
    void removeRow(int y);
    int occupiedCount() const;

private:
    static int index(int x, int y) { return y * (Columns + 1) + x; }
    std::array<std::int16_t, (Columns + 1) * (Rows + 1)> m_cells;
};

} // namespace korvane::blocks
