#include "BlocksFixture.h"

#include <QSignalSpy>

using namespace blocks_test;

namespace {

using Cells = std::set<std::pair<int, int>>;

class LandingTest : public BlocksFixture {
protected:
    // Ticks until the falling piece lands (its kind or place jumps back to the top).
    int tickUntilLanded()
    {
        for (int ticks = 1; ticks <= 40; ++ticks) {
            const int top = game.piece().top;
            game.dropStep();
            if (game.piece().top <= top)
                return ticks;
        }
        return -1;
    }
    Cells occupied() const
    {
        Cells cells;
        for (int y = 1; y <= 20; ++y)
            for (int x = 1; x <= 10; ++x)
                if (!game.board().isEmpty(x, y))
                    cells.insert({x, y});
        return cells;
    }
};

TEST_F(LandingTest, NewGameSpawnsTheFirstDrawnKindAndPreviewsTheNext)
{
    QSignalSpy started(&game, &BlocksGame::dropTimerStarted);
    startGame(1, 7);
    EXPECT_TRUE(game.isRunning());
    EXPECT_EQ(game.piece().kind, 1);
    EXPECT_EQ(game.piece().rotations, 0);
    EXPECT_TRUE(game.piece().visible);
    EXPECT_EQ(pieceCells(), (Cells{{5, 1}, {5, 2}, {5, 3}, {5, 4}})); // upright I in column 5, rows 1 to 4
    EXPECT_EQ(game.piece().image, PiecePictures::picture(11));
    EXPECT_EQ(game.nextKind(), 7);
    EXPECT_EQ(game.nextPicture(), 29);
    EXPECT_EQ(platform.seedings, 2); // re-seeded before each draw
    EXPECT_TRUE(game.isDropTimerEnabled());
    EXPECT_EQ(game.dropInterval(), 1000);
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started.last().at(0).toInt(), 1000);
}

TEST_F(LandingTest, EveryKindCanBeDrawnAndTheOSpawnsInColumnsFiveAndSix)
{
    startGame(7, 1);
    EXPECT_EQ(pieceCells(), (Cells{{5, 1}, {6, 1}, {5, 2}, {6, 2}}));
    for (int kind = 1; kind <= 7; ++kind) {
        queueKinds({kind});
        game.drawNextPiece();
        EXPECT_EQ(game.nextKind(), kind);
        EXPECT_EQ(game.nextPicture(), PieceShapes::pictureNumber(kind, 0));
    }
    platform.randomValues.push_back(0.0);
    game.drawNextPiece();
    EXPECT_EQ(game.nextKind(), 1);
    platform.randomValues.push_back(0.99999);
    game.drawNextPiece();
    EXPECT_EQ(game.nextKind(), 7);
}

TEST_F(LandingTest, PreviewIsCentredInsideItsBorder)
{
    // The preview area is 1110 x 1335 twips inside a 30-twip border.
    const struct {
        int kind;
        int left, top; // twips
    } cases[] = {
        {1, 375, 37},  // 300 x 1200 twips
        {7, 225, 337}, // 600 x 600 twips
        {4, 75, 337},  // 900 x 600 twips
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        queueKinds({c.kind});
        game.drawNextPiece();
        EXPECT_EQ(game.previewLeftTwips(), c.left);
        EXPECT_EQ(game.previewTopTwips(), c.top);
    }
}

TEST_F(LandingTest, PreviewToggleHidesButKeepsLoadingTheNextPiece)
{
    EXPECT_TRUE(game.isPreviewVisible());
    EXPECT_EQ(game.displayCaption(), QStringLiteral("隐藏(&D)"));
    game.togglePreview();
    EXPECT_FALSE(game.isPreviewVisible());
    EXPECT_EQ(game.displayCaption(), QStringLiteral("显示(&S)"));
    startGame(2, 5);
    EXPECT_EQ(game.nextPicture(), 23);
    game.togglePreview();
    EXPECT_TRUE(game.isPreviewVisible());
    EXPECT_EQ(game.displayCaption(), QStringLiteral("隐藏(&D)"));
}

TEST_F(LandingTest, PieceLandsOnTheFloorAndTheNextOneEntersInTheSameTick)
{
    startGame(7, 1);
    queueKinds({3});
    QSignalSpy started(&game, &BlocksGame::dropTimerStarted);
    EXPECT_EQ(tickUntilLanded(), 19); // 18 rows down, the 19th tick lands it
    EXPECT_EQ(occupied(), (Cells{{5, 19}, {6, 19}, {5, 20}, {6, 20}}));
    for (const auto &[x, y] : occupied())
        EXPECT_EQ(cellPixels(x, y), cellPicture(7));
    EXPECT_TRUE(cellIsWhite(4, 20));
    EXPECT_EQ(game.piece().kind, 1);
    EXPECT_EQ(game.piece().top, 1); // moved down already
    EXPECT_EQ(game.nextKind(), 3);
    EXPECT_EQ(started.count(), 1); // the spawn restarted the timer
}

TEST_F(LandingTest, PieceLandsOnLandedBlocks)
{
    startGame(7, 7);
    landCell(6, 15);
    EXPECT_EQ(tickUntilLanded(), 13);
    EXPECT_EQ(occupied(), (Cells{{5, 13}, {6, 13}, {5, 14}, {6, 14}, {6, 15}}));
}

TEST_F(LandingTest, DownKeyIsOneDropStepAndLandsARestingPieceAtOnce)
{
    startGame(7, 4);
    game.applyMove(BlocksGame::Move::Down);
    EXPECT_EQ(game.piece().top, 1);
    game.placePiece(7, 0, 0, 18); // resting on the floor
    game.applyMove(BlocksGame::Move::Down);
    EXPECT_EQ(occupied(), (Cells{{1, 19}, {2, 19}, {1, 20}, {2, 20}}));
    EXPECT_EQ(game.piece().kind, 4);
    EXPECT_EQ(game.piece().top, 1);
    EXPECT_TRUE(game.isDropTimerEnabled());
}

TEST_F(LandingTest, MovesActOnlyWhileAGameRuns)
{
    using Move = BlocksGame::Move;
    for (Move move : {Move::Left, Move::Rotate, Move::Right, Move::Down})
        game.applyMove(move);
    EXPECT_FALSE(game.piece().visible);
    EXPECT_EQ(game.piece().top, 0);
    EXPECT_EQ(game.board().occupiedCount(), 0);
    EXPECT_FALSE(game.isDropTimerEnabled());

    startGame(4, 4);
    game.applyMove(Move::Left);
    EXPECT_EQ(game.piece().left, 3);
    game.applyMove(Move::Right);
    game.applyMove(Move::Right);
    EXPECT_EQ(game.piece().left, 5);
    game.applyMove(Move::Rotate);
    EXPECT_EQ(game.piece().rotations, 1);

    game.endGame();
    const int top = game.piece().top;
    game.applyMove(Move::Down);
    game.applyMove(Move::Left);
    EXPECT_EQ(game.piece().top, top);
    EXPECT_EQ(game.piece().left, 5);
}

TEST_F(LandingTest, LyingIFillingARowClearsIt)
{
    startGame(1, 7);
    fillRow(20, {7, 8, 9, 10}, 3);
    landCell(2, 19, 5);
    game.placePiece(1, 1, 6, 19);
    game.dropStep();
    EXPECT_EQ(occupied(), (Cells{{2, 20}})); // the row went, the cell above it came down
    EXPECT_EQ(cellPixels(2, 20), cellPicture(5));
    for (int x = 1; x <= 10; ++x)
        if (x != 2) {
            EXPECT_TRUE(cellIsWhite(x, 20)) << x;
        }
    EXPECT_TRUE(cellIsWhite(2, 19));
}

TEST_F(LandingTest, ARowWithAGapStays)
{
    startGame(1, 7);
    fillRow(20, {3, 7, 8, 9, 10});
    game.placePiece(1, 1, 6, 19);
    game.dropStep();
    EXPECT_EQ(occupied().size(), 9u);
    EXPECT_TRUE(cellIsWhite(3, 20));
    EXPECT_EQ(cellPixels(7, 20), cellPicture(1));
}

TEST_F(LandingTest, TwoRowsApartAreBothRemovedAndTheRowBetweenIsExaminedAgain)
{
    startGame(1, 7);
    landCell(1, 20, 6);
    landCell(10, 20, 6);          // the I rests on this one
    fillRow(16, {5, 10}, 2);      // not full even with the I
    fillRow(17, {10}, 3);         // full with the I
    fillRow(18, {9, 10}, 4);      // not full
    fillRow(19, {10}, 5);         // full with the I
    game.placePiece(1, 0, 9, 15); // upright I in column 10, rows 16 to 19
    game.dropStep();

    Cells expected{{1, 20}, {10, 20}};
    for (int x = 1; x <= 10; ++x) {
        if (x != 9)
            expected.insert({x, 19}); // the former row 18, with the I's cell
        if (x != 5)
            expected.insert({x, 18}); // the former row 16, with the I's cell
    }
    EXPECT_EQ(occupied(), expected);
    EXPECT_EQ(cellPixels(1, 19), cellPicture(4));
    EXPECT_EQ(cellPixels(10, 19), cellPicture(1));
    EXPECT_EQ(cellPixels(1, 18), cellPicture(2));
    EXPECT_EQ(cellPixels(10, 18), cellPicture(1));
    EXPECT_TRUE(cellIsWhite(9, 19));
    EXPECT_TRUE(cellIsWhite(5, 18));
    for (int x = 1; x <= 10; ++x)
        EXPECT_TRUE(cellIsWhite(x, 17)) << x;
}

TEST_F(LandingTest, FourRowsAtOnce)
{
    startGame(1, 7);
    for (int y = 17; y <= 20; ++y)
        fillRow(y, {10}, y % 7 + 1);
    landCell(4, 16, 2);
    game.placePiece(1, 0, 9, 16);
    game.dropStep();
    EXPECT_EQ(occupied(), (Cells{{4, 20}}));
    EXPECT_EQ(cellPixels(4, 20), cellPicture(2));
    EXPECT_TRUE(cellIsWhite(4, 16));
}

TEST_F(LandingTest, RemovingARowLeavesTheTopRowWhiteLikeTheGrid)
{
    startGame(7, 1);
    landCell(3, 1, 2);
    fillRow(20, {9, 10});
    game.placePiece(7, 0, 8, 18);
    game.dropStep();
    EXPECT_TRUE(game.board().isEmpty(3, 1));
    EXPECT_TRUE(cellIsWhite(3, 1));
    EXPECT_FALSE(game.board().isEmpty(3, 2));
    EXPECT_EQ(cellPixels(3, 2), cellPicture(2));
}

class GameOverTest : public LandingTest, public ::testing::WithParamInterface<int> {
protected:
    // Columns 5 and 6 are filled from row 3 down: nothing entering at the top can fall.
    void blockTheEntrance()
    {
        for (int y = 3; y <= 20; ++y) {
            landCell(5, y);
            landCell(6, y);
        }
    }
};

TEST_P(GameOverTest, ANewPieceWithoutRoomToFallEndsTheGame)
{
    startGame(7, GetParam());
    blockTheEntrance();
    game.placePiece(7, 0, 0, 18);
    game.dropStep(); // lands the O; the next piece cannot enter

    ASSERT_EQ(platform.shownMessages.size(), 1);
    const auto &shown = platform.shownMessages.first();
    EXPECT_EQ(shown.text, QStringLiteral("你玩完了！想再试试身手吗？"));
    EXPECT_EQ(shown.buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown.icon, MsgIcon::Question);
    EXPECT_EQ(shown.title, QStringLiteral("Korvane"));

    // No (the empty answer queue): the game stops and everything is blank.
    EXPECT_FALSE(game.isRunning());
    EXPECT_FALSE(game.isDropTimerEnabled());
    EXPECT_FALSE(game.piece().visible);
    EXPECT_EQ(game.nextPicture(), 0);
    EXPECT_EQ(game.board().occupiedCount(), 0);
    for (int y = 1; y <= 20; ++y)
        for (int x = 1; x <= 10; ++x)
            ASSERT_TRUE(cellIsWhite(x, y));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, GameOverTest, ::testing::Range(1, 8));

TEST_F(GameOverTest, YesStartsAFreshGameAtOnce)
{
    startGame(7, 3);
    blockTheEntrance();
    game.placePiece(7, 0, 0, 18);
    platform.messageAnswers.push_back(MsgAnswer::Yes);
    queueKinds({4, 6, 2}); // the spawn that fails draws first
    game.dropStep();

    EXPECT_EQ(platform.shownMessages.size(), 1);
    EXPECT_TRUE(game.isRunning());
    EXPECT_TRUE(game.isDropTimerEnabled());
    EXPECT_EQ(game.board().occupiedCount(), 0);
    EXPECT_EQ(game.piece().kind, 6);
    EXPECT_EQ(game.piece().top, 0); // the fresh piece waits for its first tick
    EXPECT_EQ(game.nextKind(), 2);
    EXPECT_TRUE(cellIsWhite(5, 20));
}

TEST_F(GameOverTest, APieceThatStillFitsKeepsPlaying)
{
    startGame(7, 7);
    for (int y = 4; y <= 20; ++y) {
        landCell(5, y);
        landCell(6, y);
    }
    game.placePiece(7, 0, 0, 18);
    game.dropStep();
    EXPECT_TRUE(platform.shownMessages.isEmpty());
    EXPECT_EQ(game.piece().top, 1); // rows 2 and 3
    game.dropStep();                // it lands there; the next one cannot enter
    EXPECT_EQ(platform.shownMessages.size(), 1);
}

TEST_F(LandingTest, NewGameDuringAGameStartsOver)
{
    startGame(4, 2);
    game.moveLeft();
    for (int i = 0; i < 25; ++i)
        game.dropStep();
    ASSERT_GT(game.board().occupiedCount(), 0);
    startGame(5, 6);
    EXPECT_EQ(game.board().occupiedCount(), 0);
    EXPECT_TRUE(cellIsWhite(4, 20));
    EXPECT_EQ(game.piece().kind, 5);
    EXPECT_EQ(game.piece().left, 4);
    EXPECT_EQ(game.piece().top, 0);
    EXPECT_EQ(game.nextKind(), 6);
    EXPECT_TRUE(game.isDropTimerEnabled());
}

TEST_F(LandingTest, HelpAndAboutBoxes)
{
    game.showKeyHelp();
    game.showAbout();
    ASSERT_EQ(platform.shownMessages.size(), 2);
    const auto help = platform.shownMessages[0];
    EXPECT_EQ(help.title, QStringLiteral("方块 1.0 键盘操作帮助"));
    EXPECT_EQ(help.icon, MsgIcon::Information);
    EXPECT_EQ(help.buttons, MsgButtons::Ok);
    EXPECT_EQ(help.text.split(QStringLiteral("\r\n")),
              (QStringList{QStringLiteral("键盘控制方法："), QStringLiteral("← 控制方块向左移动；"),
                           QStringLiteral("→ 控制方块向右移动；"), QStringLiteral("↓ 控制方块向下快速移动；"),
                           QStringLiteral("↑ 控制方块的顺时针方向的翻转。")}));
    const auto about = platform.shownMessages[1];
    EXPECT_EQ(about.text, QStringLiteral("方块1.0"));
    EXPECT_EQ(about.icon, MsgIcon::Information);
    EXPECT_EQ(about.title, QStringLiteral("Korvane"));
}

} // namespace
