#pragma once

#include "ScriptedPlatform.h"
#include "tools/puzzle/TileBoard.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <deque>
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
    const int cols = board.columns();
    const int rows = board.rows();
    auto key = [](const QList<int> &cells) {
        std::string k;
        for (int c : cells)
            k.push_back(static_cast<char>(c + 1));
        return k;
    };
    TileBoard goal(cols, rows);
    const std::string goalKey = key(goal.cells());
    struct Seen {
        std::string parent;
        int place;
    };
    std::unordered_map<std::string, Seen> seen;
    std::deque<std::string> queue;
    const std::string start = key(board.cells());
    seen[start] = {std::string(), -1};
    queue.push_back(start);
    while (!queue.empty()) {
        const std::string cur = queue.front();
        queue.pop_front();
        if (cur == goalKey)
            break;
        const int empty = static_cast<int>(cur.find(char(0)));
        const int r = empty / cols, c = empty % cols;
        const int neighbours[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
        for (const auto &n : neighbours) {
            if (n[0] < 0 || n[0] >= rows || n[1] < 0 || n[1] >= cols)
                continue;
            const int place = n[0] * cols + n[1];
            std::string next = cur;
            std::swap(next[empty], next[place]);
            if (seen.emplace(next, Seen{cur, place}).second)
                queue.push_back(next);
        }
    }
    std::vector<int> path;
    if (!seen.count(goalKey))
        return path;
    for (std::string k = goalKey; k != start; k = seen[k].parent)
        path.insert(path.begin(), seen[k].place);
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
