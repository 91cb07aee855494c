#pragma once

#include "ScriptedPlatform.h"
#include "tools/blocks/BlocksGame.h"
#include "tools/blocks/PiecePictures.h"
#include "tools/blocks/PieceShapes.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace blocks_test {

using namespace korvane;
using namespace korvane::blocks;

// The random number that makes the game draw a given kind (kind = int(r * 7 + 1)).
inline double drawOf(int kind) { return (kind - 1 + 0.5) / 7.0; }

class BlocksFixture : public ::testing::Test {
protected:
    // Starts a game whose first piece and next piece are of the given kinds.
    void startGame(int first, int next)
    {
        platform.randomValues.push_back(drawOf(first));
        platform.randomValues.push_back(drawOf(next));
        game.newGame();
    }
    // The kinds that the following draws give, in order.
    void queueKinds(std::initializer_list<int> kinds)
    {
        for (int k : kinds)
            platform.randomValues.push_back(drawOf(k));
    }
    // A landed cell of a kind's colours, in the grid and in the picture alike.
    void landCell(int x, int y, int kind = 7)
    {
        game.board().set(x, y, Board::Occupied);
        game.boardPicture().stamp(cellPicture(kind), x - 1, y - 1);
    }
    void fillRow(int y, std::initializer_list<int> except = {}, int kind = 7)
    {
        for (int x = 1; x <= Board::Columns; ++x)
            if (std::find(except.begin(), except.end(), x) == except.end())
                landCell(x, y, kind);
    }
    static QImage cellPicture(int kind)
    {
        // Every picture's cell looks alike; the O's top-left cell is one.
        QImage cell = PiecePictures::picture(29).copy(0, 0, 20, 20);
        const PieceColours c = PieceShapes::colours(kind);
        const PieceColours o = PieceShapes::colours(7);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const QRgb p = cell.pixel(x, y);
                cell.setPixel(x, y, p == o.face ? c.face : p == o.light ? c.light : c.dark);
            }
        return cell;
    }
    // The pixels of one board cell (column x, row y).
    QImage cellPixels(int x, int y) const
    {
        return game.boardPicture().image().copy((x - 1) * 20, (y - 1) * 20, 20, 20);
    }
    bool cellIsWhite(int x, int y) const
    {
        const QImage c = cellPixels(x, y);
        for (int j = 0; j < 20; ++j)
            for (int i = 0; i < 20; ++i)
                if (c.pixel(i, j) != 0xffffffffu)
                    return false;
        return true;
    }
    // Where the falling piece's cells are now, as (column, row) pairs.
    std::set<std::pair<int, int>> pieceCells()
    {
        game.probe().locateCells();
        std::set<std::pair<int, int>> cells;
        for (int i = 1; i <= 4; ++i)
            cells.insert({game.probe().cells()[i].x, game.probe().cells()[i].y});
        return cells;
    }

    ScriptedPlatform platform;
    BlocksGame game{platform};
};

} // namespace blocks_test
