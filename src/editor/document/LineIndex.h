#pragma once

#include <QStringView>
#include <map>
#include <vector>

namespace korvane {

// Where the lines of a text begin. CR LF, a lone CR and a lone LF each end a line, so a
// file shows as its lines whatever its line ends, while the text keeps them as they are.
// A text ending in a line end has an empty last line after it.
class LineIndex {
public:
    LineIndex() = default;
    explicit LineIndex(QStringView text) { reset(text); }

    void reset(QStringView text);
    // The text has changed: [position, position + removed) of the old text now reads
    // [position, position + added) of the new one. Only the lines around the change are
    // scanned again.
    void update(QStringView newText, qsizetype position, qsizetype removed, qsizetype added);

    qsizetype lineCount() const { return qsizetype(m_starts.size()); }
    qsizetype lineStart(qsizetype line) const { return m_starts[size_t(line)]; }
    // End of the line's characters, before its line end.
    qsizetype lineEnd(qsizetype line) const
    {
        const size_t next = size_t(line) + 1;
        return next < m_starts.size() ? m_starts[next] - m_breaks[size_t(line)] : m_size;
    }
    qsizetype lineLength(qsizetype line) const { return lineEnd(line) - lineStart(line); }
    // The line holding a position; a position inside a line end belongs to its line.
    qsizetype lineOf(qsizetype position) const;
    // The longest line there is, in UTF-16 units.
    qsizetype longestLine() const;
    // Memory the index holds, in bytes: 9 a line (a start, and its line end's length).
    qsizetype memoryBytes() const { return qsizetype(m_starts.capacity() * sizeof(qsizetype) + m_breaks.capacity()); }

    static bool isLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

private:
    // Appends the lines that start in (from, to] of text; `from` lies in the line that
    // starts at lineStart, before its line end. For every line it passes the end of, the
    // length of that line end goes to breaks, and 0 for the text's last line.
    void scan(QStringView text, qsizetype lineStart, qsizetype from, qsizetype to, std::vector<qsizetype> &starts,
              std::vector<quint8> &breaks);
    // An edit inside one line that leaves every line end as it was.
    bool updateInsideLine(QStringView newText, qsizetype position, qsizetype removed, qsizetype added);
    void shift(size_t fromLine, qsizetype delta);
    // A line of this length comes (+1) or goes (-1).
    void countLine(qsizetype length, qsizetype change);

    // A line ends where the next begins, less its line end (1 or 2 units), so the ends
    // need no store of their own; the last line ends with the text.
    std::vector<qsizetype> m_starts{0};
    std::vector<quint8> m_breaks{0};
    qsizetype m_size = 0;
    // How many lines there are of each length, so that the longest is known again at once
    // when it becomes shorter: short lengths in a table, long ones (rare) in a map.
    static constexpr qsizetype ShortLines = 4096;
    std::vector<qsizetype> m_shortLengths = std::vector<qsizetype>(size_t(ShortLines), 0);
    std::map<qsizetype, qsizetype> m_longLengths;
    mutable qsizetype m_longest = 0;
    // The longest line may have become shorter: m_longest is then found again when asked.
    mutable bool m_longestStale = false;
};

} // namespace korvane
