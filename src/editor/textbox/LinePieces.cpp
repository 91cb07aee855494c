#include "editor/textbox/LinePieces.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace korvane {

LinePieces::LinePieces(CharAdvances &advances, QStringView text, qsizetype lineStart, qsizetype length)
    : m_advances(&advances), m_lineStart(lineStart), m_length(length),
      m_rtl(text.sliced(lineStart, length).isRightToLeft())
{
    m_spans = cut(text, 0, length);
    if (m_spans.empty())
        m_spans.emplace_back();
    place(0);
}

std::vector<LinePieces::Span> LinePieces::cut(QStringView text, qsizetype from, qsizetype to)
{
    std::vector<Span> spans;
    qsizetype at = from;
    while (at < to) {
        Span span;
        span.run = m_advances->measure(text, m_lineStart + at, m_lineStart + clusterCut(text, at, to), MaxMarkers,
                                       !m_rtl);
        span.start = at;
        span.length = span.run.end - m_lineStart - at;
        at += span.length;
        spans.push_back(std::move(span));
    }
    return spans;
}

qsizetype LinePieces::clusterCut(QStringView text, qsizetype at, qsizetype to) const
{
    const qsizetype cut = at + MaxLength;
    if (cut >= to)
        return to;
    // A piece is laid out on its own, so a cut inside a cluster (an accent and its letter,
    // a flag, a joined emoji) would show its halves apart: cut before the cluster instead.
    // Clusters are short; a look at the characters around the cut is enough.
    constexpr qsizetype Around = 32;
    qsizetype from = std::max(at, cut - Around);
    // Regional indicators pair into flags counted from the start of their run, so the
    // look begins before the run (or at the piece's start, which is a boundary).
    const auto indicatorBefore = [&](qsizetype i) {
        return i - 2 >= at && text[m_lineStart + i - 2] == QChar(0xD83C) &&
               text[m_lineStart + i - 1].unicode() >= 0xDDE6 && text[m_lineStart + i - 1].unicode() <= 0xDDFF;
    };
    if (from > at && text[m_lineStart + from].isLowSurrogate())
        --from;
    while (indicatorBefore(from))
        from -= 2;
    const QStringView window = text.sliced(m_lineStart + from, std::min(to, cut + Around) - from);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, window.data(), int(window.size()));
    finder.setPosition(int(cut - from));
    if (finder.isAtBoundary())
        return cut;
    const qsizetype before = finder.toPreviousBoundary();
    return before > 0 ? from + before : cut;
}

void LinePieces::place(size_t from)
{
    qint64 x = from == 0 ? 0 : endOf(from - 1);
    for (size_t i = from; i < m_spans.size(); ++i) {
        m_spans[i].x = x;
        x = m_advances->endOf(x, m_spans[i].run);
    }
    m_width = x;
}

size_t LinePieces::spanAt(qsizetype column) const
{
    const auto it = std::upper_bound(m_spans.begin(), m_spans.end(), column,
                                     [](qsizetype c, const Span &s) { return c < s.start; });
    return size_t(std::max<qsizetype>(0, (it - m_spans.begin()) - 1));
}

size_t LinePieces::spanAtX(qint64 x) const
{
    if (!m_rtl) {
        const auto it = std::upper_bound(m_spans.begin(), m_spans.end(), x,
                                         [](qint64 v, const Span &s) { return v < s.x; });
        return size_t(std::max<qsizetype>(0, (it - m_spans.begin()) - 1));
    }
    // Right to left: the first piece (in the text's order) whose end reaches past x from the right.
    size_t lo = 0;
    size_t hi = m_spans.size() - 1;
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (endOf(mid) >= m_width - x)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

void LinePieces::setMeasured(size_t i, const CharAdvances::Run &run)
{
    Span &s = m_spans[i];
    s.exact = true;
    if (s.run.before == run.before && s.run.after == run.after && s.run.tab == run.tab)
        return;
    s.run.before = run.before;
    s.run.after = run.after;
    s.run.tab = run.tab;
    place(i + 1);
}

bool LinePieces::edit(QStringView text, qsizetype lineStart, qsizetype newLength, qsizetype column, qsizetype removed,
                      qsizetype added)
{
    if (lineStart != m_lineStart || column < 0 || column + removed > m_length ||
        newLength != m_length - removed + added)
        return false;
    if (text.sliced(lineStart, newLength).isRightToLeft() != m_rtl)
        return false; // the line reads the other way now: every piece changes
    const qsizetype delta = added - removed;
    size_t first = spanAt(std::max<qsizetype>(0, column - 1));
    size_t last = spanAt(std::min(column + removed, m_length));
    const qsizetype from = m_spans[first].start;
    qsizetype to = m_spans[last].start + m_spans[last].length + delta;
    m_length = newLength;
    std::vector<Span> fresh = cut(text, from, to);
    // A short piece left at the end joins the next one, so typing does not splinter a line.
    if (last + 1 < m_spans.size() && (fresh.empty() || fresh.back().length < MaxLength / 4)) {
        ++last;
        to += m_spans[last].length;
        fresh = cut(text, from, to);
    }
    m_spans.erase(m_spans.begin() + qsizetype(first), m_spans.begin() + qsizetype(last) + 1);
    for (size_t i = first; i < m_spans.size(); ++i)
        m_spans[i].start += delta;
    m_spans.insert(m_spans.begin() + qsizetype(first), std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
    if (m_spans.empty())
        m_spans.emplace_back();
    place(first);
    return true;
}

size_t LinePieces::dropLayouts()
{
    size_t dropped = 0;
    for (Span &s : m_spans) {
        if (s.laidOut) {
            s.laidOut.reset();
            ++dropped;
        }
    }
    return dropped;
}

} // namespace korvane
