#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace korvane {

// A new base for a document's record, written into a temporary beside the record
// straight from the document's own string, a slice at a time, while the document goes
// on changing: what is written always equals the start of the text as it stands, and an
// edit within it takes the writing back to where the edit is. Once all of the text is
// written, the length goes into the head and the file is handed over to be flushed and
// renamed over the record (RecoveryFile::renameFlushed). A base given up is deleted.
class RecoveryBaseFile {
public:
    // Nothing, with the reason, when the temporary cannot be made.
    static std::unique_ptr<RecoveryBaseFile> start(const QString &temp, const RecoveryRecord &header, QString *reason);
    ~RecoveryBaseFile();
    RecoveryBaseFile(const RecoveryBaseFile &) = delete;
    RecoveryBaseFile &operator=(const RecoveryBaseFile &) = delete;

    // The text was changed from position on.
    void edited(qsizetype position);
    // Writes up to units more code units of text; false, with the reason, on failure.
    bool writeSlice(const QString &text, qsizetype units, QString *reason);
    bool isComplete(const QString &text) const { return m_written == text.size(); }
    qsizetype written() const { return m_written; }
    // Once complete: puts the length of text into the head and gives up the file, open,
    // for the flush. -1, with the reason, on failure.
    int release(const QString &text, QString *reason);

    const QString &tempPath() const { return m_temp; }
    const RecoveryRecord &header() const { return m_header; }

private:
    RecoveryBaseFile(int fd, const QString &temp, const RecoveryRecord &header, qint64 headSize);
    bool fail(int error, QString *reason);

    int m_fd;
    QString m_temp;
    RecoveryRecord m_header;
    qint64 m_headSize;
    qsizetype m_written = 0;
    bool m_rewound = false; // the file holds more than m_written units
};

} // namespace korvane
