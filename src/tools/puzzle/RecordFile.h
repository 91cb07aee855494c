#pragma once

#include <QString>
#include <optional>

namespace korvane {

// One level's record: a single line "count!name" ended by CR LF, in GB18030, in a
// file of the current directory named after the level (" 1.txt" for 2 × 2).
class RecordFile {
public:
    struct Line {
        QString count; // the text before the first "!"
        QString name;  // everything after it
    };

    // " 1.txt" for a 2 × 2 grid, " 2.txt" for 3 × 3 and so on: the number with the
    // blank a positive number gets in front.
    static QString nameForGrid(int gridSize);

    // False for a link that another user planted in a shared sticky folder (such as
    // /tmp): such a link is never read or written through, as the kernel would refuse.
    static bool mayFollow(const QString &fileName);
    // A plain file that may be read; a refused link counts as no file.
    static bool exists(const QString &fileName);
    // The first line, or nothing when the file cannot be read.
    static std::optional<QString> readFirstLine(const QString &fileName);
    // The first line split at its first "!"; nothing when the file is missing, empty
    // or has no "!".
    static std::optional<Line> readLine(const QString &fileName);
    // The record's move count: the digits the count text begins with (leading blanks
    // allowed). Nothing when there is no record to beat.
    static std::optional<qint64> recordOf(const QString &fileName);
    static std::optional<qint64> parseCount(const QString &countText);
    // A move count beats the file's record when there is none to beat or it is higher.
    static bool beatenBy(const QString &fileName, qint64 count);
    // Replaces the file with the line count!name; false when it could not be written.
    static bool write(const QString &fileName, const QString &countText, const QString &name);
};

} // namespace korvane
