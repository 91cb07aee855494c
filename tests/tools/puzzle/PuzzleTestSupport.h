#pragma once

#include "ScriptedPlatform.h"
#include "tools/puzzle/TileBoard.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace korvane::test {

// Score files live in the current directory: every test that may touch them runs in a
// fresh temporary one.
class TempCurrentDir {
public:
    TempCurrentDir() : m_old(QDir::currentPath())
    {
        EXPECT_TRUE(m_dir.isValid());
        EXPECT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    ~TempCurrentDir() { QDir::setCurrent(m_old); }
    QString path() const { return m_dir.path(); }

private:
    QString m_old;
    QTemporaryDir m_dir;
};

inline void writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray gb18030(const QString &text)
{
    QStringEncoder encode("GB18030");
    return encode(text);
}

// A score file's line as the name dialog writes it.
inline QByteArray recordLine(qint64 count, const QString &name)
{
    return QByteArray::number(count) + '!' + gb18030(name) + "\r\n";
}

inline QByteArray readBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The places to click, in order, that put a board back in order by the fewest moves.
// Breadth-first over whole boards: fine for any 2 × 2 or 3 × 3 game and for larger
// boards that are only a few moves from done.
inline std::vector<int> solution(const TileBoard &board)
{
    auto key = [](const TileBoard &b) {
        std::string k;
        for (int c : b.cells())
            k.push_back(static_cast<char>(c + 1));
        return k;
    };
    struct Step {
        std::string from;
        int place;
    };
    std::unordered_map<std::string, Step> cameFrom{{key(board), {std::string(), -1}}};
    std::deque<TileBoard> queue{board};
    while (!queue.empty() && !queue.front().isSolved()) {
        const TileBoard current = queue.front();
        queue.pop_front();
        const std::string from = key(current);
        for (int place = 0; place < current.placeCount(); ++place) {
            TileBoard next = current;
            if (next.move(place) && cameFrom.emplace(key(next), Step{from, place}).second)
                queue.push_back(next);
        }
    }
    std::vector<int> path;
    if (!queue.empty())
        for (std::string k = key(queue.front()); cameFrom[k].place >= 0; k = cameFrom[k].from)
            path.insert(path.begin(), cameFrom[k].place);
    return path;
}

// Makes the next shuffle of an n × n board come out as the tiles in order, which the
// control then turns into a game three tiles away from done.
inline void queueNearlySolvedShuffle(ScriptedPlatform &platform, int n)
{
    for (int i = 0; i < n * n - 2; ++i)
        platform.randomValues.push_back(0.999999);
}

} // namespace korvane::test
