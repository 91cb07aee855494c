#pragma once

#include <QString>
#include <optional>

namespace korvane {

// A record that fell due: the move count to write and the level's score file. Handed
// around by value, so later games never change what a waiting record writes.
struct DueRecord {
    qint64 count = 0;
    QString fileName;
};

// What the tile puzzle remembers between games, pictures and reopenings of its window,
// and the rules a solved game is judged by: which level's file it belongs to, whether
// it beats the record there, and which game comes next.
class PuzzleGame {
public:
    // The three levels of the menu, smallest first.
    enum class Level { Beginner, Intermediate, Advanced };
    static constexpr int FirstGridSize = 2;

    static int gridSizeOf(Level level) { return FirstGridSize + static_cast<int>(level); }

    // What follows a solved game.
    struct Outcome {
        std::optional<Level> markedLevel; // the level to tick in the menu, if any
        std::optional<DueRecord> record;  // set when the move count beats the file's record
        int nextGridSize = FirstGridSize;
    };

    // Columns and rows of the next game (the board is square), limited like the board.
    int gridSize() const { return m_gridSize; }
    void setGridSize(int size);
    void chooseLevel(Level level) { setGridSize(gridSizeOf(level)); }

    // The moves of all games so far: it never goes back to zero.
    qint64 stepCount() const { return m_stepCount; }
    void setStepCount(qint64 count) { m_stepCount = count; }
    void countMove() { ++m_stepCount; }

    const QString &pictureFile() const { return m_pictureFile; }
    // A new picture: its games begin again at the smallest size.
    void usePicture(const QString &fileName);

    // The score file of the last solved game, "" before the first.
    const QString &scoreFile() const { return m_scoreFile; }

    // Judges a game of this size that has just been solved and moves on to the next,
    // larger one. The size of the solved game counts, whatever level was chosen meanwhile.
    Outcome solved(int solvedGridSize);

    // A record still beats its file (another may have been written since it fell due).
    static bool stillARecord(const DueRecord &record);
    // Writes the record under this name; false when the file could not be written.
    static bool write(const DueRecord &record, const QString &name);

private:
    int m_gridSize = FirstGridSize;
    qint64 m_stepCount = 0;
    QString m_pictureFile;
    QString m_scoreFile;
};

} // namespace korvane
