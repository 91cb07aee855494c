#include "BlocksFixture.h"

using namespace blocks_test;

namespace {

using Cells = std::set<std::pair<int, int>>;

class MovementTest : public BlocksFixture {
protected:
    // A fresh board with the given landed cells and the piece placed on it.
    void setUp(int kind, int rotations, int left, int top, std::initializer_list<std::pair<int, int>> landed)
    {
        game.board().clear();
        game.boardPicture().clear();
        for (const auto &[x, y] : landed)
            landCell(x, y);
        game.placePiece(kind, rotations, left, top);
    }
};

TEST_F(MovementTest, WallsAndLandedCellsStopSidewaysMoves)
{
    using Move = BlocksGame::Move;
    const struct {
        const char *what;
        int kind, rotations, left, top;
        std::initializer_list<std::pair<int, int>> landed;
        Move move;
        int leftAfter;
    } cases[] = {
        {"T at the left wall", 4, 0, 0, 5, {}, Move::Left, 0},
        {"T at the left wall", 4, 0, 0, 5, {}, Move::Right, 1},
        {"T touching the right wall", 4, 0, 7, 5, {}, Move::Right, 7},
        {"lying I in columns 7 to 10", 1, 1, 6, 5, {}, Move::Right, 6},
        {"lying I in columns 7 to 10", 1, 1, 6, 5, {}, Move::Left, 5},
        // T ".X./XXX" at Left 4, Top 5: cells (6,6), (5,7), (6,7), (7,7).
        {"cell in the empty corner left of the top cell", 4, 0, 4, 5, {{5, 6}}, Move::Left, 4},
        {"cell in the empty corner left of the top cell", 4, 0, 4, 5, {{5, 6}}, Move::Right, 5},
        {"cell beside the empty right corner", 4, 0, 4, 5, {{8, 6}}, Move::Right, 5},
        {"cell beside the bottom right cell", 4, 0, 4, 5, {{8, 7}}, Move::Right, 4},
        {"cell beside the bottom left cell", 4, 0, 4, 5, {{4, 7}}, Move::Left, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setUp(c.kind, c.rotations, c.left, c.top, c.landed);
        c.move == Move::Left ? game.moveLeft() : game.moveRight();
        EXPECT_EQ(game.piece().left, c.leftAfter);
    }
}

TEST_F(MovementTest, ACellInTheLastColumnNeverMovesRight)
{
    game.placePiece(4, 0, 7, 5);
    EXPECT_FALSE(game.probe().canMoveRight());
}

TEST_F(MovementTest, AMovedPieceShowsTheBoardThroughItsWhiteParts)
{
    game.placePiece(4, 0, 4, 5); // T; after the move its box covers columns 4 to 6, rows 6 and 7
    landCell(4, 6, 1);           // a red cell under the box's empty top-left corner
    game.moveLeft();
    ASSERT_EQ(game.piece().left, 3);
    const QImage &shown = game.piece().image;
    ASSERT_EQ(shown.size(), QSize(60, 40));
    EXPECT_EQ(shown.copy(0, 0, 20, 20), cellPicture(1));             // the board through the corner
    EXPECT_EQ(shown.copy(40, 0, 20, 20).pixel(10, 10), 0xffffffffu); // the other corner: white board
    EXPECT_EQ(shown.copy(20, 0, 20, 20), cellPicture(4));            // the piece's own cells keep their colours
    EXPECT_EQ(shown.copy(0, 20, 20, 20), cellPicture(4));

    // A turn shows the plain picture again, white corners and all.
    game.board().clear();
    game.rotate();
    ASSERT_EQ(game.piece().rotations, 1);
    EXPECT_EQ(game.piece().image, PiecePictures::picture(game.piece().picture));
}

TEST_F(MovementTest, TurnsWhereTheBoardLeavesRoom)
{
    const struct {
        const char *what;
        int kind, rotations, left, top;
        std::initializer_list<std::pair<int, int>> landed;
        int turns;          // how often the player turns it
        int rotationsAfter; // unchanged when it cannot turn
        int pictureAfter;
        Cells cellsAfter;
        // clang-format off
    } cases[] = {
        {"O never turns", 7, 0, 4, 5, {}, 3, 0, 29, {{5, 6}, {6, 6}, {5, 7}, {6, 7}}},
        {"upright I at the left wall lies on its lowest row", 1, 0, 0, 5, {}, 1, 1, 12,
         {{1, 9}, {2, 9}, {3, 9}, {4, 9}}},
        {"upright I at the right wall is pushed left", 1, 0, 9, 5, {}, 1, 1, 12, {{7, 9}, {8, 9}, {9, 9}, {10, 9}}},
        {"upright I at the right wall with only three columns", 1, 0, 9, 5, {{7, 8}}, 1, 0, 11,
         {{10, 6}, {10, 7}, {10, 8}, {10, 9}}},
        {"upright I in the open lies from the column left of it", 1, 0, 4, 5, {}, 1, 1, 12,
         {{4, 9}, {5, 9}, {6, 9}, {7, 9}}},
        {"lying I stands up as high as the clear rows allow", 1, 1, 3, 10, {}, 1, 2, 11,
         {{5, 8}, {5, 9}, {5, 10}, {5, 11}}},
        {"lying I on the floor", 1, 1, 3, 19, {}, 1, 2, 11, {{5, 17}, {5, 18}, {5, 19}, {5, 20}}},
        {"lying I with two clear rows above the floor", 1, 1, 3, 19, {{4, 17}}, 1, 1, 12,
         {{4, 20}, {5, 20}, {6, 20}, {7, 20}}},
        {"tall Z at the right wall is pushed left", 2, 1, 8, 5, {}, 1, 2, 13, {{8, 7}, {9, 7}, {9, 8}, {10, 8}}},
        {"tall L to wide keeps its lower two rows", 3, 0, 4, 5, {}, 1, 1, 16, {{7, 7}, {5, 8}, {6, 8}, {7, 8}}},
        {"wide T on the floor is lifted to stand up", 4, 0, 3, 18, {}, 1, 1, 20,
         {{4, 18}, {4, 19}, {5, 19}, {4, 20}}},
        {"wide T on the floor below a taken row 18", 4, 0, 3, 18, {{6, 18}}, 1, 0, 19,
         {{5, 19}, {4, 20}, {5, 20}, {6, 20}}},
        {"T in rows 1 and 2, row 3 taken: no room above the first row", 4, 0, 4, 0, {{5, 3}}, 1, 0, 19,
         {{6, 1}, {5, 2}, {6, 2}, {7, 2}}},
        {"T in rows 1 and 2, row 3 free: turns where it stands", 4, 0, 4, 0, {}, 1, 1, 20,
         {{5, 1}, {5, 2}, {6, 2}, {5, 3}}},
        // Its turned shape would not reach (7,6), yet the empty corner counts.
        {"a landed cell in an empty corner", 4, 0, 4, 5, {{7, 6}}, 1, 0, 19, {{6, 6}, {5, 7}, {6, 7}, {7, 7}}},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setUp(c.kind, c.rotations, c.left, c.top, c.landed);
        EXPECT_EQ(game.probe().canRotate(), c.rotationsAfter != c.rotations);
        for (int i = 0; i < c.turns; ++i)
            game.rotate();
        EXPECT_EQ(game.piece().rotations, c.rotationsAfter);
        EXPECT_EQ(game.piece().picture, c.pictureAfter);
        EXPECT_EQ(pieceCells(), c.cellsAfter);
    }
}

TEST_F(MovementTest, RotationCountKeepsCountingThroughFullTurns)
{
    game.placePiece(4, 0, 4, 5);
    for (int i = 0; i < 5; ++i)
        game.rotate();
    EXPECT_EQ(game.piece().rotations, 5);
    EXPECT_EQ(game.piece().picture, 20);
}

TEST_F(MovementTest, ATurnNeverCoversALandedCell)
{
    // Every kind, orientation and place on a board with a scattered pile.
    for (int kind = 1; kind <= 7; ++kind)
        for (int o = 0; o < 4; ++o)
            for (int left = 0; left <= 9; ++left)
                for (int top = 0; top <= 19; ++top) {
                    game.board().clear();
                    for (int x = 1; x <= 10; ++x)
                        for (int y = 10; y <= 20; ++y)
                            if ((x * 7 + y * 3) % 5 == 0)
                                game.board().set(x, y, Board::Occupied);
                    game.placePiece(kind, o, left, top);
                    if (left + game.piece().width() > 10 || top + game.piece().height() > 20 ||
                        !game.probe().fitsAt(left, top))
                        continue;
                    game.rotate();
                    ASSERT_TRUE(game.probe().fitsAt(game.piece().left, game.piece().top))
                        << kind << " " << o << " " << left << " " << top;
                }
}

} // namespace
