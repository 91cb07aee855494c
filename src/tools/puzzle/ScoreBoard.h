#pragma once

#include <QString>
#include <array>

namespace korvane {

// What the leaderboard shows: the records of the three named levels as found when the
// window loaded, and the reset that deletes them.
class ScoreBoard {
public:
    static constexpr int Levels = 3;
    struct Row {
        QString count; // "12步", or empty
        QString name;
    };

    // Looks for " 1.txt", " 2.txt", " 3.txt" in the current directory and reads them.
    void load();
    const Row &row(int level) const { return m_rows.at(level - 1); } // level 1..3
    // The file found for a level at load, or "" (a reset forgets the files it deleted).
    const QString &foundFile(int level) const { return m_found.at(level - 1); }
    // Deletes the files found at load that are still there and empties every row.
    // Returns the names of the files that could not be deleted.
    QStringList reset();

private:
    std::array<QString, Levels> m_found;
    std::array<Row, Levels> m_rows;
};

} // namespace korvane
