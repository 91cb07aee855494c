#include "editor/document/LineIndex.h"

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace korvane {

// The first CR or LF in [from, size) of data, or size. Eight units at a time where the
// processor allows: building the index of a gigabyte text is mostly this.
static qsizetype nextLineEnd(const char16_t *data, qsizetype from, qsizetype size)
{
    qsizetype p = from;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi16(u'\n');
    const __m128i cr = _mm_set1_epi16(u'\r');
    for (; p + 8 <= size; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, lf), _mm_cmpeq_epi16(units, cr)));
        if (mask != 0)
            return p + std::countr_zero(unsigned(mask)) / 2;
    }
#endif
    for (; p < size; ++p) {
        if (data[p] == u'\n' || data[p] == u'\r')
            return p;
    }
    return size;
}

void LineIndex::scan(QStringView text, qsizetype lineStart, qsizetype from, qsizetype to,
                     std::vector<qsizetype> &starts, std::vector<quint8> &breaks)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    qsizetype p = from;
    while ((p = nextLineEnd(data, p, size)) < size) {
        const char16_t c = data[p];
        const qsizetype end = p;
        p += (c == u'\r' && p + 1 < size && data[p + 1] == u'\n') ? 2 : 1;
        breaks.push_back(quint8(p - end));
        countLine(end - lineStart, 1);
        if (p > to) {
            // The line that starts here was already known: leave it to the caller.
            return;
        }
        starts.push_back(p);
        lineStart = p;
    }
    breaks.push_back(0);
    countLine(size - lineStart, 1);
}

// How many lines a text has, estimated from a few pieces of it: reading the whole text
// twice would cost as much as building the index.
static qsizetype estimateLines(QStringView text)
{
    constexpr qsizetype Piece = qsizetype(1) << 20;
    constexpr int Pieces = 4;
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    if (size <= Piece * Pieces) {
        qsizetype lines = 1;
        for (qsizetype p = 0; (p = nextLineEnd(data, p, size)) < size; ++lines)
            p += (data[p] == u'\r' && p + 1 < size && data[p + 1] == u'\n') ? 2 : 1;
        return lines;
    }
    qsizetype ends = 0;
    for (int k = 0; k < Pieces; ++k) {
        const qsizetype from = (size - Piece) / (Pieces - 1) * k;
        for (qsizetype p = from; (p = nextLineEnd(data, p, from + Piece)) < from + Piece; ++ends)
            p += (data[p] == u'\r' && p + 1 < size && data[p + 1] == u'\n') ? 2 : 1;
    }
    // A little over, so that a text much like its samples needs no second allocation.
    return qsizetype(double(ends) / double(Piece * Pieces) * double(size) * 1.05) + 16;
}

void LineIndex::reset(QStringView text)
{
    const size_t guess = size_t(estimateLines(text));
    // Released first: two indexes of a big file at once are hundreds of megabytes.
    m_starts = std::vector<qsizetype>();
    m_breaks = std::vector<quint8>();
    m_starts.reserve(guess);
    m_breaks.reserve(guess);
    m_starts.push_back(0);
    m_size = text.size();
    std::fill(m_shortLengths.begin(), m_shortLengths.end(), 0);
    m_longLengths.clear();
    m_longest = 0;
    m_longestStale = false;
    scan(text, 0, 0, text.size(), m_starts, m_breaks);
    // A text unlike its samples may have left much room unused.
    if (m_starts.capacity() > m_starts.size() + m_starts.size() / 4 + 64) {
        m_starts.shrink_to_fit();
        m_breaks.shrink_to_fit();
    }
}

void LineIndex::countLine(qsizetype length, qsizetype change)
{
    if (length < ShortLines) {
        m_shortLengths[size_t(length)] += change;
        if (change < 0 && length == m_longest && m_shortLengths[size_t(length)] == 0)
            m_longestStale = true;
    } else if ((m_longLengths[length] += change) == 0) {
        m_longLengths.erase(length);
        if (length == m_longest)
            m_longestStale = true;
    }
    // While stale, m_longest stays an upper bound for longestLine to search down from.
    if (change > 0 && length > m_longest)
        m_longest = length;
}

qsizetype LineIndex::longestLine() const
{
    if (m_longestStale) {
        if (!m_longLengths.empty()) {
            m_longest = m_longLengths.rbegin()->first;
        } else {
            m_longest = std::min(m_longest, ShortLines - 1);
            while (m_longest > 0 && m_shortLengths[size_t(m_longest)] == 0)
                --m_longest;
        }
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
}

bool LineIndex::updateInsideLine(QStringView newText, qsizetype position, qsizetype removed, qsizetype added)
{
    // Typing within a line (the usual edit): no line end goes or comes, so only the later
    // lines move, whatever the line's length.
    const qsizetype line = lineOf(position);
    if (position + removed > lineEnd(line))
        return false; // a line end is replaced
    const QStringView inserted = newText.sliced(position, added);
    if (inserted.contains(u'\r') || inserted.contains(u'\n'))
        return false;
    const qsizetype after = position + added;
    if (position > 0 && newText[position - 1] == u'\r' && after < newText.size() && newText[after] == u'\n')
        return false; // a CR and an LF meet: two line ends become one
    const qsizetype oldLength = lineLength(line);
    const qsizetype delta = added - removed;
    shift(size_t(line) + 1, delta);
    m_size = newText.size();
    countLine(oldLength, -1);
    countLine(oldLength + delta, 1);
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
    const qsizetype from = std::min(position, lineEnd(first));
    const qsizetype oldEnd = position + removed;
    const qsizetype delta = added - removed;

    // Old starts in (lineStart, oldEnd + 1] are replaced; those after it are shifted.
    const auto keepFrom = std::upper_bound(m_starts.begin(), m_starts.end(), oldEnd + 1);
    const size_t tail = size_t(keepFrom - m_starts.begin());
    // The replaced lines go; the scan counts the lines that come instead.
    for (size_t i = size_t(first); i < tail; ++i)
        countLine(lineLength(qsizetype(i)), -1);

    std::vector<qsizetype> starts;
    std::vector<quint8> breaks;
    const qsizetype scanTo = position + added + 1;
    // The scan stops at the first line end whose following start lies past scanTo; that
    // start is the first kept one, or the text ends first.
    scan(newText, lineStart, from, scanTo, starts, breaks);

    // Line ends of the lines from `first` up to the first kept start are replaced too.
    m_starts.erase(m_starts.begin() + first + 1, m_starts.begin() + qsizetype(tail));
    m_breaks.erase(m_breaks.begin() + first, m_breaks.begin() + qsizetype(tail));
    m_starts.insert(m_starts.begin() + first + 1, starts.begin(), starts.end());
    m_breaks.insert(m_breaks.begin() + first, breaks.begin(), breaks.end());
    // The last new line end belongs to the line before the first kept start, or is the
    // text's end.
    shift(size_t(first) + 1 + starts.size(), delta);
    m_size = newText.size();
}

} // namespace korvane
