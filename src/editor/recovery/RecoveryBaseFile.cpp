#include "editor/recovery/RecoveryBaseFile.h"

#include "editor/recovery/RecoveryLog.h"

#include <algorithm>

namespace korvane {

RecoveryBaseFile::RecoveryBaseFile(RecoveryWriter &writer, int slot, quint64 id, const QString &temp,
                                   const RecoveryRecord &header)
    : m_writer(writer), m_id(id), m_header(header)
{
    m_header.text = QString();
    const QByteArray head = RecoveryLog::baseHead(m_header, 0);
    m_headSize = head.size();
    m_file = m_writer.startBase(slot, id, temp, head);
}

RecoveryBaseFile::~RecoveryBaseFile()
{
    if (m_file)
        m_writer.dropBase(m_file);
}

void RecoveryBaseFile::edited(qsizetype position)
{
    // Before position the text is as handed over; from there on it is not.
    if (position < m_written) {
        m_written = position;
        m_rewound = true;
    }
}

qsizetype RecoveryBaseFile::writeSlice(const QString &text, qsizetype units, bool wait)
{
    const qint64 at = m_headSize + qint64(m_written) * 2;
    if (m_rewound) {
        // What lies past the rewound point is written again, or cut off once the text ends.
        m_writer.cutBase(m_file, at);
        m_rewound = false;
    }
    const qsizetype count = std::min({units, text.size() - m_written, qsizetype(SliceBuffers::Bytes / 2)});
    if (count <= 0 || !m_writer.writeBase(m_file, at, QStringView(text).sliced(m_written, count), wait))
        return 0;
    m_written += count;
    return count;
}

void RecoveryBaseFile::commit(const QString &text, const QString &path)
{
    m_writer.commitBase(m_file, m_headSize + qint64(text.size()) * 2, RecoveryLog::lengthField(text.size()),
                        RecoveryLog::lengthOffset(), path);
    m_file.reset();
}

} // namespace korvane
