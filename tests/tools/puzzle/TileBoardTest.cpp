#include "PuzzleTestSupport.h"

#include "tools/puzzle/TileBoard.h"

#include <set>

using namespace korvane;
using namespace korvane::test;

namespace {

// Every order reachable by sliding from the finished board.
std::set<QList<int>> reachable(int n)
{
    TileBoard start(n, n);
    std::set<QList<int>> seen{start.cells()};
    std::vector<TileBoard> queue{start};
    for (size_t i = 0; i < queue.size(); ++i) {
        for (int place = 0; place < queue[i].placeCount(); ++place) {
            TileBoard next = queue[i];
            if (next.move(place) && seen.insert(next.cells()).second)
                queue.push_back(next);
        }
    }
    return seen;
}

// Parity of the tile order counted by cycles, independently of how shuffle() counts.
bool evenOrder(const TileBoard &b)
{
    const int n = b.placeCount() - 1;
    std::vector<bool> visited(n, false);
    int transpositions = 0;
    for (int i = 0; i < n; ++i) {
        if (visited[i])
            continue;
        int len = 0;
        for (int j = i; !visited[j]; j = b.tileAt(j)) {
            visited[j] = true;
            ++len;
        }
        transpositions += len - 1;
    }
    return transpositions % 2 == 0;
}

} // namespace

TEST(TileBoardTest, SizesAreLimitedToTwoThroughEight)
{
    TileBoard b(1, 9);
    EXPECT_EQ(b.columns(), 2);
    EXPECT_EQ(b.rows(), 8);
    b.setSize(-3, 100);
    EXPECT_EQ(b.columns(), 2);
    EXPECT_EQ(b.rows(), 8);
    b.setSize(5, 5);
    EXPECT_EQ(b.placeCount(), 25);
    EXPECT_TRUE(b.isSolved());
    EXPECT_EQ(b.emptyPlace(), 24);
    EXPECT_EQ(b.tileAt(24), TileBoard::Empty);
}

TEST(TileBoardTest, ShuffleOfSmallBoardsIsAlwaysReachableAndUnsolved)
{
    ScriptedPlatform platform;
    for (int n : {2, 3}) {
        const auto canReach = reachable(n);
        ASSERT_EQ(canReach.size(), n == 2 ? 12u : 181440u);
        TileBoard b(n, n);
        for (int round = 0; round < 300; ++round) {
            b.shuffle(platform);
            EXPECT_FALSE(b.isSolved()) << n << " round " << round;
            EXPECT_EQ(b.emptyPlace(), n * n - 1);
            EXPECT_TRUE(canReach.count(b.cells())) << n << " round " << round;
        }
    }
}

TEST(TileBoardTest, ShuffleOfLargerBoardsIsEvenUnsolvedAndAPermutation)
{
    ScriptedPlatform platform;
    for (int n = 2; n <= 8; ++n) {
        TileBoard b(n, n);
        for (int round = 0; round < 100; ++round) {
            b.shuffle(platform);
            QList<int> sorted = b.cells();
            std::sort(sorted.begin(), sorted.end());
            for (int i = 0; i < sorted.size(); ++i)
                ASSERT_EQ(sorted[i], i - 1);
            EXPECT_FALSE(b.isSolved());
            EXPECT_TRUE(evenOrder(b)) << n << " round " << round;
        }
    }
}

TEST(TileBoardTest, ShuffleThatComesOutInOrderIsStillAGameToPlay)
{
    // Random values that leave every tile where it is, and values at both ends of [0, 1).
    for (double value : {0.999999, 0.0}) {
        for (int n : {2, 3, 6}) {
            ScriptedPlatform platform;
            platform.randomValues.assign(n * n, value);
            TileBoard b(n, n);
            b.shuffle(platform);
            EXPECT_FALSE(b.isSolved());
            EXPECT_TRUE(evenOrder(b));
            if (n <= 3 || value > 0.5) { // small, or only a few moves from done
                EXPECT_FALSE(solution(b).empty());
            }
        }
    }
}

TEST(TileBoardTest, OnlyTilesBesideTheEmptyPlaceMove)
{
    TileBoard b(3, 3);
    ASSERT_TRUE(b.move(5)); // empty now at place 5 (row 1, column 2)
    ASSERT_TRUE(b.move(4)); // ... and at 4, the middle
    for (int place = 0; place < 9; ++place) {
        const bool beside = place == 1 || place == 3 || place == 5 || place == 7;
        EXPECT_EQ(b.canMove(place), beside) << place;
    }
    ASSERT_TRUE(b.move(3)); // empty at the start of the middle row
    // Place 2 ends the row above: next in counting order, yet not beside it.
    EXPECT_FALSE(b.canMove(2));
    EXPECT_FALSE(b.move(2));
    EXPECT_FALSE(b.move(3)); // the empty place itself
    EXPECT_FALSE(b.move(-1));
    EXPECT_FALSE(b.move(9));
    EXPECT_EQ(b.tileAt(4), 3);
    EXPECT_EQ(b.tileAt(3), TileBoard::Empty);
}

TEST(TileBoardTest, ArrowSlidesMoveTheNeighbourInThatDirection)
{
    TileBoard b(3, 3);                                 // empty at the bottom right
    EXPECT_FALSE(b.slide(TileBoard::Direction::Left)); // nothing to its right
    EXPECT_FALSE(b.slide(TileBoard::Direction::Up));   // nothing below it
    EXPECT_TRUE(b.slide(TileBoard::Direction::Right)); // tile 7 moves right
    EXPECT_EQ(b.tileAt(8), 7);
    EXPECT_EQ(b.emptyPlace(), 7);
    EXPECT_TRUE(b.slide(TileBoard::Direction::Down)); // tile 4 moves down
    EXPECT_EQ(b.tileAt(7), 4);
    EXPECT_EQ(b.emptyPlace(), 4);
    EXPECT_TRUE(b.slide(TileBoard::Direction::Up)); // back up
    EXPECT_TRUE(b.slide(TileBoard::Direction::Left));
    EXPECT_TRUE(b.isSolved());
}
