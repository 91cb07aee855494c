#include "tools/blocks/PieceProbe.h"

#include <algorithm>

namespace korvane::blocks {

void PieceProbe::locateCells()
{
    m_cells.fill(CellCoord{});
    m_boxColumn = m_piece.left + 1;
    const int orientation = PieceShapes::orientationOf(m_piece.kind, m_piece.rotations);
    const PieceShape *shape = PieceShapes::shape(m_piece.kind, orientation);
    if (!shape)
        return; // no piece yet: four cells at (0, 0) that neither land nor block
    for (int i = 0; i < 4; ++i) {
        const CellOffset &c = shape->cells[i];
        m_cells[i + 1] = {m_boxColumn + c.dx, m_piece.top + 1 + c.dy, c.bottom};
    }
}

bool PieceProbe::canMoveLeft()
{
    locateCells();
    for (int i = 1; i <= 4; ++i) {
        const CellCoord &c = m_cells[i];
        if (c.y >= 1 && occupiedOrOutside(c.x - 1, c.y))
            return false;
    }
    return true;
}

bool PieceProbe::canMoveRight()
{
    locateCells();
    for (int i = 1; i <= 4; ++i) {
        const CellCoord &c = m_cells[i];
        if (c.y >= 1 && (c.x >= Board::Columns || occupiedOrOutside(c.x + 1, c.y)))
            return false;
    }
    return true;
}

// A line is clear when its empty cells across the box number at least the piece box's
// width and height; the stretch counted is never longer than the piece, so that means
// no landed cell across the box.
bool PieceProbe::columnClear(int x) const
{
    int empty = 0;
    for (int y = m_minY; y <= m_maxY; ++y)
        empty += emptyOrOutside(x, y);
    return empty >= m_piece.width() && empty >= m_piece.height();
}

bool PieceProbe::rowClear(int y) const
{
    int empty = 0;
    for (int x = m_minX; x <= m_maxX; ++x)
        empty += emptyOrOutside(x, y);
    return empty >= m_piece.width() && empty >= m_piece.height();
}

bool PieceProbe::measureRoom(Axis axis, int reach)
{
    locateCells();
    m_minX = m_maxX = m_cells[1].x;
    m_minY = m_maxY = m_cells[1].y;
    for (int i = 2; i <= 4; ++i) {
        m_minX = std::min(m_minX, m_cells[i].x);
        m_maxX = std::max(m_maxX, m_cells[i].x);
        m_minY = std::min(m_minY, m_cells[i].y);
        m_maxY = std::max(m_maxY, m_cells[i].y);
    }
    for (int y = m_minY; y <= m_maxY; ++y)
        for (int x = m_minX; x <= m_maxX; ++x)
            if (occupiedOrOutside(x, y))
                return false;

    if (axis == Axis::Columns) {
        int n = 0;
        for (int x = m_minX - 1; x >= m_minX - reach + 1 && columnClear(x); --x)
            ++n;
        m_minX = std::max(1, m_minX - n);
        n = 0;
        for (int x = m_maxX + 1; x <= m_maxX + reach - 1 && columnClear(x); ++x)
            ++n;
        m_maxX = std::min(Board::Columns, m_maxX + n);
    } else {
        int n = 0;
        for (int y = m_minY - 1; y >= m_minY - reach + 1 && rowClear(y); --y)
            ++n;
        m_minY = std::max(1, m_minY - n);
        n = 0;
        for (int y = m_maxY + 1; y <= m_maxY + reach - 1 && rowClear(y); ++y)
            ++n;
        m_maxY = std::min(Board::Rows, m_maxY + n);
    }
    return true;
}

bool PieceProbe::findRoomToLieWide()
{
    if (!measureRoom(Axis::Columns, 2) || m_maxX - m_minX < 2)
        return false;
    m_rotatedLeft = m_maxX - m_boxColumn > 1 ? m_boxColumn - 1 : m_maxX - 3;
    return true;
}

bool PieceProbe::findRoomToStandTall()
{
    if (!measureRoom(Axis::Rows, 2) || m_maxY - m_minY < 2)
        return false;
    m_rotatedTop = m_maxY - (m_piece.top + 1) > 1 ? m_piece.top : m_minY - 1;
    return true;
}

bool PieceProbe::canRotate()
{
    const int kind = m_piece.kind;
    const int orientation = PieceShapes::orientationOf(kind, m_piece.rotations);
    switch (kind) {
    case 1:
        if (orientation == 1) {
            if (!measureRoom(Axis::Rows, 4) || m_maxY - m_minY < 3)
                return false;
            m_rotatedTop = m_minY - 1;
            return true;
        }
        if (!measureRoom(Axis::Columns, 4) || m_maxX - m_minX < 3)
            return false;
        if (m_maxX - m_boxColumn > 2)
            m_rotatedLeft = m_boxColumn == m_minX ? m_boxColumn - 1 : m_boxColumn - 2;
        else
            m_rotatedLeft = m_maxX - 4;
        return true;
    case 3:
    case 5: // tall in orientations 0 and 2
        return orientation % 2 == 0 ? findRoomToLieWide() : findRoomToStandTall();
    case 2:
    case 4:
    case 6: // wide in orientation 0 (and 2 for T)
        return orientation % 2 == 0 ? findRoomToStandTall() : findRoomToLieWide();
    default: return false; // the O has one orientation; no piece, no turn
    }
}

bool PieceProbe::fitsAt(int left, int top) const
{
    const PieceShape *shape = m_piece.shape();
    if (!shape)
        return false;
    for (const CellOffset &c : shape->cells) {
        const int x = left + 1 + c.dx;
        const int y = top + 1 + c.dy;
        if (x < 1 || x > Board::Columns || y < 1 || y > Board::Rows || !m_board.isEmpty(x, y))
            return false;
    }
    return true;
}

} // namespace korvane::blocks
