#pragma once

#include <QString>

class QIODevice;

namespace korvane {

// A text being rebuilt from a recovery record: its base, then its edits one after
// another. A plain string would move the whole tail of a large text for every edit; the
// text here keeps a gap at the last edit, so that edits near one another cost what they
// change, however long the text.
class ReplayText {
public:
    // The text becomes units UTF-16LE code units read from device; false when fewer
    // could be read.
    bool load(QIODevice &device, qint64 units);
    qsizetype length() const { return m_buffer.size() - m_gap; }
    // [position, position+removed) becomes count units taken as UTF-16LE from units.
    // The range must lie within the text.
    void replace(qsizetype position, qsizetype removed, const char *units, qsizetype count);
    // The text as it stands; this one is left empty.
    QString take();

private:
    void moveGap(qsizetype to);
    void widenGap(qsizetype atLeast);

    QString m_buffer;
    qsizetype m_gapStart = 0;
    qsizetype m_gap = 0;
};

} // namespace korvane
