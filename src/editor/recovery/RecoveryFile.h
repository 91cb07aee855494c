#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QByteArray>
#include <optional>

namespace korvane {

// The recovery file of one document: a first line naming the format, one line of JSON
// with everything but the text, then the text as raw UTF-16LE to the end of the file.
// Raw code units keep every character as it was, lone surrogates and byte stand-ins
// included, which no text codec would.
class RecoveryFile {
public:
    static inline const QByteArray Magic = QByteArrayLiteral("Korvane recovery 1\n");
    static inline const QString Suffix = QStringLiteral(".krec");

    static QByteArray encode(const RecoveryRecord &record);
    // As encode, into a buffer kept from one write to the next: memory that is already
    // in use is copied into many times faster than fresh memory.
    static void encodeInto(const RecoveryRecord &record, QByteArray &out);
    // Replaces the file at path with bytes so that, whatever happens, the path holds
    // either the old contents or the new ones: a temporary beside it, flushed to the
    // disk, renamed over it, and the folder flushed. Empty on success, else the reason.
    static QString writeAtomically(const QString &path, const QByteArray &bytes);
    // Nothing when the file is missing, not a plain file (a link, a FIFO), of another
    // format, or cut short. Without
    // withText the text stays empty, though the file is still checked to be complete.
    static std::optional<RecoveryRecord> read(const QString &path, bool withText = true);
};

} // namespace korvane
