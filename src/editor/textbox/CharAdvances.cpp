#include "editor/textbox/CharAdvances.h"

#include "editor/file/TextMarkers.h"

#include <cmath>

namespace korvane {

namespace {

qint64 toUnits(qreal pixels) { return qint64(std::llround(pixels * CharAdvances::Unit)); }

} // namespace

void CharAdvances::setFonts(const QFont &font, const QFont &markerFont)
{
    m_metrics = QFontMetricsF(font);
    m_markerMetrics = QFontMetricsF(markerFont);
    m_tab = std::max<qint64>(Unit, toUnits(m_metrics.horizontalAdvance(QLatin1Char(' ')) * 8));
    m_kind.assign(0x10000, Unknown);
    m_width.assign(0x10000, 0);
    m_labels.clear();
    m_pairs.clear();
}

void CharAdvances::fill(char16_t c)
{
    if (c == u'\t') {
        m_kind[c] = Tab;
        return;
    }
    if (QChar::isSurrogate(c)) {
        m_kind[c] = Surrogate;
        return;
    }
    QString label = TextMarkers::labelAt(QStringView(&c, 1), 0);
    if (!label.isNull()) {
        m_width[c] = qint32(toUnits(markerBoxWidth(label)));
        m_labels[c] = std::move(label);
        m_kind[c] = Marker;
    } else {
        m_width[c] = qint32(toUnits(m_metrics.horizontalAdvance(QChar(c))));
        m_kind[c] = Plain;
    }
}

qint64 CharAdvances::pairWidth(char32_t ucs4)
{
    auto it = m_pairs.find(ucs4);
    if (it == m_pairs.end())
        it = m_pairs.emplace(ucs4, toUnits(m_metrics.horizontalAdvance(QString::fromUcs4(&ucs4, 1)))).first;
    return it->second;
}

QString CharAdvances::label(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (m_kind.empty() || QChar::isSurrogate(c))
        return TextMarkers::labelAt(text, i);
    if (m_kind[c] == Unknown)
        fill(c);
    if (m_kind[c] != Marker)
        return QString();
    return m_labels[c];
}

CharAdvances::Run CharAdvances::measure(QStringView text, qsizetype from, qsizetype to, int maxMarkers, bool tabStops)
{
    Run run;
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    qint64 x = 0; // from the run's start, or from its first tab's stop
    qsizetype i = from;
    while (i < to) {
        const char16_t c = data[i];
        switch (Kind(m_kind[c])) {
        case Plain: x += m_width[c]; break;
        case Unknown: fill(c); continue;
        case Marker:
            if (run.markers == maxMarkers) {
                to = i;
                continue;
            }
            ++run.markers;
            x += m_width[c];
            break;
        case Tab:
            if (!tabStops) {
                x += m_tab;
            } else if (!run.tab) {
                run.tab = true;
                run.before = x;
                x = 0;
            } else {
                x = (x / m_tab + 1) * m_tab;
            }
            break;
        case Surrogate:
            if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
                x += pairWidth(QChar::surrogateToUcs4(c, data[i + 1]));
                ++i;
            } else if (!(QChar::isLowSurrogate(c) && i > 0 && QChar::isHighSurrogate(data[i - 1]))) {
                if (run.markers == maxMarkers) {
                    to = i;
                    continue;
                }
                ++run.markers;
                x += toUnits(markerBoxWidth(TextMarkers::labelAt(text, i)));
            }
            break;
        }
        ++i;
    }
    if (run.tab)
        run.after = x;
    else
        run.before = x;
    run.end = i;
    return run;
}

} // namespace korvane
