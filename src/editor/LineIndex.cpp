#include "editor/LineIndex.h"

#include <algorithm>

namespace korvane {

void LineIndex::scan(QStringView text, qsizetype lineStart, qsizetype from, qsizetype to,
                     std::vector<qsizetype> &starts, std::vector<qsizetype> &ends)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    qsizetype p = from;
    while (p < size) {
        const char16_t c = data[p];
        if (c != u'\r' && c != u'\n') {
            ++p;
            continue;
        }
        const qsizetype end = p;
        p += (c == u'\r' && p + 1 < size && data[p + 1] == u'\n') ? 2 : 1;
        ends.push_back(end);
        m_longest = std::max(m_longest, end - lineStart);
        if (p > to) {
            // The line that starts here was already known: leave it to the caller.
            return;
        }
        starts.push_back(p);
        lineStart = p;
    }
    ends.push_back(size);
    m_longest = std::max(m_longest, size - lineStart);
}

void LineIndex::reset(QStringView text)
{
    m_starts.assign(1, 0);
    m_ends.clear();
    m_longest = 0;
    m_longestStale = false;
    // A rough guess saves most of the regrowth on big files.
    const size_t guess = size_t(text.size() / 64 + 16);
    m_starts.reserve(guess);
    m_ends.reserve(guess);
    scan(text, 0, 0, text.size(), m_starts, m_ends);
}

qsizetype LineIndex::longestLine() const
{
    if (m_longestStale) {
        m_longest = 0;
        for (size_t i = 0; i < m_starts.size(); ++i)
            m_longest = std::max(m_longest, m_ends[i] - m_starts[i]);
        m_longestStale = false;
    }
    return m_longest;
}

qsizetype LineIndex::lineOf(qsizetype position) const
{
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return std::max<qsizetype>(0, qsizetype(it - m_starts.begin()) - 1);
}

void LineIndex::shift(size_t fromLine, qsizetype delta)
{
    if (delta == 0)
        return;
    for (size_t i = fromLine; i < m_starts.size(); ++i)
        m_starts[i] += delta;
    for (size_t i = fromLine; i < m_ends.size(); ++i)
        m_ends[i] += delta;
}

bool LineIndex::updateInsideLine(QStringView newText, qsizetype position, qsizetype removed, qsizetype added)
{
    // Typing within a line (the usual edit): no line end goes or comes, so only the line's
    // end and the later lines move, whatever the line's length.
    const qsizetype line = lineOf(position);
    if (position + removed > m_ends[size_t(line)])
        return false; // a line end is replaced
    const QStringView inserted = newText.sliced(position, added);
    if (inserted.contains(u'\r') || inserted.contains(u'\n'))
        return false;
    const qsizetype after = position + added;
    if (position > 0 && newText[position - 1] == u'\r' && after < newText.size() && newText[after] == u'\n')
        return false; // a CR and an LF meet: two line ends become one
    const qsizetype oldLength = m_ends[size_t(line)] - m_starts[size_t(line)];
    const qsizetype delta = added - removed;
    m_ends[size_t(line)] += delta;
    shift(size_t(line) + 1, delta);
    if (oldLength + delta > m_longest)
        m_longest = oldLength + delta;
    else if (delta < 0 && oldLength == m_longest)
        m_longestStale = true;
    return true;
}

void LineIndex::update(QStringView newText, qsizetype position, qsizetype removed, qsizetype added)
{
    if (updateInsideLine(newText, position, removed, added))
        return;
    // Whether a position starts a line depends only on the two characters before it and
    // the one at it. So the text from just before the change up to one character past its
    // end is scanned again; every later start only moves by the change in length.
    qsizetype first = lineOf(position);
    if (first > 0 && m_starts[size_t(first)] == position)
        --first; // a CR before the change may now pair with an LF inserted after it
    const qsizetype lineStart = m_starts[size_t(first)];
    // The scan starts at the change, or at the line end before it: never inside a CR LF.
    const qsizetype from = std::min(position, m_ends[size_t(first)]);
    const qsizetype oldEnd = position + removed;
    const qsizetype delta = added - removed;

    // Old starts in (lineStart, oldEnd + 1] are replaced; those after it are shifted.
    const auto keepFrom = std::upper_bound(m_starts.begin(), m_starts.end(), oldEnd + 1);
    const size_t tail = size_t(keepFrom - m_starts.begin());
    // A line that was the longest may be among those replaced.
    for (size_t i = size_t(first); i < tail && !m_longestStale; ++i)
        m_longestStale = m_ends[i] - m_starts[i] == m_longest;

    std::vector<qsizetype> starts;
    std::vector<qsizetype> ends;
    const qsizetype scanTo = position + added + 1;
    // The scan stops at the first line end whose following start lies past scanTo; that
    // start is the first kept one, or the text ends first.
    scan(newText, lineStart, from, scanTo, starts, ends);

    // Ends of the lines from `first` up to the first kept start are replaced too.
    m_starts.erase(m_starts.begin() + first + 1, m_starts.begin() + qsizetype(tail));
    m_ends.erase(m_ends.begin() + first, m_ends.begin() + qsizetype(tail));
    m_starts.insert(m_starts.begin() + first + 1, starts.begin(), starts.end());
    m_ends.insert(m_ends.begin() + first, ends.begin(), ends.end());
    // The last new end belongs to the line before the first kept start, or is the text's end.
    shift(size_t(first) + 1 + starts.size(), delta);
}

} // namespace korvane
