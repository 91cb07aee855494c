#include "editor/textbox/CaretMotion.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace korvane {

qsizetype CaretMotion::next(qsizetype p) const
{
    if (p >= m_text.size())
        return m_text.size();
    p = std::max<qsizetype>(p, 0);
    const qsizetype line = m_lines.lineOf(p);
    const qsizetype end = m_lines.lineEnd(line);
    if (p >= end)
        return line + 1 < m_lines.lineCount() ? m_lines.lineStart(line + 1) : m_text.size();
    const qsizetype from = std::max(m_lines.lineStart(line), p - Reach);
    const qsizetype to = std::min(end, p + Reach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, m_text.constData() + from, to - from);
    finder.setPosition(p - from);
    const qsizetype found = finder.toNextBoundary();
    return found < 0 ? to : from + found;
}

qsizetype CaretMotion::previous(qsizetype p) const
{
    if (p <= 0)
        return 0;
    p = std::min(p, m_text.size());
    const qsizetype line = m_lines.lineOf(p);
    const qsizetype start = m_lines.lineStart(line);
    const qsizetype end = m_lines.lineEnd(line);
    if (p == start)
        return m_lines.lineEnd(line - 1);
    if (p > end)
        return end; // inside the line end: back to before it
    const qsizetype from = std::max(start, p - Reach);
    const qsizetype to = std::min(end, p + Reach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, m_text.constData() + from, to - from);
    finder.setPosition(p - from);
    const qsizetype found = finder.toPreviousBoundary();
    return found < 0 ? from : from + found;
}

qsizetype CaretMotion::snap(qsizetype p) const
{
    p = std::clamp<qsizetype>(p, 0, m_text.size());
    const qsizetype line = m_lines.lineOf(p);
    const qsizetype start = m_lines.lineStart(line);
    const qsizetype end = m_lines.lineEnd(line);
    if (p > end)
        return end;
    if (p == start || p == end)
        return p;
    const qsizetype from = std::max(start, p - Reach);
    const qsizetype to = std::min(end, p + Reach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, m_text.constData() + from, to - from);
    finder.setPosition(p - from);
    if (finder.isAtBoundary())
        return p;
    const qsizetype found = finder.toPreviousBoundary();
    return found < 0 ? from : from + found;
}

qsizetype CaretMotion::backspaceStart(qsizetype p) const
{
    if (p <= 0)
        return 0;
    p = std::min(p, m_text.size());
    const qsizetype line = m_lines.lineOf(p);
    if (p == m_lines.lineStart(line) || p > m_lines.lineEnd(line))
        return previous(p);
    if (p >= 2 && m_text[p - 1].isLowSurrogate() && m_text[p - 2].isHighSurrogate())
        return p - 2;
    return p - 1;
}

} // namespace korvane
