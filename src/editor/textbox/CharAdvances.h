#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringView>
#include <unordered_map>
#include <vector>

namespace korvane {

// How wide each character of a font is, in 1/64 pixel (the unit Qt lays text out in),
// looked up in a table filled as characters are met: how long lines are measured without
// laying them out. Marked characters (see TextMarkers) count as the box that shows them.
class CharAdvances {
public:
    static constexpr qint64 Unit = 64;

    // What a run of text measures: `before` is its width up to its first tab (or all of it
    // when it has none), `after` its width from that tab's stop on. Tab stops are whole
    // multiples of the tab width counted from the line's start, so the run's end is known
    // wherever it starts. `end` is where the measure stopped.
    struct Run {
        qint64 before = 0;
        qint64 after = 0;
        bool tab = false;
        int markers = 0;
        qsizetype end = 0;
    };

    void setFonts(const QFont &font, const QFont &markerFont);
    qint64 tabWidth() const { return m_tab; }
    qreal markerBoxWidth(const QString &label) const { return m_markerMetrics.horizontalAdvance(label) + 6; }

    // Measures text [from, to), stopping early before a marked character when maxMarkers
    // were taken. A pair straddling `to` is taken whole. Without tab stops (right-to-left
    // lines) a tab counts one tab width.
    Run measure(QStringView text, qsizetype from, qsizetype to, int maxMarkers, bool tabStops);
    // The x where a run that starts at x ends.
    qint64 endOf(qint64 x, const Run &run) const
    {
        return run.tab ? (x + run.before) / m_tab * m_tab + m_tab + run.after : x + run.before;
    }
    // The label of text[i], shared (null when it is shown as it is).
    QString label(QStringView text, qsizetype i);

private:
    enum Kind : quint8 { Unknown, Plain, Marker, Tab, Surrogate };
    void fill(char16_t c);
    qint64 pairWidth(char32_t ucs4);

    QFontMetricsF m_metrics{QFont()};
    QFontMetricsF m_markerMetrics{QFont()};
    qint64 m_tab = 8 * Unit;
    std::vector<quint8> m_kind;
    std::vector<qint32> m_width;
    std::unordered_map<char16_t, QString> m_labels; // of the marked characters only
    std::unordered_map<char32_t, qint64> m_pairs;
};

} // namespace korvane
