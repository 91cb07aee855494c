#pragma once

#include "editor/recovery/RecoveryRecord.h"
#include "editor/recovery/RecoveryWriter.h"

#include <QString>

namespace korvane {

// A new base for a document's record, written into a temporary beside the record while
// the document goes on changing. The program's thread copies the text a slice at a time
// into the writer's buffers, and the writer's thread puts each slice at its place in the
// file, so that the program never waits for the disk and never holds a second copy of
// the text. What is handed over always equals the start of the text as it stands: an
// edit within it takes the writing back to where the edit is (and the file is cut there,
// in its turn with the writes). Once all of the text is handed over, the commit puts the
// length into the head and renames the file over the record (RecoveryWriter::commitBase).
// A base given up, or failed on the writer's thread, is deleted there.
class RecoveryBaseFile {
public:
    RecoveryBaseFile(RecoveryWriter &writer, int slot, quint64 id, const QString &temp, const RecoveryRecord &header);
    // Gives the base up unless it was committed.
    ~RecoveryBaseFile();
    RecoveryBaseFile(const RecoveryBaseFile &) = delete;
    RecoveryBaseFile &operator=(const RecoveryBaseFile &) = delete;

    // The text was changed from position on.
    void edited(qsizetype position);
    // Hands up to units more code units of text to the writer, at most a buffer's worth:
    // how many, 0 when the writer is behind (every buffer in use) and wait is false.
    qsizetype writeSlice(const QString &text, qsizetype units, bool wait);
    bool isComplete(const QString &text) const { return m_written == text.size(); }
    qsizetype written() const { return m_written; }
    // Once complete: the writer finishes the file and renames it over path.
    void commit(const QString &text, const QString &path);

    quint64 id() const { return m_id; }
    const RecoveryRecord &header() const { return m_header; }

private:
    RecoveryWriter &m_writer;
    RecoveryWriter::BaseHandle m_file;
    quint64 m_id;
    RecoveryRecord m_header;
    qint64 m_headSize;
    qsizetype m_written = 0;
    bool m_rewound = false; // the file may hold more than m_written units
};

} // namespace korvane
