#include "BlocksFixture.h"

using namespace blocks_test;

namespace {

using Cells = std::set<std::pair<int, int>>;

class MovementTest : public BlocksFixture {};

TEST_F(MovementTest, WallsStopSidewaysMoves)
{
    game.placePiece(4, 0, 0, 5); // T at the left wall
    game.moveLeft();
    EXPECT_EQ(game.piece().left, 0);
    game.moveRight();
    EXPECT_EQ(game.piece().left, 1);

    game.placePiece(4, 0, 7, 5); // T touching the right wall (Left + Width = 10)
    game.moveRight();
    EXPECT_EQ(game.piece().left, 7);
    EXPECT_FALSE(game.probe().JudgeX_Right()); // a cell in column 10 never moves right

    game.placePiece(1, 1, 6, 5); // lying I in columns 7 to 10
    game.moveRight();
    EXPECT_EQ(game.piece().left, 6);
    game.moveLeft();
    EXPECT_EQ(game.piece().left, 5);
}

TEST_F(MovementTest, LandedBlocksNextToACellBlockThatSideOnly)
{
    // T ".X./XXX" at Left 4, Top 5: cells (6,6), (5,7), (6,7), (7,7).
    game.placePiece(4, 0, 4, 5);
    landCell(5, 6); // the empty corner left of the top cell
    game.moveLeft();
    EXPECT_EQ(game.piece().left, 4);
    game.moveRight();
    EXPECT_EQ(game.piece().left, 5);

    game.board().clear();
    game.placePiece(4, 0, 4, 5);
    landCell(8, 6); // beside the empty corner: nothing of the piece is next to it
    game.moveRight();
    EXPECT_EQ(game.piece().left, 5);

    game.board().clear();
    game.placePiece(4, 0, 4, 5);
    landCell(8, 7); // beside the bottom right cell
    game.moveRight();
    EXPECT_EQ(game.piece().left, 4);
    landCell(4, 7);
    game.moveLeft();
    EXPECT_EQ(game.piece().left, 4);
}

TEST_F(MovementTest, AMovedPieceShowsTheBoardThroughItsWhiteParts)
{
    game.placePiece(4, 0, 4, 5); // T; after the move its box covers columns 4 to 6, rows 6 and 7
    landCell(4, 6, 1);           // a red cell under the box's empty top-left corner
    game.moveLeft();
    ASSERT_EQ(game.piece().left, 3);
    const QImage &shown = game.piece().image;
    ASSERT_EQ(shown.size(), QSize(60, 40));
    EXPECT_EQ(shown.copy(0, 0, 20, 20), cellPicture(1));       // the board through the corner
    EXPECT_EQ(shown.copy(40, 0, 20, 20).pixel(10, 10), 0xffffffffu); // the other corner: white board
    EXPECT_EQ(shown.copy(20, 0, 20, 20), cellPicture(4));       // the piece's own cells keep their colours
    EXPECT_EQ(shown.copy(0, 20, 20, 20), cellPicture(4));

    // A turn shows the plain picture again, white corners and all.
    game.board().clear();
    game.rotate();
    ASSERT_EQ(game.piece().RotCount, 1);
    EXPECT_EQ(game.piece().image, PiecePictures::picture(game.piece().picture));
}

TEST_F(MovementTest, TheOPieceNeverTurns)
{
    game.placePiece(7, 0, 4, 5);
    for (int i = 0; i < 3; ++i)
        game.rotate();
    EXPECT_EQ(game.piece().RotCount, 0);
    EXPECT_EQ(game.piece().picture, 29);
    EXPECT_EQ(game.piece().left, 4);
    EXPECT_EQ(game.piece().top, 5);
}

TEST_F(MovementTest, UprightIAtTheLeftWallLiesDownOnItsLowestRow)
{
    game.placePiece(1, 0, 0, 5); // column 1, rows 6 to 9
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 1);
    EXPECT_EQ(game.piece().picture, 12);
    EXPECT_EQ(pieceCells(), (Cells{{1, 9}, {2, 9}, {3, 9}, {4, 9}}));
}

TEST_F(MovementTest, UprightIAtTheRightWallIsPushedLeft)
{
    game.placePiece(1, 0, 9, 5); // column 10
    game.rotate();
    EXPECT_EQ(pieceCells(), (Cells{{7, 9}, {8, 9}, {9, 9}, {10, 9}}));

    // With a block in column 7 beside it there are only three columns: no turn.
    game.board().clear();
    game.placePiece(1, 0, 9, 5);
    landCell(7, 8);
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 0);
    EXPECT_EQ(pieceCells(), (Cells{{10, 6}, {10, 7}, {10, 8}, {10, 9}}));
}

TEST_F(MovementTest, UprightIInTheOpenLiesDownFromTheColumnLeftOfIt)
{
    game.placePiece(1, 0, 4, 5); // column 5
    game.rotate();
    EXPECT_EQ(pieceCells(), (Cells{{4, 9}, {5, 9}, {6, 9}, {7, 9}}));
}

TEST_F(MovementTest, LyingIStandsUpAsHighAsTheClearRowsAllow)
{
    game.placePiece(1, 1, 3, 10); // columns 4 to 7, row 11
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 2);
    EXPECT_EQ(pieceCells(), (Cells{{5, 8}, {5, 9}, {5, 10}, {5, 11}}));

    game.board().clear();
    game.placePiece(1, 1, 3, 19); // on the floor
    game.rotate();
    EXPECT_EQ(pieceCells(), (Cells{{5, 17}, {5, 18}, {5, 19}, {5, 20}}));

    game.board().clear();
    game.placePiece(1, 1, 3, 19);
    landCell(4, 17); // only two clear rows above the floor row
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 1);
}

TEST_F(MovementTest, TallZAtTheRightWallIsPushedLeft)
{
    game.placePiece(2, 1, 8, 5); // ".X/XX/X." in columns 9 and 10
    game.rotate();
    EXPECT_EQ(game.piece().picture, 13);
    EXPECT_EQ(pieceCells(), (Cells{{8, 7}, {9, 7}, {9, 8}, {10, 8}}));
}

TEST_F(MovementTest, TallToWideKeepsTheLowerTwoRows)
{
    game.placePiece(3, 0, 4, 5); // L "XX/.X/.X", rows 6 to 8
    game.rotate();
    EXPECT_EQ(game.piece().picture, 16);
    EXPECT_EQ(pieceCells(), (Cells{{7, 7}, {5, 8}, {6, 8}, {7, 8}}));
}

TEST_F(MovementTest, WidePieceOnTheFloorIsLiftedToStandUp)
{
    game.placePiece(4, 0, 3, 18); // T on row 20
    game.rotate();
    EXPECT_EQ(game.piece().picture, 20);
    EXPECT_EQ(game.piece().top, 17);
    EXPECT_EQ(pieceCells(), (Cells{{4, 18}, {4, 19}, {5, 19}, {4, 20}}));

    // Row 18 taken above it: no room for three rows.
    game.board().clear();
    game.placePiece(4, 0, 3, 18);
    landCell(6, 18);
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 0);
}

TEST_F(MovementTest, NoRoomAboveTheFirstRow)
{
    game.placePiece(4, 0, 4, 0); // T in rows 1 and 2
    landCell(5, 3);
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 0);
    game.board().clear();
    game.rotate(); // row 3 free again: it turns where it stands
    EXPECT_EQ(game.piece().RotCount, 1);
    EXPECT_EQ(game.piece().top, 0);
}

TEST_F(MovementTest, ABlockInAnEmptyCornerForbidsTheTurn)
{
    // T at Left 4, Top 5; its turned shape would not reach (7,6), yet the corner counts.
    game.placePiece(4, 0, 4, 5);
    landCell(7, 6);
    EXPECT_FALSE(game.probe().Judge_Rotate());
    game.rotate();
    EXPECT_EQ(game.piece().RotCount, 0);
    EXPECT_EQ(game.piece().picture, 19);
}

TEST_F(MovementTest, RotationCountKeepsCountingThroughFullTurns)
{
    game.placePiece(4, 0, 4, 5);
    for (int i = 0; i < 5; ++i)
        game.rotate();
    EXPECT_EQ(game.piece().RotCount, 5);
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
