#include "PuzzleTestSupport.h"

#include "tools/puzzle/PuzzleGame.h"

using namespace korvane;
using namespace korvane::test;

using Level = PuzzleGame::Level;

namespace {

struct Solve {
    const char *what;
    int size;                  // of the solved game
    const char *recordOnFile;  // what the level's file holds before, or nullptr for none
    qint64 steps;              // the move count at the solve
    const char *file;          // the level's score file
    std::optional<Level> mark; // the level ticked afterwards
    bool record;
    int nextSize;
};

const Solve Solves[] = {
    {"first 2 x 2 game", 2, nullptr, 5, " 1.txt", Level::Intermediate, true, 3},
    {"equal to the record", 2, "5!Alice\r\n", 5, " 1.txt", Level::Intermediate, false, 3},
    {"one fewer than the record", 3, "6!Bob\r\n", 5, " 2.txt", Level::Advanced, true, 4},
    {"line without a count", 2, "abc!x\r\n", 9, " 1.txt", Level::Intermediate, true, 3},
    {"beyond the menu levels", 4, nullptr, 1, " 3.txt", std::nullopt, true, 5},
    {"at the board's limit", 8, nullptr, 1, " 7.txt", std::nullopt, true, 8},
};

} // namespace

TEST(PuzzleGameTest, SolvedGameIsJudgedByItsOwnSizeAndLeadsToTheNextLarger)
{
    for (const Solve &s : Solves) {
        SCOPED_TRACE(s.what);
        TempCurrentDir dir;
        const QString file = QString::fromLatin1(s.file);
        if (s.recordOnFile)
            writeBytes(file, s.recordOnFile);
        PuzzleGame game;
        game.setStepCount(s.steps);
        game.chooseLevel(Level::Beginner); // the level chosen meanwhile does not count
        const PuzzleGame::Outcome outcome = game.solved(s.size);
        EXPECT_EQ(game.scoreFile(), file);
        EXPECT_EQ(outcome.markedLevel, s.mark);
        ASSERT_EQ(outcome.record.has_value(), s.record);
        if (s.record) {
            EXPECT_EQ(outcome.record->count, s.steps);
            EXPECT_EQ(outcome.record->fileName, file);
        }
        EXPECT_EQ(outcome.nextGridSize, s.nextSize);
        EXPECT_EQ(game.gridSize(), s.nextSize);
        EXPECT_EQ(game.stepCount(), s.steps);
    }
}

TEST(PuzzleGameTest, LevelsAndPicturesSetTheSizeButNeverTheCount)
{
    PuzzleGame game;
    EXPECT_EQ(game.gridSize(), 2);
    const std::pair<Level, int> levels[] = {{Level::Advanced, 4}, {Level::Intermediate, 3}, {Level::Beginner, 2}};
    for (const auto &[level, size] : levels) {
        game.chooseLevel(level);
        game.countMove();
        EXPECT_EQ(game.gridSize(), size);
    }
    game.setGridSize(20);
    EXPECT_EQ(game.gridSize(), 8);
    game.usePicture(QStringLiteral("pic.jpg"));
    EXPECT_EQ(game.gridSize(), 2);
    EXPECT_EQ(game.stepCount(), 3);
}
