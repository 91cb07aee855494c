#include "tools/puzzle/PuzzleGame.h"

#include "tools/puzzle/RecordFile.h"
#include "tools/puzzle/TileBoard.h"

namespace korvane {

void PuzzleGame::setGridSize(int size) { m_gridSize = TileBoard::clampSize(size); }

void PuzzleGame::usePicture(const QString &fileName)
{
    m_pictureFile = fileName;
    m_gridSize = FirstGridSize;
}

PuzzleGame::Outcome PuzzleGame::solved(int solvedGridSize)
{
    Outcome outcome;
    // The tick moves on from the two smaller levels only; beyond them the menu stays.
    if (solvedGridSize == gridSizeOf(Level::Beginner))
        outcome.markedLevel = Level::Intermediate;
    else if (solvedGridSize == gridSizeOf(Level::Intermediate))
        outcome.markedLevel = Level::Advanced;

    m_scoreFile = RecordFile::nameForGrid(solvedGridSize);
    const DueRecord due{m_stepCount, m_scoreFile};
    if (stillARecord(due))
        outcome.record = due;

    setGridSize(solvedGridSize + 1);
    outcome.nextGridSize = m_gridSize;
    return outcome;
}

bool PuzzleGame::stillARecord(const DueRecord &record) { return RecordFile::beatenBy(record.fileName, record.count); }

bool PuzzleGame::write(const DueRecord &record, const QString &name)
{
    return RecordFile::write(record.fileName, QString::number(record.count), name);
}

} // namespace korvane
