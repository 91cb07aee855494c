#include "BlocksFixture.h"

#include <array>
#include <cstring>
#include <random>

using namespace blocks_test;

namespace {

// Plays many games with random keys and ticks, and after every step compares the game
// with a plain record of which kind fills which cell.
class RandomPlayTest : public BlocksFixture {
protected:
    using Kinds = std::array<std::array<int, 21>, 11>; // [x][y], 0 for empty

    void SetUp() override
    {
        for (int kind = 1; kind <= 7; ++kind)
            cells[kind] = cellPicture(kind);
    }

    QImage expectedPicture() const
    {
        QImage image(200, 400, QImage::Format_RGB32);
        image.fill(0xffffffffu);
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 20; ++y)
                if (const int kind = record[x][y])
                    for (int j = 0; j < 20; ++j)
                        std::memcpy(reinterpret_cast<QRgb *>(image.scanLine((y - 1) * 20 + j)) + (x - 1) * 20,
                                    cells[kind].constScanLine(j), 20 * sizeof(QRgb));
        return image;
    }

    // Enters a landing into the record; false when it would cover a landed cell.
    bool recordLanding(const std::array<CellCoord, 5> &at, int kind)
    {
        for (int i = 1; i <= 4; ++i) {
            const CellCoord &c = at[i];
            if (c.x < 1 || c.x > 10 || c.y < 1 || c.y > 20 || record[c.x][c.y] != 0)
                return false;
            record[c.x][c.y] = kind;
        }
        // Full rows go; what is left keeps its order and settles at the bottom.
        Kinds settled{};
        int to = 20;
        for (int y = 20; y >= 1; --y) {
            bool full = true;
            for (int x = 1; x <= 10; ++x)
                full = full && record[x][y] != 0;
            if (full) {
                ++clearedRows;
                continue;
            }
            for (int x = 1; x <= 10; ++x)
                settled[x][to] = record[x][y];
            --to;
        }
        record = settled;
        return true;
    }

    bool recordFits(const PieceShape &shape, int left, int top) const
    {
        for (const CellOffset &c : shape.cells) {
            const int x = left + 1 + c.dx, y = top + 1 + c.dy;
            if (x < 1 || x > 10 || y < 1 || y > 20 || record[x][y] != 0)
                return false;
        }
        return true;
    }

    // Where a fair player would put this kind: the turn and column that fill the most
    // rows and leave the piece lowest.
    std::pair<int, int> bestPlace(int kind) const
    {
        int bestScore = -1, bestTurns = 0, bestLeft = 4;
        for (int turns = 0; turns < PieceShapes::orientationCount(kind); ++turns) {
            const PieceShape &shape = *PieceShapes::shape(kind, turns);
            for (int left = 0; left + shape.width <= 10; ++left) {
                if (!recordFits(shape, left, 0))
                    continue;
                int top = 0;
                while (recordFits(shape, left, top + 1))
                    ++top;
                Kinds after = record;
                for (const CellOffset &c : shape.cells)
                    after[left + 1 + c.dx][top + 1 + c.dy] = kind;
                int full = 0;
                for (int y = top + 1; y <= top + shape.height; ++y) {
                    bool all = true;
                    for (int x = 1; x <= 10; ++x)
                        all = all && after[x][y] != 0;
                    full += all;
                }
                const int score = full * 100 + top + shape.height;
                if (score > bestScore)
                    bestScore = score, bestTurns = turns, bestLeft = left;
            }
        }
        return {bestTurns, bestLeft};
    }

    bool willLand()
    {
        game.probe().locateCells();
        for (int i = 1; i <= 4; ++i) {
            const CellCoord &c = game.probe().cells()[i];
            if (c.bottom && c.y >= 1 && (c.y >= 20 || record[c.x][c.y + 1] != 0))
                return true;
        }
        return false;
    }

    void checkInStep()
    {
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 20; ++y)
                ASSERT_EQ(game.board().isEmpty(x, y), record[x][y] == 0) << x << "," << y;
        ASSERT_EQ(game.boardPicture().image(), expectedPicture());
        if (!game.isRunning())
            return;
        const FallingPiece &piece = game.piece();
        ASSERT_TRUE(piece.visible);
        ASSERT_GE(piece.left, 0);
        ASSERT_LE(piece.left + piece.width(), 10);
        ASSERT_TRUE(game.probe().fitsAt(piece.left, piece.top)) << "the falling piece covers a landed cell";
        // The box shows its plain picture, or the plain picture over the board beneath it.
        const QImage plain = PiecePictures::picture(piece.picture);
        QImage over = plain;
        BoardPicture::andInto(over, game.boardPicture().region(piece.left, piece.top, piece.width(), piece.height()));
        ASSERT_TRUE(piece.image == plain || piece.image == over);
    }

    std::array<QImage, 8> cells;
    Kinds record{};
    int clearedRows = 0;
};

TEST_F(RandomPlayTest, BoardPictureAlwaysShowsExactlyTheLandedCells)
{
    int gamesOver = 0;
    int steps = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        auto chance = [&](int n) { return int(rng() % unsigned(n)); };
        record = {};
        game.newGame();
        int targetLeft = chance(10);
        int turns = chance(4);
        bool fresh = true;
        for (int step = 0; step < 1500; ++step, ++steps) {
            if (!game.isRunning()) {
                record = {};
                game.newGame();
                fresh = true;
            }
            if (fresh) {
                fresh = false;
                // A fresh piece: mostly placed with some sense, so that rows fill up.
                if (chance(3) == 0) {
                    targetLeft = chance(10);
                    turns = chance(4);
                } else {
                    std::tie(turns, targetLeft) = bestPlace(game.piece().kind);
                }
            }

            using Move = BlocksGame::Move;
            Move move;
            if (chance(10) == 0)
                move = std::array{Move::Left, Move::Rotate, Move::Right, Move::Down}[chance(4)];
            else if (turns > 0)
                move = Move::Rotate, --turns;
            else if (game.piece().left > targetLeft)
                move = Move::Left;
            else if (game.piece().left < targetLeft && game.piece().left + game.piece().width() < 10)
                move = Move::Right;
            else
                move = Move::Down;

            if (move != Move::Down) {
                game.applyMove(move);
            } else {
                if (platform.messageAnswers.empty())
                    platform.messageAnswers.push_back(chance(2) ? MsgAnswer::Yes : MsgAnswer::No);
                const bool landing = willLand();
                const auto at = game.probe().cells();
                const int kind = game.piece().kind;
                const auto questions = platform.shownMessages.size();
                if (chance(2))
                    game.applyMove(Move::Down);
                else
                    game.dropStep();
                fresh = landing;
                if (landing) {
                    ASSERT_TRUE(recordLanding(at, kind)) << "a landing covered a landed cell, seed " << seed;
                }
                if (platform.shownMessages.size() != questions) {
                    ++gamesOver;
                    record = {}; // a new game or a blank board, either way nothing is left
                }
            }
            ASSERT_NO_FATAL_FAILURE(checkInStep()) << "seed " << seed << " step " << step;
        }
    }
    // The walk must have reached the interesting places.
    EXPECT_GT(clearedRows, 10);
    EXPECT_GT(gamesOver, 5);
    EXPECT_EQ(steps, 12 * 1500);
}

} // namespace
