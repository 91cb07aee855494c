#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace korvane {

// The recovery file of one document on disk (its layout is RecoveryLog's): written whole
// and atomically, or appended to; read back with its log replayed. Raw code units keep
// every character as it was, lone surrogates and byte stand-ins included, which no text
// codec would.
class RecoveryFile {
public:
    static inline const QString Suffix = QStringLiteral(".krec");

    // A whole record: a base of record's text with no operations after it.
    static QByteArray encode(const RecoveryRecord &record);
    // Replaces the file at path with head followed by text as UTF-16LE so that, whatever
    // happens, the path holds either the old contents or the new ones: a temporary
    // beside it, flushed to the disk, renamed over it, and the folder flushed. The text
    // is written from where it stands, never copied. Empty on success, else the reason.
    static QString writeAtomically(const QString &path, const QByteArray &head, QStringView text = {});
    // As writeAtomically, for record as encode lays it out.
    static QString writeRecord(const QString &path, const RecoveryRecord &record);
    // Appends bytes to the plain file at path (never through a link) and flushes them.
    // On failure the file is cut back to what it was, so no half operation stays in it.
    static QString append(const QString &path, const QByteArray &bytes);
    // Flushes and closes fd, open on the whole new record at temp, then renames temp over
    // path and flushes the folder: 0, or the errno that stopped it (temp is then gone).
    static int renameFlushed(int fd, const QString &temp, const QString &path);
    // Writes size bytes, or text as UTF-16LE, to fd in full: 0, or the errno that stopped it.
    static int writeAll(int fd, const char *data, qint64 size);
    static int writeUnits(int fd, QStringView text);
    // The reason for an errno, as the user reads it.
    static QString reasonOf(int error);
    // Nothing when the file is missing, not a plain file (a link, a FIFO), of another
    // format, or its base is cut short; a log cut short gives the text as of its last
    // whole operation. Without withText the text stays empty, though the file is still
    // checked.
    static std::optional<RecoveryRecord> read(const QString &path, bool withText = true);
};

} // namespace korvane
