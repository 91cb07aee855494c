#pragma once

#include "tools/blocks/Board.h"
#include "tools/blocks/FallingPiece.h"

#include <array>

namespace korvane::blocks {

// One cell of the falling piece on the board.
struct CellCoord {
    int x = 0;
    int y = 0;
    bool bottom = false;
};

// The tests that decide whether the falling piece may move sideways or turn, and the
// probe that looks for room around it before a turn. They read the grid and the piece
// and never change either; their by-products (the cells, the probe box, where a turned
// piece goes) stay readable until the next test.
class PieceProbe {
public:
    PieceProbe(const Board &board, const FallingPiece &piece) : m_board(board), m_piece(piece) {}

    // The four cells of the piece where its box stands now (entries 1 to 4; entry 0 unused).
    void locateCells();
    // The board column (1-based) of the box's left edge, as of the last locateCells().
    int boxColumn() const { return m_boxColumn; }
    void resetBoxColumn() { m_boxColumn = 0; }
    const std::array<CellCoord, 5> &cells() const { return m_cells; }

    bool canMoveLeft();
    bool canMoveRight();
    // Which way measureRoom() widens the piece's box.
    enum class Axis { Rows, Columns };
    // True when the piece's box holds no landed cell; then widens the box by up to
    // reach - 1 clear lines on each side along the axis.
    bool measureRoom(Axis axis, int reach);
    // Room for a tall piece to turn wide (sets rotatedLeft()) or a wide one to turn tall
    // (sets rotatedTop()).
    bool findRoomToLieWide();
    bool findRoomToStandTall();
    // Whether the piece may turn; when it may, rotatedLeft() or rotatedTop() says where it goes.
    bool canRotate();

    int minX() const { return m_minX; }
    int maxX() const { return m_maxX; }
    int minY() const { return m_minY; }
    int maxY() const { return m_maxY; }
    int rotatedLeft() const { return m_rotatedLeft; }
    int rotatedTop() const { return m_rotatedTop; }

    // True when the piece, with its box at (left, top), lies inside the board on empty cells.
    bool fitsAt(int left, int top) const;

private:
    bool occupiedOrOutside(int x, int y) const { return !Board::inGrid(x, y) || !m_board.isEmpty(x, y); }
    bool emptyOrOutside(int x, int y) const { return !Board::inGrid(x, y) || m_board.isEmpty(x, y); }
    bool columnClear(int x) const;
    bool rowClear(int y) const;

    const Board &m_board;
    const FallingPiece &m_piece;
    int m_boxColumn = 0;
    std::array<CellCoord, 5> m_cells{};
    int m_minX = 0, m_maxX = 0, m_minY = 0, m_maxY = 0;
    int m_rotatedLeft = 0, m_rotatedTop = 0;
};

} // namespace korvane::blocks
