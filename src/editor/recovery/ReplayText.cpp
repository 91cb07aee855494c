#include "editor/recovery/ReplayText.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <utility>

namespace korvane {

bool ReplayText::load(QIODevice &device, qint64 units)
{
    m_buffer = QString(qsizetype(units), Qt::Uninitialized);
    m_gapStart = m_buffer.size();
    m_gap = 0;
    char *into = reinterpret_cast<char *>(m_buffer.data());
    if (units == 0)
        return true;
    if (device.read(into, units * 2) != units * 2) {
        m_buffer = QString();
        m_gapStart = 0;
        return false;
    }
    qFromLittleEndian<quint16>(into, units, into);
    return true;
}

void ReplayText::moveGap(qsizetype to)
{
    QChar *data = m_buffer.data();
    if (to < m_gapStart)
        std::memmove(data + to + m_gap, data + to, size_t(m_gapStart - to) * sizeof(QChar));
    else if (to > m_gapStart)
        std::memmove(data + m_gapStart, data + m_gapStart + m_gap, size_t(to - m_gapStart) * sizeof(QChar));
    m_gapStart = to;
}

void ReplayText::widenGap(qsizetype atLeast)
{
    // Room for more than this edit, so that a run of insertions grows the buffer rarely.
    const qsizetype oldSize = m_buffer.size();
    const qsizetype tail = oldSize - m_gapStart - m_gap;
    const qsizetype gap = atLeast + std::max<qsizetype>(qsizetype(1) << 12, length() / 8);
    m_buffer.resize(length() + gap);
    QChar *data = m_buffer.data();
    std::memmove(data + m_buffer.size() - tail, data + oldSize - tail, size_t(tail) * sizeof(QChar));
    m_gap = gap;
}

void ReplayText::replace(qsizetype position, qsizetype removed, const char *units, qsizetype count)
{
    moveGap(position);
    m_gap += removed; // the removed units now belong to the gap
    if (count > m_gap)
        widenGap(count);
    if (count > 0)
        qFromLittleEndian<quint16>(units, count, m_buffer.data() + m_gapStart);
    m_gapStart += count;
    m_gap -= count;
}

QString ReplayText::take()
{
    moveGap(length());
    m_buffer.resize(m_gapStart);
    m_gap = 0;
    m_gapStart = 0;
    return std::exchange(m_buffer, QString());
}

} // namespace korvane
