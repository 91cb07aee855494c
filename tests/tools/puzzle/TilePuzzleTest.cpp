#include "PuzzleTestSupport.h"

#include "tools/puzzle/TilePuzzle.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace korvane;
using namespace korvane::test;

namespace {

class TilePuzzleTest : public ::testing::Test {
protected:
    TilePuzzleTest() : puzzle(platform)
    {
        puzzle.resize(399, 399);
        puzzle.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&puzzle));
    }

    void click(int place) { QTest::mouseClick(&puzzle, Qt::LeftButton, {}, puzzle.placeRect(place).center()); }

    ScriptedPlatform platform;
    TilePuzzle puzzle;
    QSignalSpy moved{&puzzle, &TilePuzzle::tileMoved};
    QSignalSpy solved{&puzzle, &TilePuzzle::puzzleSolved};
};

// Four quadrants of plain colour: tile k of a 2 × 2 game is colours[k].
const QColor Colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
QImage quadrants(int side)
{
    QImage img(side, side, QImage::Format_RGB32);
    QPainter p(&img);
    for (int k = 0; k < 4; ++k)
        p.fillRect((k % 2) * side / 2, (k / 2) * side / 2, side / 2, side / 2, Colours[k]);
    return img;
}

} // namespace

TEST_F(TilePuzzleTest, GridSizesReadBackAsAccepted)
{
    puzzle.setProperty("GridA", 5);
    puzzle.setProperty("GridB", 1);
    EXPECT_EQ(puzzle.property("GridA").toInt(), 5);
    EXPECT_EQ(puzzle.property("GridB").toInt(), 2);
    puzzle.setGridColumns(9);
    EXPECT_EQ(puzzle.gridColumns(), 8);
    puzzle.startShuffledGame();
    EXPECT_EQ(puzzle.board().columns(), 8);
    EXPECT_EQ(puzzle.board().rows(), 2);
    EXPECT_FALSE(puzzle.board().isSolved());
}

TEST_F(TilePuzzleTest, NothingMovesBeforeAGameStarts)
{
    click(2);
    QTest::keyClick(&puzzle, Qt::Key_Right);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_TRUE(puzzle.board().isSolved());
}

TEST_F(TilePuzzleTest, ClicksMoveOnlyNeighboursAndSignalOncePerMoveAndOncePerSolve)
{
    puzzle.setGridColumns(3);
    puzzle.setGridRows(3);
    puzzle.startShuffledGame();
    ASSERT_TRUE(puzzle.isPlaying());

    // A click on a tile that is not beside the empty place changes nothing.
    const int empty = puzzle.board().emptyPlace();
    const QList<int> before = puzzle.board().cells();
    click(0); // the empty place starts at the bottom right, never beside place 0
    EXPECT_EQ(puzzle.board().cells(), before);
    click(empty);
    EXPECT_EQ(moved.count(), 0);

    const std::vector<int> path = solution(puzzle.board());
    ASSERT_FALSE(path.empty());
    for (size_t i = 0; i < path.size(); ++i) {
        click(path[i]);
        EXPECT_EQ(moved.count(), int(i + 1));
        EXPECT_EQ(solved.count(), i + 1 == path.size() ? 1 : 0);
    }
    EXPECT_TRUE(puzzle.board().isSolved());
    EXPECT_FALSE(puzzle.isPlaying());

    // The finished picture stays as it is until the next game.
    click(puzzle.board().emptyPlace() - 1);
    EXPECT_EQ(moved.count(), int(path.size()));
    EXPECT_EQ(solved.count(), 1);
}

TEST_F(TilePuzzleTest, ArrowKeysSlideTheTileBesideTheEmptyPlace)
{
    queueNearlySolvedShuffle(platform, 2);
    puzzle.startShuffledGame(); // 2 × 2: empty at place 3
    const int leftOfEmpty = puzzle.board().tileAt(2);
    const int aboveEmpty = puzzle.board().tileAt(1);
    QTest::keyClick(&puzzle, Qt::Key_Left); // nothing to the right of the empty place
    EXPECT_EQ(moved.count(), 0);
    QTest::keyClick(&puzzle, Qt::Key_Right);
    EXPECT_EQ(puzzle.board().tileAt(3), leftOfEmpty);
    EXPECT_EQ(puzzle.board().emptyPlace(), 2);
    QTest::keyClick(&puzzle, Qt::Key_Left);
    QTest::keyClick(&puzzle, Qt::Key_Down);
    EXPECT_EQ(puzzle.board().tileAt(3), aboveEmpty);
    EXPECT_EQ(moved.count(), 3);
}

TEST_F(TilePuzzleTest, TilesAreDrawnScaledFromThePictureWithTheEmptyPlaceBlank)
{
    // A 100 × 100 picture shown on 399 × 399: each tile is scaled up.
    puzzle.setTilePicture(quadrants(100));
    puzzle.startShuffledGame();
    // A picture set during a game is used from the next game on.
    puzzle.setTilePicture(QImage());
    const QImage shot = puzzle.grab().toImage();
    for (int place = 0; place < 4; ++place) {
        const QColor seen = shot.pixelColor(puzzle.placeRect(place).center());
        const int tile = puzzle.board().tileAt(place);
        if (tile == TileBoard::Empty)
            EXPECT_EQ(seen.rgb(), puzzle.palette().color(QPalette::Dark).rgb()) << place;
        else
            EXPECT_EQ(seen.rgb(), Colours[tile].rgb()) << place;
    }
    // A thin line separates neighbouring tiles.
    const QRect first = puzzle.placeRect(0);
    EXPECT_EQ(shot.pixelColor(first.right() + 1, first.center().y()).rgb(),
              puzzle.palette().color(QPalette::Shadow).rgb());
}
