#include "BlocksFixture.h"

#include <QStringList>

using namespace blocks_test;

namespace {

// Every orientation as its picture is drawn: X a cell, . empty, rows top to bottom.
struct Drawn {
    int kind;
    int orientation;
    int picture;
    const char *rows;
};

const Drawn AllOrientations[] = {
    {1, 0, 11, "X/X/X/X"},  {1, 1, 12, "XXXX"},     {2, 0, 13, "XX./.XX"},  {2, 1, 14, ".X/XX/X."},
    {3, 0, 15, "XX/.X/.X"}, {3, 1, 16, "..X/XXX"},  {3, 2, 17, "X./X./XX"}, {3, 3, 18, "XXX/X.."},
    {4, 0, 19, ".X./XXX"},  {4, 1, 20, "X./XX/X."}, {4, 2, 21, "XXX/.X."},  {4, 3, 22, ".X/XX/.X"},
    {5, 0, 23, "XX/X./X."}, {5, 1, 24, "XXX/..X"},  {5, 2, 25, ".X/.X/XX"}, {5, 3, 26, "X../XXX"},
    {6, 0, 27, ".XX/XX."},  {6, 1, 28, "X./XX/.X"}, {7, 0, 29, "XX/XX"},
};

QStringList rowsOf(const Drawn &d) { return QString::fromLatin1(d.rows).split(QLatin1Char('/')); }

// A cell is a bottom cell when the cell below it in the drawing is not part of the piece.
bool drawnBottom(const QStringList &rows, int dx, int dy)
{
    return dy + 1 >= rows.size() || rows[dy + 1][dx] != QLatin1Char('X');
}

class PieceShapesTest : public BlocksFixture {};

TEST_F(PieceShapesTest, LocateCellsGivesTheDrawnCellsOfEveryOrientationWhereTheBoxStands)
{
    for (const Drawn &d : AllOrientations) {
        SCOPED_TRACE(d.picture);
        const QStringList rows = rowsOf(d);
        game.placePiece(d.kind, d.orientation, 3, 5);
        EXPECT_EQ(game.piece().picture, d.picture);
        EXPECT_EQ(game.piece().width(), rows[0].size());
        EXPECT_EQ(game.piece().height(), rows.size());

        game.probe().locateCells();
        EXPECT_EQ(game.probe().boxColumn(), 4);
        std::set<std::tuple<int, int, bool>> got;
        for (int i = 1; i <= 4; ++i) {
            const CellCoord &c = game.probe().cells()[i];
            got.insert({c.x, c.y, c.bottom});
        }
        std::set<std::tuple<int, int, bool>> expected;
        for (int dy = 0; dy < rows.size(); ++dy)
            for (int dx = 0; dx < rows[dy].size(); ++dx)
                if (rows[dy][dx] == QLatin1Char('X'))
                    expected.insert({4 + dx, 6 + dy, drawnBottom(rows, dx, dy)});
        EXPECT_EQ(got, expected);
        // Every picture reaches its box's left, right and bottom edges.
        EXPECT_TRUE(
            std::any_of(rows.begin(), rows.end(), [](const QString &r) { return r.front() == QLatin1Char('X'); }));
        EXPECT_TRUE(
            std::any_of(rows.begin(), rows.end(), [](const QString &r) { return r.back() == QLatin1Char('X'); }));
        EXPECT_TRUE(rows.back().contains(QLatin1Char('X')));
    }
}

TEST_F(PieceShapesTest, EachTurnIsTheDrawingTurnedClockwise)
{
    for (int kind = 1; kind <= 7; ++kind) {
        const int count = PieceShapes::orientationCount(kind);
        for (int o = 0; o < count; ++o) {
            const QStringList from = rowsOf(AllOrientations[PieceShapes::pictureNumber(kind, o) - 11]);
            const QStringList to = rowsOf(AllOrientations[PieceShapes::pictureNumber(kind, o + 1) - 11]);
            // Turning clockwise: new row r, column c is old row (h - 1 - c), column r.
            QStringList turned;
            for (int r = 0; r < from[0].size(); ++r) {
                QString line;
                for (int c = 0; c < from.size(); ++c)
                    line += from[from.size() - 1 - c][r];
                turned << line;
            }
            EXPECT_EQ(turned, to) << "kind " << kind << " orientation " << o;
        }
    }
}

TEST_F(PieceShapesTest, RotationCountKeepsGrowingAcrossOrientations)
{
    EXPECT_EQ(PieceShapes::pictureNumber(1, 5), 12); // an I turned five times lies flat
    EXPECT_EQ(PieceShapes::pictureNumber(3, 6), 17); // an L turned six times
    EXPECT_EQ(PieceShapes::pictureNumber(7, 3), 29);
    EXPECT_EQ(PieceShapes::pictureNumber(4, 4099), 22);

    game.placePiece(1, 5, 6, 3);
    const auto cells = pieceCells();
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{7, 4}, {8, 4}, {9, 4}, {10, 4}})); // lying I at Left 6
}

TEST_F(PieceShapesTest, NoPieceYetCoversNothingAndNeverLandsOrBlocks)
{
    game.piece().left = 4;
    game.piece().top = 19;
    game.probe().locateCells();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(game.probe().cells()[i].x, 0);
        EXPECT_EQ(game.probe().cells()[i].y, 0);
        EXPECT_FALSE(game.probe().cells()[i].bottom);
    }
    EXPECT_FALSE(game.landIfBlocked());
    EXPECT_EQ(game.board().occupiedCount(), 0);
    EXPECT_TRUE(game.probe().canMoveLeft());
    EXPECT_FALSE(game.probe().canRotate());
}

TEST_F(PieceShapesTest, BoardEdgesStayEmpty)
{
    Board board;
    board.set(0, 5, Board::Occupied);
    board.set(5, 0, Board::Occupied);
    board.set(11, 5, Board::Occupied);
    board.set(5, 21, Board::Occupied);
    EXPECT_EQ(board.occupiedCount(), 0);
    EXPECT_TRUE(board.isEmpty(0, 5));
    EXPECT_TRUE(board.isEmpty(5, 0));
    for (int x = 1; x <= 10; ++x)
        board.set(x, 1, Board::Occupied);
    EXPECT_TRUE(board.isRowFull(1));
    board.removeRow(1); // row 1 receives the empty row 0
    EXPECT_EQ(board.occupiedCount(), 0);
}

} // namespace
