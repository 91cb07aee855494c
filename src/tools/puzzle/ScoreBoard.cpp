#include "tools/puzzle/ScoreBoard.h"

#include "tools/puzzle/RecordFile.h"

#include <QFile>
#include <QStringList>

namespace korvane {

void ScoreBoard::load()
{
    for (int level = 1; level <= Levels; ++level) {
        const QString name = RecordFile::nameForGrid(level + 1);
        m_found[level - 1] = RecordFile::exists(name) ? name : QString();
        m_rows[level - 1] = Row();
    }
    for (int level = 1; level <= Levels; ++level) {
        if (m_found[level - 1].isEmpty())
            continue;
        // A line that is not a record leaves its row empty.
        const auto line = RecordFile::readLine(m_found[level - 1]);
        if (!line || !RecordFile::parseCount(line->count))
            continue;
        m_rows[level - 1] = Row{line->count + QStringLiteral("步"), line->name};
    }
}

QStringList ScoreBoard::reset()
{
    QStringList failed;
    for (QString &name : m_found) {
        if (name.isEmpty())
            continue;
        // Forgotten once deleted, so a record written since is left alone by a second press.
        if (QFile::exists(name) && !QFile::remove(name)) {
            failed << name;
            continue;
        }
        name.clear();
    }
    for (Row &row : m_rows)
        row = Row();
    return failed;
}

} // namespace korvane
