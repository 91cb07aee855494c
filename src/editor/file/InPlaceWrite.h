#pragma once

#include "editor/file/FileIdentity.h"

#include <QByteArray>
#include <QByteArrayView>
#include <sys/stat.h>

namespace korvane {

// Rewriting an existing file where it stands, instead of putting a new file in its place.
// A new file would have only the one name that was saved to (a file with several names
// keeps its old contents under the others) and would belong to whoever saved it; and a
// folder that takes no new files still lets us write a file that is writable itself.
class InPlaceWrite {
public:
    // The file has other names too, or belongs to someone else.
    static bool mustKeepFile(const struct stat &info);
    // Puts bytes over the contents of the regular file at nativePath (no symbolic link)
    // and cuts off whatever is left of the old ones. Room for the new size is taken first,
    // so that a full disk or a file-size limit fails before any old byte is touched; the
    // old contents are kept in memory and written back should a later write fail. Returns
    // only once the bytes are on disk (fsync). 0 on success, else the errno of the failure.
    static int write(const QByteArray &nativePath, const QByteArray &bytes, FileIdentity *written = nullptr);
    // Writes all of bytes from the start of the file, through short writes and signals.
    // 0 when everything was written, else the errno of the first failure.
    static int writeAll(int fd, const QByteArray &bytes) { return writeAt(fd, bytes, 0); }
    // The same for bytes that belong at offset.
    static int writeAt(int fd, QByteArrayView bytes, qint64 offset);
};

} // namespace korvane
